#include "Ottimizzatore.h"
#include "Spezzamento.h"

#include <benchmark/benchmark.h>

#include <atomic>

using namespace sestina;

namespace {

// The local search's pace: annealing moves per second for 30 numbers, 4 if 6, at the size of the
// max-gain greedy less a tenth (a size where the search has work to do).
void BM_MosseRicottura30_4(benchmark::State& state) {
    const Sottoinsiemi s(30);
    std::vector<Blocco> partenza = GreedyMassimoGuadagno(s, 4);
    partenza.resize(partenza.size() * 9 / 10);
    const std::atomic<bool> ferma{false};
    std::uint64_t mosse = 0;
    for (auto _ : state) {
        std::vector<Blocco> blocchi = partenza;
        mosse += RicottoADimensioneFissa(s, 4, blocchi, Bilancio::DiLavoro(20'000'000), 1, ferma).mosse;
    }
    state.counters["mosse/s"] = benchmark::Counter(static_cast<double>(mosse), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MosseRicottura30_4)->Unit(benchmark::kMillisecond);

// The exhaustive check of a 30-number, 5 if 6 design (the greedy's), every 6-subset one by one.
void BM_Verifica30_5(benchmark::State& state) {
    const std::vector<Blocco> disegno = GreedyMassimoGuadagno(Sottoinsiemi(30), 5);
    for (auto _ : state)
        benchmark::DoNotOptimize(VerificaGaranzia(30, 5, disegno));
    state.counters["colonne"] = static_cast<double>(disegno.size());
}
BENCHMARK(BM_Verifica30_5)->Unit(benchmark::kMillisecond);

void BM_GreedyMassimoGuadagno30_5(benchmark::State& state) {
    const Sottoinsiemi s(30);
    for (auto _ : state)
        benchmark::DoNotOptimize(GreedyMassimoGuadagno(s, 5));
}
BENCHMARK(BM_GreedyMassimoGuadagno30_5)->Unit(benchmark::kMillisecond);

// The start of every search: the shipped building blocks read and checked, and the best split of
// 40 numbers, "3 if 6", made from them.
void BM_Spezzamento40_3(benchmark::State& state) {
    std::size_t colonne = 0;
    for (auto _ : state)
        colonne = Spezzamento(40, 6, 3, BlocchiDistribuiti()).size();
    state.counters["colonne"] = static_cast<double>(colonne);
}
BENCHMARK(BM_Spezzamento40_3)->Unit(benchmark::kMillisecond);

// The exhaustive check of that design: 3,838,380 6-subsets.
void BM_Verifica40_3(benchmark::State& state) {
    const std::vector<Blocco> disegno = Spezzamento(40, 6, 3, BlocchiDistribuiti());
    for (auto _ : state)
        benchmark::DoNotOptimize(VerificaGaranzia(40, 3, disegno));
}
BENCHMARK(BM_Verifica40_3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
