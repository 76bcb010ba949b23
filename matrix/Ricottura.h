#pragma once

#include "Bilancio.h"
#include "Copertura.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace sestina {

// One run's best design, and what the reporting thread reads of it while the run goes on.
struct Corsa {
    std::vector<Blocco> migliore;
    std::atomic<std::size_t> colonne{0};
    std::atomic<std::uint64_t> costoCorrente{0};

    void tieni(std::vector<Blocco> design) {
        migliore = std::move(design);
        colonne = migliore.size();
    }
};

// One run on its thread: half its budget on designs closed under a cycle of the positions, then
// the plain search below the best design found; the symmetries tried are every passo-th from primo.
void Corri(const Sottoinsiemi& s, int t, std::vector<Blocco> partenza, Bilancio bilancio, std::uint64_t seme,
           std::size_t primo, std::size_t passo, const std::atomic<bool>& ferma, Corsa& corsa);

// The annealing's counts after it ran on its budget from `blocchi` (representatives of a cycle of
// length `ciclo` when above 1), beside the same counts made afresh for the columns it ended with.
struct ConfrontoConteggi {
    std::vector<std::uint32_t> incrementali;
    std::vector<std::uint32_t> ricontati;
    std::uint64_t scoperte = 0;
    std::uint64_t scoperteRicontate = 0;
    std::uint64_t mosse = 0;
};
ConfrontoConteggi ConfrontaConteggi(const Sottoinsiemi& s, int t, std::vector<Blocco> blocchi, int ciclo,
                                    std::uint64_t lavoro, std::uint64_t seme);

} // namespace sestina
