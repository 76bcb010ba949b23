#pragma once

#include <Interfaccia.h>

namespace sestina::cli {

class Console;

// The library's messages on standard error. Nobody is there to answer, so
// every question gets the cautious answer.
class InterfacciaConsole final : public Interfaccia {
public:
    explicit InterfacciaConsole(Console& console) : m_console(console) {}

    Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) override;
    std::optional<QString> chiedi(const QString& titolo, const QString& prompt, const QString& proposta) override;
    void beep() override {}
    void occupato(bool) override {}
    // Called once per column while a file is read: it must cost nothing.
    void elaboraEventi() override {}

private:
    Console& m_console;
};

} // namespace sestina::cli
