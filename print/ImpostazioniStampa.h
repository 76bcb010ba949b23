#pragma once

#include "Centesimi.h"

#include <QString>

namespace sestina {

// What the settings dialog's fields hold at most: the heading, and a price of digits, a comma or a point.
inline constexpr int LunghezzaMassimaIntestazione = 55;
inline constexpr int LunghezzaMassimaPrezzo = 4;
// True for a price the dialog's field lets the user type ("1,20", "0.5", "12").
bool PrezzoDigitabile(const QString& testo);

// A price typed in euro in the user's locale as the cents the configuration file keeps, a whole
// number ("1,20" -> "120"). Throws Errore (type mismatch) when the text is not a number.
QString PrezzoInCentesimi(const QString& testo);

// A price as the settings dialog shows it: "0.00" with the locale's decimal mark.
QString PrezzoMostrato(Centesimi prezzo);

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
