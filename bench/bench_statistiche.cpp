#include "Archivio.h"
#include "ImportaEstrazioni.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"
#include "SpoglioEstrazioni.h"
#include "SpoglioLetterale.h"
#include "Statistiche.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace sestina;

namespace {

const ArchivioEstrazioni& ArchivioReale() {
    static const ArchivioEstrazioni archivio = [] {
        ArchivioEstrazioni a;
        InterfacciaMuta ui;
        LoadArchivioTMP(a, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt"), ui);
        return a;
    }();
    return archivio;
}

// The column limit: the first 1,850,000 combinations of 1..36 in lexicographic order, as a
// development stores them, or random six-sets of 1..90 in no order, the worst case for the tables.
std::unique_ptr<Sistema> SistemaPieno(bool sparso) {
    auto s = std::make_unique<Sistema>();
    QRandomGenerator caso(7);
    std::array<int, 6> c = {1, 2, 3, 4, 5, 6};
    for (int i = 1; i <= LimiteColonne; ++i) {
        std::uint8_t* p = s->colonne.colonna(i);
        if (sparso) {
            for (int k = 0; k < 6; ++k) {
                std::uint8_t n;
                do
                    n = static_cast<std::uint8_t>(1 + caso.bounded(90));
                while (std::find(p, p + k, n) != p + k);
                p[k] = n;
            }
            continue;
        }
        for (int k = 0; k < 6; ++k)
            p[k] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(k)]);
        int k = 5;
        while (k >= 0 && c[static_cast<std::size_t>(k)] == 36 - 5 + k)
            --k;
        ++c[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
    s->numeroColonne = LimiteColonne;
    for (int n = 1; n <= (sparso ? 90 : 36); ++n)
        s->GrigliaNumeriClick(n - 1);
    AggiornaPronostico(*s);
    return s;
}

// The whole real archive against the column limit, the counting included.
template <auto Spoglia> void BM_SpoglioArchivio(benchmark::State& state) {
    static const auto pieno = SistemaPieno(false);
    static const auto sparso = SistemaPieno(true);
    const Sistema& s = state.range(0) ? *sparso : *pieno;
    const ArchivioEstrazioni& archivio = ArchivioReale();
    InterfacciaMuta ui;
    for (auto _ : state) {
        const EsitoSpoglioEstrazioni e = Spoglia(s, archivio, {0, archivio.size() - 1}, ui);
        benchmark::DoNotOptimize(e.totali);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(archivio.size()) * LimiteColonne);
}

// The six tables and the file's text in one pass, and the file written.
void BM_Statistiche(benchmark::State& state) {
    const ArchivioEstrazioni& archivio = ArchivioReale();
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("sestinaplan_20260101_000000.csv"));
    for (auto _ : state) {
        const Statistiche st = CalcolaStatistiche(archivio);
        if (!ScriviFileStatistiche(percorso, st.csv))
            state.SkipWithError("the statistics file could not be written");
        benchmark::DoNotOptimize(st.tabelle.frequenza);
    }
}

} // namespace

BENCHMARK(BM_SpoglioArchivio<&SpogliaEstrazioni>)
    ->Name("BM_SpoglioArchivio/veloce")
    ->ArgName("sparso")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpoglioArchivio<&SpogliaEstrazioniLetterale>)
    ->Name("BM_SpoglioArchivio/letterale")
    ->ArgName("sparso")
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistiche)->Unit(benchmark::kMillisecond);

// The delays and the longest delays of the 90 numbers over the whole archive.
void BM_Ritardi(benchmark::State& state) {
    const ArchivioEstrazioni& archivio = ArchivioReale();
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcolaRitardi(archivio));
}
BENCHMARK(BM_Ritardi)->Unit(benchmark::kMicrosecond);

// The public CSV of every draw into an empty archive file, read, merged and saved.
void BM_ImportaCsv(benchmark::State& state) {
    QTemporaryDir cartella;
    InterfacciaMuta ui;
    const QString file = cartella.filePath(QStringLiteral("sestinaplan.dat"));
    for (auto _ : state) {
        ArchivioEstrazioni archivio{Estrazione{}};
        QFile::remove(file);
        benchmark::DoNotOptimize(ImportaEstrazioni(
            archivio, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/superenalotto-2009-2026.csv"), file, ui));
    }
}
BENCHMARK(BM_ImportaCsv)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
