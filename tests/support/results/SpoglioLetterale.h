#pragma once

#include "SpoglioColonna.h"
#include "SpoglioEstrazioni.h"

namespace sestina {

// The plain loops the fast scrutinies replace: the references they are proved against in the
// tests and measured against in the benchmarks.

// Every column against the winning column, letting the window system run every 1000 columns.
EsitoSpoglio SpogliaColonneLetterale(const ColumnStore& colonne, int numeroColonne, const ColonnaSpoglio& vincente,
                                     Interfaccia& ui);

// Every column against every draw, letting the window system run every 10000 columns.
EsitoSpoglioEstrazioni SpogliaEstrazioniLetterale(const Sistema& s, const ArchivioEstrazioni& archivio,
                                                  IntervalloSpoglio intervallo, Interfaccia& ui);

} // namespace sestina
