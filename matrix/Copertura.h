#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sestina {

// A column over the positions 1..v of a matrix: bit p-1 stands for position p.
using Blocco = std::uint32_t;

inline constexpr int VMinimoDisegno = 7;
inline constexpr int VMassimoDisegno = 32;

// The 6-subsets of 0..v-1 ranked in colex order (the combinatorial number system): rank and mask
// both ways, through tables small enough to stay in cache.
class Sestine final {
public:
    explicit Sestine(int v);

    int v() const { return m_v; }
    std::uint32_t quante() const { return static_cast<std::uint32_t>(m_maschere.size()); }
    Blocco maschera(std::uint32_t rango) const { return m_maschere[rango]; }
    std::uint32_t rango(Blocco m) const {
        const std::uint32_t b0 = m & 0xFFu, b1 = (m >> 8) & 0xFFu, b2 = (m >> 16) & 0xFFu, b3 = m >> 24;
        const int p0 = __builtin_popcount(b0);
        const int p1 = p0 + __builtin_popcount(b1);
        const int p2 = p1 + __builtin_popcount(b2);
        return m_parte[0][0][b0] + m_parte[1][static_cast<std::size_t>(p0)][b1] +
               m_parte[2][static_cast<std::size_t>(p1)][b2] + m_parte[3][static_cast<std::size_t>(p2)][b3];
    }

private:
    int m_v;
    std::vector<Blocco> m_maschere;
    // m_parte[byte][elements below the byte][byte value]: that byte's share of the rank.
    std::array<std::array<std::array<std::uint32_t, 256>, 7>, 4> m_parte{};
};

// C(n, k) for any k (the model's table stops at 6).
std::uint64_t BinomialeEsteso(int n, int k);

// The 6-subsets a column meets in at least t positions: sum over i >= t of C(6,i) C(v-6,6-i).
std::uint64_t CoperteDaUnBlocco(int v, int t);

} // namespace sestina
