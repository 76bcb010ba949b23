#pragma once

#include "Estrazione.h"
#include "Matrice.h"
#include "Sistema.h"

#include <QString>

namespace sestina {

// The state the whole program shares, created once in main and passed by reference.
struct Corpo {
    Sistema sistema;
    ColonnaSpoglio colonnaSpoglio{};
    ArchivioEstrazioni archivioEstrazioni;
    std::vector<VoceCatalogo> catalogoMatrici;
    QString cartellaDati;
    QString fileConfigurazione;
    QString edizione = QStringLiteral("Freeware");
    QString intestazioneStampa;
    QString stampanteTabulato;
    bool chiusuraInCorso = false;
    Flag stampaAnnullata = Falso;
    // Slip kind of the printing dialog: 0 two-column, 1 five-column; the calibration command reads it too.
    std::int32_t tipoScheda = 0;
    std::uint8_t colonnePerScheda = 2;
    // Colour round of the random Prediction order; it carries on from one opening to the next.
    int coloreOrdineCasuale = 0;
};

} // namespace sestina
