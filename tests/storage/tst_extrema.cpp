#include "Errore.h"
#include "Extrema.h"
#include "FakeInterfaccia.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QDir>
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

const QString InfoSistema = QStringLiteral("Info Sistema");

QString Comune(int numero, const QString& descrizione, const char* procedura = "ImportaExtrema") {
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

// A developed System without SuperStar that no file of these tests resembles.
void Popola(Sistema& s) {
    for (const int n : {12, 90, 5, 33, 41, 60, 7})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Condizionato");
    s.colonne.scrivi(1, {5, 7, 12, 33, 41, 60});
    s.colonne.scrivi(2, {7, 12, 33, 41, 60, 90});
    s.numeroColonne = 2;
    s.condFisse = Vero;
    s.sistemaSviluppato = Vero;
    s.fileSistema = QStringLiteral("/altrove/prima.sec");
    s.nomeSistema = QStringLiteral("prima.sec");
}

void ConfrontaTutto(const Sistema& atteso, const Sistema& s) {
    const auto campi = [](const Sistema& x) {
        return std::tie(x.numeriInGioco, x.numeroColonne, x.tipoSistema, x.pronostico, x.selezionati, x.condFisse,
                        x.superStar, x.costoColonna, x.fileSistema, x.nomeSistema, x.sistemaSviluppato);
    };
    QVERIFY(campi(s) == campi(atteso));
    QVERIFY2(std::memcmp(s.colonne.dati(), atteso.colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0, "columns");
}

Colonna Campione(int i) {
    Colonna c;
    for (int p = 0; p < 6; ++p)
        c[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(1 + (i * 11 + p * 14) % 90);
    return c;
}

} // namespace

class TstExtrema : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome) const { return m_cartella->filePath(nome); }

    void VerificaInfo(const QString& testo) {
        QCOMPARE(m_ui->messaggi.size(), 1);
        const auto& m = m_ui->messaggi[0];
        QCOMPARE(m.testo, testo);
        QVERIFY(m.titolo == InfoSistema && m.icona == Icona::Informazione && m.pulsanti == Pulsanti::Ok);
    }

private Q_SLOTS:
    void init() {
        m_ui = std::make_unique<FakeInterfaccia>();
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }
    void cleanup() { QCOMPARE(m_ui->livelloOccupato, 0); }

    void esportazione_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("superStar");
        QTest::addColumn<QByteArray>("atteso");
        const QByteArray descrizione = "[Descrizione]\r\nnome=Prova \x80.sec\r\n1=Integrale\r\n2=\r\n3=\r\n4=\r\n5=\r\n";
        const auto generale = [](int colonne, int superStar) {
            return QByteArray("[Generale]\r\nrelease=3.0\r\ngioco=SuperEnalotto\r\ncolonne=%1\r\nsuperstar=%2\r\n"
                              "pannelli=%1\r\nmax_marche_per_pannello=6\r\n")
                .replace("%1", QByteArray::number(colonne))
                .replace("%2", QByteArray::number(superStar));
        };
        QTest::newRow("3 columns") << 3 << false
                                   << generale(3, 0) + descrizione +
                                          "[Combinazioni]\r\n000001=01-05-17-23-44-90-\r\n000002=05-17-23-44-90-\r\n"
                                          "000003=02-03-04-05-06-07-\r\n";
        QTest::newRow("3 columns, SuperStar") << 3 << true
                                              << generale(3, 1) + descrizione +
                                                     "[Combinazioni]\r\n000001=01-05-17-23-44-90*\r\n"
                                                     "000002=05-17-23-44-90*\r\n000003=02-03-04-05-06-07*\r\n";
        QTest::newRow("no columns, no Combinazioni") << 0 << false << generale(0, 0) + descrizione;
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
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("superStar");
        QTest::newRow("without SuperStar") << 40 << false;
        QTest::newRow("with SuperStar, across event blocks") << 140'000 << true;
    }
    void andataERitorno() {
        QFETCH(int, colonne);
        QFETCH(bool, superStar);
        auto origine = std::make_unique<Sistema>();
        for (int i = 1; i <= colonne; ++i)
            origine->colonne.scrivi(i, Campione(i));
        origine->numeroColonne = colonne;
        origine->superStar = superStar ? Vero : Falso;
        origine->nomeSistema = QStringLiteral("Mio Sistema.SEC");
        origine->tipoSistema = QStringLiteral("Ridotto N-2");
        const QString percorso = Percorso(QStringLiteral("andata.ext"));
        QVERIFY(SalvaExtrema(*origine, percorso, *m_ui));
        m_ui->messaggi.clear();

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->superStar = superStar ? Falso : Vero; // the file decides
        s->scegliCosto();
        qsizetype messaggiAllAggiornamento = -1;
        QVERIFY(ImportaExtrema(*s, percorso, *m_ui, [&] { messaggiAllAggiornamento = m_ui->messaggi.size(); }));
        QCOMPARE(messaggiAllAggiornamento, 0); // the window is refreshed before the box
        VerificaInfo(QStringLiteral("Mio Sistema.SEC\r\nRidotto N-2\r\n\r\n\r\n\r\n"));
        QVERIFY(std::memcmp(s->colonne.dati(), origine->colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0);
        QCOMPARE(s->numeroColonne, colonne);
        QCOMPARE(s->tipoSistema, QStringLiteral("FILE EXTREMA"));
        QCOMPARE(s->nomeSistema, QStringLiteral("Mio Sistema.SEC")); // as stored, not lower-cased
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/prima.sec"));
        QCOMPARE(s->superStar, superStar ? Vero : Falso);
        QCOMPARE(s->costoColonna, superStar ? s->costoColonnaSS : s->costoColonnaSE);
        QCOMPARE(s->sistemaSviluppato, -1);
        QCOMPARE(s->condFisse, Falso);
        QCOMPARE(int{s->numeriInGioco}, 90);
    }

    // valido.ext comes from an independent writer.
    void fileDiRiferimento() {
        auto s = std::make_unique<Sistema>();
        QVERIFY(ImportaExtrema(*s, QStringLiteral(SESTINA_TEST_DATA "/colonne/valido.ext"), *m_ui));
        VerificaInfo(QStringLiteral("Sistema Prova.SEC\r\nCondizionato\r\nseconda riga\r\n\r\n\r\nultima €"));
        QCOMPARE(s->numeroColonne, 3);
        QCOMPARE(s->colonne.leggi(1), (Colonna{4, 9, 17, 33, 50, 71}));
        QCOMPARE(s->colonne.leggi(2), (Colonna{4, 9, 17, 33, 50, 90}));
        QCOMPARE(s->colonne.leggi(3), (Colonna{1, 9, 17, 33, 50, 71}));
        QCOMPARE(s->superStar, Vero);
        QCOMPARE(s->costoColonna, 1.5f);
        const std::array<std::uint8_t, 7> pronostico{1, 4, 9, 17, 33, 50, 71};
        QCOMPARE(int{s->numeriInGioco}, 8);
        QVERIFY(std::equal(pronostico.begin(), pronostico.end(), s->pronostico.begin()));
        QCOMPARE(s->pronostico[7], std::uint8_t{90});
    }

    void rifiutato_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("messaggio");
        const auto app = [](const QString& testo) { return Comune(-2147211504, testo); };
        const QString tipo = Comune(13, QStringLiteral("Type mismatch"));
        const QString overflow = Comune(6, QStringLiteral("Overflow"));
        const QDir rotti(QStringLiteral(SESTINA_TEST_DATA "/colonne/rotti"));
        QCOMPARE(rotti.entryList({"*.ext"}).size(), 14); // one row per file crea.py breaks
        const auto riga = [&](const char* file, const QString& messaggio) {
            QTest::newRow(file) << rotti.filePath(QLatin1String(file) + QStringLiteral(".ext")) << messaggio;
        };
        riga("release-2.0", app(QStringLiteral("Release o Giooco non corretto")));
        riga("gioco-errato", app(QStringLiteral("Release o Giooco non corretto")));
        riga("marche-5", app(QStringLiteral("Max marche per pannello diversa da 6")));
        riga("marche-300", overflow);
        riga("colonne-mancanti", tipo);
        riga("colonne-non-numeriche", tipo);
        riga("colonne-negative", app(QStringLiteral("Numero di colonne non valido")));
        riga("pannelli-non-numerici", tipo);
        riga("superstar-mancante", tipo);
        riga("superstar-non-numerico", tipo);
        riga("voce-mancante", app(QStringLiteral("Combinazione 000002 mancante")));
        riga("voce-cinque-numeri", tipo); // the empty sixth field after the last "-"
        riga("voce-non-numerica", tipo);
        riga("voce-numero-91", app(QStringLiteral("Combinazione 000002: numero fuori dall'intervallo 1-90")));
        QTest::newRow("entry of five fields") << "<000001=01-02-03-04-05>" << Comune(9, "Subscript out of range");
        QTest::newRow("missing file") << "manca.ext" << Comune(53, QStringLiteral("File not found"));
        QTest::newRow("missing folder") << "manca/x.ext" << Comune(76, QStringLiteral("Path not found"));
        QTest::newRow("beyond the column limit") << "<limit+1>" << MessaggioLimite();
        QTest::newRow("empty path does nothing") << "" << "";
    }
    void rifiutato() {
        QFETCH(QString, nome);
        QFETCH(QString, messaggio);
        QString percorso = nome;
        if (nome.startsWith(QLatin1Char('<'))) {
            percorso = Percorso(QStringLiteral("costruito.ext"));
            const bool oltre = nome == QStringLiteral("<limit+1>");
            const QByteArray voce = oltre ? QByteArray() : nome.mid(1, nome.size() - 2).toLatin1() + "\r\n";
            const QByteArray colonne = oltre ? QByteArray::number(LimiteColonne + 1) : QByteArray("1");
            QVERIFY(Scrivi(percorso, "[Generale]\r\nrelease=3.0\r\ngioco=SuperEnalotto\r\ncolonne=" + colonne +
                                         "\r\nsuperstar=0\r\npannelli=1\r\nmax_marche_per_pannello=6\r\n"
                                         "[Combinazioni]\r\n" +
                                         voce));
        } else if (!nome.isEmpty() && !nome.startsWith(QLatin1Char('/'))) {
            percorso = Percorso(nome);
        }
        auto s = std::make_unique<Sistema>();
        auto intatto = std::make_unique<Sistema>();
        Popola(*s);
        Popola(*intatto);
        bool aggiornata = false;
        QVERIFY(!ImportaExtrema(*s, percorso, *m_ui, [&] { aggiornata = true; }));
        QVERIFY(!aggiornata);
        ConfrontaTutto(*intatto, *s);
        if (messaggio.isEmpty()) {
            QVERIFY(m_ui->messaggi.isEmpty());
            return;
        }
        QCOMPARE(m_ui->messaggi.size(), 1);
        QCOMPARE(m_ui->messaggi[0].testo, messaggio);
        QCOMPARE(m_ui->messaggi[0].titolo, messaggio == MessaggioLimite() ? QStringLiteral("ATTENZIONE")
                                                                         : QStringLiteral("Sestinaplan"));
    }

    void esportazioneNonRiuscita() {
#ifdef Q_OS_LINUX
        auto s = std::make_unique<Sistema>();
        for (int i = 1; i <= 1000; ++i)
            s->colonne.scrivi(i, Campione(i));
        s->numeroColonne = 1000;
        const QString percorso = Percorso(QStringLiteral("vecchio.ext"));
        const QByteArray vecchio = "[Generale]\r\nrelease=3.0\r\n";
        QVERIFY(Scrivi(percorso, vecchio));
        rlimit limite{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limite) == 0);
        if (limite.rlim_max != RLIM_INFINITY && limite.rlim_max < 300)
            QSKIP("file-size limit already below the test's");
        const rlimit prima = limite;
        limite.rlim_cur = 300;
        const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
        const bool salvato = SalvaExtrema(*s, percorso, *m_ui);
        setrlimit(RLIMIT_FSIZE, &prima);
        std::signal(SIGXFSZ, gestore);

        QVERIFY(!salvato);
        QCOMPARE(Contenuto(percorso), vecchio);
        QCOMPARE(QDir(m_cartella->path()).entryList(QDir::Files), QStringList{QStringLiteral("vecchio.ext")});
        QCOMPARE(m_ui->messaggi.size(), 1); // no "Info Sistema" after a failure
        QCOMPARE(m_ui->messaggi[0].testo, Comune(75, QStringLiteral("Path/File access error"), "SalvaExtrema"));
#else
        QSKIP("needs a per-process file-size limit");
#endif
    }
};

QTEST_GUILESS_MAIN(TstExtrema)
#include "tst_extrema.moc"
