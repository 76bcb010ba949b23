#pragma once

#include "Interfaccia.h"

class QWidget;

namespace sestina {

// The real user: message boxes, input boxes, the busy pointer and the event loop.
class InterfacciaQt final : public Interfaccia {
public:
    Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) override;
    std::optional<QString> chiedi(const QString& titolo, const QString& prompt, const QString& proposta) override;
    void beep() override;
    void occupato(bool acceso) override;
    void elaboraEventi() override;

private:
    static QWidget* genitore();
};

} // namespace sestina
