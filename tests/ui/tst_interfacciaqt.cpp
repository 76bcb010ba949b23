#include "Applicazione.h"
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

    // Qt's own buttons speak the user's language when Qt has it, Italian otherwise: the program's
    // questions never get an English "Yes".
    void pulsantiDiQt_data() {
        QTest::addColumn<QLocale>("lingua");
        QTest::addColumn<QString>("si");
        QTest::addColumn<QString>("annulla");
        QTest::newRow("italiano") << QLocale(QLocale::Italian, QLocale::Italy) << "Sì"
                                  << "Annulla";
        QTest::newRow("C: italiano") << QLocale::c() << "Sì"
                                     << "Annulla";
        QTest::newRow("tedesco") << QLocale(QLocale::German, QLocale::Germany) << "Ja"
                                 << "Abbrechen";
    }
    void pulsantiDiQt() {
        QFETCH(QLocale, lingua);
        QFETCH(QString, si);
        QFETCH(QString, annulla);
        QTranslator* traduttore = CaricaTraduzioniQt(*QCoreApplication::instance(), lingua);
        QVERIFY2(traduttore, "no Qt translations: qt6-translations-l10n is missing");
        Modali modali;
        QStringList testi;
        modali.quandoAppare([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::Cancel})
                testi << box->button(b)->text().remove(QLatin1Char('&'));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        InterfacciaQt ui;
        ui.messaggio(QStringLiteral("Salvare?"), QStringLiteral("Attenzione"), Icona::Domanda, Pulsanti::SiNoAnnulla);
        QCoreApplication::removeTranslator(traduttore);
        delete traduttore;
        QCOMPARE(testi, (QStringList{si, annulla}));
    }
};

QTEST_MAIN(TestInterfacciaQt)
#include "tst_interfacciaqt.moc"
