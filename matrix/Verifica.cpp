#include "Ottimizzatore.h"

#include "Combinatoria.h"

#include <array>
#include <bit>

namespace sestina {

bool VerificaGaranzia(int v, int t, const std::vector<Blocco>& blocchi) {
    return VerificaGaranzia(v, 6, t, blocchi);
}

bool VerificaGaranzia(int v, int p, int t, const std::vector<Blocco>& blocchi) {
    if (v < 6 || v > VMassimoDisegno || p < 1 || p > 6 || p > v || blocchi.empty())
        return false;
    const Blocco fuori = ~((Blocco{1} << v) - 1);
    for (const Blocco colonna : blocchi)
        if (std::popcount(colonna) != 6 || (colonna & fuori) != 0)
            return false;
    // Every p-subset as p ascending positions, with no table shared with the search.
    std::array<int, 6> x = PrimaCombinazione(p);
    std::size_t ultima = 0;
    for (;;) {
        Blocco estratti = 0;
        for (int j = 0; j < p; ++j)
            estratti |= Blocco{1} << x[static_cast<std::size_t>(j)];
        // Neighbouring subsets share all numbers but one: the last column that met one often meets
        // the next, so it is tried first.
        if (std::popcount(estratti & blocchi[ultima]) < t) {
            bool incontrata = false;
            for (std::size_t i = 0; i < blocchi.size() && !incontrata; ++i)
                if (std::popcount(estratti & blocchi[i]) >= t) {
                    incontrata = true;
                    ultima = i;
                }
            if (!incontrata)
                return false;
        }
        if (!ProssimaCombinazione(x, p, v))
            return true;
    }
}

} // namespace sestina
