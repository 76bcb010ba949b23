#pragma once

#include "Bilancio.h"
#include "Copertura.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace sestina {

// What a search reports while it runs, and how it is stopped. Called on the caller's thread only.
class OsservatoreOttimizzazione {
public:
    virtual ~OsservatoreOttimizzazione() = default;
    // colonne: the smallest design found so far (0: none yet); costo: 6-subsets still missed at the size
    // being tried (for three if six, first the triples of the ring of groups; while symmetric designs
    // are searched, their orbits).
    virtual void progresso(int colonne, std::uint64_t costo) = 0;
    virtual bool annullato() = 0;
};

struct RichiestaOttimizzazione {
    int v = 0;
    int t = 0;
    // Every p of the v positions meet a column in t; below 6 the design is a building block of larger ones.
    int p = 6;
    // Wall-clock seconds: the search ends within them (the exhaustive check comes after).
    double secondi = 60;
    // A budget of work instead, when above 0: units of about a second of a reference machine's
    // pace, counted in moves, not in clock time, so the same seed and work give the same design everywhere.
    double lavoro = 0;
    std::uint64_t seme = 1;
    int ricerche = 2; // independent runs, one a core; the best is kept
};

// L(v,6,p,t): columns of six positions such that every p of the v positions meet one of them in
// at least t. Empty when no design was found (a stop before the first).
std::vector<Blocco> OttimizzaMatrice(const RichiestaOttimizzazione& richiesta, OsservatoreOttimizzazione& osservatore);

// The start of the search, exposed for the tests and the benchmark.
// Max-gain greedy: each step takes the column covering the most still-missed subsets of the size of s. With an
// observer it reports the subsets still missed after each column, and a stop gives no design.
std::vector<Blocco> GreedyMassimoGuadagno(const Sottoinsiemi& sestine, int t,
                                          OsservatoreOttimizzazione* osservatore = nullptr);
// The first-fit greedy of the plain reduced development, the yardstick.
std::vector<Blocco> GreedyPrimoAdatto(const Sottoinsiemi& sestine, int t);
// Where the pigeonhole principle beats search (t = 2: groups of at most six; t = 3, 10 to 30
// positions: five groups, each joined with the next). Empty where it has nothing to offer.
std::vector<Blocco> Costruzione(int v, int t);

struct EsitoRicottura {
    std::uint64_t scoperte = 0; // 6-subsets still missed; 0 when the design holds
    std::uint64_t mosse = 0;
};
// One annealing run at a fixed number of columns, with its work in the budget's units.
EsitoRicottura RicottoADimensioneFissa(const Sottoinsiemi& sestine, int t, std::vector<Blocco>& blocchi,
                                       Bilancio bilancio, std::uint64_t seme, const std::atomic<bool>& ferma);

// The check written apart from the search: every 6-subset of 1..v, one by one.
bool VerificaGaranzia(int v, int t, const std::vector<Blocco>& blocchi);
// The same for "t if p": every p-subset of 1..v meets a column in t.
bool VerificaGaranzia(int v, int p, int t, const std::vector<Blocco>& blocchi);

} // namespace sestina
