#include "FileMatrice.h"
#include "GeneraMatrice.h"

#include <QDir>
#include <QTest>

using namespace sestina;

// Every shipped matrix over every 6-subset of its numbers: minutes for the 40-number files, so this
// runs apart from the everyday tests (label "lento"), and in CI.
class TestMatriciDistribuite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matriciDistribuite_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("t");
        for (int t = 2; t <= 5; ++t)
            for (int v = 7; v <= (t <= 3 ? 40 : 30); ++v)
                QTest::addRow("%d numeri, %d se 6", v, t) << v << t;
    }
    // The reader's checks, then the guarantee of its name, subset by subset.
    void matriciDistribuite() {
        QFETCH(int, v);
        QFETCH(int, t);
        const QDir cartella(QStringLiteral(SESTINA_MATRICI_DISTRIBUITE));
        const QString nome = NomeMatriceGenerata(v, t);
        QVERIFY(VerificaCrcMatrice(cartella.filePath(nome)));
        const std::optional<MATRIX_STRUCTURE> m = LeggiMatrice(cartella.filePath(nome));
        QVERIFY(m);
        const MATRIX_HEADER& h = m->intestazione;
        QCOMPARE(h.NUMBERS_OF_MATRIX_V, v);
        QCOMPARE(h.GARANTY_T, t);
        QCOMPARE(h.VERSION_TAG, EtichettaVersioneMatrice);
        const auto c = static_cast<std::size_t>(h.COLUMNS_OF_MATRIX_C);
        std::vector<Blocco> disegno(c, 0);
        for (std::size_t p = 0; p < 6; ++p)
            for (std::size_t j = 0; j < c; ++j)
                disegno[j] |= Blocco{1} << (m->COLUMS[p * c + j] - 1);
        QVERIFY(VerificaGaranzia(v, t, disegno));
    }
};

QTEST_GUILESS_MAIN(TestMatriciDistribuite)
#include "tst_matrici_distribuite.moc"
