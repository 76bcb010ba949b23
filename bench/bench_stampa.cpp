#include "Corpo.h"
#include "InterfacciaMuta.h"
#include "StampaSchede.h"
#include "SuperficieRegistrata.h"
#include "UscitaStampa.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

// 500,000 columns: 100,000 slips of five columns.
std::unique_ptr<Corpo> Sistema500000() {
    auto corpo = std::make_unique<Corpo>();
    Sistema& s = corpo->sistema;
    for (int i = 1; i <= 500'000; ++i) {
        const auto a = static_cast<std::uint8_t>(i % 80 + 1);
        s.colonne.scrivi(i, {a, static_cast<std::uint8_t>(a + 1), static_cast<std::uint8_t>(a + 3),
                             static_cast<std::uint8_t>(a + 5), static_cast<std::uint8_t>(a + 7),
                             static_cast<std::uint8_t>(a + 9)});
    }
    s.numeroColonne = 500'000;
    s.sistemaSviluppato = Vero;
    return corpo;
}

void BM_100000SchedeRegistrate(benchmark::State& state) {
    static const auto corpo = Sistema500000();
    const TaraturaScheda t = TaraturaPredefinita(TipoScheda::CinqueColonne);
    InterfacciaMuta ui;
    qint64 segni = 0;
    for (auto _ : state) {
        SuperficieRegistrata superficie({}, false); // counts the operations without keeping 4 million records
        benchmark::DoNotOptimize(StampaSchede(*corpo, TipoScheda::CinqueColonne, t, QStringLiteral("1"),
                                              QStringLiteral("100000"), superficie, ui, nullptr));
        segni = superficie.quantiSegni();
    }
    state.counters["segni"] = static_cast<double>(segni);
}
BENCHMARK(BM_100000SchedeRegistrate)->Unit(benchmark::kMillisecond);

void BM_1000SchedePdf(benchmark::State& state) {
    static const auto corpo = Sistema500000();
    const TaraturaScheda t = TaraturaPredefinita(TipoScheda::DueColonne);
    InterfacciaMuta ui;
    QTemporaryDir cartella;
    bool scritto = false;
    for (auto _ : state)
        scritto = ScriviPdf(cartella.filePath(QStringLiteral("schede.pdf")), [&](SuperficieStampa& s) {
                      return StampaSchede(*corpo, TipoScheda::DueColonne, t, QStringLiteral("1"),
                                          QStringLiteral("1000"), s, ui, nullptr) == EsitoStampa::Stampata;
                  }) == EsitoUscita::Scritta;
    if (!scritto)
        state.SkipWithError("the PDF was not written");
}
BENCHMARK(BM_1000SchedePdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // text metrics and PDF painting need the GUI application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
