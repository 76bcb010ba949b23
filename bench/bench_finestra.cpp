// The main window's costs as the user feels them: start-up, a grid toggle,
// opening and saving a full System through the window's own commands.
#include "Corpo.h"
#include "DialoghiFile.h"
#include "FileSistema.h"
#include "InterfacciaMuta.h"
#include "frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace sestina;

namespace {

class DialoghiMuti final : public DialoghiFile {
public:
    QString apri(QWidget*, const QString&, const QString&) override { return percorso; }
    QString salva(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString percorso;
};

struct Banco {
    QTemporaryDir cartella;
    std::unique_ptr<Corpo> corpo = std::make_unique<Corpo>();
    InterfacciaMuta ui{Risposta::Si};
    DialoghiMuti dialoghi;
    std::unique_ptr<frmMAIN> finestra;

    Banco() {
        QDir(cartella.path()).mkpath(QStringLiteral("sistemi"));
        corpo->cartellaDati = cartella.path();
        corpo->fileConfigurazione = cartella.filePath(QStringLiteral("impostazioni.cfg"));
        finestra = std::make_unique<frmMAIN>(*corpo, ui, dialoghi);
        finestra->show();
        QCoreApplication::processEvents();
    }
    ~Banco() { corpo->chiusuraInCorso = true; }

    // A System at the column limit from the first 12 numbers, saved as pieno.sec.
    QString sistemaPieno() {
        Sistema& s = corpo->sistema;
        for (int n = 0; n < 12; ++n)
            finestra->GrigliaNumeriClick(n);
        std::uint8_t* p = s.colonne.dati();
        for (std::size_t j = 0; j < 6 * std::size_t{LimiteColonne}; ++j)
            p[j] = static_cast<std::uint8_t>(1 + j % 12);
        s.numeroColonne = LimiteColonne;
        s.tipoSistema = QStringLiteral("Integrale");
        s.fileSistema = cartella.filePath(QStringLiteral("sistemi/pieno.sec"));
        return s.fileSistema;
    }
};

void BM_CommutaNumero(benchmark::State& state) {
    Banco banco;
    int i = 0;
    for (auto _ : state) {
        banco.finestra->GrigliaNumeriClick(i);
        i = (i + 1) % NumeriGioco;
    }
}

void BM_SalvaDallaFinestra(benchmark::State& state) {
    Banco banco;
    banco.sistemaPieno();
    QAction* salva = banco.finestra->findChild<QAction*>(QStringLiteral("menusalva"));
    for (auto _ : state)
        salva->trigger();
}

void BM_ApriDallaFinestra(benchmark::State& state) {
    Banco banco;
    const QString percorso = banco.sistemaPieno();
    if (!SalvaFile(banco.corpo->sistema, percorso, banco.ui))
        state.SkipWithError("save failed");
    banco.dialoghi.percorso = percorso;
    QAction* apri = banco.finestra->findChild<QAction*>(QStringLiteral("menuapri"));
    for (auto _ : state) {
        apri->trigger();
        QCoreApplication::processEvents();
    }
    if (banco.corpo->sistema.numeroColonne != LimiteColonne)
        state.SkipWithError("open failed");
}

// From process start to the main window shown; the program leaves at once
// (and skips the one-second splash wait) when SESTINAPLAN_MISURA_AVVIO is set.
void BM_AvvioProcesso(benchmark::State& state) {
    QTemporaryDir dati;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("SESTINAPLAN_MISURA_AVVIO"), QStringLiteral("1"));
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), dati.path());
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess processo;
        processo.setProcessEnvironment(ambiente);
        QElapsedTimer orologio;
        orologio.start();
        processo.start(QStringLiteral(SESTINA_GUI), {});
        if (!processo.waitForFinished(30000) || processo.exitCode() != 0) {
            state.SkipWithError("the program did not start and leave");
            break;
        }
        state.SetIterationTime(static_cast<double>(orologio.nsecsElapsed()) / 1e9);
    }
}

} // namespace

BENCHMARK(BM_CommutaNumero);
BENCHMARK(BM_SalvaDallaFinestra)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApriDallaFinestra)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvvioProcesso)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
