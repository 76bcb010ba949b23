#include "FileSistema.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

using namespace sestina;

namespace {

double PiccoMiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// The peak resident memory of developing 1,623,160 columns (35 numbers), saving them and opening
// them again, above what the process held before; the two column stores themselves (11.1 MB each)
// are reported apart.
void BM_PiccoDiMemoria(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("trentacinque.sec"));
    InterfacciaMuta ui;
    for (auto _ : state) {
        const double prima = PiccoMiB();
        auto s = std::make_unique<Sistema>();
        for (int n = 0; n < 35; ++n)
            s->GrigliaNumeriClick(n);
        OsservatoreSviluppo nessuno;
        if (!Elabora(*s, ui, nessuno) || !SalvaFile(*s, file, ui)) {
            state.SkipWithError("development or save failed");
            break;
        }
        const double dopoSalvataggio = PiccoMiB();
        auto aperto = std::make_unique<Sistema>();
        if (!ApriSistema(*aperto, file, ui) || aperto->numeroColonne != s->numeroColonne) {
            state.SkipWithError("open failed");
            break;
        }
        const double archivio = 6.0 * LimiteColonne / (1024.0 * 1024.0);
        state.counters["sviluppo_e_salvataggio_MiB"] = dopoSalvataggio - prima - archivio;
        state.counters["tutto_MiB"] = PiccoMiB() - prima - 2 * archivio;
        state.counters["colonne"] = s->numeroColonne;
    }
}
BENCHMARK(BM_PiccoDiMemoria)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
