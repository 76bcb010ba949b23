#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace sestina {

// A set of positions 0..63, one bit each.
using MascheraBit = std::uint64_t;

// The most positions the rank tables below hold.
inline constexpr int PosizioniMassimeRango = 40;

// C(n, k) for any k, exact while it fits in 64 bits; 0 outside 0 <= k <= n.
std::uint64_t BinomialeEsteso(int n, int k);

// The k-combination of 0..n-1 after x (ascending entries), in lexicographic order; false after the last.
bool ProssimaCombinazione(std::array<int, 6>& x, int k, int n);

// The k-subsets of 0..v-1 (k at most 6) ranked in colex order (the combinatorial number system):
// rank and mask both ways, through tables small enough to stay in cache.
class Sottoinsiemi final {
public:
    explicit Sottoinsiemi(int v, int k = 6);

    int v() const { return m_v; }
    int k() const { return m_k; }
    std::uint32_t quante() const { return static_cast<std::uint32_t>(m_maschere.size()); }
    MascheraBit maschera(std::uint32_t rango) const { return m_maschere[rango]; }
    std::uint32_t rango(MascheraBit m) const {
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
    static constexpr std::size_t Byte = (PosizioniMassimeRango + 7) / 8;
    int m_v;
    int m_k;
    std::vector<MascheraBit> m_maschere;
    // m_parte[byte][elements below the byte][byte value]: that byte's share of the rank.
    std::array<std::array<std::array<std::uint32_t, 256>, 7>, Byte> m_parte{};
};

} // namespace sestina
