#include "Condizioni.h"
#include "IndiceRiduzione.h"

#include <QTest>

#include <memory>

using namespace sestina;

Q_DECLARE_METATYPE(sestina::Colonna)

namespace {
const std::uint8_t* Dati(const Colonna& c) { return c.data(); }
} // namespace

class TestCondizioni final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fisse() {
        SystemConditions c;
        c.numeriFissi[7] = 1;
        c.numeriFissi[12] = 1;
        c.quantiFissi = 2;
        QVERIFY(TestFisse(Dati({7, 12, 30, 41, 55, 60}), c));
        QVERIFY(!TestFisse(Dati({7, 13, 30, 41, 55, 60}), c));
        c.numeriFissi[30] = 2; // only a mark of 1 fixes a number
        QVERIFY(TestFisse(Dati({7, 12, 30, 41, 55, 60}), c));
        c.quantiFissi = 0;
        QVERIFY(!TestFisse(Dati({7, 12, 30, 41, 55, 60}), c));
        QVERIFY(TestFisse(Dati({1, 2, 3, 4, 5, 6}), c));
    }

    void somma() {
        SystemConditions c;
        c.sommaDa = 21;
        c.sommaA = 21;
        QVERIFY(TestSomma(Dati({1, 2, 3, 4, 5, 6}), c));
        QVERIFY(!TestSomma(Dati({1, 2, 3, 4, 5, 7}), c));
        c.sommaDa = 100;
        c.sommaA = 50; // an empty range accepts nothing
        QVERIFY(!TestSomma(Dati({10, 11, 12, 13, 14, 15}), c));
        c.sommaDa = -5;
        c.sommaA = 525;
        QVERIFY(TestSomma(Dati({85, 86, 87, 88, 89, 90}), c));
    }

    void pariDispari() {
        SystemConditions c;
        c.pariAmmessi[0] = Vero;
        QVERIFY(TestPariDispari(Dati({1, 3, 5, 7, 9, 11}), c));
        QVERIFY(!TestPariDispari(Dati({1, 3, 5, 7, 9, 10}), c));
        c.pariAmmessi[6] = 1; // any non-zero flag is true
        QVERIFY(TestPariDispari(Dati({2, 4, 6, 8, 10, 90}), c));
    }

    void filtro_data() {
        QTest::addColumn<Colonna>("colonna");
        QTest::addColumn<bool>("accettata");
        QTest::newRow("due presenti") << Colonna{1, 2, 30, 40, 50, 60} << true;
        QTest::newRow("tre presenti") << Colonna{1, 2, 3, 40, 50, 60} << false;
        QTest::newRow("nessuno") << Colonna{30, 40, 50, 60, 70, 80} << false;
    }
    void filtro() {
        QFETCH(Colonna, colonna);
        QFETCH(bool, accettata);
        FilterColumn f;
        for (std::size_t n = 1; n <= 10; ++n)
            f.numeri[n] = 1;
        f.presenze = 1 << 2;
        QCOMPARE(TestFiltro(colonna.data(), f), accettata);
    }

    void filtroVuotoAccettaConBitZero() {
        FilterColumn f;
        f.presenze = 1;
        QVERIFY(TestFiltro(Dati({1, 2, 3, 4, 5, 6}), f));
        f.presenze = 2;
        QVERIFY(!TestFiltro(Dati({1, 2, 3, 4, 5, 6}), f));
    }

    void consecutivi_data() {
        QTest::addColumn<Colonna>("colonna");
        QTest::addColumn<int>("corsa");
        QTest::addColumn<bool>("accettata");
        QTest::newRow("nessuna") << Colonna{1, 3, 5, 7, 9, 11} << 1 << true;
        QTest::newRow("coppia") << Colonna{1, 2, 5, 7, 9, 11} << 2 << true;
        QTest::newRow("terna") << Colonna{1, 2, 3, 7, 9, 11} << 3 << false;
        QTest::newRow("terna in mezzo") << Colonna{5, 6, 7, 20, 21, 90} << 3 << false;
        QTest::newRow("tutta") << Colonna{40, 41, 42, 43, 44, 45} << 6 << false;
        QTest::newRow("la più lunga alla fine") << Colonna{1, 2, 10, 11, 12, 13} << 4 << false;
    }
    void consecutivi() {
        QFETCH(Colonna, colonna);
        QFETCH(int, corsa);
        QFETCH(bool, accettata);
        const TabellaConsecutivi ammessi = TabellaConsecutiviAmmessi((1 << 1) | (1 << 2));
        QCOMPARE(LunghezzaMassimaConsecutivi(colonna.data()), corsa);
        QCOMPARE(TestConsecutivi(colonna.data(), ammessi), accettata);
    }

    void riduzione() {
        auto colonne = std::make_unique<ColumnStore>();
        colonne->scrivi(1, {1, 2, 3, 4, 5, 6});
        TabellaMarche marche{};
        QVERIFY(!TestRiduzione(Dati({1, 2, 3, 4, 7, 8}), *colonne, 1, 2, marche));
        QVERIFY(TestRiduzione(Dati({1, 2, 3, 7, 8, 9}), *colonne, 1, 2, marche));
        QVERIFY(TestRiduzione(Dati({1, 2, 3, 4, 7, 8}), *colonne, 0, 2, marche)); // empty store
        QCOMPARE(marche, TabellaMarche{});                                         // marks restored
    }

    void binomiali() {
        QCOMPARE(Binomiale(90, 6), 622'614'630u);
        QCOMPARE(Binomiale(90, 5), 43'949'268u);
        QCOMPARE(Binomiale(5, 6), 0u);
        QCOMPARE(Binomiale(0, 0), 1u);
        const std::uint8_t ultimi[] = {86, 87, 88, 89, 90};
        QCOMPARE(IndiceRiduzione::rango(ultimi, 5), Binomiale(90, 5) - 1);
    }
};

QTEST_GUILESS_MAIN(TestCondizioni)
#include "tst_condizioni.moc"
