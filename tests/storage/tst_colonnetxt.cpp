#include "ColonneTxt.h"
#include "ProvaSuFile.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

QString Comune(int numero, const QString& descrizione, const char* procedura = "ImportaColonneTxt") {
    return sestina::Comune(numero, descrizione, QLatin1String(procedura));
}

} // namespace

class TstColonneTxt : public ProvaSuFile {
    Q_OBJECT

private Q_SLOTS:
    void esportazione_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("messaggio");
        const QString errato = Comune(52, QStringLiteral("Nome o numero di file non valido"), "SalvaColonneTxt");
        QTest::newRow("replaces the old file") << "prova.sec" << QString();
        QTest::newRow("empty name") << "" << errato;
        QTest::newRow("climbs out of txt") << "../fuori.sec" << errato;
        QTest::newRow("backslash") << "..\\fuori.sec" << errato;
        QTest::newRow("txt is a file") << "<txt>"
                                       << Comune(76, QStringLiteral("Impossibile trovare il percorso"),
                                                 "SalvaColonneTxt");
    }
    void esportazione() {
        QFETCH(QString, nome);
        QFETCH(QString, messaggio);
        auto s = std::make_unique<Sistema>();
        s->nomeSistema = nome == QStringLiteral("<txt>") ? QStringLiteral("prova.sec") : nome;
        s->colonne.scrivi(1, {1, 5, 17, 23, 44, 90});
        s->colonne.scrivi(2, {0, 5, 17, 23, 44, 90}); // a position holding 0 is skipped
        s->colonne.scrivi(3, {1, 2, 3, 4, 5, 6});     // beyond numeroColonne
        s->numeroColonne = 2;
        const QString txt = Percorso(QStringLiteral("txt"));
        const QByteArray vecchio(500, 'x');
        if (nome == QStringLiteral("<txt>"))
            QVERIFY(Scrivi(txt, vecchio));
        else
            QVERIFY(QDir().mkpath(txt) && Scrivi(txt + QStringLiteral("/prova.txt"), vecchio));

        const auto percorso = SalvaColonneTxt(*s, m_cartella->path(), *m_ui);
        VerificaMessaggi({messaggio});
        if (messaggio.isEmpty()) {
            QCOMPARE(percorso, std::optional<QString>(txt + QStringLiteral("/prova.txt")));
            QCOMPARE(Contenuto(*percorso), QByteArray(" 01 05 17 23 44 90 \r\n 05 17 23 44 90 \r\n"));
            return;
        }
        QVERIFY(!percorso);
        QDirIterator file(m_cartella->path(), QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(file.hasNext());
        QCOMPARE(Contenuto(file.next()), vecchio);
        QVERIFY2(!file.hasNext(), "nothing written anywhere");
    }

    void andataERitorno_data() {
        QTest::addColumn<int>("colonne");
        QTest::newRow("none") << 0;
        QTest::newRow("across event blocks") << 200'000;
    }
    void andataERitorno() {
        QFETCH(int, colonne);
        auto origine = std::make_unique<Sistema>();
        Riempi(*origine, colonne);
        const QString percorso = Percorso(QStringLiteral("Prova Mista.TXT"));
        QVERIFY(EsportaColonneTxt(*origine, percorso, *m_ui));

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->superStar = Vero;
        int aggiornamenti = 0;
        QVERIFY(ImportaColonneTxt(*s, percorso, *m_ui, [&] { ++aggiornamenti; }));
        QCOMPARE(aggiornamenti, 1);
        QVERIFY(m_ui->messaggi.isEmpty());
        QVERIFY(StesseColonne(*s, *origine));
        QCOMPARE(s->numeroColonne, colonne);
        QCOMPARE(int{s->numeriInGioco}, colonne > 0 ? 90 : 0); // every number occurs
        QCOMPARE(s->pronostico[89], std::uint8_t(colonne > 0 ? 90 : 0));
        QCOMPARE(s->tipoSistema, QStringLiteral("FILE TXT"));
        QCOMPARE(s->nomeSistema, QStringLiteral("prova mista.txt"));
        QCOMPARE(s->fileSistema, percorso);
        QCOMPARE(s->sistemaSviluppato, colonne > 0 ? -1 : 0);
        QVERIFY(s->superStar && !s->condSomma);          // conditions do not travel, nor does the SuperStar choice
        QVERIFY(m_ui->eventi >= 2 * (colonne / 65'536)); // while reading and while storing
    }

    void righe_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("colonne");
        QTest::newRow("three equivalent lines, an empty one skipped")
            << QByteArray("1 2 3 4 5 6\r\n\r\n01  02 03 04 05 06\r\n1 2 3 4 5 6 7\r\n") << 3;
        QTest::newRow("long runs of blanks and tabs, later fields not read")
            << QByteArray("\t 1\t\t2 3          4 5 6 x -4\r\n") << 1;
        QTest::newRow("LF only, CR only, no last break")
            << QByteArray("1 2 3 4 5 6\n\n1 2 3 4 5 6\r\r1 2 3 4 5 6") << 3;
        QTest::newRow("sign, zeros, byte-order mark") << QByteArray("\xEF\xBB\xBF+1 002 3 4 5 0006\r\n") << 1;
        QTest::newRow("only blank lines") << QByteArray("\r\n  \r\n\t\r\n") << 0;
        QTest::newRow("at the column limit") << QByteArray("1 2 3 4 5 6\n").repeated(LimiteColonne) << LimiteColonne;
    }
    void righe() {
        QFETCH(QByteArray, file);
        QFETCH(int, colonne);
        const QString percorso = Percorso(QStringLiteral("righe.txt"));
        QVERIFY(Scrivi(percorso, file));
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(ImportaColonneTxt(*s, percorso, *m_ui));
        QCOMPARE(s->numeroColonne, colonne);
        for (int i = 1; i <= colonne; ++i)
            if (s->colonne.leggi(i) != Colonna{1, 2, 3, 4, 5, 6})
                QFAIL(qPrintable(QStringLiteral("column %1").arg(i)));
        if (colonne < LimiteColonne)
            QCOMPARE(s->colonne.leggi(colonne + 1), Colonna{}); // the old column is gone
        QCOMPARE(int{s->numeriInGioco}, colonne > 0 ? 6 : 0);
    }

    void rifiutato_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("messaggio");
        const auto fuori = [](int riga) {
            return Comune(-2147211504, QStringLiteral("Riga %1: numero fuori dall'intervallo 1-90").arg(riga));
        };
        const QString rotti = QStringLiteral(SESTINA_TEST_DATA "/colonne/rotti/");
        QCOMPARE(QDir(rotti).entryList({"*.txt"}).size(), 6); // a row for each file crea.py breaks
        // Every refusal names its line, the numbered errors too.
        QTest::newRow("field not a number")
            << rotti + "campo-non-numerico.txt" << Comune(13, "Riga 2: Tipo non corrispondente");
        QTest::newRow("fewer than six fields")
            << rotti + "cinque-campi.txt" << Comune(9, "Riga 2: Indice non compreso nell'intervallo");
        QTest::newRow("a number repeated")
            << rotti + "numero-ripetuto.txt" << Comune(-2147211504, QStringLiteral("Riga 2: numero 5 ripetuto"));
        QTest::newRow("91") << rotti + "numero-91.txt" << fuori(2);
        QTest::newRow("0") << rotti + "numero-zero.txt" << fuori(2);
        QTest::newRow("negative") << rotti + "numero-negativo.txt" << fuori(2);
        QTest::newRow("line counted with blank lines") << "\r\n\r\n1 2 3 4 5 6\r\n\n1 2 3 4 5 95" << fuori(5);
        QTest::newRow("missing file") << "manca.txt" << Comune(53, "Impossibile trovare il file");
        QTest::newRow("missing folder") << "manca/x.txt" << Comune(76, "Impossibile trovare il percorso");
        QTest::newRow("a folder") << "." << Comune(75, "Errore di accesso al percorso/file");
        QTest::newRow("link to /dev/zero") << "<zero>" << Comune(75, "Errore di accesso al percorso/file");
        QTest::newRow("FIFO") << "<fifo>" << Comune(75, "Errore di accesso al percorso/file");
        QTest::newRow("empty path does nothing") << "" << QString();
        QTest::newRow("beyond the column limit") << "<limit+1>" << MessaggioLimite();
        QTest::newRow("2 GiB, refused at its first bad byte")
            << "<2 GiB>" << Comune(13, "Riga 2: Tipo non corrispondente");
    }
    void rifiutato() {
        QFETCH(QString, nome);
        QFETCH(QString, messaggio);
        QString percorso = nome;
        if (nome == QStringLiteral("<limit+1>") || nome.startsWith(QLatin1Char('\r'))) {
            percorso = Percorso(QStringLiteral("costruito.txt"));
            QVERIFY(Scrivi(percorso, nome.startsWith(QLatin1Char('\r'))
                                         ? nome.toLatin1()
                                         : QByteArray("1 2 3 4 5 6\n").repeated(LimiteColonne + 1)));
        } else if (FileOstile(nome)) {
            percorso = FileOstile(nome, Percorso(QStringLiteral("ostile.txt")));
        } else if (nome == QStringLiteral("<2 GiB>")) {
            // One column, then a hole of zeros: sparse, so it costs no disk.
            percorso = Percorso(QStringLiteral("enorme.txt"));
            QFile enorme(percorso);
            QVERIFY(enorme.open(QIODevice::WriteOnly) && enorme.write("1 2 3 4 5 6\r\n") == 13 &&
                    enorme.resize(qint64{2} * 1024 * 1024 * 1024));
        } else if (!nome.isEmpty() && !nome.startsWith(QLatin1Char('/'))) {
            percorso = Percorso(nome);
        }
        VerificaRifiuto(
            [&](Sistema& s) {
                return ImportaColonneTxt(s, percorso, *m_ui, [] { QFAIL("no refresh after a refusal"); });
            },
            messaggio);
    }
};

QTEST_GUILESS_MAIN(TstColonneTxt)
#include "tst_colonnetxt.moc"
