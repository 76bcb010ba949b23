#pragma once

#include <QString>

#include <optional>

namespace sestina {

enum class Icona { Nessuna, Critica, Domanda, Esclamazione, Informazione };
enum class Pulsanti { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class Risposta { Ok, Annulla, Si, No };

// How the rules below the windows talk to the user: the GUI answers with real
// dialogs, the command-line tool with standard error, tests from a script.
class Interfaccia {
public:
    virtual ~Interfaccia() = default;
    virtual Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) = 0;
    // Asks for a text (typically a number); nullopt when the user cancels.
    virtual std::optional<QString> chiedi(const QString& titolo, const QString& prompt, const QString& proposta) = 0;
    virtual void beep() = 0;
    virtual void occupato(bool acceso) = 0; // busy pointer on/off
    virtual void elaboraEventi() = 0;       // let the window system process pending events
};

// Keeps the busy pointer on for a scope, whatever way the scope is left.
class Occupato final {
public:
    explicit Occupato(Interfaccia& ui) : m_ui(ui) { m_ui.occupato(true); }
    ~Occupato() { m_ui.occupato(false); }
    Occupato(const Occupato&) = delete;
    Occupato& operator=(const Occupato&) = delete;

private:
    Interfaccia& m_ui;
};

} // namespace sestina
