#include "Combinatoria.h"

#include <stdexcept>

namespace sestina {

bool ProssimaCombinazione(std::array<int, 6>& x, int k, int n) {
    int j = k - 1;
    while (j >= 0 && x[static_cast<std::size_t>(j)] == n - k + j)
        --j;
    if (j < 0)
        return false;
    ++x[static_cast<std::size_t>(j)];
    for (int l = j + 1; l < k; ++l)
        x[static_cast<std::size_t>(l)] = x[static_cast<std::size_t>(l - 1)] + 1;
    return true;
}

Sottoinsiemi::Sottoinsiemi(int v, int k) : m_v(v), m_k(k) {
    if (k < 1 || k > 6 || v < k || v > PosizioniMassimeRango)
        throw std::invalid_argument("v o k fuori intervallo");
    for (std::size_t byte = 0; byte < Byte; ++byte)
        for (int prima = 0; prima <= 6; ++prima)
            for (int valore = 0; valore < 256; ++valore) {
                std::uint32_t parte = 0;
                int ordine = prima;
                // Shares past six elements are never read, and the table gives them as 0.
                for (int bit = 0; bit < 8; ++bit)
                    if (valore & (1 << bit)) {
                        ++ordine;
                        parte += Binomiale(8 * static_cast<int>(byte) + bit, ordine);
                    }
                m_parte[byte][static_cast<std::size_t>(prima)][static_cast<std::size_t>(valore)] = parte;
            }
    m_maschere.assign(Binomiale(v, k), 0);
    std::array<int, 6> c = PrimaCombinazione(k);
    do {
        MascheraBit m = 0;
        for (int j = 0; j < k; ++j)
            m |= MascheraBit{1} << c[static_cast<std::size_t>(j)];
        m_maschere[rango(m)] = m;
    } while (ProssimaCombinazione(c, k, v));
}

} // namespace sestina
