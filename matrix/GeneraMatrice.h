#pragma once

#include "Matrice.h"
#include "Ottimizzatore.h"

#include <QDate>
#include <QString>

#include <optional>

namespace sestina {

// "30numeri-3se6.mspl": the name of a generated matrix, the same for the shipped set and the window.
QString NomeMatriceGenerata(int v, int t);

// The matrix file of a design: k = m = 6, f = 0, coverage "100%", the program as author, valid from
// oggi for ten years. Positions are the design's bits + 1, ascending in each column.
MATRIX_STRUCTURE MatriceDaDisegno(int v, int t, const std::vector<Blocco>& disegno, const QDate& oggi);

// The search, then the exhaustive check; nullopt when no design was found or the check failed, so
// nothing unverified is ever written.
std::optional<MATRIX_STRUCTURE> GeneraMatrice(const RichiestaOttimizzazione& richiesta,
                                              OsservatoreOttimizzazione& osservatore, const QDate& oggi);

} // namespace sestina
