#include "Copertura.h"

namespace sestina {

std::uint64_t CoperteDaUnBlocco(int v, int t, int p) {
    std::uint64_t n = 0;
    for (int i = t; i <= 6; ++i)
        n += BinomialeEsteso(6, i) * BinomialeEsteso(v - 6, p - i);
    return n;
}

std::uint64_t ColonneCheIncontrano(int v, int t, int p) {
    std::uint64_t n = 0;
    for (int i = t; i <= p; ++i)
        n += BinomialeEsteso(p, i) * BinomialeEsteso(v - p, 6 - i);
    return n;
}

} // namespace sestina
