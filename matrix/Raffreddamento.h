#pragma once

#include "Bilancio.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

// What the three annealings share: the list of what is still missed and the cooling schedule.
namespace sestina::raffreddamento {

// The missed subsets (or orbits): a list with each one's place in it, so that one comes in or goes
// out in a step and a move can draw one at random.
class Mancanti final {
public:
    explicit Mancanti(std::size_t quanti) : m_posizione(quanti, Fuori) {}
    std::size_t size() const { return m_elenco.size(); }
    const std::vector<std::uint32_t>& elenco() const { return m_elenco; }
    void aggiungi(std::uint32_t r) {
        m_posizione[r] = static_cast<std::uint32_t>(m_elenco.size());
        m_elenco.push_back(r);
    }
    void togli(std::uint32_t r) {
        const std::uint32_t p = m_posizione[r];
        const std::uint32_t ultimo = m_elenco.back();
        m_elenco[p] = ultimo;
        m_posizione[ultimo] = p;
        m_elenco.pop_back();
        m_posizione[r] = Fuori;
    }

private:
    static constexpr std::uint32_t Fuori = ~std::uint32_t{0};
    std::vector<std::uint32_t> m_posizione;
    std::vector<std::uint32_t> m_elenco;
};

// A cooling schedule: the temperature falls by `fattore` a move down to `minima`, and goes back to
// `iniziale` after `riscaldo` moves without a better cost.
struct Programma {
    double iniziale;
    double minima;
    double fattore;
    std::uint64_t riscaldo;
};

// The columns of six over all subsets (plain and symmetric searches).
inline constexpr Programma ProgrammaColonne{0.6, 0.05, 0.99995, 200'000};
// The ring's few hundred triples: cheap moves, a slower fall.
inline constexpr Programma ProgrammaTerne{1.0, 0.05, 0.99999, 2'000'000};

// Every so many moves the subsets still missed weigh one more in the cost: the few that stay out
// on a plateau grow expensive until some move takes them in (4 and 5 if 6 gain several columns).
inline constexpr std::uint64_t PeriodoPesi = 20'000;
// How often a stop is looked for, in moves.
inline constexpr std::uint64_t PeriodoControllo = 256;

// Where one move changes hundreds of subsets (three if six on many numbers) the temperature
// grows with them, or every worsening move is refused and the search stays where it starts.
inline double Scala(double peggioramenti, double quanti) {
    constexpr double PeggioramentoTipico = 10;
    return quanti == 0 ? 1.0 : std::max(1.0, peggioramenti / quanti / PeggioramentoTipico);
}

// Whether a budget is spent. The clock is read every few moves only: a move can be cheaper than
// reading it.
inline bool Finito(const Bilancio& bilancio, std::uint64_t mossa) {
    return bilancio.aTempo() ? (mossa & 15) == 0 && bilancio.esaurito() : bilancio.esaurito();
}

// The schedule every annealing follows: cooling, heating again after a long stretch without
// progress, the missed ones weighed more every PeriodoPesi moves. Anneals until nothing is missed,
// the budget runs out or interrompi() says so (asked every PeriodoControllo moves).
template <typename Stato, typename Interrompi>
void Ricuoci(Stato& stato, const Programma& programma, Bilancio& bilancio, std::mt19937_64& caso,
             Interrompi&& interrompi, std::uint64_t& mosse) {
    double temperatura = programma.iniziale;
    std::uint64_t migliore = stato.costo();
    std::uint64_t senzaProgressi = 0;
    for (std::uint64_t m = 0; !Finito(bilancio, m) && stato.costo() > 0; ++m) {
        if (m % PeriodoControllo == 0 && interrompi())
            break;
        bilancio.spendi(stato.mossa(caso, temperatura));
        if (++mosse % PeriodoPesi == 0)
            stato.pesaMancanti();
        temperatura = std::max(programma.minima, temperatura * programma.fattore);
        if (stato.costo() < migliore) {
            migliore = stato.costo();
            senzaProgressi = 0;
        } else if (++senzaProgressi > programma.riscaldo) {
            temperatura = programma.iniziale;
            senzaProgressi = 0;
        }
    }
}

} // namespace sestina::raffreddamento
