// The fast engine must give exactly what the plain one gives: the same columns
// in the same order, counters, progress steps, pauses, messages and state.

#include "FakeInterfaccia.h"
#include "RegistroSviluppo.h"
#include "Sistema.h"
#include "Sviluppo.h"
#include "SviluppoLetterale.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <random>

using namespace sestina;

namespace {

using Motore = void (*)(Sistema&, Interfaccia&, OsservatoreSviluppo&);

// What the user sees and what is left: the final state, the messages, then every observer event.
struct Esito {
    QStringList righe;
    QByteArray colonne;
};

// Describes a System without owning one, so each engine develops a fresh copy.
using Impostazione = std::function<void(Sistema&)>;

QString DescriviMessaggio(const FakeInterfaccia::Messaggio& m) {
    static const QRegularExpression tempo(QStringLiteral("^\\d+ Days? \\d\\d:\\d\\d:\\d\\d$"));
    const QString testo = tempo.match(m.testo).hasMatch() ? QStringLiteral("<tempo>") : m.testo;
    return QStringLiteral("%1|%2|%3|%4").arg(testo, m.titolo).arg(int(m.icona)).arg(int(m.pulsanti));
}

Esito Sviluppa(Motore motore, Sistema& s, const Impostazione& imposta, int annullaAlPasso = 0) {
    AzzeraSistema(s, false);
    s.numeroColonne = 77; // must survive a stopped development
    s.tipoSistema = QStringLiteral("prima");
    imposta(s);
    FakeInterfaccia ui;
    if (annullaAlPasso > 0)
        ui.durante = [&s, annullaAlPasso](int n) {
            if (n == annullaAlPasso)
                s.sviluppoAnnullato = Vero;
        };
    RegistroSviluppo registro(ui);
    motore(s, ui, registro);
    Esito e;
    e.righe << QStringLiteral("%1 %2 %3").arg(s.numeroColonne).arg(s.tipoSistema).arg(s.sviluppoAnnullato);
    for (const auto& m : ui.messaggi)
        e.righe << DescriviMessaggio(m);
    e.righe += registro.eventi;
    const int valide = std::clamp(s.numeroColonne, 0, LimiteColonne);
    e.colonne = QByteArray(reinterpret_cast<const char*>(s.colonne.dati()), 6 * valide);
    return e;
}

// quanti numbers from passo on, passo apart.
void Pronostico(Sistema& s, int quanti, int passo) {
    for (int n = 1; n <= quanti; ++n)
        s.GrigliaNumeriClick(n * passo - 1);
    AggiornaPronostico(s);
}

std::vector<int> PronosticoCasuale(std::mt19937& g, int quanti) {
    std::vector<int> tutti(90);
    std::iota(tutti.begin(), tutti.end(), 1);
    // Half the time a tight range, so runs of consecutive numbers are common.
    const int base = std::uniform_int_distribution<int>(0, 90 - quanti)(g);
    if (g() % 2)
        return {tutti.begin() + base, tutti.begin() + base + quanti};
    std::shuffle(tutti.begin(), tutti.end(), g);
    tutti.resize(static_cast<std::size_t>(quanti));
    std::sort(tutti.begin(), tutti.end());
    return tutti;
}

Impostazione CondizioniCasuali(std::mt19937 g, int quanti, bool riduzione, std::uint8_t livello) {
    return [g, quanti, riduzione, livello](Sistema& s) {
        std::mt19937 gen = g; // each engine must see the same System
        auto caso = [&](int da, int a) { return std::uniform_int_distribution<int>(da, a)(gen); };
        const auto numeri = PronosticoCasuale(gen, quanti);
        for (int n : numeri)
            s.GrigliaNumeriClick(n - 1);
        AggiornaPronostico(s);
        if (caso(0, 2) == 0) {
            s.condFisse = Vero;
            const int fissi = caso(0, 3);
            for (int k = 0; k < fissi; ++k)
                s.numeriFissi[static_cast<std::size_t>(numeri[static_cast<std::size_t>(caso(0, quanti - 1))])] = 1;
            s.quantiFissi = static_cast<std::uint8_t>(std::count(s.numeriFissi.begin(), s.numeriFissi.end(), 1));
            if (caso(0, 5) == 0)
                s.quantiFissi = static_cast<std::uint8_t>(caso(0, 4)); // inconsistent counts still agree
        }
        if (caso(0, 2) == 0) {
            s.condSomma = Vero;
            const int centro = std::accumulate(numeri.begin(), numeri.end(), 0) * 6 / quanti;
            s.sommaDa = static_cast<std::int16_t>(centro - caso(-20, 60));
            s.sommaA = static_cast<std::int16_t>(centro + caso(-20, 60));
        }
        if (caso(0, 2) == 0) {
            s.condPariDispari = Vero;
            for (auto& p : s.pariAmmessi)
                p = caso(0, 1) ? Vero : Falso;
        }
        if (caso(0, 2) == 0) {
            s.condConsecutivi = Vero;
            s.consecutiviAmmessi = caso(0, 127);
        }
        if (caso(0, 2) == 0) {
            s.numeroFiltri = static_cast<std::int16_t>(caso(1, 4));
            for (int f = 1; f <= s.numeroFiltri; ++f) {
                auto& filtro = s.colonneFiltro[static_cast<std::size_t>(f)];
                for (int n : numeri)
                    filtro.numeri[static_cast<std::size_t>(n)] = caso(0, 2) == 0 ? 1 : 0;
                filtro.presenze = caso(1, 127);
                filtro.attiva = caso(0, 6) == 0 ? Falso : Vero;
            }
        }
        if (riduzione) {
            s.condRidotto = Vero;
            s.livelloRiduzione = livello;
        }
    };
}

} // namespace

class TestEquivalenza final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_lento = std::make_unique<Sistema>();
    std::unique_ptr<Sistema> m_veloce = std::make_unique<Sistema>();

    void confronta(const Impostazione& imposta, int annullaAlPasso = 0) {
        const Esito atteso = Sviluppa(&SviluppoLetterale, *m_lento, imposta, annullaAlPasso);
        const Esito ottenuto = Sviluppa(&sestina::Sviluppa, *m_veloce, imposta, annullaAlPasso);
        QCOMPARE(ottenuto.righe, atteso.righe); // names the first line that differs
        QVERIFY(ottenuto.colonne == atteso.colonne);
    }

private Q_SLOTS:
    void condizioniCasuali_data() {
        QTest::addColumn<bool>("riduzione");
        QTest::addColumn<int>("livello");
        QTest::addColumn<int>("massimo"); // numbers in play: 6 to this
        QTest::newRow("senza riduzione") << false << 0 << 24;
        QTest::newRow("N-1") << true << 1 << 17;
        QTest::newRow("N-2") << true << 2 << 18;
        QTest::newRow("N-3") << true << 3 << 19;
        QTest::newRow("N-4") << true << 4 << 20;
        // Levels the dialog never offers but a file may carry.
        QTest::newRow("livello 0") << true << 0 << 14;
        QTest::newRow("livello 5") << true << 5 << 16;
        QTest::newRow("livello 6") << true << 6 << 16;
        QTest::newRow("livello 200") << true << 200 << 16;
    }
    void condizioniCasuali() {
        QFETCH(bool, riduzione);
        QFETCH(int, livello);
        QFETCH(int, massimo);
        for (unsigned seme = 1; seme <= 150; ++seme) {
            std::mt19937 g(seme * 7919u + static_cast<unsigned>(livello));
            const int quanti = std::uniform_int_distribution<int>(6, massimo)(g);
            confronta(CondizioniCasuali(g, quanti, riduzione, static_cast<std::uint8_t>(livello)));
            QVERIFY2(!QTest::currentTestFailed(),
                     qPrintable(QStringLiteral("seed %1, %2 numbers").arg(seme).arg(quanti)));
        }
    }

    void pronosticiPiccoli() {
        for (int quanti = 0; quanti <= 8; ++quanti)
            for (int ridotto = 0; ridotto <= 1; ++ridotto)
                confronta([=](Sistema& s) {
                    Pronostico(s, quanti, 3);
                    s.condRidotto = ridotto ? Vero : Falso;
                    s.livelloRiduzione = 1;
                });
    }

    // The limit reached while whole branches are being skipped, and on the last candidate.
    void limite_data() {
        QTest::addColumn<int>("quanti");
        QTest::addColumn<int>("sommaMassima");
        QTest::newRow("36 numeri, nessuna condizione") << 36 << 0;
        QTest::newRow("40 numeri, somma fino a 165") << 40 << 165;
        QTest::newRow("40 numeri, somma fino a 150") << 40 << 150;
    }
    void limite() {
        QFETCH(int, quanti);
        QFETCH(int, sommaMassima);
        confronta([=](Sistema& s) {
            Pronostico(s, quanti, 1);
            if (sommaMassima > 0) {
                s.condSomma = Vero;
                s.sommaDa = 21;
                s.sommaA = static_cast<std::int16_t>(sommaMassima);
            }
        });
    }

    void annullamento_data() {
        QTest::addColumn<int>("livello");
        QTest::addColumn<int>("alPasso");
        QTest::newRow("integrale, prima pausa") << 0 << 1;
        QTest::newRow("integrale, a metà") << 0 << 200;
        QTest::newRow("N-4, mentre salta") << 4 << 300;
        QTest::newRow("N-2") << 2 << 57;
    }
    void annullamento() {
        QFETCH(int, livello);
        QFETCH(int, alPasso);
        confronta(
            [=](Sistema& s) {
                Pronostico(s, 22, 4);
                s.condRidotto = livello > 0 ? Vero : Falso;
                s.livelloRiduzione = static_cast<std::uint8_t>(livello);
            },
            alPasso);
        QCOMPARE(m_veloce->numeroColonne, 77);
        QCOMPARE(m_veloce->tipoSistema, QStringLiteral("prima"));
    }
};

QTEST_GUILESS_MAIN(TestEquivalenza)
#include "tst_equivalenza.moc"
