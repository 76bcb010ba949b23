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

} // namespace sestina
