#include "Copertura.h"

#include <stdexcept>

namespace sestina {

std::uint64_t BinomialeEsteso(int n, int k) {
    if (k < 0 || n < 0 || k > n)
        return 0;
    std::uint64_t r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return r;
}

std::uint64_t CoperteDaUnBlocco(int v, int t) {
    std::uint64_t n = 0;
    for (int i = t; i <= 6; ++i)
        n += BinomialeEsteso(6, i) * BinomialeEsteso(v - 6, 6 - i);
    return n;
}

Sestine::Sestine(int v) : m_v(v) {
    if (v < 6 || v > VMassimoDisegno)
        throw std::invalid_argument("v fuori intervallo");
    for (int byte = 0; byte < 4; ++byte)
        for (int prima = 0; prima <= 6; ++prima)
            for (int valore = 0; valore < 256; ++valore) {
                std::uint32_t parte = 0;
                int ordine = prima;
                for (int bit = 0; bit < 8; ++bit)
                    if (valore & (1 << bit)) {
                        ++ordine;
                        parte += static_cast<std::uint32_t>(BinomialeEsteso(8 * byte + bit, ordine));
                    }
                m_parte[static_cast<std::size_t>(byte)][static_cast<std::size_t>(prima)]
                       [static_cast<std::size_t>(valore)] = parte;
            }
    m_maschere.assign(BinomialeEsteso(v, 6), 0);
    std::array<int, 6> c = {0, 1, 2, 3, 4, 5};
    for (;;) {
        Blocco m = 0;
        for (const int e : c)
            m |= Blocco{1} << e;
        m_maschere[rango(m)] = m;
        int k = 5;
        while (k >= 0 && c[static_cast<std::size_t>(k)] == v - 6 + k)
            --k;
        if (k < 0)
            break;
        ++c[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
}

} // namespace sestina
