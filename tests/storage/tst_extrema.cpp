#include "Extrema.h"
#include "ProvaSuFile.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

QString Comune(int numero, const QString& descrizione, const char* procedura = "ImportaExtrema") {
    return sestina::Comune(numero, descrizione, QLatin1String(procedura));
}

QString Applicazione(const QString& descrizione) {
    return Comune(-2147211504, descrizione);
}

QByteArray Generale(const QByteArray& colonne, const QByteArray& superStar = "0") {
    return "[Generale]\r\nrelease=3.0\r\ngioco=SuperEnalotto\r\ncolonne=" + colonne + "\r\nsuperstar=" + superStar +
           "\r\npannelli=" + colonne + "\r\nmax_marche_per_pannello=6\r\n";
}

} // namespace

class TstExtrema : public ProvaSuFile {
    Q_OBJECT

    void VerificaInfo(const QString& testo) {
        QCOMPARE(m_ui->messaggi.size(), 1);
        const auto& m = m_ui->messaggi[0];
        QCOMPARE(m.testo, testo);
        QVERIFY(m.titolo == "Info Sistema" && m.icona == Icona::Informazione && m.pulsanti == Pulsanti::Ok);
    }

private Q_SLOTS:
    void esportazione_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("superStar");
        QTest::addColumn<QByteArray>("atteso");
        const QByteArray descrizione =
            "[Descrizione]\r\nnome=Prova \x80.sec\r\n1=Integrale\r\n2=\r\n3=\r\n4=\r\n5=\r\n";
        QTest::newRow("3 columns") << 3 << false
                                   << Generale("3") + descrizione +
                                          "[Combinazioni]\r\n000001=01-05-17-23-44-90-\r\n000002=05-17-23-44-90-\r\n"
                                          "000003=02-03-04-05-06-07-\r\n";
        QTest::newRow("3 columns, SuperStar") << 3 << true
                                              << Generale("3", "1") + descrizione +
                                                     "[Combinazioni]\r\n000001=01-05-17-23-44-90*\r\n"
                                                     "000002=05-17-23-44-90*\r\n000003=02-03-04-05-06-07*\r\n";
        QTest::newRow("no columns, no Combinazioni") << 0 << false << Generale("0") + descrizione;
    }
    void esportazione() {
        QFETCH(int, colonne);
        QFETCH(bool, superStar);
        QFETCH(QByteArray, atteso);
        auto s = std::make_unique<Sistema>();
        s->nomeSistema = QStringLiteral("Prova €.sec");
        s->tipoSistema = QStringLiteral("Integrale");
        s->colonne.scrivi(1, {1, 5, 17, 23, 44, 90});
        s->colonne.scrivi(2, {5, 17, 0, 23, 44, 90}); // a position holding 0 is skipped
        s->colonne.scrivi(3, {2, 3, 4, 5, 6, 7});
        s->numeroColonne = colonne;
        s->superStar = superStar ? Vero : Falso;
        const QString percorso = Percorso(QStringLiteral("prova.ext"));
        QVERIFY(Scrivi(percorso, QByteArray(5000, 'x'))); // replaced whole

        QVERIFY(SalvaExtrema(*s, percorso, *m_ui));
        QCOMPARE(Contenuto(percorso), atteso);
        VerificaInfo(QStringLiteral("Prova €.sec\r\nExport to EXTREMA"));
    }

    void andataERitorno_data() {
        QTest::addColumn<bool>("superStar");
        QTest::newRow("without SuperStar") << false;
        QTest::newRow("with SuperStar") << true;
    }
    void andataERitorno() {
        QFETCH(bool, superStar);
        const int colonne = 140'000; // across event blocks
        auto origine = std::make_unique<Sistema>();
        Riempi(*origine, colonne);
        origine->superStar = superStar ? Vero : Falso;
        origine->nomeSistema = QStringLiteral("Mio Sistema.SEC");
        origine->tipoSistema = QStringLiteral("Ridotto N-2");
        const QString percorso = Percorso(QStringLiteral("andata.ext"));
        QVERIFY(SalvaExtrema(*origine, percorso, *m_ui));
        m_ui->messaggi.clear();

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->superStar = superStar ? Falso : Vero; // the file decides
        qsizetype messaggiPrima = -1;
        QVERIFY(ImportaExtrema(*s, percorso, *m_ui, [&] { messaggiPrima = m_ui->messaggi.size(); }));
        QCOMPARE(messaggiPrima, 0); // the window is refreshed before the box
        VerificaInfo(QStringLiteral("Mio Sistema.SEC\r\nRidotto N-2\r\n\r\n\r\n\r\n"));
        QVERIFY(StesseColonne(*s, *origine));
        QCOMPARE(s->numeroColonne, colonne);
        QCOMPARE(int{s->numeriInGioco}, 90); // every number occurs
        QCOMPARE(s->tipoSistema, QStringLiteral("FILE EXTREMA"));
        QCOMPARE(s->nomeSistema, QStringLiteral("Mio Sistema.SEC")); // as stored, not lower-cased
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/Prima.sec"));
        QCOMPARE(s->superStar, origine->superStar);
        QCOMPARE(s->costoColonna, superStar ? s->costoColonnaSS : s->costoColonnaSE);
        QVERIFY(s->sistemaSviluppato && !s->condFisse);
    }

    // valido.ext comes from an independent writer.
    void fileAccettati() {
        auto s = std::make_unique<Sistema>();
        QVERIFY(ImportaExtrema(*s, QStringLiteral(SESTINA_TEST_DATA "/colonne/valido.ext"), *m_ui));
        VerificaInfo(QStringLiteral("Sistema Prova.SEC\r\nCondizionato\r\nseconda riga\r\n\r\n\r\nultima €"));
        QCOMPARE(s->colonne.leggi(2), (Colonna{4, 9, 17, 33, 50, 90}));
        QCOMPARE(s->numeroColonne, 3);
        QCOMPARE(s->costoColonna, s->costoColonnaSS);
        const std::array<std::uint8_t, 9> pronostico{1, 4, 9, 17, 33, 50, 71, 90, 0};
        QVERIFY(std::equal(pronostico.begin(), pronostico.end(), s->pronostico.begin()));

        // Entries are found by key whatever their order, blanks and quotes as the INI rules have them.
        const QString percorso = Percorso(QStringLiteral("ordine.ext"));
        QVERIFY(Scrivi(percorso, Generale("2") + "[Combinazioni]\r\n1=x\r\n0000002=x\r\n000003=x\r\n"
                                                 "000002=7*8*9*10*11*12*\r\n 000001 = \" 1 - 2-3 -4-5-6\"\r\n"));
        QVERIFY(ImportaExtrema(*s, percorso, *m_ui));
        QCOMPARE(s->colonne.leggi(1), (Colonna{1, 2, 3, 4, 5, 6}));
        QCOMPARE(s->colonne.leggi(2), (Colonna{7, 8, 9, 10, 11, 12}));

        // An editor's UTF-8 mark does not hide the first section.
        QVERIFY(Scrivi(percorso, "\xEF\xBB\xBF" + Generale("1") + "[Combinazioni]\r\n000001=1-2-3-4-5-7\r\n"));
        QVERIFY(ImportaExtrema(*s, percorso, *m_ui));
        QCOMPARE(s->colonne.leggi(1), (Colonna{1, 2, 3, 4, 5, 7}));
    }

    void rifiutato_data() {
        QTest::addColumn<QString>("nome"); // a file of rotti/, or <the Combinazioni line> of a built file
        QTest::addColumn<QString>("messaggio");
        const QString tipo = Comune(13, QStringLiteral("Tipo non corrispondente"));
        const QDir rotti(QStringLiteral(SESTINA_TEST_DATA "/colonne/rotti"));
        QCOMPARE(rotti.entryList({"*.ext"}).size(), 15); // a row for each file crea.py breaks
        const auto riga = [&](const char* file, const QString& messaggio) {
            QTest::newRow(file) << rotti.filePath(QLatin1String(file) + QStringLiteral(".ext")) << messaggio;
        };
        riga("release-2.0", Applicazione(QStringLiteral("Release o Giooco non corretto")));
        riga("gioco-errato", Applicazione(QStringLiteral("Release o Giooco non corretto")));
        riga("marche-5", Applicazione(QStringLiteral("Max marche per pannello diversa da 6")));
        riga("marche-300", Comune(6, QStringLiteral("Overflow")));
        riga("colonne-mancanti", tipo);
        riga("colonne-non-numeriche", tipo);
        riga("colonne-negative", Applicazione(QStringLiteral("Numero di colonne non valido")));
        riga("pannelli-non-numerici", tipo);
        riga("superstar-mancante", tipo);
        riga("superstar-non-numerico", tipo);
        riga("voce-mancante", Applicazione(QStringLiteral("Combinazione 000002 mancante")));
        riga("voce-cinque-numeri", tipo); // the empty sixth field after the last "-"
        riga("voce-non-numerica", tipo);
        riga("voce-numero-91", Applicazione(QStringLiteral("Combinazione 000002: numero fuori dall'intervallo 1-90")));
        riga("voce-numero-ripetuto", Applicazione(QStringLiteral("Combinazione 000002: numero 17 ripetuto")));
        QTest::newRow("link to /dev/zero") << "<zero>" << Comune(75, "Errore di accesso al percorso/file");
        QTest::newRow("FIFO") << "<fifo>" << Comune(75, "Errore di accesso al percorso/file");
        // Room is made for the lines the file has, not for the count it claims.
        QTest::newRow("a million columns claimed, one given")
            << "<1000000>" << Applicazione(QStringLiteral("Combinazione 000002 mancante"));
        QTest::newRow("five fields") << "<000001=01-02-03-04-05>" << Comune(9, "Indice non compreso nell'intervallo");
        QTest::newRow("lowest entry's fault first") << "<000002=1-2-3-4-5-91\r\n000001=1-x-3-4-5-6>" << tipo;
        QTest::newRow("first of two equal keys is read")
            << "<000001=1-2-3-4-5-6\r\n000001=x\r\n000002=1-2-3-4-5-0>"
            << Applicazione(QStringLiteral("Combinazione 000002: numero fuori dall'intervallo 1-90"));
        QTest::newRow("first line of a key without =") << "<000001=1-2-3-4-5-6\r\n000002\r\n000002=1-2-3-4-5-6>"
                                                       << Applicazione(QStringLiteral("Combinazione 000002 mancante"));
        QTest::newRow("missing file") << "manca.ext" << Comune(53, QStringLiteral("Impossibile trovare il file"));
        QTest::newRow("beyond the column limit") << "<limit+1>" << MessaggioLimite();
        QTest::newRow("empty path does nothing") << "" << QString();
    }
    void rifiutato() {
        QFETCH(QString, nome);
        QFETCH(QString, messaggio);
        QString percorso = nome;
        if (FileOstile(nome)) {
            percorso = FileOstile(nome, Percorso(QStringLiteral("ostile.ext")));
        } else if (nome == QStringLiteral("<1000000>")) {
            percorso = Percorso(QStringLiteral("costruito.ext"));
            QVERIFY(Scrivi(percorso, Generale("1000000") + "[Combinazioni]\r\n000001=1-2-3-4-5-6\r\n"));
        } else if (nome.startsWith(QLatin1Char('<'))) {
            percorso = Percorso(QStringLiteral("costruito.ext"));
            const bool oltre = nome == QStringLiteral("<limit+1>");
            QVERIFY(Scrivi(percorso, oltre ? Generale(QByteArray::number(LimiteColonne + 1))
                                           : Generale("2") + "[Combinazioni]\r\n" + nome.mid(1).chopped(1).toLatin1()));
        } else if (!nome.isEmpty() && !nome.startsWith(QLatin1Char('/'))) {
            percorso = Percorso(nome);
        }
        VerificaRifiuto(
            [&](Sistema& s) { return ImportaExtrema(s, percorso, *m_ui, [] { QFAIL("no refresh after a refusal"); }); },
            messaggio);
    }

    // A failed export leaves the previous file whole and shows no "Info Sistema".
    void esportazioneNonRiuscita() {
        auto s = std::make_unique<Sistema>();
        for (int i = 1; i <= 1000; ++i)
            s->colonne.scrivi(i, {1, 2, 3, 4, 5, 6});
        s->numeroColonne = 1000;
        const QString percorso = Percorso(QStringLiteral("vecchio.ext"));
        QVERIFY(Scrivi(percorso, Generale("1")));
        bool salvato = true;
        if (!ConScritturaLimitata([&] { salvato = SalvaExtrema(*s, percorso, *m_ui); }))
            QSKIP("needs a per-process file-size limit");
        QVERIFY(!salvato);
        QCOMPARE(Contenuto(percorso), Generale("1"));
        QCOMPARE(QDir(m_cartella->path()).entryList(QDir::Files), QStringList{QStringLiteral("vecchio.ext")});
        VerificaMessaggi({Comune(75, QStringLiteral("Errore di accesso al percorso/file"), "SalvaExtrema")});
    }
};

QTEST_GUILESS_MAIN(TstExtrema)
#include "tst_extrema.moc"
