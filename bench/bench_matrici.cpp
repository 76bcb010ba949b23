#include "Adattamento.h"
#include "Catalogo.h"
#include "FileMatrice.h"
#include "InterfacciaMuta.h"
#include "Sistema.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

MATRIX_STRUCTURE Matrice(int v, int colonne) {
    std::vector<std::array<std::uint8_t, 6>> c(static_cast<std::size_t>(colonne));
    for (int j = 0; j < colonne; ++j)
        for (int p = 0; p < 6; ++p)
            c[static_cast<std::size_t>(j)][static_cast<std::size_t>(p)] =
                static_cast<std::uint8_t>((j * 7 + p * 5) % v + 1);
    return CreaMatrice(v, 4, 0, c, {QStringLiteral("95%"), QStringLiteral("Banco"), QStringLiteral("Prova"), {}, {}});
}

// 200 files of a few hundred to a few thousand columns, as a well-stocked matrix folder holds.
void BM_Catalogo200(benchmark::State& state) {
    QTemporaryDir cartella;
    for (int i = 0; i < 200; ++i)
        SalvaMatrice(Matrice(8 + i % 30, 200 + 20 * i), cartella.filePath(QStringLiteral("m%1.mspl").arg(i)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CatalogoDellaCartella(cartella.path(), 0));
}
BENCHMARK(BM_Catalogo200)->Unit(benchmark::kMillisecond);

void BM_Adatta1850000(benchmark::State& state) {
    const MATRIX_STRUCTURE m = Matrice(40, LimiteColonne);
    auto s = std::make_unique<Sistema>();
    for (int n = 1; n <= 40; ++n)
        s->GrigliaNumeriClick(n * 2 - 1);
    AggiornaPronostico(*s);
    InterfacciaMuta ui;
    for (auto _ : state)
        benchmark::DoNotOptimize(AdattaVoce(*s, m, ui));
}
BENCHMARK(BM_Adatta1850000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
