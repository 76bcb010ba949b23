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
        QTest::newRow("zero in testa") << Colonna{0, 11, 25, 47, 60, 88} << "  11-25-47-60-88";
        QTest::newRow("zero in mezzo") << Colonna{3, 11, 0, 47, 60, 88} << "  03-11-47-60-88";
        QTest::newRow("vuota") << Colonna{} << "  ";
    }
    void riga() {
        QFETCH(Colonna, colonna);
        QFETCH(QString, attesa);
        QCOMPARE(RigaVisualizza(colonna.data()), attesa);
    }

    // From panel `da` of `colonne` columns a button leads to panel `a`, whose lines show its columns.
    void pannelli_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<int>("da");
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<int>("a");
        const auto riga = [](const char* nome, int colonne, int da, const char* pulsante, int a) {
            QTest::newRow(nome) << colonne << da << QString::fromLatin1(pulsante) << a;
        };
        riga("210: l'ultimo pannello e' pieno", 210, 1, "cmdTOP", 21);
        riga("7: righe 7..9 vuote", 7, 1, "cmdTOP", 1);
        riga("10: avanti 1 dall'ultimo", 10, 1, "cmdNext1", 1);
        riga("nessuna colonna", 0, 1, "cmdNext2", 1);
        riga("al limite", LimiteColonne, 1, "cmdTOP", LimiteColonne / 10);
        riga("2001: una colonna nell'ultimo", 2001, 3, "cmdTOP", 201);
        riga("avanti 10 oltre la fine", 2001, 195, "cmdNext2", 201);
        riga("indietro 10 oltre l'inizio", 2001, 5, "cmdPrev2", 1);
        riga("indietro 10 dall'ultimo", 2001, 201, "cmdPrev2", 191);
        riga("avanti 1", 2001, 7, "cmdNext1", 8);
        riga("indietro 1 dal primo", 2001, 1, "cmdPrev1", 1);
        riga("primo", 2001, 150, "cmdBOTTOM", 1);
    }
    void pannelli() {
        QFETCH(int, colonne);
        QFETCH(int, da);
        QFETCH(QString, pulsante);
        QFETCH(int, a);
        riempi(colonne);
        frmVisualizza w(*m_sistema);
        QCOMPARE(Pannello(w), QStringLiteral("1"));
        figlio<NavigatorePannelli>(&w, "navigatore")->vaiA(da);
        QTest::mouseClick(figlio<QToolButton>(&w, qPrintable(pulsante)), Qt::LeftButton);
        QCOMPARE(Pannello(w), QString::number(a));
        for (int r = 0, c = 10 * a - 9; r < ColonnePerPannello; ++r, ++c)
            QCOMPARE(Riga(w, r), c <= colonne ? Attesa(c) : QString());
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
        for (const bool ripetuto : {false, true, true})
            Premi(Qt::Key_A, ripetuto);
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
