#pragma once

#include <QString>

namespace sestina {

// A price typed in euro in the user's locale as the cents the configuration file keeps: read in
// single precision, times 100, the shortest text of that single-precision value ("1,50" -> "150").
// Throws Errore (type mismatch) when the text is not a number.
QString PrezzoInCentesimi(const QString& testo);

// A price in euro as the settings dialog shows it: "0.00" with the locale's decimal mark.
QString PrezzoMostrato(float euro);

struct ImpostazioniStampa {
    QString costoColonnaSE; // as typed
    QString costoColonnaSS;
    QString intestazione;
    QString stampante;
};

// Writes costo_colonna_se, costo_colonna_ss, intestazione_stampa and stampante_tabulato in this
// order; a bad price or a failed write throws Errore, the keys before it keeping their new values.
void SalvaImpostazioni(const QString& fileConfigurazione, const ImpostazioniStampa& valori);

} // namespace sestina
