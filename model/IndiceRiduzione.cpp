#include "IndiceRiduzione.h"

namespace sestina {
namespace {

constexpr auto TabellaBinomiali = [] {
    std::array<std::array<std::uint32_t, 7>, 91> c{};
    for (std::size_t n = 0; n <= 90; ++n) {
        c[n][0] = 1;
        for (std::size_t k = 1; k <= 6 && k <= n; ++k)
            c[n][k] = c[n - 1][k - 1] + (k <= n - 1 ? c[n - 1][k] : 0);
    }
    return c;
}();

} // namespace

std::uint32_t Binomiale(int n, int k) {
    if (n < 0 || k < 0 || k > 6 || n > 90)
        return 0;
    return TabellaBinomiali[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

IndiceRiduzione::IndiceRiduzione(int t) : m_t(t), m_bit((Binomiale(90, t) + 63) / 64, 0) {}

std::uint32_t IndiceRiduzione::rango(const std::uint8_t* numeri, int quanti) {
    std::uint32_t r = 0;
    for (int k = 0; k < quanti; ++k)
        r += Binomiale(numeri[k] - 1, k + 1);
    return r;
}

void IndiceRiduzione::copriColonna(const std::uint8_t* colonna) {
    // Walk the t-subsets of the six positions as bit masks.
    for (unsigned maschera = 0; maschera < 64; ++maschera) {
        if (__builtin_popcount(maschera) != m_t)
            continue;
        std::uint8_t scelti[6];
        int quanti = 0;
        for (int p = 0; p < 6; ++p)
            if (maschera & (1u << p))
                scelti[quanti++] = colonna[p];
        copri(rango(scelti, quanti));
    }
}

} // namespace sestina
