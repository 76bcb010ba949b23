#include "FileSistema.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

// A System at the column limit, its columns drawn from the first 12 numbers.
std::unique_ptr<Sistema> SistemaPieno() {
    auto s = std::make_unique<Sistema>();
    for (int n = 0; n < 12; ++n)
        s->GrigliaNumeriClick(n);
    s->tipoSistema = QStringLiteral("Integrale");
    std::uint8_t* p = s->colonne.dati();
    for (std::size_t j = 0; j < 6 * std::size_t{LimiteColonne}; ++j)
        p[j] = static_cast<std::uint8_t>(1 + j % 12);
    s->numeroColonne = LimiteColonne;
    return s;
}

void BM_SalvaFile(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("pieno.sec"));
    auto s = SistemaPieno();
    InterfacciaMuta ui;
    for (auto _ : state)
        if (!SalvaFile(*s, percorso, ui))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * 6 * std::int64_t{LimiteColonne});
}

void BM_ApriSistema(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("pieno.sec"));
    InterfacciaMuta ui;
    if (!SalvaFile(*SistemaPieno(), percorso, ui)) {
        state.SkipWithError("save failed");
        return;
    }
    auto s = std::make_unique<Sistema>();
    for (auto _ : state)
        if (!ApriSistema(*s, percorso, ui))
            state.SkipWithError("open failed");
    state.SetBytesProcessed(state.iterations() * 6 * std::int64_t{LimiteColonne});
}

} // namespace

BENCHMARK(BM_SalvaFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ApriSistema)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
