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

// The binomial table's bounds: the game's 90 numbers, subsets of at most six.
inline constexpr int BinomialeNMassimo = 90;
inline constexpr int BinomialeKMassimo = 6;
using TabellaBinomiali = std::array<std::array<std::uint32_t, BinomialeKMassimo + 1>, BinomialeNMassimo + 1>;

// C(n, k) for n = 0..90 and k = 0..6, exact in 32 bits (C(90, 6) = 622,614,630).
inline constexpr TabellaBinomiali Binomiali = [] {
    TabellaBinomiali c{};
    for (std::size_t n = 0; n < c.size(); ++n) {
        c[n][0] = 1;
        for (std::size_t k = 1; k <= n && k < c[n].size(); ++k)
            c[n][k] = c[n - 1][k - 1] + (k < n ? c[n - 1][k] : 0);
    }
    return c;
}();

// C(n, k) with no bounds check, for the inner loops: 0 <= n <= 90, 0 <= k <= 6.
constexpr std::uint32_t BinomialeInTabella(int n, int k) {
    return Binomiali[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

// C(n, k) for k <= 6 and n <= 90; 0 outside 0 <= k <= n and past those bounds.
constexpr std::uint32_t Binomiale(int n, int k) {
    if (n < 0 || k < 0 || n > BinomialeNMassimo || k > BinomialeKMassimo)
        return 0;
    return BinomialeInTabella(n, k);
}

// C(n, k) as a double, as the progress of a development counts: the same table.
constexpr double Combinazioni(int n, int k) {
    return Binomiale(n, k);
}

// The first k-combination of 0..n-1: 0, 1, ..., k-1.
constexpr std::array<int, 6> PrimaCombinazione(int k) {
    std::array<int, 6> x{};
    for (int j = 0; j < k; ++j)
        x[static_cast<std::size_t>(j)] = j;
    return x;
}

// The k-combination of 0..n-1 after x (ascending entries), in lexicographic order; false after the last.
bool ProssimaCombinazione(std::array<int, 6>& x, int k, int n);

// Calls f(scelti) for every k-subset of the first `quanti` values (at most six), each subset's values in
// their order there: small sets walked as bit masks.
template <typename T, typename F> void PerOgniSottoinsieme(const T* valori, int quanti, int k, F&& f) {
    for (unsigned maschera = 0; maschera < (1u << quanti); ++maschera) {
        if (std::popcount(maschera) != k)
            continue;
        T scelti[6]{};
        int n = 0;
        for (int i = 0; i < quanti; ++i)
            if (maschera & (1u << i))
                scelti[n++] = valori[i];
        f(static_cast<const T*>(scelti));
    }
}

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
