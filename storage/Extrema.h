#pragma once

#include <QString>

#include <functional>

namespace sestina {

struct Sistema;
class Interfaccia;

// Writes the System's columns as an Extrema file at percorso (sections Generale, Descrizione and
// Combinazioni, keys 000001.. with values "01-05-17-23-44-90-", the last "-" a "*" with SuperStar),
// replacing any file there through QSaveFile, then shows the "Info Sistema" box. A failure shows the
// common error of SalvaExtrema and leaves the previous file whole. An empty path does nothing.
bool SalvaExtrema(const Sistema& s, const QString& percorso, Interfaccia& ui);

// Replaces the System with the columns, name and SuperStar choice of an Extrema file. The whole file
// is read and checked first; a refused file shows its message and leaves the System exactly as it
// was. finestraAggiornata runs once the System holds the new columns, before the "Info Sistema" box
// with the file's name and description. An empty path does nothing.
bool ImportaExtrema(Sistema& s, const QString& percorso, Interfaccia& ui,
                    const std::function<void()>& finestraAggiornata = {});

} // namespace sestina
