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
#include <QUrl>

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
    // What the shared temporary folder holds: a download must leave nothing there.
    static QStringList vociTemp() {
        return QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

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
        const QStringList prima = vociTemp();
        const std::optional<QString> esito = NewVersion(m_server->indirizzo(), m_ui);
        QCOMPARE(esito.value_or(QString()), remota);
        QCOMPARE(vociTemp(), prima);
    }

    // Another account may plant the scratch file's old name in the shared temporary folder before
    // the check: a link to one of the user's files, or a file of its own (a folder here, which
    // root cannot write either). Neither is followed nor stops the check.
    void nomePiantatoNellaCartellaTemp_data() {
        QTest::addColumn<bool>("collegamento");
        QTest::newRow("collegamento a un file dell'utente") << true;
        QTest::newRow("file di un altro") << false;
    }
    void nomePiantatoNellaCartellaTemp() {
        QFETCH(bool, collegamento);
        const QString vittima = locale("impostazioni.cfg");
        QVERIFY(Scrivi(vittima, "vecchio"));
        QVERIFY(collegamento ? QFile::link(vittima, fileVersione()) : QDir().mkdir(fileVersione()));
        QVERIFY(Scrivi(m_pubblico.filePath("ver.txt"), "1.0.1\r\n"));
        const QStringList prima = vociTemp();
        QCOMPARE(NewVersion(m_server->indirizzo(), m_ui).value_or(QString()), QStringLiteral("1.0.1"));
        QCOMPARE(vociTemp(), prima);
        verificaSoloVecchio(vittima);
        QVERIFY(QFile::remove(vittima));
        QVERIFY(collegamento ? QFile::remove(fileVersione()) : QDir().rmdir(fileVersione()));
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

    // The scheme may only go to https, and a host is its name (the servers below cover the rest).
    void redirezioneAmmessa_data() {
        QTest::addColumn<QString>("da");
        QTest::addColumn<QString>("a");
        QTest::addColumn<bool>("ammessa");
        QTest::newRow("verso https") << "http://Server.Example/a"
                                     << "https://server.example/a" << true;
        QTest::newRow("da https a http") << "https://127.0.0.1/a"
                                         << "http://127.0.0.1/a" << false;
        QTest::newRow("https di un altro host") << "http://127.0.0.1/a"
                                                << "https://127.0.0.2/a" << false;
        QTest::newRow("altro nome") << "http://127.0.0.1/a"
                                    << "http://localhost/a" << false;
        QTest::newRow("file locale") << "http://127.0.0.1/a"
                                     << "file:///etc/passwd" << false;
    }
    void redirezioneAmmessa() {
        QFETCH(QString, da);
        QFETCH(QString, a);
        QFETCH(bool, ammessa);
        QCOMPARE(RedirezioneAmmessa(QUrl(da), QUrl(a)), ammessa);
    }

    // Against two servers: the second on another loopback address stands for another host.
    void redirezione_data() {
        QTest::addColumn<QString>("hostDestinazione");
        QTest::addColumn<QString>("location"); // @ is the destination's address
        QTest::addColumn<bool>("riuscito");
        QTest::newRow("relativa") << "127.0.0.1"
                                  << "/dopo" << true;
        QTest::newRow("stesso host, altra porta") << "127.0.0.1"
                                                  << "@/dopo" << true;
        QTest::newRow("altro host") << "127.0.0.2"
                                    << "@/dopo" << false;
    }
    void redirezione() {
        QFETCH(QString, hostDestinazione);
        QFETCH(QString, location);
        QFETCH(bool, riuscito);
        using G = ServerGuasto::Guasto;
        ServerGuasto destinazione(G::Pagine, {}, QHostAddress(hostDestinazione));
        ServerGuasto primo(G::Pagine);
        location.replace(QLatin1Char('@'), destinazione.indirizzo());
        primo.pagina(PaginaVersione.toLatin1(), RispostaRedirezione(location.toLatin1()));
        for (ServerGuasto* s : {&primo, &destinazione})
            s->pagina("/dopo", RispostaHttp(200, "1.0.1\r\n"));
        const QString percorso = locale("v.txt");
        QVERIFY(Scrivi(percorso, "vecchio"));
        QCOMPARE(DownloadFile(primo.indirizzo() + PaginaVersione, percorso, true, m_ui, Brevi), riuscito);
        if (riuscito) {
            QCOMPARE(Contenuto(percorso), QByteArray("1.0.1\r\n"));
            QVERIFY(QFile::remove(percorso));
        } else {
            verificaSoloVecchio(percorso);
            QCOMPARE(destinazione.richieste(), 0);
        }
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
