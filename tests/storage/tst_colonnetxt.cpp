#include "ColonneTxt.h"
#include "Errore.h"
#include "FakeInterfaccia.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <tuple>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace sestina;

namespace {

using Colonne = QList<Colonna>;

QString Comune(int numero, const QString& descrizione, const char* procedura) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of Modulo corpo").arg(numero).arg(descrizione).arg(procedura);
}

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

// A developed System that no file of these tests resembles.
void Popola(Sistema& s) {
    for (const int n : {12, 90, 5, 33, 41, 60, 7})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Condizionato");
    s.colonne.scrivi(1, {5, 7, 12, 33, 41, 60});
    s.colonne.scrivi(2, {7, 12, 33, 41, 60, 90});
    s.numeroColonne = 2;
    s.condSomma = Vero;
    s.sommaDa = 100;
    s.sommaA = 200;
    s.superStar = Vero;
    s.scegliCosto();
    s.sistemaSviluppato = Vero;
    s.fileSistema = QStringLiteral("/altrove/prima.sec");
    s.nomeSistema = QStringLiteral("prima.sec");
}

void ConfrontaTutto(const Sistema& atteso, const Sistema& s) {
    const auto campi = [](const Sistema& x) {
        return std::tie(x.numeriInGioco, x.numeroColonne, x.tipoSistema, x.pronostico, x.selezionati, x.condSomma,
                        x.sommaDa, x.sommaA, x.superStar, x.costoColonna, x.fileSistema, x.nomeSistema,
                        x.sistemaSviluppato);
    };
    QVERIFY(campi(s) == campi(atteso));
    QVERIFY2(std::memcmp(s.colonne.dati(), atteso.colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0, "columns");
}

// Column i of a large sample: six distinct numbers that differ from column to column.
Colonna Campione(int i) {
    Colonna c;
    for (int p = 0; p < 6; ++p)
        c[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(1 + (i * 7 + p * 13) % 90);
    return c;
}

} // namespace

class TstColonneTxt : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome) const { return m_cartella->filePath(nome); }

    // The file is imported into a populated System; a refusal must leave that System as it was.
    bool Importa(Sistema& s, const QString& percorso, int* aggiornamenti = nullptr) {
        return ImportaColonneTxt(s, percorso, *m_ui, [&] {
            if (aggiornamenti)
                ++*aggiornamenti;
        });
    }

private Q_SLOTS:
    void init() {
        m_ui = std::make_unique<FakeInterfaccia>();
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }
    void cleanup() { QCOMPARE(m_ui->livelloOccupato, 0); }

    void esportazione() {
        auto s = std::make_unique<Sistema>();
        s->nomeSistema = QStringLiteral("prova.sec");
        s->colonne.scrivi(1, {1, 5, 17, 23, 44, 90});
        s->colonne.scrivi(2, {0, 5, 17, 23, 44, 90}); // a position holding 0 is skipped
        s->colonne.scrivi(3, {9, 9, 9, 9, 9, 9});
        s->colonne.scrivi(4, {1, 2, 3, 4, 5, 6}); // beyond numeroColonne: not written
        s->numeroColonne = 3;
        const QString dati = Percorso(QStringLiteral("dati"));
        QVERIFY(QDir().mkpath(dati + QStringLiteral("/txt")));
        QVERIFY(Scrivi(dati + QStringLiteral("/txt/prova.txt"), QByteArray(500, 'x')));

        QCOMPARE(SalvaColonneTxt(*s, dati, *m_ui), std::optional<QString>(dati + QStringLiteral("/txt/prova.txt")));
        QCOMPARE(Contenuto(dati + QStringLiteral("/txt/prova.txt")),
                 QByteArray(" 01 05 17 23 44 90 \r\n 05 17 23 44 90 \r\n 09 09 09 09 09 09 \r\n"));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void nomeNonSicuro_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("empty") << "";
        QTest::newRow("parent folder") << "..";
        QTest::newRow("climbs out") << "../fuori.sec";
        QTest::newRow("subfolder") << "a/b.sec";
        QTest::newRow("backslash") << "..\\fuori.sec";
    }
    void nomeNonSicuro() {
        QFETCH(QString, nome);
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->nomeSistema = nome;
        QVERIFY(!SalvaColonneTxt(*s, Percorso(QStringLiteral("dati")), *m_ui));
        QCOMPARE(m_ui->messaggi.size(), 1);
        QCOMPARE(m_ui->messaggi[0].testo, Comune(52, QStringLiteral("Bad file name or number"), "SalvaColonneTxt"));
        QDirIterator file(m_cartella->path(), QDir::Files, QDirIterator::Subdirectories);
        QVERIFY2(!file.hasNext(), "nothing written anywhere");
    }

    void esportazioneNonRiuscita_data() {
        QTest::addColumn<bool>("txtUnFile");
        QTest::addColumn<QString>("errore");
        QTest::newRow("txt is a file") << true << Comune(76, QStringLiteral("Path not found"), "SalvaColonneTxt");
        QTest::newRow("write cut short") << false
                                         << Comune(75, QStringLiteral("Path/File access error"), "SalvaColonneTxt");
    }
    // A failed export leaves the previous file whole and says so.
    void esportazioneNonRiuscita() {
        QFETCH(bool, txtUnFile);
        QFETCH(QString, errore);
        auto s = std::make_unique<Sistema>();
        for (int i = 1; i <= 1000; ++i)
            s->colonne.scrivi(i, Campione(i));
        s->numeroColonne = 1000;
        s->nomeSistema = QStringLiteral("prova.sec");
        const QString txt = Percorso(QStringLiteral("txt"));
        const QByteArray vecchio = "vecchio contenuto\r\n";
        bool esportato = false;
        if (txtUnFile) {
            QVERIFY(Scrivi(txt, vecchio));
            esportato = SalvaColonneTxt(*s, m_cartella->path(), *m_ui).has_value();
            QCOMPARE(Contenuto(txt), vecchio);
        } else {
#ifdef Q_OS_LINUX
            QVERIFY(QDir().mkpath(txt));
            QVERIFY(Scrivi(txt + QStringLiteral("/prova.txt"), vecchio));
            rlimit limite{};
            QVERIFY(getrlimit(RLIMIT_FSIZE, &limite) == 0);
            if (limite.rlim_max != RLIM_INFINITY && limite.rlim_max < 300)
                QSKIP("file-size limit already below the test's");
            const rlimit prima = limite;
            limite.rlim_cur = 300;
            const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
            esportato = SalvaColonneTxt(*s, m_cartella->path(), *m_ui).has_value();
            setrlimit(RLIMIT_FSIZE, &prima);
            std::signal(SIGXFSZ, gestore);
            QCOMPARE(Contenuto(txt + QStringLiteral("/prova.txt")), vecchio);
            QCOMPARE(QDir(txt).entryList(QDir::Files), QStringList{QStringLiteral("prova.txt")});
#else
            QSKIP("needs a per-process file-size limit");
#endif
        }
        QVERIFY(!esportato);
        QCOMPARE(m_ui->messaggi.size(), 1);
        QCOMPARE(m_ui->messaggi[0].testo, errore);
    }

    void andataERitorno_data() {
        QTest::addColumn<int>("colonne");
        QTest::newRow("none") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("across event blocks") << 200'000;
    }
    void andataERitorno() {
        QFETCH(int, colonne);
        auto origine = std::make_unique<Sistema>();
        std::array<bool, 91> visto{};
        for (int i = 1; i <= colonne; ++i) {
            origine->colonne.scrivi(i, Campione(i));
            for (const std::uint8_t n : Campione(i))
                visto[n] = true;
        }
        origine->numeroColonne = colonne;
        const QString percorso = Percorso(QStringLiteral("Prova Mista.TXT"));
        QVERIFY(EsportaColonneTxt(*origine, percorso, *m_ui));

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        int aggiornamenti = 0;
        QVERIFY(Importa(*s, percorso, &aggiornamenti));
        QCOMPARE(aggiornamenti, 1);
        QVERIFY(m_ui->messaggi.isEmpty());
        QVERIFY(std::memcmp(s->colonne.dati(), origine->colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0);
        QCOMPARE(s->numeroColonne, colonne);
        QCOMPARE(s->tipoSistema, QStringLiteral("FILE TXT"));
        QCOMPARE(s->nomeSistema, QStringLiteral("prova mista.txt"));
        QCOMPARE(s->fileSistema, percorso);
        QCOMPARE(s->sistemaSviluppato, colonne > 0 ? -1 : 0);
        QCOMPARE(s->condSomma, Falso); // conditions do not travel
        QCOMPARE(s->superStar, Vero);  // nor does the SuperStar choice
        int inGioco = 0;
        for (int n = 1; n <= 90; ++n) {
            QCOMPARE(s->selezionati[static_cast<std::size_t>(n - 1)], visto[static_cast<std::size_t>(n)]);
            if (visto[static_cast<std::size_t>(n)])
                QCOMPARE(s->pronostico[static_cast<std::size_t>(inGioco++)], std::uint8_t(n));
        }
        QCOMPARE(int{s->numeriInGioco}, inGioco);
        if (inGioco < 90)
            QCOMPARE(s->pronostico[static_cast<std::size_t>(inGioco)], std::uint8_t{0});
        if (colonne > 65'536)
            QVERIFY(m_ui->eventi >= 2 * (colonne / 65'536)); // both when reading and when storing
    }

    void righe_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Colonne>("attese");
        const Colonna sei{1, 2, 3, 4, 5, 6};
        const Colonna altra{7, 8, 9, 10, 11, 12};
        QTest::newRow("three equivalent lines, an empty one skipped")
            << QByteArray("1 2 3 4 5 6\r\n\r\n01  02 03 04 05 06\r\n1 2 3 4 5 6 7\r\n") << Colonne{sei, sei, sei};
        QTest::newRow("long runs of blanks and tabs") << QByteArray("\t 1\t\t2 3          4 5 6 \t\r\n") << Colonne{sei};
        QTest::newRow("fields after the sixth are not read") << QByteArray(" 1 2 3 4 5 6 x -4 999\r\n") << Colonne{sei};
        QTest::newRow("LF only, last line without break") << QByteArray("1 2 3 4 5 6\n\n7 8 9 10 11 12")
                                                          << Colonne{sei, altra};
        QTest::newRow("CR only") << QByteArray("1 2 3 4 5 6\r\r7 8 9 10 11 12\r") << Colonne{sei, altra};
        QTest::newRow("sign and leading zeros") << QByteArray("+1 002 3 4 5 0006\r\n") << Colonne{sei};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF 1 2 3 4 5 6\r\n") << Colonne{sei};
        QTest::newRow("empty file") << QByteArray() << Colonne{};
        QTest::newRow("only blank lines") << QByteArray("\r\n  \r\n\t\r\n") << Colonne{};
    }
    void righe() {
        QFETCH(QByteArray, file);
        QFETCH(Colonne, attese);
        const QString percorso = Percorso(QStringLiteral("righe.txt"));
        QVERIFY(Scrivi(percorso, file));
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(Importa(*s, percorso));
        QVERIFY(m_ui->messaggi.isEmpty());
        QCOMPARE(s->numeroColonne, static_cast<int>(attese.size()));
        for (qsizetype i = 0; i < attese.size(); ++i)
            QCOMPARE(s->colonne.leggi(static_cast<int>(i + 1)), attese[i]);
        QCOMPARE(s->colonne.leggi(static_cast<int>(attese.size() + 1)), Colonna{}); // the old columns are gone
        QCOMPARE(s->sistemaSviluppato, attese.isEmpty() ? 0 : -1);
    }

    void rifiutato_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("titolo");
        const auto fuori = [](int riga) {
            return Comune(-2147211504, QStringLiteral("Riga %1: numero fuori dall'intervallo 1-90").arg(riga),
                          "ImportaColonneTxt");
        };
        const QString app = QStringLiteral("Sestinaplan");
        const QString rotti = QStringLiteral(SESTINA_TEST_DATA "/colonne/rotti/");
        QCOMPARE(QDir(rotti).entryList({"*.txt"}).size(), 5); // one row per file crea.py breaks
        QTest::newRow("field not a number") << rotti + "campo-non-numerico.txt"
                                            << Comune(13, "Type mismatch", "ImportaColonneTxt") << app;
        QTest::newRow("fewer than six fields") << rotti + "cinque-campi.txt"
                                               << Comune(9, "Subscript out of range", "ImportaColonneTxt") << app;
        QTest::newRow("91") << rotti + "numero-91.txt" << fuori(2) << app;
        QTest::newRow("0") << rotti + "numero-zero.txt" << fuori(2) << app;
        QTest::newRow("negative") << rotti + "numero-negativo.txt" << fuori(2) << app;
        QTest::newRow("line counted with blank lines and CRLF")
            << "\r\n\r\n1 2 3 4 5 6\r\n\n1 2 3 4 5 95" << fuori(5) << app;
        QTest::newRow("missing file") << "manca.txt" << Comune(53, "File not found", "ImportaColonneTxt") << app;
        QTest::newRow("missing folder") << "manca/x.txt" << Comune(76, "Path not found", "ImportaColonneTxt") << app;
        QTest::newRow("a folder") << "." << Comune(75, "Path/File access error", "ImportaColonneTxt") << app;
        QTest::newRow("empty path does nothing") << "" << "" << "";
        QTest::newRow("beyond the column limit") << "<limit+1>" << MessaggioLimite() << "ATTENZIONE";
    }
    void rifiutato() {
        QFETCH(QString, nome);
        QFETCH(QString, messaggio);
        QFETCH(QString, titolo);
        QString percorso = nome;
        if (nome == QStringLiteral("<limit+1>")) {
            percorso = Percorso(QStringLiteral("oltre.txt"));
            QVERIFY(Scrivi(percorso, QByteArray("1 2 3 4 5 6\n").repeated(LimiteColonne + 1)));
        } else if (nome.startsWith(QLatin1Char('\r'))) {
            percorso = Percorso(QStringLiteral("righe.txt"));
            QVERIFY(Scrivi(percorso, nome.toLatin1()));
        } else if (!nome.isEmpty() && !nome.startsWith(QLatin1Char('/'))) {
            percorso = Percorso(nome);
        }
        auto s = std::make_unique<Sistema>();
        auto intatto = std::make_unique<Sistema>();
        Popola(*s);
        Popola(*intatto);
        int aggiornamenti = 0;
        QVERIFY(!Importa(*s, percorso, &aggiornamenti));
        QCOMPARE(aggiornamenti, 0);
        ConfrontaTutto(*intatto, *s);
        if (messaggio.isEmpty()) {
            QVERIFY(m_ui->messaggi.isEmpty());
            return;
        }
        QCOMPARE(m_ui->messaggi.size(), 1);
        QCOMPARE(m_ui->messaggi[0].testo, messaggio);
        QCOMPARE(m_ui->messaggi[0].titolo, titolo);
    }

    void alLimite() {
        const QString percorso = Percorso(QStringLiteral("limite.txt"));
        QVERIFY(Scrivi(percorso, QByteArray("90 1 2 3 4 5\n").repeated(LimiteColonne)));
        auto s = std::make_unique<Sistema>();
        QVERIFY(Importa(*s, percorso));
        QCOMPARE(s->numeroColonne, LimiteColonne);
        QCOMPARE(s->colonne.leggi(LimiteColonne), (Colonna{90, 1, 2, 3, 4, 5}));
    }
};

QTEST_GUILESS_MAIN(TstColonneTxt)
#include "tst_colonnetxt.moc"
