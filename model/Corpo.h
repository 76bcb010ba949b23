#pragma once

#include "Estrazione.h"
#include "Sistema.h"

#include <QString>

namespace sestina {

// The state the whole program shares, created once in main and passed by reference.
struct Corpo {
    Sistema sistema;
    ColonnaSpoglio colonnaSpoglio{};
    ArchivioEstrazioni archivioEstrazioni;
    QString cartellaDati;
    QString fileConfigurazione;
    QString edizione = QStringLiteral("Freeware");
    QString intestazioneStampa;
    QString stampanteTabulato;
    bool chiusuraInCorso = false;
    Flag stampaAnnullata = Falso;
    // Colour round of the random Prediction order; it carries on from one opening to the next.
    int coloreOrdineCasuale = 0;
};

} // namespace sestina
