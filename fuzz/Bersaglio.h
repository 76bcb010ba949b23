#pragma once

#include "Interfaccia.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets: the input as a file, as the readers take it, and a user who answers
// every box with its first button, so a reader's messages run but never wait.
namespace sestina::fuzz {

class UtenteMuto final : public Interfaccia {
public:
    Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) override;
    std::optional<QString> chiedi(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void beep() override {}
    void occupato(bool) override {}
    void elaboraEventi() override {}
};

// A folder of this process, made once and removed at exit.
const QString& Cartella();
// Writes the input to Cartella()/nome, replacing the previous run's, and returns the path.
QString FileDaInput(const std::uint8_t* dati, std::size_t dimensione, const QString& nome);

} // namespace sestina::fuzz
