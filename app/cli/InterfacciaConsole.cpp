#include "InterfacciaConsole.h"

#include "Console.h"

namespace sestina::cli {

Risposta InterfacciaConsole::messaggio(const QString& testo, const QString&, Icona, Pulsanti pulsanti) {
    m_console.messaggio(testo);
    switch (pulsanti) {
    case Pulsanti::Ok:
        return Risposta::Ok;
    case Pulsanti::OkAnnulla:
        return Risposta::Annulla;
    case Pulsanti::SiNo:
    case Pulsanti::SiNoAnnulla:
        break;
    }
    return Risposta::No;
}

std::optional<QString> InterfacciaConsole::chiedi(const QString&, const QString& prompt, const QString&) {
    m_console.messaggio(prompt);
    return std::nullopt;
}

} // namespace sestina::cli
