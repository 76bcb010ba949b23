#pragma once

#include <QString>

namespace sestina::cli {

struct RichiestaSviluppo;

// Each returns the exit status; messages go to standard error, results to standard output.
int ComandoSviluppa(const RichiestaSviluppo& richiesta);
int ComandoApri(const QString& percorso);

} // namespace sestina::cli
