#include "FakeInterfaccia.h"
#include "Garanzia.h"
#include "RegistroSviluppo.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>

using namespace sestina;

namespace {

// Every p-subset of the Prediction against every column, counting the shared distinct numbers.
std::array<qint64, 7> ContaLetterale(const Sistema& s, int p) {
    std::array<qint64, 7> migliori{};
    std::vector<bool> scelti(static_cast<std::size_t>(s.numeriInGioco), false);
    std::fill_n(scelti.begin(), p, true);
    do {
        int migliore = 0;
        for (int c = 1; c <= s.numeroColonne; ++c) {
            const std::uint8_t* col = s.colonne.colonna(c);
            int comuni = 0;
            for (std::size_t i = 0; i < scelti.size(); ++i)
                comuni += scelti[i] && std::find(col, col + 6, s.pronostico[i]) != col + 6;
            migliore = std::max(migliore, comuni);
        }
        ++migliori[static_cast<std::size_t>(migliore)];
    } while (std::prev_permutation(scelti.begin(), scelti.end()));
    return migliori;
}

} // namespace

class TestGaranzia : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s = std::make_unique<Sistema>();

    void sviluppa(int primo, int quanti, int livello) {
        AzzeraSistema(*m_s, false);
        for (int n = primo; n < primo + quanti; ++n)
            m_s->GrigliaNumeriClick(n - 1);
        m_s->condRidotto = livello > 0 ? Vero : Falso;
        m_s->livelloRiduzione = static_cast<std::uint8_t>(livello);
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(*m_s, ui, nessuno));
    }

    EsitoGaranzia calcola() {
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        return CalcolaGaranzia(*m_s, ui, nessuno);
    }

private Q_SLOTS:
    // What a development promises: all of it for an integral, one number less per level when reduced.
    void sistemiNoti_data() {
        QTest::addColumn<int>("primo");
        QTest::addColumn<int>("quanti");
        QTest::addColumn<int>("livello");
        QTest::addColumn<int>("seSei"); // the least guarantee if 6
        QTest::newRow("integrale 9") << 40 << 9 << 0 << 6;
        QTest::newRow("ridotto N-1 12") << 1 << 12 << 1 << 5;
        QTest::newRow("ridotto N-2 16") << 70 << 16 << 2 << 4;
    }
    void sistemiNoti() {
        QFETCH(int, primo);
        QFETCH(int, quanti);
        QFETCH(int, livello);
        QFETCH(int, seSei);
        sviluppa(primo, quanti, livello);
        const EsitoGaranzia e = calcola();
        QVERIFY(!e.annullata);
        for (const RigaGaranzia& r : e.righe) {
            QCOMPARE(r.sottoinsiemi, qint64(Combinazioni(quanti, r.p)));
            QCOMPARE(std::accumulate(r.migliori.begin(), r.migliori.end(), qint64{0}), r.sottoinsiemi);
            if (livello == 0)
                QCOMPARE(r.migliori[static_cast<std::size_t>(r.p)], r.sottoinsiemi);
            if (r.p == 6)
                QVERIFY2(r.garanzia >= seSei, qPrintable(TestoGaranzia(r)));
        }
        if (livello > 0)
            QVERIFY(e.righe[0].migliori[6] < e.righe[0].sottoinsiemi);
        QCOMPARE(e.righe[0].migliori, ContaLetterale(*m_s, 6));
    }

    // Random columns, some with numbers outside the Prediction or repeated, against the brute force.
    void comeForzaBruta_data() {
        QTest::addColumn<int>("numeri");
        QTest::addColumn<int>("colonne");
        QTest::newRow("8 numeri, 3 colonne") << 8 << 3;
        QTest::newRow("13 numeri, 40 colonne") << 13 << 40;
        QTest::newRow("16 numeri, 150 colonne") << 16 << 150;
        QTest::newRow("5 numeri: nessun 6") << 5 << 4;
    }
    void comeForzaBruta() {
        QFETCH(int, numeri);
        QFETCH(int, colonne);
        QRandomGenerator caso(static_cast<quint32>(numeri * 1000 + colonne));
        AzzeraSistema(*m_s, false);
        while (m_s->numeriInGioco < numeri)
            if (const int i = static_cast<int>(caso.bounded(90)); !m_s->selezionati[static_cast<std::size_t>(i)])
                m_s->GrigliaNumeriClick(i);
        AggiornaPronostico(*m_s);
        for (int c = 1; c <= colonne; ++c) {
            Colonna col;
            for (auto& n : col)
                n = caso.bounded(5) == 0 ? static_cast<std::uint8_t>(1 + caso.bounded(90))
                                         : m_s->pronostico[caso.bounded(numeri)];
            m_s->colonne.scrivi(c, col);
        }
        m_s->numeroColonne = colonne;
        const EsitoGaranzia e = calcola();
        for (const RigaGaranzia& r : e.righe) {
            if (r.p > numeri) {
                QCOMPARE(r.sottoinsiemi, 0);
                QCOMPARE(TestoGaranzia(r), QStringLiteral("-"));
                continue;
            }
            QCOMPARE(r.migliori, ContaLetterale(*m_s, r.p));
            const auto prima = std::find_if(r.migliori.begin(), r.migliori.end(), [](qint64 n) { return n > 0; });
            QCOMPARE(r.garanzia, static_cast<int>(prima - r.migliori.begin()));
        }
    }

    void testi() {
        RigaGaranzia r{6, 28, {0, 0, 0, 0, 20, 7, 1}, 4};
        QCOMPARE(TestoGaranzia(r), QStringLiteral("4 se 6"));
        QCOMPARE(RigaTestoGaranzia(r), QStringLiteral("6\t28\t0\t0\t0\t0\t20\t7\t1\t4"));
        r.garanzia = -1;
        QVERIFY(RigaTestoGaranzia(r).endsWith(QStringLiteral("\t-")));
    }

    // The progress window hears of the work, and its cancel stops the walk midway.
    void progressoEAnnullamento() {
        sviluppa(1, 26, 2);
        FakeInterfaccia ui;
        RegistroSviluppo registro(ui);
        EsitoGaranzia e = CalcolaGaranzia(*m_s, ui, registro);
        QVERIFY(!e.annullata);
        QVERIFY(registro.eventi.first().startsWith(QStringLiteral("avvio ")));
        QVERIFY(registro.eventi.last().startsWith(QStringLiteral("fine ")));
        QVERIFY(registro.eventi.filter(QStringLiteral("passo ")).size() >= 10);
        FakeInterfaccia annulla;
        annulla.durante = [this](int n) {
            if (n == 3)
                m_s->sviluppoAnnullato = Vero;
        };
        e = CalcolaGaranzia(*m_s, annulla, registro);
        QVERIFY(e.annullata);
        QCOMPARE(m_s->sviluppoAnnullato, Falso);
        QVERIFY(std::accumulate(e.righe[0].migliori.begin(), e.righe[0].migliori.end(), qint64{0}) <
                e.righe[0].sottoinsiemi);
        // A new run starts afresh.
        QVERIFY(!CalcolaGaranzia(*m_s, ui, registro).annullata);
    }
};

QTEST_GUILESS_MAIN(TestGaranzia)
#include "tst_garanzia.moc"
