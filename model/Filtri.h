#pragma once

#include "Sistema.h"

#include <QString>

namespace sestina {

// The switched-on filter columns first and the others after them, each group in
// slot order; numeroFiltri becomes the count of those switched on. The
// development reads only slots 1..numeroFiltri, so the table must be in this
// order whenever it runs.
void CompattaFiltri(Sistema& s);

// Every slot empty and switched off.
void CancellaTuttiFiltri(Sistema& s);

// A filter count or panel number: at least two digits, grouped in the default
// locale ("01", "2.000").
QString FormattaNumeroFiltri(int n);

} // namespace sestina
