#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace sestina {

// A column over the positions 1..v of a matrix: bit p-1 stands for position p.
using Blocco = std::uint64_t;

inline constexpr int VMinimoDisegno = 7;
inline constexpr int VMassimoDisegno = 40;

// The k-subsets of 0..v-1 (k at most 6) ranked in colex order (the combinatorial number system):
// rank and mask both ways, through tables small enough to stay in cache.
class Sottoinsiemi final {
public:
    explicit Sottoinsiemi(int v, int k = 6);

    int v() const { return m_v; }
    int k() const { return m_k; }
    std::uint32_t quante() const { return static_cast<std::uint32_t>(m_maschere.size()); }
    Blocco maschera(std::uint32_t rango) const { return m_maschere[rango]; }
    std::uint32_t rango(Blocco m) const {
        std::uint32_t r = 0;
        std::size_t prima = 0;
        for (std::size_t byte = 0; byte < Byte; ++byte) {
            const auto valore = static_cast<std::uint32_t>((m >> (8 * byte)) & 0xFFu);
            r += m_parte[byte][prima][valore];
            prima += static_cast<std::size_t>(std::popcount(valore));
        }
        return r;
    }

private:
    static constexpr std::size_t Byte = (VMassimoDisegno + 7) / 8;
    int m_v;
    int m_k;
    std::vector<Blocco> m_maschere;
    // m_parte[byte][elements below the byte][byte value]: that byte's share of the rank.
    std::array<std::array<std::array<std::uint32_t, 256>, 7>, Byte> m_parte{};
};

// C(n, k) for any k (the model's table stops at 6).
std::uint64_t BinomialeEsteso(int n, int k);

// The p-subsets a column of six meets in at least t positions: sum over i >= t of C(6,i) C(v-6,p-i).
std::uint64_t CoperteDaUnBlocco(int v, int t, int p = 6);

// The columns of six that meet a given p-subset in at least t: sum over i >= t of C(p,i) C(v-p,6-i).
std::uint64_t ColonneCheIncontrano(int v, int t, int p);

} // namespace sestina
