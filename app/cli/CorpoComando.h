#pragma once

#include <QString>

#include <memory>

namespace sestina {
class Interfaccia;
struct Corpo;
struct Sistema;
} // namespace sestina

namespace sestina::cli {

// The model of one command with the user's data folder (XDG_DATA_HOME moves it) and its
// configuration path; nothing is read or created yet.
std::unique_ptr<Corpo> CorpoDelleCartelle();

// Reads the System file of a command; false, with the reason told on ui as the tool tells a
// library's error, when it cannot be read: the command then exits with esito::FileRifiutato.
bool ApriFileSistema(Sistema& s, const QString& percorso, Interfaccia& ui);

// CorpoDelleCartelle with the System of percorso, played with the SuperStar or not; null when
// ApriFileSistema refused it.
std::unique_ptr<Corpo> CorpoConSistema(const QString& percorso, bool superStar, Interfaccia& ui);

} // namespace sestina::cli
