#include "IstanzaUnica.h"

#include <QDir>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace sestina;

class TestIstanzaUnica final : public QObject {
    Q_OBJECT

    QTemporaryDir m_cartelle;

    QString cartella(const QString& nome) {
        QDir(m_cartelle.path()).mkpath(nome);
        return m_cartelle.filePath(nome);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_cartelle.isValid()); }

    void secondoAvvio_data() {
        QTest::addColumn<QString>("cartellaB");
        QTest::addColumn<bool>("trovata");
        QTest::newRow("stessa cartella") << QStringLiteral("dati") << true;
        QTest::newRow("stessa, scritta diversamente") << QStringLiteral("altro/../dati/") << true;
        QTest::newRow("altra cartella") << QStringLiteral("altro") << false;
    }
    void secondoAvvio() {
        QFETCH(QString, cartellaB);
        QFETCH(bool, trovata);
        cartella(QStringLiteral("altro"));
        IstanzaUnica a(cartella(QStringLiteral("dati")));
        int mostrata = 0;
        QVERIFY(a.ascolta([&mostrata](const QString& file) { mostrata += file.isEmpty() ? 1 : 100; }));

        IstanzaUnica b(m_cartelle.filePath(cartellaB));
        QCOMPARE(b.avvisaIstanzaInCorso(200), trovata);
        if (trovata)
            QTRY_COMPARE(mostrata, 1);
        QTest::qWait(100); // and no more than once
        QCOMPARE(mostrata, trovata ? 1 : 0);
    }

    void richiestaSconosciutaIgnorata() {
        IstanzaUnica a(cartella(QStringLiteral("dati")));
        int richieste = 0;
        QVERIFY(a.ascolta([&richieste](const QString&) { ++richieste; }));
        // A relative path comes from no start of the program; nor do unknown words or endless lines.
        for (const QByteArray& richiesta :
             {QByteArray("apri etc/passwd\n"), QByteArray("chiudi\n"), QByteArray(20'000, 'x')}) {
            QLocalSocket socket;
            socket.connectToServer(a.nomeServer());
            QVERIFY(socket.waitForConnected(1000));
            socket.write(richiesta);
            QVERIFY(socket.waitForBytesWritten(1000));
            // The server hangs up on anything but its requests.
            QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        }
        QCOMPARE(richieste, 0);
    }

    // A later start hands over its file, as a full path: its own working folder means nothing there.
    void fileAllIstanzaInCorso() {
        IstanzaUnica a(cartella(QStringLiteral("dati")));
        QStringList ricevuti;
        QVERIFY(a.ascolta([&ricevuti](const QString& file) { ricevuti << file; }));
        const QString relativo = QStringLiteral("sistemi/il mio è 100%.sec");
        QVERIFY(IstanzaUnica(cartella(QStringLiteral("dati"))).avvisaIstanzaInCorso(500, relativo));
        QTRY_COMPARE(ricevuti, QStringList{QDir::current().absoluteFilePath(relativo)});
    }

    // The check takes the name at once: a start a moment later finds this one even before its window
    // is up, and what it asks waits for the window.
    void nomePresoAlControllo() {
        const QString dati = cartella(QStringLiteral("presto"));
        IstanzaUnica prima(dati);
        QVERIFY(!prima.cediAIstanzaInCorso());
        QVERIFY(prima.inAscolto());
        const QString file = m_cartelle.filePath(QStringLiteral("b.sec"));
        QVERIFY(IstanzaUnica(dati).cediAIstanzaInCorso(file, 500));
        QTest::qWait(200); // the request arrives while nobody can handle it yet
        QStringList ricevuti;
        QVERIFY(prima.ascolta([&ricevuti](const QString& f) { ricevuti << f; }));
        QCOMPARE(ricevuti, QStringList{file});
    }

    void nomeRimastoNonBlocca() {
#ifdef Q_OS_UNIX
        const QString dati = cartella(QStringLiteral("crash"));
        // A crashed instance leaves its socket file with nobody listening behind it.
        const QByteArray percorso =
            QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + IstanzaUnica::NomeServer(dati));
        sockaddr_un indirizzo{};
        indirizzo.sun_family = AF_UNIX;
        QVERIFY(percorso.size() < static_cast<qsizetype>(sizeof(indirizzo.sun_path)));
        qstrcpy(indirizzo.sun_path, percorso.constData());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        ::unlink(percorso.constData());
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&indirizzo), sizeof(indirizzo)), 0);
        ::close(fd);
        QVERIFY(QFile::exists(QFile::decodeName(percorso)));

        IstanzaUnica dopoCrash(dati);
        QVERIFY(!dopoCrash.avvisaIstanzaInCorso(200));
        int mostrata = 0;
        QVERIFY(dopoCrash.ascolta([&mostrata](const QString&) { ++mostrata; }));
        QVERIFY(IstanzaUnica(dati).avvisaIstanzaInCorso(200));
        QTRY_COMPARE(mostrata, 1);
#else
        QSKIP("Named pipes leave nothing behind");
#endif
    }
};

QTEST_MAIN(TestIstanzaUnica)
#include "tst_istanzaunica.moc"
