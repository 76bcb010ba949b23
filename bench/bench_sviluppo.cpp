// The development engine beside the plain one it replaces. The plain reduced
// developments take tens of seconds each, so they run once.

#include "Interfaccia.h"
#include "Sistema.h"
#include "Sviluppo.h"
#include "SviluppoLetterale.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

class Silenziosa final : public Interfaccia {
public:
    Risposta messaggio(const QString&, const QString&, Icona, Pulsanti) override { return Risposta::Ok; }
    std::optional<QString> chiedi(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
    void occupato(bool) override {}
    void elaboraEventi() override {}
};

Sistema& SistemaCondiviso() {
    static auto s = std::make_unique<Sistema>();
    return *s;
}

void Prepara(Sistema& s, int quanti, int livello, int fissi) {
    AzzeraSistema(s, false);
    for (int n = 1; n <= quanti; ++n)
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    if (livello > 0) {
        s.condRidotto = Vero;
        s.livelloRiduzione = static_cast<std::uint8_t>(livello);
    }
    if (fissi > 0) {
        s.condFisse = Vero;
        for (int n = 1; n <= fissi; ++n)
            s.numeriFissi[static_cast<std::size_t>(n * 7)] = 1;
        s.quantiFissi = static_cast<std::uint8_t>(fissi);
    }
}

template <void (*Motore)(Sistema&, Interfaccia&, OsservatoreSviluppo&)> void Sviluppo(benchmark::State& stato) {
    Sistema& s = SistemaCondiviso();
    Prepara(s, static_cast<int>(stato.range(0)), static_cast<int>(stato.range(1)), static_cast<int>(stato.range(2)));
    Silenziosa ui;
    OsservatoreSviluppo osservatore;
    for (auto _ : stato)
        Motore(s, ui, osservatore);
    stato.counters["colonne"] = s.numeroColonne;
    stato.counters["candidati/s"] = benchmark::Counter(
        Combinazioni(s.numeriInGioco, 6) * static_cast<double>(stato.iterations()), benchmark::Counter::kIsRate);
}

void Veloce(benchmark::State& stato) {
    Sviluppo<&Sviluppa>(stato);
}
void Letterale(benchmark::State& stato) {
    Sviluppo<&SviluppoLetterale>(stato);
}

} // namespace

// {numbers in play, reduction level (0 = none), fixed numbers}
BENCHMARK(Veloce)->Name("veloce/integrale")->Args({35, 0, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(Letterale)->Name("letterale/integrale")->Args({35, 0, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(Veloce)
    ->Name("veloce/ridotto")
    ->Args({35, 1, 0})
    ->Args({40, 1, 0})
    ->Args({90, 4, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Letterale)
    ->Name("letterale/ridotto")
    ->Args({35, 1, 0})
    ->Args({40, 1, 0})
    ->Args({90, 4, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(Veloce)->Name("veloce/fisse")->Args({90, 0, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(Letterale)->Name("letterale/fisse")->Args({90, 0, 3})->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
