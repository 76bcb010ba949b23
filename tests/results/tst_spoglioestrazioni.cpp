#include "Archivio.h"
#include "Errore.h"
#include "FakeInterfaccia.h"
#include "Sistema.h"
#include "SpoglioEstrazioni.h"
#include "SpoglioLetterale.h"
#include "Sviluppo.h"

#include <QRandomGenerator>
#include <QTest>

#include <memory>
#include <numeric>

using namespace sestina;

namespace {

Estrazione Draw(int concorso, const QString& data, std::array<int, 6> numeri = {1, 2, 3, 4, 5, 6}, int jolly = 7) {
    Estrazione e;
    e.concorso = static_cast<std::int16_t>(concorso);
    e.data = data.leftJustified(10, QLatin1Char(' '));
    for (std::size_t i = 0; i < 6; ++i)
        e.estratti[i + 1] = static_cast<std::uint8_t>(numeri[i]);
    e.jolly = static_cast<std::uint8_t>(jolly);
    e.superstar = 1;
    return e;
}

void Colonne(Sistema& s, const std::vector<Colonna>& colonne) {
    for (std::size_t i = 0; i < colonne.size(); ++i)
        s.colonne.scrivi(static_cast<int>(i + 1), colonne[i]);
    s.numeroColonne = static_cast<std::int32_t>(colonne.size());
}

void Pronostico(Sistema& s, const std::vector<int>& numeri) {
    AzzeraSistema(s, false);
    for (const int n : numeri)
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
}

// Everything the window and the command show, so two results compare in one go.
QStringList Tutto(const ArchivioEstrazioni& archivio, const EsitoSpoglioEstrazioni& e) {
    QStringList righe;
    for (int r = 0; r < static_cast<int>(e.righe.size()) + RigheFisseSpoglio; ++r)
        righe << CelleGrigliaSpoglio(archivio, e, r).join(QLatin1Char('\t'));
    for (const auto& [titolo, valore] : RiepilogoSpoglio(e))
        righe << titolo + QLatin1Char('\t') + valore;
    return righe;
}

} // namespace

class TestSpoglioEstrazioni : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s = std::make_unique<Sistema>();
    ArchivioEstrazioni m_reale;

    void confronta(const ArchivioEstrazioni& archivio, IntervalloSpoglio intervallo) {
        FakeInterfaccia veloce;
        FakeInterfaccia letterale;
        const EsitoSpoglioEstrazioni a = SpogliaEstrazioni(*m_s, archivio, intervallo, veloce);
        const EsitoSpoglioEstrazioni b = SpogliaEstrazioniLetterale(*m_s, archivio, intervallo, letterale);
        QVERIFY(!a.righe.empty());
        QCOMPARE(Tutto(archivio, a), Tutto(archivio, b));
        QCOMPARE(a.totali, b.totali);
        QCOMPARE(letterale.eventi, static_cast<int>(b.righe.size()) * (m_s->numeroColonne / 10000));
    }

    void sviluppa(int da, int a, int riduzione) {
        std::vector<int> numeri(static_cast<std::size_t>(a - da + 1));
        std::iota(numeri.begin(), numeri.end(), da);
        Pronostico(*m_s, numeri);
        m_s->condRidotto = riduzione > 0 ? Vero : Falso;
        m_s->livelloRiduzione = static_cast<std::uint8_t>(riduzione);
        FakeInterfaccia ui;
        OsservatoreSviluppo muto;
        Sviluppa(*m_s, ui, muto);
        QVERIFY(m_s->numeroColonne > 0);
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        FakeInterfaccia ui;
        QCOMPARE(LoadArchivioTMP(m_reale, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt"), ui),
                 EsitoLista::Letta);
        QCOMPARE(m_reale.size(), std::size_t{2855});
    }

    // Four columns, three draws: a five plus the Jolly alone under draw number 0, a six beside a
    // five plus the Jolly, nothing.
    void griglia() {
        Pronostico(*m_s, {1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 17, 40, 41, 42, 43, 44, 45});
        Colonne(*m_s, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {11, 12, 13, 14, 15, 17}, {40, 41, 42, 43, 44, 45}});
        const ArchivioEstrazioni archivio = {Draw(0, "02/01/2020", {16, 12, 11, 13, 14, 15}, 17), Draw(2, "03/01/2020"),
                                             Draw(3, "04/01/2020", {20, 21, 22, 23, 24, 25}, 26)};
        for (auto spoglia : {&SpogliaEstrazioni, &SpogliaEstrazioniLetterale}) {
            FakeInterfaccia ui;
            const EsitoSpoglioEstrazioni e = spoglia(*m_s, archivio, {0, 2}, ui);
            QCOMPARE(
                Tutto(archivio, e),
                (QStringList{"Date \tEstr. \tCol \tBase\tMax\tMin\tPt.6\tPt.5+1\tPt.5\tPt.4\tPt.3\tPt.2",
                             "TOTALE\t\t\t\t6\t0\t1\t2\t0\t0\t0\t0",
                             "02/01/2020\t\t16.12.11.13.14.15\t5\t7\t0\t0\t1\t0\t0\t0\t0",
                             "03/01/2020\t2\t01.02.03.04.05.06\t6\t6\t0\t1\t1\t0\t0\t0\t0",
                             "04/01/2020\t3\t20.21.22.23.24.25\t0\t0\t0\t0\t0\t0\t0\t0\t0", "Totale Estrazioni\t3",
                             "Estrazioni con max pt.6\t1", "Estrazioni con max pt.5+1\t1", "Estrazioni con max pt.5\t0",
                             "Estrazioni con max pt.4\t0", "Estrazioni con max pt.3\t0", "Estrazioni con max pt.2\t0",
                             "Estrazioni non vincenti\t1"}));
            // One draw: the totals row is that draw's.
            const EsitoSpoglioEstrazioni una = spoglia(*m_s, archivio, {1, 1}, ui);
            QCOMPARE(CelleTotaleSpoglio(una).mid(4), CelleGrigliaSpoglio(archivio, una, 2).mid(4));
            // A System whose only column scores five plus the Jolly: its lowest score is that too, not 6.
            Colonne(*m_s, {{1, 2, 3, 4, 5, 7}});
            const EsitoSpoglioEstrazioni sola = spoglia(*m_s, archivio, {1, 1}, ui);
            QCOMPARE(CelleGrigliaSpoglio(archivio, sola, 2).mid(3, 3), (QStringList{"6", "7", "7"}));
            QCOMPARE(CelleTotaleSpoglio(sola).mid(4, 2), (QStringList{"7", "7"}));
            Colonne(*m_s, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {11, 12, 13, 14, 15, 17}, {40, 41, 42, 43, 44, 45}});
        }
    }

    void intervallo_data() {
        QTest::addColumn<QString>("dal");
        QTest::addColumn<QString>("al");
        QTest::addColumn<int>("primo");
        QTest::addColumn<int>("ultimo"); // -1: the error below
        QTest::addColumn<QString>("errore");
        const QString procedura =
            QStringLiteral(" in procedure SpoglioArchivioEstrazioni of Form frmSpoglioEstrazioni");
        const QString assente = "Error -2147211504 (Nessuna estrazione del 09/01/2020 nell'archivio)" + procedura;
        const auto riga = [](const char* nome, const char* dal, const char* al, int primo, int ultimo,
                             const QString& errore = {}) {
            QTest::newRow(nome) << QString(dal) << QString(al) << primo << ultimo << errore;
        };
        riga("tutto", "01/01/2020", "05/01/2020", 0, 5);
        riga("un giorno, primo record", "02/01/2020", "02/01/2020", 2, 2);
        riga("al ripetuto: il primo dopo dal", "01/01/2020", "02/01/2020", 0, 2);
        riga("al solo prima di dal: fino in fondo", "03/01/2020", "04/01/2020", 4, 5);
        riga("rovesciato", "05/01/2020", "01/01/2020", 0, -1, "Error -2147211504 ('DA' è maggiore di 'A')" + procedura);
        riga("dal assente", "09/01/2020", "09/01/2020", 0, -1, assente);
        riga("al assente", "01/01/2020", "09/01/2020", 0, -1, assente);
        riga("non una data", "x", "02/01/2020", 0, -1, "Error 13 (Tipo non corrispondente)" + procedura);
    }
    void intervallo() {
        QFETCH(QString, dal);
        QFETCH(QString, al);
        QFETCH(int, primo);
        QFETCH(int, ultimo);
        QFETCH(QString, errore);
        // Record 1 is empty and carries a date that must not count; 04/01 comes back out of order.
        ArchivioEstrazioni a = {Draw(1, "01/01/2020"), Draw(2, "02/01/2020"), Draw(3, "02/01/2020"),
                                Draw(4, "03/01/2020"), Draw(5, "04/01/2020"), Draw(6, "05/01/2020")};
        a[1].estratti = {};
        a.insert(a.begin() + 3, Draw(7, "04/01/2020"));
        a.erase(a.begin() + 5);
        try {
            const IntervalloSpoglio i = TrovaIntervallo(a, dal, al);
            QVERIFY2(errore.isEmpty(), qPrintable(errore));
            QCOMPARE(int(i.primo), primo);
            QCOMPARE(int(i.ultimo), ultimo);
        } catch (const Errore& e) {
            QCOMPARE(
                TestoErrore(e, QStringLiteral("SpoglioArchivioEstrazioni"), QStringLiteral("frmSpoglioEstrazioni")),
                errore);
        }
    }

    // Each distinct date once, in archive order, empty records and case aside.
    void date() {
        ArchivioEstrazioni a = {Draw(1, "01/01/2020"), Draw(2, "01/01/2020"), Draw(3, "lun"),
                                Draw(4, "02/01/2020"), Draw(5, "LUN"),        Draw(6, "03/01/2020")};
        a[5].estratti = {};
        QCOMPARE(DateEstrazioni(a), (QStringList{"01/01/2020", "lun       ", "02/01/2020"}));
        QCOMPARE(DateEstrazioni(m_reale).size(), 2855);
        ArchivioEstrazioni troppe(LimiteDateSpoglio + 5, Draw(1, ""));
        for (std::size_t i = 0; i < troppe.size(); ++i)
            troppe[i].data = QString::number(i);
        QCOMPARE(DateEstrazioni(troppe).size(), LimiteDateSpoglio + 1);
    }

    // Random columns over a few numbers, so that every category occurs, with columns that repeat a
    // number or hold 0 and 91, scored against draws of the same numbers, some of them malformed.
    void casualeComeLetterale() {
        QRandomGenerator caso(20261207);
        Pronostico(*m_s, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        std::vector<Colonna> colonne;
        for (int c = 0; c < 25'000; ++c) {
            Colonna col;
            const bool storta = c % 97 == 0;
            for (int k = 0; k < 6; ++k) {
                int n;
                do
                    n = 1 + static_cast<int>(caso.bounded(14));
                while (!storta && std::find(col.begin(), col.begin() + k, n) != col.begin() + k);
                col[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(n);
            }
            if (c % 1001 == 0)
                col[2] = static_cast<std::uint8_t>(c % 2 == 0 ? 0 : 91);
            colonne.push_back(col);
        }
        Colonne(*m_s, colonne);
        ArchivioEstrazioni archivio;
        for (int d = 0; d < 120; ++d) {
            std::array<int, 7> n{};
            for (std::size_t k = 0; k < 7; ++k)
                do
                    n[k] = 1 + static_cast<int>(caso.bounded(d < 100 ? 15 : 90));
                while (std::find(n.begin(), n.begin() + static_cast<std::ptrdiff_t>(k), n[k]) !=
                       n.begin() + static_cast<std::ptrdiff_t>(k));
            Estrazione e = Draw(d, QStringLiteral("%1/01/2020").arg(1 + d % 28, 2, 10, QLatin1Char('0')),
                                {n[0], n[1], n[2], n[3], n[4], n[5]}, n[6]);
            if (d % 10 == 3)
                e.estratti[4] = e.estratti[2]; // a number drawn twice
            if (d % 10 == 7)
                e.jolly = e.estratti[5]; // the Jolly among the six
            archivio.push_back(e);
        }
        confronta(archivio, {0, archivio.size() - 1});
        confronta(archivio, {41, 41});
    }

    // Developed Systems, integral and reduced, against the whole real archive and against one date.
    void realeComeLetterale_data() {
        QTest::addColumn<int>("da");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("riduzione");
        QTest::newRow("integrale 1-12") << 1 << 12 << 0;
        QTest::newRow("integrale 70-85") << 70 << 85 << 0;
        QTest::newRow("ridotto N-1 30-44") << 30 << 44 << 1;
        QTest::newRow("ridotto N-3 1-90") << 1 << 90 << 3;
    }
    void realeComeLetterale() {
        QFETCH(int, da);
        QFETCH(int, a);
        QFETCH(int, riduzione);
        sviluppa(da, a, riduzione);
        confronta(m_reale, {0, m_reale.size() - 1});
        confronta(m_reale, TrovaIntervallo(m_reale, "22/05/2026", "22/05/2026"));
    }

    // The whole real archive against a System of every column that one draw could win with: its
    // own six, every five plus the Jolly, every four with two other numbers.
    void totaliReali() {
        Pronostico(*m_s, {5, 17, 65, 71, 83, 87, 50, 1, 2});
        Colonne(*m_s, {{5, 17, 65, 71, 83, 87}, {5, 17, 65, 71, 83, 50}, {5, 17, 65, 71, 1, 2}, {1, 2, 5, 17, 50, 65}});
        FakeInterfaccia ui;
        const EsitoSpoglioEstrazioni e = SpogliaEstrazioni(*m_s, m_reale, {0, m_reale.size() - 1}, ui);
        QCOMPARE(e.estrazioni, qint64{2855});
        const RigaSpoglio& ultima = e.righe[e.righe.size() - 2]; // 22/05/2026: 5 17 65 71 83 87, Jolly 50
        QCOMPARE(CelleRigaSpoglio(m_reale[ultima.record], ultima),
                 (QStringList{"22/05/2026", "82", "05.17.65.71.83.87", "6", "6", "3", "1", "1", "0", "1", "1", "0"}));
        QCOMPARE(e.migliore, 6);
        QCOMPARE(e.conMax[0], qint64{1});
        QCOMPARE(std::accumulate(e.conMax.begin(), e.conMax.end(), qint64{0}), qint64{2855}); // one best score each
    }
};

QTEST_GUILESS_MAIN(TestSpoglioEstrazioni)
#include "tst_spoglioestrazioni.moc"
