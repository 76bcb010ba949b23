#include "Archivio.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"
#include "SpoglioColonna.h"
#include "SpoglioLetterale.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

// The first 1,850,000 combinations of 1..36 in lexicographic order, as a development stores them.
std::unique_ptr<ColumnStore> ColonnePiene() {
    auto colonne = std::make_unique<ColumnStore>();
    std::array<int, 6> c = {1, 2, 3, 4, 5, 6};
    for (int i = 1; i <= LimiteColonne; ++i) {
        std::uint8_t* p = colonne->colonna(i);
        for (int k = 0; k < 6; ++k)
            p[k] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(k)]);
        int k = 5;
        while (k >= 0 && c[static_cast<std::size_t>(k)] == 36 - 5 + k)
            --k;
        if (k < 0)
            break;
        ++c[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
    return colonne;
}

const ColonnaSpoglio Vincente = {0, 3, 9, 14, 22, 28, 33, 35};

template <auto Spoglia> void BM_Spoglio(benchmark::State& state) {
    static const auto colonne = ColonnePiene();
    InterfacciaMuta ui;
    for (auto _ : state) {
        const EsitoSpoglio esito = Spoglia(*colonne, LimiteColonne, Vincente, ui);
        benchmark::DoNotOptimize(esito.maxPunti);
    }
    state.SetItemsProcessed(state.iterations() * LimiteColonne);
}

QString ArchivioReale() {
    return QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");
}

void BM_LoadArchivioTMP(benchmark::State& state) {
    InterfacciaMuta ui;
    for (auto _ : state) {
        ArchivioEstrazioni archivio;
        if (LoadArchivioTMP(archivio, ArchivioReale(), ui) != EsitoLista::Letta)
            state.SkipWithError("the real draws are missing");
    }
}

void BM_SaveArchivioEstrazioni(benchmark::State& state) {
    InterfacciaMuta ui;
    ArchivioEstrazioni archivio;
    LoadArchivioTMP(archivio, ArchivioReale(), ui);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("sestinaplan.dat"));
    for (auto _ : state)
        if (!SaveArchivioEstrazioni(archivio, percorso, ui))
            state.SkipWithError("save failed");
}

void BM_LoadArchivioEstrazioni(benchmark::State& state) {
    InterfacciaMuta ui;
    ArchivioEstrazioni archivio;
    LoadArchivioTMP(archivio, ArchivioReale(), ui);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("sestinaplan.dat"));
    SaveArchivioEstrazioni(archivio, percorso, ui);
    for (auto _ : state) {
        ArchivioEstrazioni letto;
        LoadArchivioEstrazioni(letto, percorso, ui);
        benchmark::DoNotOptimize(letto.size());
    }
}

} // namespace

BENCHMARK(BM_Spoglio<&SpogliaColonne>)->Name("BM_Spoglio/veloce")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spoglio<&SpogliaColonneLetterale>)->Name("BM_Spoglio/letterale")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadArchivioTMP)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveArchivioEstrazioni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadArchivioEstrazioni)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
