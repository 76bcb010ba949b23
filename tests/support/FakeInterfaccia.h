#pragma once

#include "Interfaccia.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

namespace sestina {

// A scripted user: records every message word for word and answers questions
// from a queue. A question nobody scripted aborts the test at once, so an
// unexpected dialog can never hang or pass silently.
class FakeInterfaccia final : public Interfaccia {
public:
    struct Messaggio {
        QString testo;
        QString titolo;
        Icona icona;
        Pulsanti pulsanti;
    };

    Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) override;
    std::optional<QString> chiedi(const QString& titolo, const QString& prompt, const QString& proposta) override;
    void beep() override { ++beep_; }
    void occupato(bool acceso) override;
    void elaboraEventi() override;

    void rispondi(Risposta r) { risposte.push_back(r); }

    QList<Messaggio> messaggi;
    std::deque<Risposta> risposte;
    std::deque<std::optional<QString>> testiDaDare;
    int beep_ = 0;
    int eventi = 0;
    int livelloOccupato = 0; // must be back at 0 after every operation
    // Runs inside elaboraEventi, as a click would while the window system runs.
    std::function<void(int)> durante;
};

} // namespace sestina
