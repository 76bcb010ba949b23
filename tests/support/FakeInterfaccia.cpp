#include "FakeInterfaccia.h"

#include <QtGlobal>

namespace sestina {

Risposta FakeInterfaccia::messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) {
    messaggi.append({testo, titolo, icona, pulsanti});
    if (pulsanti == Pulsanti::Ok)
        return Risposta::Ok;
    if (risposte.empty())
        qFatal("Unexpected question: %s / %s", qPrintable(titolo), qPrintable(testo));
    const Risposta r = risposte.front();
    risposte.pop_front();
    return r;
}

std::optional<QString> FakeInterfaccia::chiedi(const QString& titolo, const QString& prompt, const QString&) {
    if (testiDaDare.empty())
        qFatal("Unexpected input box: %s / %s", qPrintable(titolo), qPrintable(prompt));
    auto t = testiDaDare.front();
    testiDaDare.pop_front();
    return t;
}

void FakeInterfaccia::occupato(bool acceso) {
    livelloOccupato += acceso ? 1 : -1;
}

void FakeInterfaccia::elaboraEventi() {
    ++eventi;
    if (durante)
        durante(eventi);
}

} // namespace sestina
