#include "GeometriaScheda.h"

namespace sestina {
namespace {

QPointF Punto(float x, float y) {
    return {static_cast<double>(x), static_cast<double>(y)};
}

} // namespace

QPointF CellaDueColonne(const TaraturaScheda& t, int pannello, int numero) {
    const int k = (numero - 1) / 15;
    const int r = (numero - 1) % 15;
    return Punto(t.pannelloLeft + static_cast<float>((pannello - 1) * 7 + k) * t.distanzaX,
                 t.pannelloTop + static_cast<float>(14 - r) * t.distanzaY);
}

QPointF SuperStarDueColonne(const TaraturaScheda& t, int pannello) {
    return Punto(t.pannelloLeft + static_cast<float>((pannello - 1) * 7) * t.distanzaX,
                 t.pannelloTop - 18.0f * t.distanzaY);
}

QPointF CellaCinqueColonne(const TaraturaScheda& t, int pannello, int numero) {
    const int j = (numero - 1) / 15;
    const int i = (numero - 1) % 15;
    return Punto(t.pannelloLeft + static_cast<float>(i) * t.distanzaX,
                 t.pannelloTop + static_cast<float>(7 * (pannello - 1) + j - 1) * t.distanzaY);
}

QPointF SuperStarCinqueColonne(const TaraturaScheda& t, int pannello) {
    return Punto(t.pannelloLeft + 15.0f * t.distanzaX,
                 t.pannelloTop + static_cast<float>(7 * (pannello - 1) - 1) * t.distanzaY);
}

} // namespace sestina
