#include "Modali.h"
#include "NavigatorePannelli.h"
#include "Sistema.h"
#include "frmVisualizza.h"

#include <QApplication>
#include <QDirIterator>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace sestina;

Q_DECLARE_METATYPE(sestina::Colonna)

namespace {

// Column c holds numbers that name it, so every line can be traced back to its column.
Colonna ColonnaDi(int c) {
    const auto cifra = [c](int peso) { return static_cast<std::uint8_t>(1 + c / peso % 90); };
    return {cifra(8100), cifra(90), cifra(1), 40, 50, 60};
}

} // namespace

class TestVisualizza : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_sistema;

    void riempi(int colonne) {
        m_sistema->colonne.azzera();
        m_sistema->numeroColonne = colonne;
        for (int c = 1; c <= colonne; ++c)
            m_sistema->colonne.scrivi(c, ColonnaDi(c));
    }
    static QString Attesa(int c) {
        const Colonna k = ColonnaDi(c);
        return QString::asprintf("  %02d-%02d-%02d-40-50-60", k[0], k[1], k[2]);
    }
    static QString Riga(QWidget& w, int r) {
        return figlio<QLabel>(&w, qPrintable(QStringLiteral("labVisualizza_%1").arg(r)))->text();
    }
    static QString Pannello(QWidget& w) { return figlio<QLabel>(&w, "labNscheda")->text(); }
    // A key press sent where the keyboard would send it: to the widget with the focus.
    static void Premi(Qt::Key tasto, bool ripetuto) {
        QKeyEvent e(QEvent::KeyPress, tasto, Qt::NoModifier, QString(), ripetuto);
        QApplication::sendEvent(QApplication::focusWidget(), &e);
    }

private Q_SLOTS:
    void initTestCase() { m_sistema = std::make_unique<Sistema>(); }

    void riga_data() {
        QTest::addColumn<Colonna>("colonna");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("piena") << Colonna{3, 11, 25, 47, 60, 88} << "  03-11-25-47-60-88";
        QTest::newRow("zero in testa") << Colonna{0, 11, 25, 47, 60, 88} << "  11-25-47-60-88";
        QTest::newRow("zero in mezzo") << Colonna{3, 11, 0, 47, 60, 88} << "  03-11-47-60-88";
        QTest::newRow("vuota") << Colonna{} << "  ";
    }
    void riga() {
        QFETCH(Colonna, colonna);
        QFETCH(QString, attesa);
        QCOMPARE(RigaVisualizza(colonna.data()), attesa);
    }

    void pannelli_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<int>("pannello");
        QTest::addColumn<int>("piene"); // lines 0..piene-1 show columns, the rest are empty

        QTest::newRow("210: l'ultimo pannello e' pieno") << 210 << "cmdTOP" << 21 << 10;
        QTest::newRow("7: righe 7..9 vuote") << 7 << "cmdTOP" << 1 << 7;
        QTest::newRow("10: l'ultima riga e' la colonna 10") << 10 << "cmdNext1" << 1 << 10;
        QTest::newRow("2001: una colonna nell'ultimo") << 2001 << "cmdTOP" << 201 << 1;
        QTest::newRow("al limite") << LimiteColonne << "cmdTOP" << LimiteColonne / 10 << 10;
        QTest::newRow("nessuna colonna") << 0 << "cmdNext2" << 1 << 0;
    }

    void pannelli() {
        QFETCH(int, colonne);
        QFETCH(QString, pulsante);
        QFETCH(int, pannello);
        QFETCH(int, piene);
        riempi(colonne);
        frmVisualizza w(*m_sistema);
        QCOMPARE(Pannello(w), QStringLiteral("1"));

        QTest::mouseClick(figlio<QToolButton>(&w, qPrintable(pulsante)), Qt::LeftButton);
        QCOMPARE(Pannello(w), QString::number(pannello));
        for (int r = 0; r < ColonnePerPannello; ++r)
            QCOMPARE(Riga(w, r), r < piene ? Attesa(10 * pannello - 9 + r) : QString());

        // Nothing lies beyond: one more step forward stays put.
        QTest::mouseClick(figlio<QToolButton>(&w, "cmdNext1"), Qt::LeftButton);
        QCOMPARE(Pannello(w), QString::number(pannello));
    }

    void passi_data() {
        QTest::addColumn<int>("partenza");
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<int>("arrivo");

        QTest::newRow("avanti 10 oltre la fine") << 195 << "cmdNext2" << 201;
        QTest::newRow("indietro 10 oltre l'inizio") << 5 << "cmdPrev2" << 1;
        QTest::newRow("indietro 10 dall'ultimo") << 201 << "cmdPrev2" << 191;
        QTest::newRow("avanti 1") << 7 << "cmdNext1" << 8;
        QTest::newRow("indietro 1 dal primo") << 1 << "cmdPrev1" << 1;
        QTest::newRow("primo") << 150 << "cmdBOTTOM" << 1;
        QTest::newRow("ultimo") << 3 << "cmdTOP" << 201;
    }

    void passi() {
        QFETCH(int, partenza);
        QFETCH(QString, pulsante);
        QFETCH(int, arrivo);
        riempi(2001);
        frmVisualizza w(*m_sistema);
        auto* navigatore = figlio<NavigatorePannelli>(&w, "navigatore");
        QCOMPARE(navigatore->ultimo(), 201);
        navigatore->vaiA(partenza);
        QCOMPARE(Riga(w, 0), Attesa(10 * partenza - 9));

        QTest::mouseClick(figlio<QToolButton>(&w, qPrintable(pulsante)), Qt::LeftButton);
        QCOMPARE(Pannello(w), QString::number(arrivo));
        QCOMPARE(Riga(w, 0), Attesa(10 * arrivo - 9));
    }

    void tastoTenuto() {
        riempi(2001);
        frmVisualizza w(*m_sistema);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto fuoco = [&w](const char* nome) {
            auto* p = figlio<QToolButton>(&w, nome);
            p->setFocus();
            return QApplication::focusWidget() == p;
        };

        // One press, then the repeats of a held key.
        QVERIFY(fuoco("cmdNext2"));
        Premi(Qt::Key_Right, false);
        for (int k = 0; k < 4; ++k)
            Premi(Qt::Key_Right, true);
        QCOMPARE(Pannello(w), QStringLiteral("51"));
        QCOMPARE(Riga(w, 0), Attesa(501));

        QVERIFY(fuoco("cmdPrev1"));
        Premi(Qt::Key_A, false);
        Premi(Qt::Key_A, true);
        Premi(Qt::Key_A, true);
        QCOMPARE(Pannello(w), QStringLiteral("48"));

        // The space bar would also click the button: still a single step.
        QVERIFY(fuoco("cmdNext1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Pannello(w), QStringLiteral("49"));

        // Tab keeps moving the focus, and the first/last buttons do not page on keys.
        QVERIFY(fuoco("cmdPrev2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(Pannello(w), QStringLiteral("49"));
        QVERIFY(QApplication::focusWidget() != figlio<QToolButton>(&w, "cmdPrev2"));
        QVERIFY(fuoco("cmdTOP"));
        Premi(Qt::Key_Right, true);
        QCOMPARE(Pannello(w), QStringLiteral("49"));
    }

    void aspetto() {
        // Every picture of the program must load, or its buttons would come out blank.
        for (QDirIterator it(QStringLiteral(":/immagini")); it.hasNext();) {
            const QString percorso = it.next();
            QVERIFY2(QSvgRenderer(percorso).isValid(), qPrintable(percorso));
        }
        riempi(2001);
        frmVisualizza w(*m_sistema);
        for (const char* nome : {"cmdBOTTOM", "cmdPrev2", "cmdPrev1", "cmdNext1", "cmdNext2", "cmdTOP"})
            QVERIFY2(!figlio<QToolButton>(&w, nome)->icon().pixmap(32, 32).isNull(), nome);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint scarto = w.frameGeometry().center() - w.screen()->availableGeometry().center();
        QVERIFY2(scarto.manhattanLength() <= 2, "the viewer is not centred");

        QVERIFY(Fotografa(&w, QStringLiteral("visualizza-primo.png")));
        QTest::mouseClick(figlio<QToolButton>(&w, "cmdTOP"), Qt::LeftButton);
        QVERIFY(Fotografa(&w, QStringLiteral("visualizza-ultimo.png")));

        // A larger window shows larger lines.
        const qreal prima = figlio<QLabel>(&w, "labVisualizza_0")->font().pointSizeF();
        w.resize(w.size() * 1.6);
        QTRY_VERIFY(figlio<QLabel>(&w, "labVisualizza_0")->font().pointSizeF() > prima * 1.4);
        QVERIFY(Fotografa(&w, QStringLiteral("visualizza-grande.png")));
    }
};

QTEST_MAIN(TestVisualizza)
#include "tst_visualizza.moc"
