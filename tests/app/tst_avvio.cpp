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

    void primoAvvio() {
        auto corpo = std::make_unique<Corpo>();
        FakeInterfaccia ui;
        DialoghiFinti dialoghi;
        Avvio avvio(*corpo, ui, dialoghi);
        QVERIFY(avvio.esegui({QStringLiteral("sestinaplan")}, {QString(), 0}));
        QCOMPARE(corpo->cartellaDati, cartellaDati());
        for (const char* cartella : {"temp", "txt", "sistemi", "extrema", "archivio", "csv", "matrici"})
            QVERIFY2(QDir(cartellaDati()).exists(QString::fromLatin1(cartella)), cartella);
        QCOMPARE(corpo->fileConfigurazione, cartellaDati() + QStringLiteral("/impostazioni.cfg"));
        QVERIFY(!QFile::exists(corpo->fileConfigurazione));
        QCOMPARE(corpo->sistema.costoColonnaSE, 1.0f);
        QCOMPARE(corpo->sistema.costoColonnaSS, 1.5f);
        QCOMPARE(corpo->stampanteTabulato, QStringLiteral("N/A"));
        QCOMPARE(corpo->edizione, QStringLiteral("Freeware"));
        QVERIFY(avvio.principale()->isVisible());
        QVERIFY(avvio.principale()->findChild<QAction*>(QStringLiteral("menuSpoglioEstrazioni"))->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible() || w == avvio.principale(), qPrintable(w->objectName()));
        QVERIFY(ui.messaggi.isEmpty());
        corpo->chiusuraInCorso = true;
    }

    void fileDallaRigaDiComando_data() {
        QTest::addColumn<bool>("virgolette");
        QTest::newRow("senza virgolette") << false;
        QTest::newRow("tra virgolette") << true;
    }
    void fileDallaRigaDiComando() {
        QFETCH(bool, virgolette);
        const QString file = m_dati.filePath(QStringLiteral("il mio sistema.sec"));
        QFile::remove(file);
        QVERIFY(QFile::copy(QStringLiteral(SESTINA_TEST_DATA "/sistemi/valido.sec"), file));
        auto corpo = std::make_unique<Corpo>();
        FakeInterfaccia ui;
        DialoghiFinti dialoghi;
        Avvio avvio(*corpo, ui, dialoghi);
        const QStringList argomenti = virgolette
                                          ? QStringList{QStringLiteral("sestinaplan"), QLatin1Char('"') + file + QLatin1Char('"')}
                                          : QStringList{QStringLiteral("sestinaplan"), m_dati.filePath(QStringLiteral("il")),
                                                        QStringLiteral("mio"), QStringLiteral("sistema.sec")};
        QVERIFY(avvio.esegui(argomenti, {QString(), 0}));
        // Opened once the window shows, not before.
        QCOMPARE(corpo->sistema.numeroColonne, 0);
        QTRY_COMPARE(corpo->sistema.nomeSistema, QStringLiteral("il mio sistema.sec"));
        QVERIFY(corpo->sistema.numeroColonne > 0);
        QVERIFY(corpo->sistema.sistemaSviluppato);
        QCOMPARE(avvio.principale()->findChild<QLabel*>(QStringLiteral("StBar_1"))->text(),
                 QStringLiteral("il mio sistema.sec"));
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
