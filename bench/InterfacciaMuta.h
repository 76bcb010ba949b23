#pragma once

#include "Interfaccia.h"

namespace sestina {

// A user who sees nothing and gives the same answer to every question, so a benchmark times the work
// alone. The window benchmarks answer Si, so that a question never stops what they measure.
class InterfacciaMuta final : public Interfaccia {
public:
    explicit InterfacciaMuta(Risposta risposta = Risposta::Ok) : m_risposta(risposta) {}

    Risposta messaggio(const QString&, const QString&, Icona, Pulsanti) override { return m_risposta; }
    std::optional<QString> chiedi(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void beep() override {}
    void occupato(bool) override {}
    void elaboraEventi() override {}

private:
    Risposta m_risposta;
};

} // namespace sestina
