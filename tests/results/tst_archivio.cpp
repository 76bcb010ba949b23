#include "Archivio.h"
#include "ProvaSuFile.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

using namespace sestina;

namespace {

const QString DatiReali = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");

QByteArray Record(std::int16_t concorso, const QByteArray& data, std::array<std::uint8_t, 8> numeri) {
    QByteArray r(2, '\0');
    qToLittleEndian(concorso, r.data());
    r += data.leftJustified(10, ' ', true);
    for (const std::uint8_t n : numeri)
        r += static_cast<char>(n);
    return r;
}

QList<int> Concorsi(const ArchivioEstrazioni& a) {
    QList<int> c;
    for (const Estrazione& e : a)
        c << e.concorso;
    return c;
}

QString Errore(int numero, const QString& descrizione, const QString& procedura) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of Form frmUpdate").arg(numero).arg(descrizione, procedura);
}

} // namespace

class TestArchivio : public ProvaSuFile {
    Q_OBJECT

    ArchivioEstrazioni m_archivio;

    // An archive that no test's input resembles, to see that a refusal leaves it alone.
    void archivioDiPartenza() { m_archivio = {Estrazione{}, Estrazione{777, {}, {0, 1, 2, 3, 4, 5, 6}}, Estrazione{}}; }
    void verificaIntatto() { QCOMPARE(Concorsi(m_archivio), (QList<int>{0, 777, 0})); }

private Q_SLOTS:
    void fileArchivio_data() {
        QTest::addColumn<QByteArray>("byte");
        QTest::addColumn<QList<int>>("concorsi");
        const QByteArray buono = Record(12, "02/01/2009", {1, 2, 3, 4, 5, 6, 7, 8});
        QTest::newRow("vuoto: un record vuoto") << QByteArray() << QList<int>{0};
        QTest::newRow("record e parziale in coda") << buono + buono.left(19) << QList<int>{12};
        QTest::newRow("primo numero 0 tolto") << Record(1, "x", {0, 2, 3, 4, 5, 6, 7, 8}) + buono << QList<int>{12};
        QTest::newRow("numero oltre 90 tolto") << Record(1, "x", {1, 2, 91, 4, 5, 6, 7, 8}) + buono << QList<int>{12};
        QTest::newRow("jolly 0 tolto") << Record(1, "x", {1, 2, 3, 4, 5, 6, 0, 8}) + buono << QList<int>{12};
        QTest::newRow("superstar 255 tolto") << buono + Record(-3, "x", {1, 2, 3, 4, 5, 6, 7, 255}) << QList<int>{12};
        QTest::newRow("concorso negativo tenuto") << Record(-3, "x", {1, 2, 3, 4, 5, 6, 7, 9}) << QList<int>{-3};
        QTest::newRow("superstar 0 (prima del 2006) tenuta")
            << Record(1, "x", {1, 2, 3, 4, 5, 6, 7, 0}) + buono << QList<int>{1, 12};
        QTest::newRow("numero ripetuto tolto") << Record(1, "x", {1, 2, 3, 3, 5, 6, 7, 8}) + buono << QList<int>{12};
        QTest::newRow("jolly tra i sei tolto") << Record(1, "x", {1, 2, 3, 4, 5, 6, 6, 8}) + buono << QList<int>{12};
        QTest::newRow("mancante: creato vuoto, cartella compresa") << QByteArray("<none>") << QList<int>{0};
    }
    void fileArchivio() {
        QFETCH(QByteArray, byte);
        QFETCH(QList<int>, concorsi);
        const QString percorso = Percorso("archivio/a.dat");
        if (byte != "<none>")
            QVERIFY(QDir().mkpath(Percorso("archivio")) && Scrivi(percorso, byte));
        QVERIFY(LoadArchivioEstrazioni(m_archivio, percorso, *m_ui));
        QCOMPARE(Concorsi(m_archivio), concorsi);
        QCOMPARE(RigheArchivio(m_archivio).isEmpty(), concorsi == QList<int>{0});
        QVERIFY(QFile::exists(percorso));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    // The real draws through the list reader, the file writer and the file reader, byte for byte.
    void archivioRealeAndataERitorno() {
        ArchivioEstrazioni reale;
        QCOMPARE(LoadArchivioTMP(reale, DatiReali, *m_ui), EsitoLista::Letta);
        QCOMPARE(reale.size(), std::size_t{2855});
        QCOMPARE(RigheArchivio(reale).front(), QStringLiteral(" 23/05/2026 | 083 | 14 29 34 57 59 69 | 20 | 16"));

        QVERIFY(SaveArchivioEstrazioni(reale, Percorso("a.dat"), *m_ui));
        const QByteArray byte = Contenuto(Percorso("a.dat"));
        QCOMPARE(byte.size(), 2855 * 20);
        QCOMPARE(byte.right(20), Record(83, "23/05/2026", {14, 29, 34, 57, 59, 69, 20, 16}));
        QVERIFY(LoadArchivioEstrazioni(m_archivio, Percorso("a.dat"), *m_ui));
        QCOMPARE(RigheArchivio(m_archivio), RigheArchivio(reale));
        QCOMPARE(ScriviListaEstrazioni(m_archivio), Contenuto(DatiReali));
        // Found by fuzzing: the list writer dropped a date's own trailing characters with its padding.
        const QString lista = QStringLiteral(SESTINA_TEST_DATA "/liste/data-con-spazi-unificatori.txt");
        QCOMPARE(LoadArchivioTMP(m_archivio, lista, *m_ui), EsitoLista::Letta);
        QCOMPARE(ScriviListaEstrazioni(m_archivio), Contenuto(lista));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void righeDellaLista() {
        QVERIFY(Scrivi(Percorso("l.txt"), "concorso|data|n1|n2|n3|n4|n5|n6|jolly|superstar\r\n\r\n"
                                          "5|1/2/2009|1|2|3|4|5|6|7|8\r\n"
                                          "6|03/02/2009 sera|90|80|70|60|50|40|30|20\n"
                                          "7|04/02/2009|1|2|3|4|5|6|7\r\n"
                                          "1|03/12/1997|12|34|45|56|67|78|89|0\r\n"));
        QCOMPARE(LoadArchivioTMP(m_archivio, Percorso("l.txt"), *m_ui), EsitoLista::Letta);
        QCOMPARE(Concorsi(m_archivio), (QList<int>{5, 6, 1}));
        QCOMPARE(m_archivio[0].data, QStringLiteral("1/2/2009  "));
        QCOMPARE(m_archivio[1].data, QStringLiteral("03/02/2009"));
        QCOMPARE(RigheArchivio(m_archivio), (QStringList{" 03/12/1997 | 001 | 12 34 45 56 67 78 | 89 | 00",
                                                         " 03/02/2009 | 006 | 90 80 70 60 50 40 | 30 | 20",
                                                         " 1/2/2009   | 005 | 01 02 03 04 05 06 | 07 | 08"}));
        QVERIFY(ScriviListaEstrazioni(m_archivio).endsWith("\n1|03/12/1997|12|34|45|56|67|78|89|0\r\n"));
        QVERIFY(SaveArchivioEstrazioni(m_archivio, Percorso("a.dat"), *m_ui));
        QCOMPARE(Contenuto(Percorso("a.dat")).mid(2, 10), QByteArray("1/2/2009  "));
    }

    void listaRifiutata_data() {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QString>("messaggio");
        const QByteArray buona = "1|02/01/2009|1|2|3|4|5|6|7|8\r\n";
        QTest::newRow("testo a meta'") << buona + "2|x|1|2|tre|4|5|6|7|8\r\n" + buona
                                       << Errore(13, "Tipo non corrispondente", "LoadArchivioTMP");
        QTest::newRow("concorso oltre 16 bit") << buona + "40000|x|1|2|3|4|5|6|7|8\r\n"
                                               << Errore(6, "Overflow", "LoadArchivioTMP");
        QTest::newRow("numero oltre un byte") << buona + "2|x|1|2|3|4|5|256|7|8\r\n"
                                              << Errore(6, "Overflow", "LoadArchivioTMP");
        QTest::newRow("nessuna estrazione") << QByteArray("<html>errore</html>\r\n") << QString();
        const QString riga2 =
            QStringLiteral("Error -2147211504 (Riga 2: %1) in procedure LoadArchivioTMP of Form frmUpdate");
        QTest::newRow("ultima riga troncata")
            << buona + "2|03/01/2009|1|2|3|4|5|6|7|8" << riga2.arg("riga incompleta, la lista è troncata");
        QTest::newRow("numero 91") << buona + "2|x|1|2|3|4|5|91|7|8\r\n" << riga2.arg("Valore 91 non ammesso");
        QTest::newRow("numero ripetuto") << buona + "2|x|1|2|3|4|5|5|7|8\r\n" << riga2.arg("Duplicazione di numeri");
        QTest::newRow("jolly tra i sei") << buona + "2|x|1|2|3|4|5|6|6|8\r\n" << riga2.arg("Combinazione errata");
        QTest::newRow("jolly 0") << buona + "2|x|1|2|3|4|5|6|0|8\r\n" << riga2.arg("Jolly 0 non ammesso");
        QTest::newRow("superstar 91") << buona + "2|x|1|2|3|4|5|6|7|91\r\n" << riga2.arg("SuperStar 91 non ammessa");
    }
    void listaRifiutata() {
        QFETCH(QByteArray, testo);
        QFETCH(QString, messaggio);
        archivioDiPartenza();
        QVERIFY(Scrivi(Percorso("l.txt"), testo));
        QCOMPARE(LoadArchivioTMP(m_archivio, Percorso("l.txt"), *m_ui),
                 messaggio.isEmpty() ? EsitoLista::SenzaEstrazioni : EsitoLista::Errata);
        verificaIntatto();
        VerificaMessaggi(messaggio.isEmpty() ? QStringList{} : QStringList{messaggio});
    }

    void fileIllegibili() {
        archivioDiPartenza();
        QFile grande(Percorso("grande.dat"));
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(LimiteFileArchivio + 1));
        grande.close();
        QVERIFY(!LoadArchivioEstrazioni(m_archivio, Percorso("grande.dat"), *m_ui));
        const QString zero = FileOstile(QStringLiteral("<zero>"), Percorso("zero.dat"));
        QVERIFY(!LoadArchivioEstrazioni(m_archivio, zero, *m_ui));
        QCOMPARE(LoadArchivioTMP(m_archivio, FileOstile(QStringLiteral("<fifo>"), Percorso("fifo.txt")), *m_ui),
                 EsitoLista::Errata);
        const QString cartellaMancante = Percorso("manca/l.txt");
        QCOMPARE(LoadArchivioTMP(m_archivio, cartellaMancante, *m_ui), EsitoLista::Errata);
        QVERIFY(!SaveArchivioEstrazioni(m_archivio, cartellaMancante, *m_ui));
        verificaIntatto();
        VerificaMessaggi(
            {Errore(-2147211504, "File troppo grande (limite 8 MiB)", "LoadArchivioEstrazioni"),
             Errore(75, "Errore di accesso al percorso/file --> " + zero, "LoadArchivioEstrazioni"),
             Errore(75, "Errore di accesso al percorso/file --> " + Percorso("fifo.txt"), "LoadArchivioTMP"),
             Errore(76, "Impossibile trovare il percorso --> " + cartellaMancante, "LoadArchivioTMP"),
             Errore(76, "Impossibile trovare il percorso --> " + cartellaMancante, "SaveArchivioEstrazioni")});
    }

    // A failure at any step of the update, or a list that would lose draws, leaves the archive in
    // memory and on disk as it was.
    void aggiornamento_data() {
        QTest::addColumn<bool>("scaricato");
        QTest::addColumn<QByteArray>("lista");
        QTest::addColumn<bool>("salvabile");
        QTest::addColumn<int>("esito");
        const QByteArray prima = "1|02/01/2009|1|2|3|4|5|6|7|8\r\n";
        const QByteArray lista = prima + "2|03/01/2009|9|8|7|6|5|4|3|2\r\n";
        QTest::newRow("aggiornato") << true << lista << true << int(EsitoAggiornamento::Aggiornato);
        QTest::newRow("correzione accettata")
            << true << QByteArray("1|02/01/2009|1|2|3|4|5|16|7|8\r\n2|03/01/2009|9|8|7|6|5|4|3|2\r\n") << true
            << int(EsitoAggiornamento::Aggiornato);
        QTest::newRow("download fallito") << false << lista << true << int(EsitoAggiornamento::DownloadFallito);
        QTest::newRow("lista senza estrazioni")
            << true << QByteArray("\r\n") << true << int(EsitoAggiornamento::DownloadFallito);
        QTest::newRow("lista errata") << true << lista + "3|x|a|b|c|d|e|f|g|h\r\n"
                                      << true << int(EsitoAggiornamento::ListaErrata);
        QTest::newRow("salvataggio fallito") << true << lista << false << int(EsitoAggiornamento::SalvataggioFallito);
        QTest::newRow("lista piu' corta")
            << true << QByteArray("2|03/01/2009|9|8|7|6|5|4|3|2\r\n") << true << int(EsitoAggiornamento::Incompleto);
        QTest::newRow("senza l'ultima data") << true << prima + "3|04/01/2009|9|8|7|6|5|4|3|2\r\n"
                                             << true << int(EsitoAggiornamento::Incompleto);
    }
    void aggiornamento() {
        QFETCH(bool, scaricato);
        QFETCH(QByteArray, lista);
        QFETCH(bool, salvabile);
        QFETCH(int, esito);
        m_archivio = {Estrazione{}, Estrazione{1, "02/01/2009", {0, 1, 2, 3, 4, 5, 6}, 7, 8},
                      Estrazione{2, "03/01/2009", {0, 9, 8, 7, 6, 5, 4}, 3, 0}};
        // A missing folder: nothing can be saved there, also for root.
        const QString fileArchivio = salvabile ? Percorso("a.dat") : Percorso("manca/a.dat");
        if (salvabile)
            QVERIFY(SaveArchivioEstrazioni(m_archivio, fileArchivio, *m_ui));
        const QByteArray prima = Contenuto(fileArchivio);
        const QStringList righePrima = RigheArchivio(m_archivio);
        auto scarica = [&](const QString& percorso) { return scaricato && Scrivi(percorso, lista); };

        const auto risultato = AggiornaArchivio(m_archivio, scarica, Percorso("d.dat"), fileArchivio, *m_ui);
        QCOMPARE(int(risultato), esito);
        if (risultato == EsitoAggiornamento::Aggiornato) {
            QCOMPARE(ScriviListaEstrazioni(m_archivio), lista);
            QCOMPARE(Contenuto(fileArchivio).size(), 40);
        } else {
            QCOMPARE(RigheArchivio(m_archivio), righePrima);
            QCOMPARE(Contenuto(fileArchivio), prima);
        }
    }
};

QTEST_GUILESS_MAIN(TestArchivio)
#include "tst_archivio.moc"
