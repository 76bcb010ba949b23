#pragma once

#include "Sistema.h"

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace sestina {

// The numbers in play in the order in which they will take the places of a matrix's
// numbers. Place i holds the number that goes to place i; the window renders it.
class OrdinePronostico final {
public:
    // Starts from pronostico(0..numeriInGioco-1) as it is.
    explicit OrdinePronostico(const Sistema& sistema);

    int quanti() const { return static_cast<int>(m_numeri.size()); }
    int numero(int posto) const { return m_numeri.at(static_cast<std::size_t>(posto)); }

    // Exchanges the numbers of two places; false, and nothing done, when the places
    // are the same or either is outside the order.
    bool scambia(int a, int b);

    // 10 x quanti exchanges of two distinct places, each place drawn as the integer part
    // of quanti x a uniform number in [0, 1). Returns the pairs in the order exchanged.
    // With fewer than two numbers there is nothing to exchange.
    std::vector<std::pair<int, int>> mescola(std::mt19937& generatore);

    // pronostico(i) = the number at place i.
    void scriviIn(Sistema& sistema) const;

private:
    std::vector<std::uint8_t> m_numeri;
};

} // namespace sestina
