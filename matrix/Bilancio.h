#pragma once

#include <chrono>
#include <cstdint>

namespace sestina {

// What a search may spend: a fixed amount of work (moves weighed by the subsets they count, the
// same on every machine, so a seed and a budget always give the same design) or wall-clock time
// (what the user waits for). Shares of it go to the stages of a search in the same way for both.
class Bilancio final {
public:
    using Orologio = std::chrono::steady_clock;

    static Bilancio DiLavoro(std::uint64_t unita) { return Bilancio(false, unita); }
    static Bilancio DiTempo(Orologio::duration durata);
    static Bilancio FinoA(Orologio::time_point fine);

    bool aTempo() const { return m_aTempo; }
    void spendi(std::uint64_t lavoro) { m_speso += lavoro; }
    std::uint64_t speso() const { return m_speso; }
    // Work: the units left; time: the nanoseconds left, read from the clock.
    std::uint64_t restante() const;
    bool esaurito() const { return restante() == 0; }
    // A share of what is left, spent first; the caller adds what it spent with spendi().
    Bilancio parte(double frazione) const;

private:
    Bilancio(bool aTempo, std::uint64_t limite) : m_aTempo(aTempo), m_limite(limite) {}
    static std::uint64_t Adesso();

    bool m_aTempo;
    std::uint64_t m_limite; // work units, or the deadline in nanoseconds of the steady clock
    std::uint64_t m_speso = 0;
};

} // namespace sestina
