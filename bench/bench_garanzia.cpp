#include "Garanzia.h"
#include "InterfacciaMuta.h"
#include "Probabilita.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

// A Prediction of 40 numbers: 3,838,380 six-subsets to walk.
std::unique_ptr<Sistema> Quaranta(int livello) {
    auto s = std::make_unique<Sistema>();
    for (int i = 0; i < 40; ++i)
        s->GrigliaNumeriClick(i * 2);
    s->condRidotto = livello > 0 ? Vero : Falso;
    s->livelloRiduzione = static_cast<std::uint8_t>(livello);
    InterfacciaMuta ui;
    OsservatoreSviluppo nessuno;
    if (livello > 0) {
        Elabora(*s, ui, nessuno);
        return s;
    }
    // Integral up to the column limit: the first 1,850,000 combinations in lexicographic order.
    AggiornaPronostico(*s);
    std::array<int, 6> c = {0, 1, 2, 3, 4, 5};
    for (int i = 1; i <= LimiteColonne; ++i) {
        for (int k = 0; k < 6; ++k)
            s->colonne.colonna(i)[k] = s->pronostico[static_cast<std::size_t>(c[static_cast<std::size_t>(k)])];
        s->numeroColonne = i;
        int k = 5;
        while (k >= 0 && c[static_cast<std::size_t>(k)] == 40 - 6 + k)
            --k;
        ++c[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
    return s;
}

void BM_Garanzia(benchmark::State& state) {
    const auto s = Quaranta(static_cast<int>(state.range(0)));
    InterfacciaMuta ui;
    OsservatoreSviluppo nessuno;
    for (auto _ : state) {
        const EsitoGaranzia e = CalcolaGaranzia(*s, ui, nessuno);
        benchmark::DoNotOptimize(e.righe[0].garanzia);
    }
    state.counters["colonne"] = s->numeroColonne;
}

// The guarantee and, from its counts, the odds of every prize: the probability window's whole work.
void BM_Probabilita(benchmark::State& state) {
    const auto s = Quaranta(0);
    InterfacciaMuta ui;
    OsservatoreSviluppo nessuno;
    for (auto _ : state) {
        const ProbabilitaSistema p = CalcolaProbabilita(CalcolaGaranzia(*s, ui, nessuno), s->numeroColonne);
        benchmark::DoNotOptimize(p.estrazioniAlmeno[2]);
    }
}

} // namespace

BENCHMARK(BM_Probabilita)->Unit(benchmark::kMillisecond);
// 0: the column limit of an integral of 40; 2: a reduced N-2 of 40.
BENCHMARK(BM_Garanzia)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
