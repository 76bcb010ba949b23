#include "Avvio.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "IstanzaUnica.h"
#include "frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

class TestAvvio : public QObject {
    Q_OBJECT

    QTemporaryDir m_dati;

    QString cartellaDati() const { return m_dati.path() + QStringLiteral("/Sestinaplan"); }

private Q_SLOTS:
    void initTestCase() {
        // Everything the program writes goes below this run's own folders.
        qputenv("XDG_DATA_HOME", m_dati.path().toUtf8());
        qputenv("TMPDIR", m_dati.path().toUtf8());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void avvio_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("nome"); // of the System shown once the window is up
        const QString file = m_dati.filePath(QStringLiteral("il mio sistema.sec"));
        QTest::newRow("primo avvio") << QStringList{"sestinaplan"} << "nuovo.sec";
        QTest::newRow("file senza virgolette")
            << QStringList{"sestinaplan", m_dati.filePath(QStringLiteral("il")), "mio", "sistema.sec"}
            << "il mio sistema.sec";
        QTest::newRow("file tra virgolette") << QStringList{"sestinaplan", '"' + file + '"'} << "il mio sistema.sec";
    }
    void avvio() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, nome);
        const QString file = m_dati.filePath(QStringLiteral("il mio sistema.sec"));
        if (!QFile::exists(file))
            QVERIFY(QFile::copy(QStringLiteral(SESTINA_TEST_DATA "/sistemi/valido.sec"), file));
        auto corpo = std::make_unique<Corpo>();
        FakeInterfaccia ui;
        DialoghiFinti dialoghi;
        Avvio avvio(*corpo, ui, dialoghi);
        QVERIFY(avvio.esegui(argomenti, {QString(), 0}));
        QCOMPARE(corpo->sistema.numeroColonne, 0); // a file opens once the window shows, not before
        QTRY_COMPARE(avvio.principale()->findChild<QLabel*>(QStringLiteral("StBar_1"))->text(), nome);
        QCOMPARE(corpo->sistema.nomeSistema == nome && corpo->sistema.sistemaSviluppato, nome != "nuovo.sec");
        // The folders and the configuration's defaults are tst_configurazione's; here, that start-up uses them.
        QCOMPARE(corpo->cartellaDati, cartellaDati());
        QVERIFY(QDir(cartellaDati()).exists(QStringLiteral("sistemi")));
        QCOMPARE(corpo->fileConfigurazione, cartellaDati() + QStringLiteral("/impostazioni.cfg"));
        QCOMPARE(corpo->stampanteTabulato, QStringLiteral("N/A"));
        QVERIFY(avvio.principale()->findChild<QAction*>(QStringLiteral("menuSpoglioEstrazioni"))->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w->isVisible() == (w == avvio.principale()), qPrintable(w->objectName()));
        QVERIFY(ui.messaggi.isEmpty());
        corpo->chiusuraInCorso = true;
    }

    void secondaIstanza() {
        QTemporaryDir dati;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_DATA_HOME"), dati.path());
        // The same temporary folder as this test: the instances meet through a socket there.
        ambiente.insert(QStringLiteral("TMPDIR"), QDir::tempPath());
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess prima;
        prima.setProcessEnvironment(ambiente);
        prima.start(QStringLiteral(SESTINA_GUI), {});
        QVERIFY(prima.waitForStarted());
        IstanzaUnica sonda(dati.path() + QStringLiteral("/Sestinaplan"));
        QTRY_VERIFY_WITH_TIMEOUT(sonda.avvisaIstanzaInCorso(), 15000);

        QProcess seconda;
        seconda.setProcessEnvironment(ambiente);
        seconda.start(QStringLiteral(SESTINA_GUI), {});
        QVERIFY2(seconda.waitForFinished(15000), "the second instance did not give way");
        QCOMPARE(seconda.exitStatus(), QProcess::NormalExit);
        QCOMPARE(seconda.exitCode(), 0);
        QCOMPARE(prima.state(), QProcess::Running);
        prima.kill();
        prima.waitForFinished();
    }
};

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
