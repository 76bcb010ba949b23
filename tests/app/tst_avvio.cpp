#include "Avvio.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "IstanzaUnica.h"
#include "Modali.h"
#include "ProvaSuFile.h"
#include "ServerPubblicazione.h"
#include "frmArchivio.h"
#include "frmMAIN.h"
#include "frmStatistiche.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>

using namespace sestina;

class TestAvvio : public QObject {
    Q_OBJECT

    QTemporaryDir m_dati;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<DialoghiFinti> m_dialoghi;
    std::unique_ptr<Avvio> m_avvio;

    QString cartellaDati() const { return m_dati.path() + QStringLiteral("/Sestinaplan"); }
    void usaServer(const QString& indirizzo) {
        QVERIFY(QDir().mkpath(cartellaDati()));
        QVERIFY(Scrivi(cartellaDati() + "/impostazioni.cfg",
                       "[Impostazioni]\r\nindirizzo_server=" + indirizzo.toUtf8() + "\r\n"));
    }

private Q_SLOTS:
    void initTestCase() {
        // Everything the program writes goes below this run's own folders.
        qputenv("XDG_DATA_HOME", m_dati.path().toUtf8());
        qputenv("TMPDIR", m_dati.path().toUtf8());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_ui = std::make_unique<FakeInterfaccia>();
        m_dialoghi = std::make_unique<DialoghiFinti>();
        m_avvio = std::make_unique<Avvio>(*m_corpo, *m_ui, *m_dialoghi);
    }
    void cleanup() {
        m_corpo->chiusuraInCorso = true;
        m_avvio.reset();
        QVERIFY(m_ui->messaggi.isEmpty());
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
        QVERIFY(m_avvio->esegui(argomenti, {QString(), 0, {}, {}}));
        const Corpo& corpo = *m_corpo;
        QCOMPARE(corpo.sistema.numeroColonne, 0); // a file opens once the window shows, not before
        QTRY_COMPARE(m_avvio->principale()->findChild<QLabel*>(QStringLiteral("StBar_1"))->text(), nome);
        QCOMPARE(corpo.sistema.nomeSistema == nome && corpo.sistema.sistemaSviluppato, nome != "nuovo.sec");
        // The Condizioni marks show the conditions the file brought.
        const Sistema& s = corpo.sistema;
        const std::pair<const char*, bool> segni[] = {{"menuColonnaFiltro", s.numeroFiltri >= 1},
                                                      {"menuConsecutivi", s.condConsecutivi != 0},
                                                      {"menuFisse", s.condFisse != 0},
                                                      {"menuPariDispari", s.condPariDispari != 0},
                                                      {"menuSomma", s.condSomma != 0},
                                                      {"menuRidotto", s.condRidotto != 0}};
        int accese = 0;
        for (const auto& [voce, acceso] : segni) {
            QCOMPARE(m_avvio->principale()->findChild<QAction*>(QLatin1String(voce))->isChecked(), acceso);
            accese += acceso;
        }
        QCOMPARE(accese > 0, nome != "nuovo.sec");
        // The folders and the configuration's defaults are tst_configurazione's; here, that start-up uses them.
        QCOMPARE(corpo.cartellaDati, cartellaDati());
        QVERIFY(QDir(cartellaDati()).exists(QStringLiteral("sistemi")));
        QCOMPARE(corpo.fileConfigurazione, cartellaDati() + QStringLiteral("/impostazioni.cfg"));
        QCOMPARE(corpo.stampanteTabulato, QStringLiteral("N/A"));
        QVERIFY(m_avvio->principale()->findChild<QAction*>(QStringLiteral("menuSpoglioEstrazioni"))->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w->isVisible() == (w == m_avvio->principale()), qPrintable(w->objectName()));
    }

    // The shipped matrices reach the user's folder, except where a file of the same name is there.
    void matriciDistribuite() {
        QTemporaryDir distribuite;
        QVERIFY(Scrivi(distribuite.filePath("7numeri-2se6.mspl"), "nuova"));
        QVERIFY(Scrivi(distribuite.filePath("8numeri-2se6.mspl"), "nuova"));
        QTemporaryDir dati;
        const QString matrici = dati.path() + QStringLiteral("/matrici");
        QVERIFY(QDir().mkpath(matrici));
        QVERIFY(Scrivi(matrici + "/7NUMERI-2SE6.mspl", "mia"));
        QVERIFY(m_avvio->esegui({"sestinaplan"}, {dati.path(), 0, distribuite.path(), {}}));
        QCOMPARE(QDir(matrici).entryList({"*.mspl"}, QDir::Files, QDir::Name),
                 (QStringList{"7NUMERI-2SE6.mspl", "8numeri-2se6.mspl"}));
        QCOMPARE(Contenuto(matrici + "/7NUMERI-2SE6.mspl"), QByteArray("mia"));
        QCOMPARE(Contenuto(matrici + "/8numeri-2se6.mspl"), QByteArray("nuova"));
    }

    // A fresh data folder starts with the shipped draws: listed, counted and ready for the scrutiny.
    void estrazioniDistribuite() {
        QTemporaryDir dati;
        QVERIFY(m_avvio->esegui(
            {"sestinaplan"},
            {dati.path(), 0, {}, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/superenalotto-2009-2026.csv")}));
        auto* lst = m_avvio->principale()->finestraArchivio().findChild<QListWidget*>(QStringLiteral("lst"));
        QCOMPARE(lst->count(), 2855);
        QCOMPARE(lst->item(0)->text(), QStringLiteral(" 23/05/2026 | 083 | 14 29 34 57 59 69 | 20 | 16"));
        const auto& consecutivi = m_avvio->principale()->finestraStatistiche().tabelle().consecutivi;
        QCOMPARE(std::accumulate(consecutivi.begin(), consecutivi.end(), 0), 2855);
    }

    // A server that accepts and never answers holds start-up back by its timeout only.
    void serverMuto() {
        ServerGuasto muto(ServerGuasto::Guasto::Silenzioso);
        usaServer(muto.indirizzo());
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(m_avvio->esegui({"sestinaplan"}, {}));
        QVERIFY2(tempo.elapsed() < 6000, qPrintable(QString::number(tempo.elapsed())));
        QVERIFY(m_avvio->principale()->isVisible());
        QCOMPARE(muto.richieste(), 1);
    }

    // A newer version on the server: its window, then the end, with no main window.
    void versioneNuova() {
        ServerGuasto server(ServerGuasto::Guasto::Risposta, RispostaHttp(200, "1.0.10 nuova\r\n"));
        usaServer(server.indirizzo());
        Modali modali;
        QStringList visto;
        bool occupato = false;
        modali.quandoAppare([&](QWidget* w) {
            // The instance's name is already taken while the check runs.
            occupato = IstanzaUnica(cartellaDati()).avvisaIstanzaInCorso(500);
            visto << w->windowTitle() << figlio<QLabel>(w, "lbLocalVersion")->text()
                  << figlio<QLabel>(w, "lbRemoteVersion")->text() << figlio<QLabel>(w, "lbURL")->toolTip();
            w->close();
        });
        QVERIFY(!m_avvio->esegui({"sestinaplan"}, {QString(), 0, {}, {}}));
        QCOMPARE(visto,
                 (QStringList{"Nuova Versione Disponibile!!", "1.0.0", "1.0.10 nuova", "Click per aprire la pagina"}));
        QVERIFY(!m_avvio->principale());
        QVERIFY(occupato);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        // The version file went with the check's own folder.
        QVERIFY(!QFile::exists(QDir::tempPath() + "/sestinaplanver.txt"));
    }

    // A second start with a file: this instance opens it, once its window is free to.
    void fileDaUnSecondoAvvio() {
        const QString file = m_dati.filePath(QStringLiteral("il mio sistema.sec"));
        if (!QFile::exists(file))
            QVERIFY(QFile::copy(QStringLiteral(SESTINA_TEST_DATA "/sistemi/valido.sec"), file));
        QVERIFY(m_avvio->esegui({"sestinaplan"}, {QString(), 0, {}, {}}));
        frmMAIN* principale = m_avvio->principale();
        principale->setEnabled(false); // as while it develops
        QVERIFY(IstanzaUnica(cartellaDati()).avvisaIstanzaInCorso(500, file));
        QTest::qWait(600);
        QCOMPARE(m_corpo->sistema.numeroColonne, 0);
        principale->setEnabled(true);
        QTRY_COMPARE(principale->findChild<QLabel*>(QStringLiteral("StBar_1"))->text(),
                     QStringLiteral("il mio sistema.sec"));
        QVERIFY(m_corpo->sistema.sistemaSviluppato);
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
