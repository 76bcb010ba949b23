#include "Copertura.h"

namespace sestina {

std::uint64_t CoperteDaUnBlocco(int v, int t, int p) {
    std::uint64_t n = 0;
    for (int i = t; i <= 6; ++i)
        n += std::uint64_t{Binomiale(6, i)} * Binomiale(v - 6, p - i);
    return n;
}

std::uint64_t ColonneCheIncontrano(int v, int t, int p) {
    std::uint64_t n = 0;
    for (int i = t; i <= p; ++i)
        n += std::uint64_t{Binomiale(p, i)} * Binomiale(v - p, 6 - i);
    return n;
}

} // namespace sestina
