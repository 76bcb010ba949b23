#include "OrdinePronostico.h"

#include <algorithm>

namespace sestina {

OrdinePronostico::OrdinePronostico(const Sistema& sistema)
    : m_numeri(sistema.pronostico.begin(),
               sistema.pronostico.begin() + std::min<std::ptrdiff_t>(sistema.numeriInGioco, NumeriGioco)) {}

bool OrdinePronostico::scambia(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= quanti() || b >= quanti())
        return false;
    std::swap(m_numeri[static_cast<std::size_t>(a)], m_numeri[static_cast<std::size_t>(b)]);
    return true;
}

std::vector<std::pair<int, int>> OrdinePronostico::mescola(std::mt19937& generatore) {
    std::vector<std::pair<int, int>> scambi;
    const int n = quanti();
    // One number would never find a second, distinct place.
    if (n < 2)
        return scambi;
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    // Guards the rare rounding of u * n up to n.
    const auto posto = [&] { return std::min(static_cast<int>(uniforme(generatore) * n), n - 1); };
    scambi.reserve(static_cast<std::size_t>(10 * n));
    for (int volta = 0; volta < 10 * n; ++volta) {
        const int a = posto();
        int b = posto();
        while (b == a)
            b = posto();
        scambia(a, b);
        scambi.emplace_back(a, b);
    }
    return scambi;
}

void OrdinePronostico::scriviIn(Sistema& sistema) const {
    std::copy(m_numeri.begin(), m_numeri.end(), sistema.pronostico.begin());
}

} // namespace sestina
