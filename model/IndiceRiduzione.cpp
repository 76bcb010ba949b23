#include "IndiceRiduzione.h"

namespace sestina {

IndiceRiduzione::IndiceRiduzione(int t) : m_t(t), m_bit((Binomiale(90, t) + 63) / 64, 0) {}

std::uint32_t IndiceRiduzione::rango(const std::uint8_t* numeri, int quanti) {
    std::uint32_t r = 0;
    for (int k = 0; k < quanti; ++k)
        r += Binomiale(numeri[k] - 1, k + 1);
    return r;
}

void IndiceRiduzione::copriColonna(const std::uint8_t* colonna) {
    PerOgniSottoinsieme(colonna, 6, m_t, [this](const std::uint8_t* scelti) { copri(rango(scelti, m_t)); });
}

} // namespace sestina
