#include "CondizioniLetterali.h"
#include "IndiceRiduzione.h"

#include <QTest>

using namespace sestina;

Q_DECLARE_METATYPE(sestina::Colonna)

namespace {
const std::uint8_t* Dati(const Colonna& c) {
    return c.data();
}
} // namespace

// The plain column tests serve only the reference engine, so tst_equivalenza proves them against the fast
// one over random Systems. Here: the flag values random Systems never carry, and what both engines share.
class TestCondizioni final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valoriDeiFlag() {
        SystemConditions c;
        c.numeriFissi[7] = 1;
        c.numeriFissi[30] = 2; // only a mark of 1 fixes a number
        c.quantiFissi = 1;
        QVERIFY(TestFisse(Dati({7, 12, 30, 41, 55, 60}), c));
        c.pariAmmessi[6] = 1; // any non-zero flag is true
        QVERIFY(TestPariDispari(Dati({2, 4, 6, 8, 10, 90}), c) && !TestPariDispari(Dati({1, 4, 6, 8, 10, 90}), c));
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
