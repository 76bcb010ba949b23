#include "InterfacciaQt.h"
#include "Modali.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

using namespace sestina;

// The real message boxes: what the user sees and what the program hears back.
class TestInterfacciaQt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messaggio_data() {
        QTest::addColumn<int>("pulsanti");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("attesa");
        QTest::newRow("Si") << int(Pulsanti::SiNo) << int(Qt::Key_Return) << int(Risposta::Si);
        QTest::newRow("Esc su Si/No") << int(Pulsanti::SiNo) << int(Qt::Key_Escape) << int(Risposta::No);
        QTest::newRow("Ok") << int(Pulsanti::Ok) << int(Qt::Key_Return) << int(Risposta::Ok);
        QTest::newRow("Esc su Si/No/Annulla")
            << int(Pulsanti::SiNoAnnulla) << int(Qt::Key_Escape) << int(Risposta::Annulla);
    }
    void messaggio() {
        QFETCH(int, pulsanti);
        QFETCH(int, tasto);
        QFETCH(int, attesa);
        Modali modali;
        QString testo;
        QString titolo;
        QMessageBox::Icon icona = QMessageBox::NoIcon;
        modali.quandoAppare([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            testo = box->text();
            titolo = box->windowTitle();
            icona = box->icon();
            QTest::keyClick(box, static_cast<Qt::Key>(tasto));
        });
        InterfacciaQt ui;
        const Risposta r = ui.messaggio(QStringLiteral("prima <b>riga</b>\r  seconda\r\nterza"),
                                        QStringLiteral("Attenzione"), Icona::Domanda, static_cast<Pulsanti>(pulsanti));
        QCOMPARE(int(r), attesa);
        QCOMPARE(testo, QStringLiteral("prima <b>riga</b>\n  seconda\nterza"));
        QCOMPARE(titolo, QStringLiteral("Attenzione"));
        QCOMPARE(icona, QMessageBox::Question);
        QVERIFY(modali.tuttiGestiti());
    }
};

QTEST_MAIN(TestInterfacciaQt)
#include "tst_interfacciaqt.moc"
