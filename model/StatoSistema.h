#pragma once

#include "Sistema.h"

namespace sestina {

// The System's states as the main window shows them and the command-line tool sets them, in one
// place so the two cannot disagree.

// A System is developed exactly when it holds columns: the state after a development or an adaptation.
void SegnaSviluppato(Sistema& s);

// Back to editing (Modifica): the columns, their kind and the developed state go; the prediction,
// the conditions and the price per column stay.
void ScartaSviluppo(Sistema& s);

// The conditions the Condizioni menu marks.
enum class Condizione { Filtri, Consecutivi, Fisse, PariDispari, Somma, Ridotto };

// The filter columns count as on from the first one on the count (numeroFiltri).
bool CondizioneAccesa(const Sistema& s, Condizione c);

// A condition other than the reduction is on: the development names the System "Condizionato".
bool Condizionato(const Sistema& s);

// What a command of the main window needs of the System to be usable.
enum class Requisito {
    Nessuno,
    Pronostico,    // six numbers in play at least
    DaSviluppare,  // six numbers in play at least, not developed
    NonSviluppato, // the prediction can still change
    Sviluppato,
    Colonne, // columns to work on, whatever the developed state
};

bool Soddisfatto(const Sistema& s, Requisito r);

} // namespace sestina
