#include "EseguiCli.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <ProvaSuFile.h>
#include <ServerPubblicazione.h>

#include <array>
#include <memory>

using namespace sestina;

namespace {

using Esito = prova::EsitoCli;

const QString DatiReali = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");

} // namespace

// The check, the archive and the publisher folder on the command line, with the data folder
// and the temporary folder of this run only.
class TestCliRisultati : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString dati() const { return m_dir.filePath(QStringLiteral("Sestinaplan")); }
    QString fileArchivio() const { return dati() + QStringLiteral("/archivio/sestinaplan.dat"); }

    Esito esegui(const QStringList& argomenti) {
        return prova::EseguiCli(argomenti, prova::AmbienteCli(m_dir.path(), m_dir.path()));
    }
    void usaServer(const QString& indirizzo) {
        QVERIFY(QDir().mkpath(dati()));
        QVERIFY(
            Scrivi(dati() + "/impostazioni.cfg", "[Impostazioni]\r\nindirizzo_server=" + indirizzo.toUtf8() + "\r\n"));
    }

private Q_SLOTS:
    // All 28 columns of 1..8 against 1..6 with Jolly 7, worked out by hand: one 6, twelve 5
    // (the six with 7 are 5+1), fifteen 4.
    void verifica() {
        const QString sistema = m_dir.filePath("otto.sec");
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-8", "-o", sistema}).stato, 0);
        const Esito e = esegui({"verifica", sistema, "--vincente", "6 5 4 3 2 1 7", "--colonne"});
        QCOMPARE(e.stato, 0);
        const QList<QByteArray> righe = e.uscita.split('\n');
        QCOMPARE(righe.size(), 8);
        QCOMPARE(righe[0], QByteArray("Punti 6\t1\tC. 1"));
        QCOMPARE(righe[1], QByteArray("Punti 5+1\t6\tC. 2 C. 4 C. 7 C. 11 C. 16 C. 22"));
        QVERIFY(righe[2].startsWith("Punti 5\t6\tC. 3 C. 5 C. 8") && righe[3].startsWith("Punti 4\t15\t"));
        QCOMPARE(righe.mid(4),
                 (QList<QByteArray>{"Punti 3\t0\t", "Punti 2\t0\t", "Massimo punteggio raggiunto 6", ""}));
        QCOMPARE(esegui({"verifica", sistema, "--vincente", "10 20 30 40 50 60 70"}).uscita.split('\n').at(6),
                 QByteArray("Massimo punteggio raggiunto 0"));
    }

    void verificaRifiutata_data() {
        QTest::addColumn<QString>("vincente");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QByteArray>("messaggio");
        QTest::newRow("jolly uguale al massimo") << "1 2 3 4 5 6 6" << 2 << QByteArray("Duplicazione di numeri\n");
        QTest::newRow("jolly uguale a un altro") << "1 2 3 4 5 6 3" << 2 << QByteArray("Combinazione errata\n");
        QTest::newRow("jolly con altre cifre") << "1 2 03 4 5 6 3" << 2 << QByteArray("Combinazione errata\n");
        QTest::newRow("fuori intervallo") << "1 2 3 4 5 91 7" << 2 << QByteArray("Valore 91 non ammesso\n");
        QTest::newRow("senza jolly") << "1 2 3 4 5 6" << 2 << QByteArray("Valore 0 non ammesso\n");
        QTest::newRow("tre cifre") << "1 2 3 4 5 6 100" << 1 << QByteArray();
        QTest::newRow("otto numeri") << "1 2 3 4 5 6 7 8" << 1 << QByteArray();
    }
    void verificaRifiutata() {
        QFETCH(QString, vincente);
        QFETCH(int, stato);
        QFETCH(QByteArray, messaggio);
        const QString sistema = m_dir.filePath("nove.sec");
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-9", "-o", sistema}).stato, 0);
        const Esito e = esegui({"verifica", sistema, "--vincente", vincente});
        QCOMPARE(e.stato, stato);
        QVERIFY(e.uscita.isEmpty());
        if (!messaggio.isEmpty())
            QCOMPARE(e.errori, messaggio);
    }

    // pubblica writes the folder, nginx serves it, archivio aggiorna brings it into the data folder.
    void pubblicaEAggiorna() {
        const QString pubblico = m_dir.filePath("pubblico");
        QCOMPARE(esegui({"pubblica", "--archivio", DatiReali, "--versione", "1.2", "-o", pubblico}).stato, 1);
        QCOMPARE(esegui({"pubblica", "--archivio", DatiReali, "--versione", "1.2.0", "-o", pubblico}).stato, 0);
        QCOMPARE(Contenuto(pubblico + "/ver.txt"), QByteArray("1.2.0\r\n"));
        QCOMPARE(Contenuto(pubblico + "/archivio.txt"), Contenuto(DatiReali));
        ServerPubblicazione server(pubblico);
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        usaServer(server.indirizzo());

        QCOMPARE(esegui({"archivio", "aggiorna"}).stato, 0);
        QCOMPARE(QFileInfo(fileArchivio()).size(), 2855 * 20);
        const Esito elenco = esegui({"archivio", "elenca"});
        QCOMPARE(elenco.stato, 0);
        QList<QByteArray> righe = elenco.uscita.split('\n');
        QCOMPARE(righe.takeLast(), QByteArray());
        QCOMPARE(righe.size(), 2855);
        QCOMPARE(righe.front(), QByteArray(" 23/05/2026 | 083 | 14 29 34 57 59 69 | 20 | 16"));
        QCOMPARE(righe.back(), QByteArray(" 02/01/2009 | 001 | 16 19 29 34 48 64 | 53 | 34"));

        // A list broken half-way, then no server at all: the archive file stays as it was.
        const QByteArray prima = Contenuto(fileArchivio());
        const QByteArray reali = Contenuto(DatiReali);
        QVERIFY(Scrivi(pubblico + "/archivio.txt",
                       reali.left(reali.indexOf('\n', 50'000) + 1) + "9|x|1|2|tre|4|5|6|7|8\r\n"));
        Esito e = esegui({"archivio", "aggiorna"});
        QCOMPARE(e.stato, 5);
        QCOMPARE(e.errori,
                 QByteArray("Error 13 (Tipo non corrispondente) in procedure LoadArchivioTMP of Form frmUpdate\n"
                            "Errore durante il download dell'aggiornamento\n"));
        // A list cut at a line end, or without the newest draw, would lose draws: refused.
        QVERIFY(Scrivi(pubblico + "/archivio.txt", reali.left(reali.indexOf('\n', reali.size() / 2) + 1)));
        e = esegui({"archivio", "aggiorna"});
        QCOMPARE(e.stato, 5);
        QCOMPARE(e.errori, QByteArray("L'aggiornamento ricevuto è incompleto: l'archivio non è stato modificato\n"));
        QVERIFY(Scrivi(pubblico + "/archivio.txt", reali.left(reali.lastIndexOf('\n', reali.size() - 3) + 1)));
        QCOMPARE(esegui({"archivio", "aggiorna"}).stato, 5);
        QCOMPARE(Contenuto(fileArchivio()), prima);
        usaServer(QStringLiteral("http://127.0.0.1:%1").arg(PortaLibera()));
        e = esegui({"archivio", "aggiorna"});
        QCOMPARE(e.stato, 5);
        QCOMPARE(e.errori, QByteArray("Errore durante il download dell'aggiornamento\n"));
        QCOMPARE(Contenuto(fileArchivio()), prima);
    }

    // A fresh data folder starts with the shipped draws; they never replace draws already there.
    void primoAvvioImportaAggiungi() {
        QDir(dati()).removeRecursively();
        Esito e = esegui({"archivio", "elenca"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita.count('\n'), 2855);
        QVERIFY(e.uscita.startsWith(" 23/05/2026 | 083 | 14 29 34 57 59 69 | 20 | 16\n"));
        const QByteArray spedito = Contenuto(fileArchivio());

        e = esegui({"archivio", "importa", QStringLiteral(SESTINA_DATI_ESTRAZIONI "/superenalotto-2009-2026.csv")});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("Estrazioni aggiunte: 0\n"));
        QCOMPARE(Contenuto(fileArchivio()), spedito);

        const QString csv = m_dir.filePath("vecchie.csv");
        QVERIFY(Scrivi(csv, "03/12/1997;1;12;34;45;56;67;78;89;0\r\n23/05/2026;83;14;29;34;57;59;69;20;16\r\n"));
        e = esegui({"archivio", "importa", csv});
        QCOMPARE(e.uscita, QByteArray("Estrazioni aggiunte: 1\n"));
        QVERIFY(Contenuto(fileArchivio())
                    .startsWith(QByteArray("\x01\x00"
                                           "03/12/1997\x0c\x22\x2d\x38\x43\x4e\x59\x00",
                                           20)));

        // Refusals: another draw on an archived date, a bad line, a bad typed draw.
        const QByteArray prima = Contenuto(fileArchivio());
        QVERIFY(Scrivi(csv, "03/12/1997;1;12;34;45;56;67;78;89;0\r\n02/01/2009;1;16;19;29;34;48;65;53;34\r\n"));
        e = esegui({"archivio", "importa", csv});
        QCOMPARE(e.stato, 2);
        QCOMPARE(e.errori, QByteArray("Il concorso del 02/01/2009 è diverso da quello in archivio\n"));
        QVERIFY(Scrivi(csv, "24/05/2026;84;1;2;3;4;5;6;7;8\r\n25/05/2026;85;1;2;3;4;5;6;7\r\n"));
        e = esegui({"archivio", "importa", csv});
        QCOMPARE(e.stato, 2);
        QCOMPARE(e.errori, QByteArray("Riga 2: attesi 10 campi, trovati 9\n"));
        e = esegui({"archivio", "aggiungi", "--data", "26/05/2026", "--concorso", "84", "--numeri", "1 2 3 4 5 6",
                    "--jolly", "03"});
        QCOMPARE(e.stato, 2);
        QCOMPARE(e.errori, QByteArray("Combinazione errata\n"));
        QCOMPARE(esegui({"archivio", "aggiungi", "--data", "26/05/2026"}).stato, 1);
        QCOMPARE(Contenuto(fileArchivio()), prima);

        e = esegui({"archivio", "aggiungi", "--data", "26/05/2026", "--concorso", "84", "--numeri", "6 5 4 3 2 1",
                    "--jolly", "7", "--superstar", "9"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("Estrazioni aggiunte: 1\n"));
        QVERIFY(esegui({"archivio", "elenca"}).uscita.startsWith(" 26/05/2026 | 084 | 01 02 03 04 05 06 | 07 | 09\n"));
    }

    // pubblica takes a draw list, an archive file or the public CSV; a bad draw or another kind of
    // file writes nothing.
    void pubblicaFormati_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QByteArray>("errore");
        const QByteArray buona = "1|03/12/1997|12|34|45|56|67|78|89|0\r\n";
        QTest::newRow("lista") << "a.txt" << buona << QByteArray();
        QTest::newRow("csv") << "a.csv"
                             << QByteArray("date,contest_number,n1,n2,n3,n4,n5,n6,jolly,superstar\n"
                                           "1997-12-03,1,12,34,45,56,67,78,89,0\n")
                             << QByteArray();
        QTest::newRow("archivio") << "a.dat"
                                  << QByteArray("\x01\x00"
                                                "03/12/1997\x0c\x22\x2d\x38\x43\x4e\x59\x00",
                                                20)
                                  << QByteArray();
        QTest::newRow("csv con riga errata") << "b.csv" << QByteArray("1997-12-03,1,12,34,45,56,67,78,89,0\nx\n")
                                             << QByteArray("Riga 2: attesi 10 campi, trovati 1");
        QTest::newRow("archivio con record errato") << "b.dat"
                                                    << QByteArray("\x01\x00"
                                                                  "03/12/1997\x0c\x22\x2d\x38\x43\x4e\x59\x00"
                                                                  "\x01\x00"
                                                                  "04/12/1997\x0c\x0c\x2d\x38\x43\x4e\x59\x00",
                                                                  40)
                                                    << QByteArray("Record 2: Duplicazione di numeri");
        QTest::newRow("archivio monco") << "c.dat" << QByteArray(30, '\x01')
                                        << QByteArray("La dimensione del file (30 byte) non è un multiplo di 20");
        QTest::newRow("altro tipo") << "a.sec" << buona
                                    << QByteArray("Formato non riconosciuto: usare un file .txt, .dat o .csv");
    }
    void pubblicaFormati() {
        QFETCH(QString, nome);
        QFETCH(QByteArray, contenuto);
        QFETCH(QByteArray, errore);
        const QString ingresso = m_dir.filePath(nome);
        QVERIFY(Scrivi(ingresso, contenuto));
        const QString pubblico = m_dir.filePath("pubblico-" + nome);
        const Esito e = esegui({"pubblica", "--archivio", ingresso, "--versione", "1.0.0", "-o", pubblico});
        if (errore.isEmpty()) {
            QCOMPARE(e.stato, 0);
            QCOMPARE(Contenuto(pubblico + "/archivio.txt"), QByteArray("1|03/12/1997|12|34|45|56|67|78|89|0\r\n"));
        } else {
            QCOMPARE(e.stato, 2);
            QCOMPARE(e.errori, "Error -2147211504 (" + errore + ") in procedure pubblica of Modulo corpo\n");
            QVERIFY(!QFileInfo::exists(pubblico));
        }
    }

    // Another account plants the download's old name in the shared temporary folder before the
    // update: a link to one of the user's files, or a file of its own (a folder: root cannot
    // write it either). The update neither follows it nor stops at it, and leaves nothing there.
    void nomePiantatoNellaCartellaTemp_data() {
        QTest::addColumn<bool>("collegamento");
        QTest::newRow("collegamento a un file dell'utente") << true;
        QTest::newRow("file di un altro") << false;
    }
    void nomePiantatoNellaCartellaTemp() {
        QFETCH(bool, collegamento);
        const QString pubblico = m_dir.filePath("piantato");
        QCOMPARE(esegui({"pubblica", "--archivio", DatiReali, "--versione", "1.0.0", "-o", pubblico}).stato, 0);
        ServerPubblicazione server(pubblico);
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        usaServer(server.indirizzo());
        const QString vittima = dati() + "/impostazioni.cfg";
        const QByteArray configurazione = Contenuto(vittima);
        const QString piantato = m_dir.filePath("sestinaplan_download.dat");
        QFile::remove(piantato); // what an earlier update may have left
        QVERIFY(collegamento ? QFile::link(vittima, piantato) : QDir().mkdir(piantato));
        const auto voci = [this] {
            return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        };
        const QStringList prima = voci();
        QFile::remove(fileArchivio());

        QCOMPARE(esegui({"archivio", "aggiorna"}).stato, 0);
        QCOMPARE(QFileInfo(fileArchivio()).size(), 2855 * 20);
        QCOMPARE(Contenuto(vittima), configurazione);
        QCOMPARE(voci(), prima);
        QVERIFY(collegamento ? QFile::remove(piantato) : QDir().rmdir(piantato));
    }
};

QTEST_GUILESS_MAIN(TestCliRisultati)
#include "tst_cli_risultati.moc"
