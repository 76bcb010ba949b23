#pragma once

#include "Combinatoria.h"

#include <array>
#include <cstdint>
#include <vector>

namespace sestina {

// Which t-subsets of 1..90 lie inside some kept column, as one bit per colex
// rank. A candidate shares at least t numbers with a kept column exactly when
// one of its t-subsets is marked, so the reduction test costs at most
// C(6, t) look-ups instead of a scan of every kept column.
class IndiceRiduzione final {
public:
    explicit IndiceRiduzione(int t); // 1..5
    int t() const { return m_t; }
    bool coperto(std::uint32_t rango) const { return (m_bit[rango >> 6] >> (rango & 63)) & 1u; }
    void copri(std::uint32_t rango) { m_bit[rango >> 6] |= std::uint64_t{1} << (rango & 63); }
    // Marks every t-subset of an ascending column of six numbers.
    void copriColonna(const std::uint8_t* colonna);

    // Colex rank of an ascending set of numbers 1..90: sum of C(number - 1, position).
    static std::uint32_t rango(const std::uint8_t* numeri, int quanti);

private:
    int m_t;
    std::vector<std::uint64_t> m_bit;
};

} // namespace sestina
