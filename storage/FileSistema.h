#pragma once

#include <QString>

namespace sestina {

struct Sistema;
class Interfaccia;

inline constexpr char MagicSistema[] = "sestplan001";

// Writes the System to percorso (which becomes fileSistema's file). An empty
// path does nothing. A failed save reports the common error and leaves any
// previous file whole. Returns whether the file was written.
bool SalvaFile(Sistema& s, const QString& percorso, Interfaccia& ui);

// Replaces the System with the one stored at percorso (double quotes removed).
// The whole file is read and checked before the System is touched: a refused
// or unreadable file leaves the current System exactly as it was. Returns
// whether it opened.
bool ApriSistema(Sistema& s, const QString& percorso, Interfaccia& ui);

// The file title Salva and Salva come propose for fileSistema: its name with the extension of a
// column list or an Extrema file (".txt", ".ext", any case) turned into ".sec", so a System that
// came from an import or went to an export is saved where Apri lists it.
QString TitoloFileSistema(const QString& fileSistema);
// The title the Extrema export proposes: ".txt" or ".sec" turned into ".ext".
QString TitoloFileExtrema(const QString& fileSistema);

} // namespace sestina
