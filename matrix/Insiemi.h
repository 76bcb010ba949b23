#pragma once

#include "Copertura.h"

#include <algorithm>
#include <array>
#include <bit>
#include <random>
#include <vector>

// Small set operations on columns, shared by the starts, the annealing and the check of the search.
namespace sestina::insiemi {

using Maschere = std::vector<Blocco>;

// The positions of a mask, one bit each.
inline Maschere Elementi(Blocco m) {
    Maschere e;
    while (m) {
        e.push_back(m & (~m + 1));
        m &= m - 1;
    }
    return e;
}

// Every union of k of the given bits.
inline void Unioni(const Maschere& elementi, int k, Maschere& uscita) {
    uscita.clear();
    const int n = static_cast<int>(elementi.size());
    if (k < 0 || k > n)
        return;
    std::array<int, 6> i = PrimaCombinazione(k);
    do {
        Blocco m = 0;
        for (int j = 0; j < k; ++j)
            m |= elementi[static_cast<std::size_t>(i[static_cast<std::size_t>(j)])];
        uscita.push_back(m);
    } while (ProssimaCombinazione(i, k, n));
}

// One bit of a mask, drawn at random.
inline Blocco ACaso(Blocco m, std::mt19937_64& caso) {
    for (auto k = caso() % static_cast<unsigned>(std::popcount(m)); k > 0; --k)
        m &= m - 1;
    return m & (~m + 1);
}

// Six positions: the mask itself, or filled up with the lowest positions it lacks.
inline Blocco RiempitoASei(Blocco b) {
    for (Blocco p = 1; std::popcount(b) < 6; p <<= 1)
        b |= p;
    return b;
}

inline Blocco Tutti(int v) {
    return v >= 64 ? ~Blocco{0} : (Blocco{1} << v) - 1;
}

// Calls f(rank) for every subset of s meeting b in at least t positions: the p-subsets a column
// meets, or, with s the columns, the columns that meet a p-subset b.
template <typename F> void PerOgniVicino(const Sottoinsiemi& s, int t, Blocco b, F&& f) {
    const Maschere dentro = Elementi(b);
    const Maschere fuori = Elementi(Tutti(s.v()) & ~b);
    Maschere x, y;
    for (int i = t; i <= std::min(s.k(), static_cast<int>(dentro.size())); ++i) {
        Unioni(dentro, i, x);
        Unioni(fuori, s.k() - i, y);
        for (const Blocco a : x)
            for (const Blocco c : y)
                f(s.rango(a | c));
    }
}

} // namespace sestina::insiemi
