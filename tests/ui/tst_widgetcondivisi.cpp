#include "InterruttoreOnOff.h"
#include "Modali.h"

#include <QApplication>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace sestina;

namespace {

const QColor Giallo(255, 255, 0);
const QColor Nero(0, 0, 0);

// The look the pair must have: chosen yellow on black, the other button face with grey text.
bool aspettoScelto(const QWidget& w) {
    return w.autoFillBackground() && w.palette().color(w.backgroundRole()) == Giallo &&
           w.palette().color(w.foregroundRole()) == Nero;
}
bool aspettoNonScelto(const QWidget& w) {
    const QPalette base = QApplication::palette();
    return w.palette().color(w.backgroundRole()) == base.color(QPalette::Active, QPalette::Button) &&
           w.palette().color(w.foregroundRole()) == base.color(QPalette::Disabled, QPalette::WindowText);
}

} // namespace

class TestWidgetCondivisi final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void interruttore_data() {
        QTest::addColumn<int>("flagIniziale");
        QTest::addColumn<QList<int>>("pressioni");
        QTest::addColumn<int>("cambiamenti");
        QTest::newRow("ON, ON di nuovo") << -1 << QList<int>{0} << 0;
        QTest::newRow("1 vale ON") << 1 << QList<int>{0} << 0;
        QTest::newRow("avanti e indietro") << 0 << QList<int>{0, 0, 1, 1, 0} << 3;
    }
    void interruttore() {
        QFETCH(int, flagIniziale);
        QFETCH(QList<int>, pressioni);
        QFETCH(int, cambiamenti);
        Modali modali;
        QWidget finestra;
        auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCondSomma"), &finestra);
        (new QVBoxLayout(&finestra))->addWidget(interruttore);
        finestra.resize(400, 80); // buttons much wider than their captions, as in the editors
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        auto* on = figlio<QRadioButton>(&finestra, "optCondSomma_0");
        auto* off = figlio<QRadioButton>(&finestra, "optCondSomma_1");

        Flag flag = static_cast<Flag>(flagIniziale);
        interruttore->collegaFlag(flag);
        QCOMPARE(interruttore->acceso(), flagIniziale != 0);

        QSignalSpy premuto(interruttore, &InterruttoreOnOff::premuto);
        int cambiati = 0;
        QVERIFY(on->width() > 150 && off->width() > 150);
        for (int indice : pressioni) {
            // The whole coloured rectangle answers, up to its far end.
            QRadioButton* premere = indice == 0 ? on : off;
            QTest::mouseClick(premere, Qt::LeftButton, {}, QPoint(premere->width() - 3, premere->height() - 3));
            // Written at once, not when the dialog closes.
            QCOMPARE(flag, indice == 0 ? Vero : Falso);
            QCOMPARE(premuto.size(), 1);
            const QList<QVariant> argomenti = premuto.takeFirst();
            QCOMPARE(argomenti.at(0).toInt(), indice);
            cambiati += argomenti.at(1).toBool() ? 1 : 0;
            QVERIFY(on->isChecked() == (indice == 0) && off->isChecked() == (indice == 1));
            QVERIFY(aspettoScelto(indice == 0 ? *on : *off) && aspettoNonScelto(indice == 0 ? *off : *on));
        }
        QCOMPARE(cambiati, cambiamenti);

        // Every row ends on ON; the arrow keys move the choice as between radio buttons.
        on->setFocus();
        QTest::keyClick(on, Qt::Key_Right);
        QCOMPARE(flag, Falso);
        QVERIFY(aspettoScelto(*off));
    }
};

QTEST_MAIN(TestWidgetCondivisi)
#include "tst_widgetcondivisi.moc"
