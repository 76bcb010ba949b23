#pragma once

#include <QString>

namespace sestina::cli {

struct RichiestaSviluppo;

// Each returns the exit status; messages go to standard error, results to standard output.
int ComandoSviluppa(const RichiestaSviluppo& richiesta);
int ComandoApri(const QString& percorso);
// Exports the columns of a system file as a column list (txt) or an Extrema file (ext).
enum class FormatoColonne { Txt, Extrema };
int ComandoEsporta(const QString& fileSistema, FormatoColonne formato, const QString& uscita);
// Imports a column list or an Extrema file and saves it as a system file.
int ComandoImporta(const QString& percorso, FormatoColonne formato, const QString& fileSistema);

} // namespace sestina::cli
