#include "EseguiCli.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <Catalogo.h>
#include <FakeInterfaccia.h>
#include <FileMatrice.h>
#include <FileSistema.h>
#include <ProvaSuFile.h>
#include <ServerPubblicazione.h>
#include <Sistema.h>

#include <memory>

using namespace sestina;

namespace {

const QString Dati = QStringLiteral(SESTINA_TEST_DATA "/matrici");

using Esito = prova::EsitoCli;

} // namespace

// The matrix commands with the data folder and the temporary folder of this run only.
class TestCliMatrici : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString dati() const { return m_dir.filePath(QStringLiteral("Sestinaplan")); }

    Esito esegui(const QStringList& argomenti) {
        return prova::EseguiCli(argomenti, prova::AmbienteCli(m_dir.path(), m_dir.path()));
    }

private Q_SLOTS:
    // pubblica writes the folder nginx serves; matrici aggiorna fetches it and lists the catalogue.
    void pubblicaEAggiorna() {
        const QString sorgente = m_dir.filePath(QStringLiteral("sorgente"));
        QVERIFY(QDir().mkpath(sorgente));
        QVERIFY(QFile::copy(Dati + QStringLiteral("/valida.mspl"), sorgente + QStringLiteral("/dieci.mspl")));
        const QString pubblico = m_dir.filePath(QStringLiteral("pubblico"));
        QVERIFY(Scrivi(m_dir.filePath("lista.txt"), "1|01/01/2020|1|2|3|4|5|6|7|8\r\n"));
        QCOMPARE(esegui({"pubblica", "--archivio", m_dir.filePath("lista.txt"), "--versione", "1.0.0", "--matrici",
                         sorgente, "-o", pubblico})
                     .stato,
                 0);
        ServerPubblicazione server(pubblico);
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        QVERIFY(QDir().mkpath(dati()));
        QVERIFY(
            Scrivi(dati() + "/impostazioni.cfg", "[Impostazioni]\r\nindirizzo_server=" + server.indirizzo().toUtf8()));
        // Planted in the shared temporary folder by another account: a link to the user's
        // configuration under the list's old name, a file of its own under a matrix's.
        QVERIFY(QFile::link(dati() + "/impostazioni.cfg", m_dir.filePath("sestinaplanmatrici.txt")));
        QVERIFY(QDir().mkdir(m_dir.filePath("DIECI.DAT")));
        const QByteArray configurazione = Contenuto(dati() + "/impostazioni.cfg");
        const QStringList temp = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const Esito e = esegui({"matrici", "aggiorna"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray(" 10 | 06 | 05 | 06 | 00 |      4 | 75%       \tDIECI.mspl\n"));
        QCOMPARE(e.errori, QByteArray("Matrici scaricate: 1, scartate: 0\n"));
        QCOMPARE(Contenuto(dati() + "/impostazioni.cfg"), configurazione);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), temp);
        QCOMPARE(esegui({"matrici", "elenca"}).uscita, e.uscita);

        QVERIFY(Scrivi(dati() + "/impostazioni.cfg",
                       "[Impostazioni]\r\nindirizzo_server=http://127.0.0.1:" + QByteArray::number(PortaLibera())));
        const Esito fallito = esegui({"matrici", "aggiorna"});
        QCOMPARE(fallito.stato, 5);
        QVERIFY(fallito.errori.contains("Errore durante il download dell'aggiornamento"));
    }

    // The numbers in the order written, the fixed ones brought to the front; the saved System
    // reopens with the matrix's columns.
    void adatta() {
        const QString matrice = m_dir.filePath(QStringLiteral("fisse.mspl"));
        QVERIFY(SalvaMatrice(CreaMatrice(8, 4, 2, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 6, 7, 8}, {2, 4, 5, 6, 7, 8}}, {}),
                             matrice));
        const QString sistema = m_dir.filePath(QStringLiteral("fisse.sec"));
        const Esito e =
            esegui({"adatta", matrice, "--numeri", "40,3,17,9,22,5,61,80", "--fisse", "5 17", "-o", sistema});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("3\tRidotto N-2\n"));
        auto s = std::make_unique<Sistema>();
        FakeInterfaccia ui;
        QVERIFY(ApriSistema(*s, sistema, ui));
        QCOMPARE(s->numeroColonne, 3);
        // Prediction 40 3 17 9 22 5 61 80; 5 exchanged with the first, then 17 with the second.
        QCOMPARE(s->colonne.leggi(1), (Colonna{5, 17, 3, 9, 22, 40}));
        QCOMPARE(s->colonne.leggi(3), (Colonna{17, 9, 22, 40, 61, 80}));
        QCOMPARE(s->quantiFissi, 2);
        QCOMPARE(s->numeriFissi[5] + s->numeriFissi[17], 2);

        // Ranges, as in every other list, in the order written.
        QCOMPARE(esegui({"adatta", matrice, "--numeri", "70-72 10-13,1", "--fisse", "1", "-o", sistema}).stato, 0);
        QVERIFY(ApriSistema(*s, sistema, ui));
        QCOMPARE(s->colonne.leggi(1), (Colonna{1, 71, 72, 10, 11, 12}));
    }

    // The header as the matrix window shows it, one field a line, and the two checks of the catalogue.
    void matrice() {
        const QString file = m_dir.filePath(QStringLiteral("otto.mspl"));
        QVERIFY(SalvaMatrice(CreaMatrice(8, 4, 2, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 6, 7, 8}, {2, 4, 5, 6, 7, 8}},
                                         {QStringLiteral("100%"), QStringLiteral("  Mario Rossi"),
                                          QStringLiteral("Prova\tcon è"), QDate(2024, 1, 15), QDate(2030, 12, 31)}),
                             file));
        Esito e = esegui({"matrice", file});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("NUMBERS_OF_MATRIX_V\t8\nLENGTH_OF_COLUMN_K\t6\nGARANTY_T\t4\n"
                                      "PICK_UP_NUMBERS_M\t6\nFIXED_NUMBERS_OF_MATRIX_F\t2\nCOLUMNS_OF_MATRIX_C\t3\n"
                                      "PERCENTAGE_COVER\t100%\nAUTHOR\tMario Rossi\nDESCRIPTION\tProva con è\n"
                                      "VALID_FROM\t2024-01-15\nVALID_TO\t2030-12-31\nRESERVED\t0 0\n"
                                      "VERSION_TAG\tmatricesplv0001\nversioneValida\t1\ncrcValido\t1\n"));

        // Broken files are described all the same; what cannot be read is refused.
        const auto controlli = [&](const QString& nome) {
            const QList<QByteArray> righe = esegui({"matrice", Dati + "/rotte/" + nome}).uscita.split('\n');
            return righe.size() == 16 ? righe[13] + ' ' + righe[14] : QByteArray();
        };
        QCOMPARE(controlli("crc-errato.mspl"), QByteArray("versioneValida\t1 crcValido\t0"));
        QCOMPARE(controlli("etichetta-errata.mspl"), QByteArray("versioneValida\t0 crcValido\t1"));
        e = esegui({"matrice", Dati + "/rotte/quattro-byte.mspl"});
        QCOMPARE(e.stato, 0);
        QVERIFY(e.uscita.startsWith("NUMBERS_OF_MATRIX_V\t"));
        QVERIFY(e.uscita.endsWith("VALID_FROM\t1899-12-30\nVALID_TO\t1899-12-30\nRESERVED\t0 0\nVERSION_TAG\t\n"
                                  "versioneValida\t0\ncrcValido\t0\n"));
        e = esegui({"matrice", m_dir.filePath(QStringLiteral("manca.mspl"))});
        QCOMPARE(e.stato, 2);
        QVERIFY2(e.errori.startsWith("Error 53 ") && e.uscita.isEmpty(), e.errori.constData());
        QCOMPARE(esegui({"matrice"}).stato, 1);

        // The catalogue of the data folder, all of it or the matrices of one size.
        const QString matrici = dati() + QStringLiteral("/matrici");
        QVERIFY(QDir(matrici).removeRecursively() && QDir().mkpath(matrici));
        QVERIFY(QFile::copy(file, matrici + QStringLiteral("/otto.mspl")));
        QVERIFY(QFile::copy(Dati + QStringLiteral("/valida.mspl"), matrici + QStringLiteral("/dieci.mspl")));
        const QByteArray otto = " 08 | 06 | 04 | 06 | 02 |      3 | 100%      \totto.mspl\n";
        const QByteArray dieci = " 10 | 06 | 05 | 06 | 00 |      4 | 75%       \tdieci.mspl\n";
        QCOMPARE(esegui({"matrici", "elenca"}).uscita, otto + dieci);
        QCOMPARE(esegui({"matrici", "elenca", "--numeri", "10"}).uscita, dieci);
        QCOMPARE(esegui({"matrici", "elenca", "--numeri", "9"}).uscita, QByteArray());
        QCOMPARE(esegui({"matrici", "elenca", "--numeri", "0"}).stato, 1);
        for (const char* nome : {"otto.mspl", "dieci.mspl"})
            QVERIFY(QFile::remove(matrici + QLatin1Char('/') + QLatin1String(nome)));
    }

    void rifiuti_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QByteArray>("errore");
        const QString valida = Dati + "/valida.mspl";
        QTest::newRow("corrotta") << QStringList{Dati + "/rotte/crc-errato.mspl", "--numeri", "1-10"} << 2
                                  << QByteArray("Matrice Corrotta");
        QTest::newRow("crc") << QStringList{Dati + "/rotte/crc-errato.mspl", "--numeri", "1,2,3,4,5,6,7,8,9,10"} << 2
                             << QByteArray("Matrice Corrotta");
        QTest::newRow("posizione") << QStringList{Dati + "/rotte/posizione-zero.mspl", "--numeri",
                                                  "1,2,3,4,5,6,7,8,9,10"}
                                   << 2 << QByteArray("Posizione fuori intervallo");
        QTest::newRow("numeri") << QStringList{valida, "--numeri", "1,2,3,4,5,6,7,8,9"} << 2
                                << QByteArray("La matrice vuole 10 numeri");
        QTest::newRow("fisse") << QStringList{valida, "--numeri", "1,2,3,4,5,6,7,8,9,10", "--fisse", "3"} << 2
                               << QByteArray("La matrice ha 0 fisse");
        QTest::newRow("fissa fuori") << QStringList{valida, "--numeri", "1,2,3,4,5,6,7,8,9,10", "--fisse", "11"} << 1
                                     << QByteArray("--fisse: 11");
        QTest::newRow("ripetuto") << QStringList{valida, "--numeri", "1,2,3,4,5,6,7,8,9,9"} << 1
                                  << QByteArray("--numeri: 9 ripetuto");
        QTest::newRow("ripetuto in un intervallo")
            << QStringList{valida, "--numeri", "1-10,5"} << 1 << QByteArray("--numeri: 5 ripetuto");
        QTest::newRow("intervallo rovesciato")
            << QStringList{valida, "--numeri", "10-1"} << 1 << QByteArray("--numeri");
    }
    void rifiuti() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, stato);
        QFETCH(QByteArray, errore);
        const QString uscita = m_dir.filePath(QStringLiteral("rifiuto.sec"));
        const Esito e = esegui(QStringList{"adatta"} + argomenti + QStringList{"-o", uscita});
        QCOMPARE(e.stato, stato);
        QVERIFY2(e.errori.contains(errore), e.errori.constData());
        QVERIFY(!QFile::exists(uscita));
    }
};

QTEST_GUILESS_MAIN(TestCliMatrici)
#include "tst_cli_matrici.moc"
