#include "Download.h"
#include "FakeInterfaccia.h"
#include "ProvaSuFile.h"
#include "ServerPubblicazione.h"
#include "Versione.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

class TestDownload : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;     // the user's temporary folder for this run
    QTemporaryDir m_pubblico; // what the publisher serves
    QTemporaryDir m_locale;   // the program's files
    std::unique_ptr<ServerPubblicazione> m_server;
    FakeInterfaccia m_ui;

    static constexpr LimitiDownload Brevi{300, 1000, 1000, 3};

    QString fileVersione() const { return CartellaTemp() + QStringLiteral("sestinaplanver.txt"); }
    QString locale(const QString& nome) const { return m_locale.filePath(nome); }

    // Only the file itself: a failed download leaves no scratch file beside it.
    void verificaSoloVecchio(const QString& percorso) {
        QCOMPARE(Contenuto(percorso), QByteArray("vecchio"));
        QCOMPARE(QDir(m_locale.path()).entryList(QDir::Files), QStringList{QFileInfo(percorso).fileName()});
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("TMPDIR", m_temp.path().toUtf8());
        QCOMPARE(CartellaTemp(), QDir::tempPath() + QLatin1Char('/'));
        QVERIFY(Scrivi(m_pubblico.filePath("archivio.txt"), "1|02/01/2009|1|2|3|4|5|6|7|8\r\n"));
        m_server = std::make_unique<ServerPubblicazione>(m_pubblico.path());
        QVERIFY2(m_server->avviato(), qPrintable(m_server->errore()));
    }
    void cleanup() { QVERIFY(m_ui.messaggi.isEmpty()); }

    void confronto_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("piuRecente");
        QTest::newRow("minore piu' alta") << "3.0.12" << QStringLiteral("3.1.0") << true;
        QTest::newRow("revisione piu' bassa") << "3.1.0" << QStringLiteral("3.0.12") << false;
        QTest::newRow("uguali") << "3.0.12" << QStringLiteral("3.0.12") << false;
        QTest::newRow("parola in coda") << "3.0.12" << QStringLiteral("3.0.12 beta") << false;
        QTest::newRow("parola dopo un numero piu' alto") << "3.0.12" << QStringLiteral("3.0.13rc") << true;
        QTest::newRow("parti in piu' ignorate") << "3.0.12" << QStringLiteral("3.0.12.99") << false;
        QTest::newRow("parti in meno valgono 0") << "3.0.12" << QStringLiteral("3.0") << false;
        QTest::newRow("sola maggiore") << "3.0.12" << QStringLiteral("4") << true;
        QTest::newRow("prima riga vuota") << "3.0.12" << QStringLiteral("") << false;
        QTest::newRow("numeri a piu' cifre") << "3.9.0" << QStringLiteral("3.10.0") << true;
        QTest::newRow("spazio davanti") << "3.0.12" << QStringLiteral(" 3. 1.0") << true;
    }
    void confronto() {
        QFETCH(QString, locale);
        QFETCH(QString, server);
        QFETCH(bool, piuRecente);
        QCOMPARE(VersioneServerPiuRecente(locale, server), piuRecente);
    }

    // Against the real server; the program is 1.0.0.
    void nuovaVersione_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("remota"); // empty: the program starts
        QTest::newRow("piu' recente") << QByteArray("1.0.1\r\n") << "1.0.1";
        QTest::newRow("piu' recente, altre righe") << QByteArray("2.0.0 finale\r\nnote\r\n") << "2.0.0 finale";
        QTest::newRow("uguale") << QByteArray("1.0.0") << "";
        QTest::newRow("nessun file") << QByteArray() << "";
    }
    void nuovaVersione() {
        QFETCH(QByteArray, file);
        QFETCH(QString, remota);
        QCOMPARE(VersioneLocale(), QStringLiteral("1.0.0"));
        QFile::remove(m_pubblico.filePath("ver.txt"));
        if (!file.isEmpty())
            QVERIFY(Scrivi(m_pubblico.filePath("ver.txt"), file));
        const std::optional<QString> esito = NewVersion(m_server->indirizzo(), m_ui);
        QCOMPARE(esito.value_or(QString()), remota);
        // The file is gone once the program may start; it stays when the program ends.
        QCOMPARE(QFile::exists(fileVersione()), !remota.isEmpty());
        QFile::remove(fileVersione());
    }

    void scaricato() {
        const QString percorso = locale("a.txt");
        QVERIFY(Scrivi(percorso, "vecchio"));
        QVERIFY(DownloadFile(m_server->indirizzo() + PaginaArchivio, percorso, true, m_ui));
        QCOMPARE(Contenuto(percorso), Contenuto(m_pubblico.filePath("archivio.txt")));
        QVERIFY(QFile::remove(percorso));
    }

    // Every way a transfer can fail keeps the old file, whole and alone.
    void fallito_data() {
        QTest::addColumn<int>("guasto"); // -1: nginx, -2: nobody listening
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QByteArray>("risposta");
        using G = ServerGuasto::Guasto;
        QTest::newRow("pagina mancante") << -1 << "/public/decaplan/matrici/download.aspx?file=..%2Fver.txt"
                                         << QByteArray();
        QTest::newRow("nessun server") << -2 << PaginaVersione << QByteArray();
        QTest::newRow("server muto") << int(G::Silenzioso) << PaginaVersione << QByteArray();
        QTest::newRow("corpo troncato") << int(G::CorpoTroncato) << PaginaVersione << QByteArray();
        QTest::newRow("redirezione ciclica") << int(G::RedirezioneCiclica) << PaginaVersione << QByteArray();
        QTest::newRow("errore del server") << int(G::Risposta) << PaginaVersione << RispostaHttp(500, "1.0.1\r\n");
        QTest::newRow("troppo grande") << int(G::Risposta) << PaginaVersione
                                       << RispostaHttp(200, QByteArray(1001, 'x'));
        QTest::newRow("indirizzo non web") << -1 << "file:///etc/passwd" << QByteArray();
    }
    void fallito() {
        QFETCH(int, guasto);
        QFETCH(QString, pagina);
        QFETCH(QByteArray, risposta);
        std::unique_ptr<ServerGuasto> finto;
        QString indirizzo = m_server->indirizzo();
        if (guasto == -2)
            indirizzo = QStringLiteral("http://127.0.0.1:%1").arg(PortaLibera());
        if (guasto >= 0) {
            finto = std::make_unique<ServerGuasto>(ServerGuasto::Guasto(guasto), risposta);
            indirizzo = finto->indirizzo();
        }
        const QString url = pagina.contains(QLatin1String("://")) ? pagina : indirizzo + pagina;
        const QString percorso = locale("v.txt");
        QVERIFY(Scrivi(percorso, "vecchio"));
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(!DownloadFile(url, percorso, true, m_ui, Brevi));
        QVERIFY(tempo.elapsed() < 5000);
        verificaSoloVecchio(percorso);
        if (finto && guasto != int(ServerGuasto::Guasto::RedirezioneCiclica))
            QCOMPARE(finto->richieste(), 1);
    }

    // A silent server at start-up: no message, and the program goes on well within its limit.
    void serverMutoAllAvvio() {
        ServerGuasto muto(ServerGuasto::Guasto::Silenzioso);
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(!NewVersion(muto.indirizzo(), m_ui).has_value());
        QVERIFY(tempo.elapsed() < LimitiVersione.durataMassimaMs + 500);
        QVERIFY(!QFile::exists(fileVersione()));
    }

    void indirizzoDelServer() {
        const QString cfg = locale("impostazioni.cfg");
        QCOMPARE(IndirizzoServer(cfg), QStringLiteral("http://www.sestinaplan.it"));
        QVERIFY(Scrivi(cfg, "[Impostazioni]\r\nindirizzo_server=http://127.0.0.1:8080/\r\n"));
        QCOMPARE(IndirizzoServer(cfg), QStringLiteral("http://127.0.0.1:8080"));
        QFile::remove(cfg);
    }
};

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
