#include "ColonneTxt.h"
#include "Extrema.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"
#include "classINI.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

// A System of `colonne` columns over all 90 numbers, as a development would leave it.
std::unique_ptr<Sistema> SistemaDi(int colonne, bool superStar) {
    auto s = std::make_unique<Sistema>();
    for (int i = 1; i <= colonne; ++i) {
        Colonna c;
        for (int p = 0; p < 6; ++p)
            c[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(1 + (i * 7 + p * 13) % 90);
        s->colonne.scrivi(i, c);
    }
    s->numeroColonne = colonne;
    s->superStar = superStar ? Vero : Falso;
    s->nomeSistema = QStringLiteral("pieno.sec");
    s->tipoSistema = QStringLiteral("Integrale");
    return s;
}

void BM_EsportaTxt(benchmark::State& state) {
    QTemporaryDir cartella;
    auto s = SistemaDi(LimiteColonne, false);
    InterfacciaMuta ui;
    for (auto _ : state)
        if (!SalvaColonneTxt(*s, cartella.path(), ui))
            state.SkipWithError("export failed");
    state.SetItemsProcessed(state.iterations() * LimiteColonne);
}

void BM_ImportaTxt(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("pieno.txt"));
    InterfacciaMuta ui;
    if (!EsportaColonneTxt(*SistemaDi(LimiteColonne, false), percorso, ui)) {
        state.SkipWithError("export failed");
        return;
    }
    auto s = std::make_unique<Sistema>();
    for (auto _ : state)
        if (!ImportaColonneTxt(*s, percorso, ui))
            state.SkipWithError("import failed");
    state.SetItemsProcessed(state.iterations() * LimiteColonne);
}

void BM_EsportaExtrema(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("pieno.ext"));
    auto s = SistemaDi(static_cast<int>(state.range(0)), true);
    InterfacciaMuta ui;
    for (auto _ : state)
        if (!SalvaExtrema(*s, percorso, ui))
            state.SkipWithError("export failed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The plain export it replaces: every entry written with setProperty, which reads and rewrites the
// whole file each time, so the time grows with the square of the columns.
void BM_EsportaExtremaChiavePerChiave(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("lento.ext"));
    const int colonne = static_cast<int>(state.range(0));
    auto s = SistemaDi(colonne, true);
    for (auto _ : state) {
        QFile::remove(percorso);
        classINI ini;
        ini.FileINI(percorso);
        ini.setProperty(QStringLiteral("Generale"), QStringLiteral("colonne"), QString::number(colonne));
        for (int i = 1; i <= colonne; ++i) {
            QString valore;
            for (const std::uint8_t n : s->colonne.leggi(i))
                valore += QStringLiteral("%1-").arg(n, 2, 10, QLatin1Char('0'));
            valore.back() = QLatin1Char('*');
            ini.setProperty(QStringLiteral("Combinazioni"), QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')),
                            valore);
        }
    }
    state.SetItemsProcessed(state.iterations() * colonne);
}

void BM_ImportaExtrema(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("pieno.ext"));
    InterfacciaMuta ui;
    if (!SalvaExtrema(*SistemaDi(static_cast<int>(state.range(0)), true), percorso, ui)) {
        state.SkipWithError("export failed");
        return;
    }
    auto s = std::make_unique<Sistema>();
    for (auto _ : state)
        if (!ImportaExtrema(*s, percorso, ui))
            state.SkipWithError("import failed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_EsportaTxt)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportaTxt)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EsportaExtrema)
    ->Arg(1'000)
    ->Arg(4'000)
    ->Arg(LimiteColonne)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EsportaExtremaChiavePerChiave)->Arg(1'000)->Arg(4'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportaExtrema)
    ->Arg(LimiteColonne)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
