#pragma once

#include "TaraturaScheda.h"

#include <QPointF>

namespace sestina {

// Top-left corners of the cells of a slip, in millimetres, computed in single precision as the
// calibration is kept. pannello counts from 1, numero from 1 to 90.
QPointF CellaDueColonne(const TaraturaScheda& t, int pannello, int numero);
QPointF SuperStarDueColonne(const TaraturaScheda& t, int pannello);
QPointF CellaCinqueColonne(const TaraturaScheda& t, int pannello, int numero);
QPointF SuperStarCinqueColonne(const TaraturaScheda& t, int pannello);

inline constexpr double LatoSegno = 2.0; // a mark is a 2 mm filled square

} // namespace sestina
