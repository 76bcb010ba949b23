#include "Archivio.h"
#include "Errore.h"
#include "ImportaEstrazioni.h"
#include "ProvaSuFile.h"
#include "SpoglioEstrazioni.h"
#include "Statistiche.h"

#include <QDate>
#include <QTest>

using namespace sestina;

namespace {

const QString DatiCsv = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/superenalotto-2009-2026.csv");
const QString DatiLista = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");

Estrazione Draw(std::int16_t concorso, const char* data, std::array<std::uint8_t, 6> sei, std::uint8_t jolly,
                std::uint8_t superstar = 0) {
    Estrazione e{concorso, QString::fromLatin1(data), {}, jolly, superstar};
    std::copy(sei.begin(), sei.end(), e.estratti.begin() + 1);
    return e;
}

QStringList Date(const ArchivioEstrazioni& a) {
    QStringList d;
    for (const Estrazione& e : a)
        d << e.data;
    return d;
}

} // namespace

class TestImportaEstrazioni : public ProvaSuFile {
    Q_OBJECT

    // Two draws already archived, a gap between them.
    ArchivioEstrazioni Archiviate() {
        return {Draw(1, "03/01/2009", {1, 2, 3, 4, 5, 6}, 7, 8), Draw(3, "10/01/2009", {11, 12, 13, 14, 15, 16}, 17)};
    }

private Q_SLOTS:
    // The three formats a user may have, each giving the same draws in the archive's form.
    void formati_data() {
        QTest::addColumn<QByteArray>("testo");
        QTest::newRow("csv pubblico") << QByteArray("date,contest_number,n1,n2,n3,n4,n5,n6,jolly,superstar\r\n"
                                                    "1997-12-03,1,12,34,45,56,67,78,89,0\r\n"
                                                    "2009-01-07,2,90,80,70,60,50,40,30,20\n");
        QTest::newRow("foglio di calcolo") << QByteArray("DATE;CONTEST_NUMBER;N1;N2;N3;N4;N5;N6;JOLLY;SUPERSTAR\r\n"
                                                         "03/12/1997;1;12;34;45;56;67;78;89;0\r\n\r\n"
                                                         "\"07/01/2009\";2;90;80;70;60;50;40;30;20");
        QTest::newRow("lista senza fine riga") << QByteArray("concorso|data|n1|n2|n3|n4|n5|n6|jolly|superstar\r\n"
                                                             "1|03/12/1997|12|34|45|56|67|78|89|0\r\n"
                                                             "2|07/01/2009|90|80|70|60|50|40|30|20");
    }
    void formati() {
        QFETCH(QByteArray, testo);
        const ArchivioEstrazioni letto = LeggiEstrazioniDaImportare(testo);
        QCOMPARE(RigheArchivio(letto), (QStringList{" 07/01/2009 | 002 | 90 80 70 60 50 40 | 30 | 20",
                                                    " 03/12/1997 | 001 | 12 34 45 56 67 78 | 89 | 00"}));
    }

    void righeErrate_data() {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QString>("messaggio");
        const QByteArray intestazione = "date,contest_number,n1,n2,n3,n4,n5,n6,jolly,superstar\n";
        QTest::newRow("intestazione altrui")
            << QByteArray("data,n1,n2\n2009-01-01,1,2\n") << "Riga 1: intestazione non riconosciuta";
        QTest::newRow("campi mancanti") << intestazione + "2009-01-07,2,90,80,70,60,50,40,30\n"
                                        << "Riga 2: attesi 10 campi, trovati 9";
        QTest::newRow("data impossibile") << intestazione + "\n2009-02-30,2,90,80,70,60,50,40,30,20\n"
                                          << "Riga 3: data non valida (\"2009-02-30\")";
        QTest::newRow("numero ripetuto") << intestazione + "2009-01-07,2,90,80,70,60,50,50,30,20\n"
                                         << "Riga 2: Duplicazione di numeri";
        QTest::newRow("testo al posto del jolly") << intestazione + "2009-01-07,2,90,80,70,60,50,40,J,20\n"
                                                  << "Riga 2: Jolly non valido (\"J\")";
        QTest::newRow("lista con numero 0 dopo il primo")
            << QByteArray("2|07/01/2009|90|0|70|60|50|40|30|20\r\n") << "Riga 1: Valore 0 non ammesso";
        QTest::newRow("vuoto") << QByteArray("\r\n\r\n") << "Il file non contiene estrazioni";
    }
    void righeErrate() {
        QFETCH(QByteArray, testo);
        QFETCH(QString, messaggio);
        try {
            LeggiEstrazioniDaImportare(testo);
            QFAIL("accepted");
        } catch (const Errore& e) {
            QCOMPARE(e.descrizione(), messaggio);
        }
    }

    // New dates go in date order, known ones with the same numbers (in any order) are ignored.
    void unione() {
        const ArchivioEstrazioni nuove = {
            Draw(4, "14/01/2009", {21, 22, 23, 24, 25, 26}, 27), Draw(9, "03/01/2009", {6, 5, 4, 3, 2, 1}, 7, 8),
            Draw(2, "07/01/2009", {31, 32, 33, 34, 35, 36}, 37), Draw(0, "01/01/2009", {41, 42, 43, 44, 45, 46}, 47)};
        const Unione u = UnisciEstrazioni(Archiviate(), nuove);
        QCOMPARE(u.aggiunte, 3);
        QCOMPARE(Date(u.archivio), (QStringList{"01/01/2009", "03/01/2009", "07/01/2009", "10/01/2009", "14/01/2009"}));
        QCOMPARE(u.archivio[1].concorso, std::int16_t{1});
        // Into an empty archive its single empty record goes.
        QCOMPARE(UnisciEstrazioni({Estrazione{}}, Archiviate()).archivio.size(), std::size_t{2});
    }

    // Any refusal shows why and leaves memory and file byte for byte as they were.
    void rifiuti_data() {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("conflitto") << QByteArray("1|13/01/2009|1|2|3|4|5|6|7|8\r\n"
                                                 "3|10/01/2009|11|12|13|14|15|16|17|9\r\n")
                                   << "Il concorso del 10/01/2009 è diverso da quello in archivio";
        QTest::newRow("riga errata") << QByteArray("1|13/01/2009|1|2|3|4|5|6|7|8\r\n2|14/01/2009|1|2|3|4|5|6|7|95\r\n")
                                     << "Riga 2: SuperStar 95 non ammessa";
        QTest::newRow("file mancante") << QByteArray() << "Impossibile leggere il file <manca>";
    }
    void rifiuti() {
        QFETCH(QByteArray, testo);
        QFETCH(QString, messaggio);
        ArchivioEstrazioni archivio = Archiviate();
        const QString fileArchivio = Percorso("a.dat");
        QVERIFY(SaveArchivioEstrazioni(archivio, fileArchivio, *m_ui));
        const QByteArray prima = Contenuto(fileArchivio);
        QString file = Percorso("manca.csv");
        if (!testo.isEmpty())
            QVERIFY(Scrivi(file = Percorso("i.txt"), testo));
        QVERIFY(!ImportaEstrazioni(archivio, file, fileArchivio, *m_ui).riuscita);
        QCOMPARE(ByteArchivio(archivio), prima);
        QCOMPARE(Contenuto(fileArchivio), prima);
        QCOMPARE(m_ui->messaggi.size(), qsizetype{1});
        QCOMPARE(m_ui->messaggi.front().testo, messaggio.replace("<manca>", Percorso("manca.csv")));
        QCOMPARE(m_ui->messaggi.front().titolo, QStringLiteral("Archivio Estrazioni"));
    }

    // The public CSV into an empty archive gives the same file as the draw list; again, nothing.
    void archivioReale() {
        ArchivioEstrazioni archivio{Estrazione{}};
        const QString fileArchivio = Percorso("archivio/sestinaplan.dat");
        EsitoAggiunta esito = ImportaEstrazioni(archivio, DatiCsv, fileArchivio, *m_ui);
        QVERIFY(esito.riuscita);
        QCOMPARE(esito.aggiunte, 2855);
        ArchivioEstrazioni lista;
        QCOMPARE(LoadArchivioTMP(lista, DatiLista, *m_ui), EsitoLista::Letta);
        const QByteArray byte = Contenuto(fileArchivio);
        QCOMPARE(byte, ByteArchivio(lista));
        esito = ImportaEstrazioni(archivio, DatiLista, fileArchivio, *m_ui);
        QCOMPARE(esito.aggiunte, 0);
        QCOMPARE(Contenuto(fileArchivio), byte);
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void estrazioneDigitata_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("concorso");
        QTest::addColumn<QStringList>("numeri");
        QTest::addColumn<QString>("superstar");
        QTest::addColumn<QString>("messaggio");
        const QStringList buoni = {"9", "3", "90", "45", "12", "60", "7"};
        QTest::newRow("buona, senza superstar") << "26/05/2026"
                                                << "84" << buoni << ""
                                                << "";
        QTest::newRow("data") << "31/02/2026"
                              << "84" << buoni << ""
                              << "Data non valida: usare il formato GG/MM/AAAA";
        QTest::newRow("concorso") << "26/05/2026"
                                  << "0" << buoni << ""
                                  << "Numero del concorso non valido";
        QTest::newRow("duplicati") << "26/05/2026"
                                   << "84" << QStringList{"9", "3", "90", "45", "12", "09", "7"} << ""
                                   << "Duplicazione di numeri";
        QTest::newRow("jolly tra i sei, altre cifre")
            << "26/05/2026"
            << "84" << QStringList{"9", "3", "90", "45", "12", "60", "03"} << ""
            << "Combinazione errata";
        QTest::newRow("numero 91") << "26/05/2026"
                                   << "84" << QStringList{"9", "3", "91", "45", "12", "60", "7"} << ""
                                   << "Valore 91 non ammesso";
        QTest::newRow("superstar 95") << "26/05/2026"
                                      << "84" << buoni << "95"
                                      << "Valore 95 non ammesso";
    }
    void estrazioneDigitata() {
        QFETCH(QString, data);
        QFETCH(QString, concorso);
        QFETCH(QStringList, numeri);
        QFETCH(QString, superstar);
        QFETCH(QString, messaggio);
        EstrazioneDigitata d{data, concorso, {}, superstar};
        std::copy(numeri.begin(), numeri.end(), d.caselle.begin());
        Estrazione e;
        const auto errore = ValidaEstrazioneDigitata(d, e);
        QCOMPARE(errore ? errore->testo : QString(), messaggio);
        if (!errore)
            QCOMPARE(RigheArchivio({e}), QStringList{" 26/05/2026 | 084 | 03 09 12 45 60 90 | 07 | 00"});
    }

    // The shipped draws fill a missing or drawless archive, never one that holds draws.
    void copiaIniziale() {
        const QString fileArchivio = Percorso("archivio/sestinaplan.dat");
        QVERIFY(CopiaArchivioIniziale(DatiCsv, fileArchivio));
        QCOMPARE(Contenuto(fileArchivio).size(), 2855 * 20);
        QVERIFY(!CopiaArchivioIniziale(DatiCsv, fileArchivio));

        const QByteArray unaSola = ByteArchivio(Archiviate());
        QVERIFY(Scrivi(fileArchivio, unaSola));
        QVERIFY(!CopiaArchivioIniziale(DatiCsv, fileArchivio));
        QCOMPARE(Contenuto(fileArchivio), unaSola);

        QVERIFY(Scrivi(fileArchivio, QByteArray(20, '\0')));
        QVERIFY(CopiaArchivioIniziale(DatiCsv, fileArchivio));
        QCOMPARE(Contenuto(fileArchivio).size(), 2855 * 20);
        QVERIFY(!CopiaArchivioIniziale(QString(), Percorso("altro.dat")));
    }

    // A draw from before the SuperStar existed counts everywhere a draw counts.
    void estrazioneSenzaSuperStar() {
        const ArchivioEstrazioni a = LeggiListaEstrazioni("1|03/12/1997|12|34|45|56|67|78|89|0\r\n");
        QCOMPARE(DateEstrazioni(a), QStringList{"03/12/1997"});
        const Statistiche st = CalcolaStatistiche(a);
        QVERIFY(st.csv.endsWith("\r\n03/12/1997;1;12;34;45;56;67;78;89;0;0;4;2;1;292\r\n"));
        QCOMPARE(st.tabelle.pari[4], 1);
        QCOMPARE(CalcolaRitardi(a).attuale[11], 0);
    }

    // Delays on a hand-made archive: 1 is in the newest draw, 90 never came, 7 was away longest
    // before its last draw, 5 is away now for longer than ever before.
    void ritardi() {
        const ArchivioEstrazioni a = {
            Draw(1, "01/01/2009", {1, 2, 3, 4, 5, 7}, 8),  Estrazione{},
            Draw(2, "02/01/2009", {1, 2, 3, 4, 6, 9}, 8),  Draw(3, "03/01/2009", {1, 2, 3, 4, 6, 10}, 8),
            Draw(4, "04/01/2009", {1, 2, 3, 4, 6, 11}, 8), Draw(5, "05/01/2009", {1, 2, 3, 4, 7, 12}, 8),
            Draw(6, "06/01/2009", {1, 2, 3, 6, 13, 14}, 8)};
        const Ritardi r = CalcolaRitardi(a);
        auto di = [](const std::array<int, 90>& v, int n) { return v[static_cast<std::size_t>(n - 1)]; };
        for (const auto& [n, attuale, massimo] : std::vector<std::array<int, 3>>{
                 {1, 0, 0}, {4, 1, 1}, {5, 5, 5}, {7, 1, 3}, {6, 0, 1}, {9, 4, 4}, {90, 6, 6}}) {
            QCOMPARE(di(r.attuale, n), attuale);
            QCOMPARE(di(r.massimo, n), massimo);
        }
        const TabelleStatistiche t = CalcolaStatistiche(a).tabelle;
        QCOMPARE(t.ritardi.front(), (FrequenzaNumero{8, 6})); // the Jolly is not one of the six
        QCOMPARE(t.ritardi[1], (FrequenzaNumero{15, 6}));
        QCOMPARE(BarreStatistica(t, TipoStatistica::RitardoMassimo).back().etichetta, QStringLiteral("03 -->      0"));
    }
};

QTEST_GUILESS_MAIN(TestImportaEstrazioni)
#include "tst_importaestrazioni.moc"
