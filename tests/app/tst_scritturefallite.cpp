#include "Archivio.h"
#include "Catalogo.h"
#include "ColonneTxt.h"
#include "Errore.h"
#include "Extrema.h"
#include "FileMatrice.h"
#include "FileSistema.h"
#include "ProvaSuFile.h"
#include "Sistema.h"
#include "Statistiche.h"
#include "TaraturaScheda.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

using namespace sestina;

namespace {

// One writer of the program: the file it writes below a folder, and the write of that file. Writers
// that talk to the user get the scripted one; the others report through their result.
struct Scrittore {
    const char* nome;
    QString file;
    bool parla;
    std::function<bool(const QString& file, Interfaccia& ui)> scrivi;
};

// Contents longer than every limit below (the calibration file, the shortest, has 1280 bytes).
Sistema& SistemaLungo() {
    static const auto s = [] {
        auto nuovo = std::make_unique<Sistema>();
        Popola(*nuovo);
        Riempi(*nuovo, 800);
        return nuovo;
    }();
    return *s;
}

ArchivioEstrazioni ArchivioLungo() {
    ArchivioEstrazioni a(600);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto n = static_cast<std::uint8_t>(6 + i % 80);
        a[i] = {static_cast<std::int16_t>(i + 1), QStringLiteral("01/02/2020"), {0, 1, 2, 3, 4, 5, n}, 88, 89};
    }
    return a;
}

MATRIX_STRUCTURE MatriceLunga() {
    std::vector<std::array<std::uint8_t, 6>> colonne(2000, {1, 2, 3, 4, 5, 6});
    return CreaMatrice(10, 5, 0, colonne, {QStringLiteral("100%"), QStringLiteral("prova"), QString(), {}, {}});
}

const QList<Scrittore>& Scrittori() {
    static const QList<Scrittore> scrittori = {
        {"sistema", QStringLiteral("s.sec"), true,
         [](const QString& f, Interfaccia& ui) { return SalvaFile(SistemaLungo(), f, ui); }},
        {"elenco di colonne", QStringLiteral("c.txt"), true,
         [](const QString& f, Interfaccia& ui) { return EsportaColonneTxt(SistemaLungo(), f, ui); }},
        {"Extrema", QStringLiteral("e.ext"), true,
         [](const QString& f, Interfaccia& ui) { return SalvaExtrema(SistemaLungo(), f, ui); }},
        {"archivio", QStringLiteral("sestinaplan.dat"), true,
         [](const QString& f, Interfaccia& ui) { return SaveArchivioEstrazioni(ArchivioLungo(), f, ui); }},
        {"taratura", QStringLiteral("NewScheda5colSS.cfg"), false,
         [](const QString& f, Interfaccia&) {
             TaraturaScheda t = TaraturaPredefinita(TipoScheda::CinqueColonne);
             t.stampante = QString(120, QLatin1Char('x'));
             try {
                 SalvaTaratura(QFileInfo(f).path(), TipoScheda::CinqueColonne, t);
                 return true;
             } catch (const Errore&) {
                 return false;
             }
         }},
        {"matrice", QStringLiteral("m.mspl"), false,
         [](const QString& f, Interfaccia&) { return SalvaMatrice(MatriceLunga(), f); }},
        {"statistiche", QStringLiteral("s.csv"), false,
         [](const QString& f, Interfaccia&) { return ScriviFileStatistiche(f, QByteArray(20000, ';')); }},
        // The folder's list is <folder>/matrici/lista.txt; the matrices come from <folder>/../sorgente.
        {"cartella pubblicata", QStringLiteral("matrici/lista.txt"), false,
         [](const QString& f, Interfaccia&) {
             return PubblicaMatrici(QDir::cleanPath(f + "/../../../sorgente"), QDir::cleanPath(f + "/../.."));
         }},
    };
    return scrittori;
}

const QByteArray Vecchio = "il file di prima, che deve restare intero";

// The files below a folder, sub-folders included, with their sizes: nothing may appear beside the old file.
QStringList Elenco(const QString& cartella) {
    QStringList elenco;
    QDir dir(cartella);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (f.isDir())
            for (const QString& dentro : Elenco(f.filePath()))
                elenco << f.fileName() + QLatin1Char('/') + dentro;
        else
            elenco << f.fileName();
    }
    return elenco;
}

// Every file below a folder with its contents.
QMap<QString, QByteArray> Fotografia(const QString& cartella) {
    QMap<QString, QByteArray> foto;
    for (const QString& nome : Elenco(cartella))
        foto[nome] = Contenuto(cartella + QLatin1Char('/') + nome);
    return foto;
}

// Runs the command-line tool with every file write capped at limite bytes (0: none): its exit
// status, or -1 when it did not end normally, or -2 when it failed without a word.
int Esegui(const QStringList& argomenti, rlim_t limite = 0) {
    QProcess p;
    p.setChildProcessModifier([limite] {
        if (limite == 0)
            return;
        rlimit tetto{};
        getrlimit(RLIMIT_FSIZE, &tetto);
        tetto.rlim_cur = limite;
        setrlimit(RLIMIT_FSIZE, &tetto);
        std::signal(SIGXFSZ, SIG_IGN);
    });
    p.start(QStringLiteral(SESTINA_CLI), argomenti);
    if (!p.waitForFinished(60'000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode() != 0 && p.readAllStandardError().isEmpty() ? -2 : p.exitCode();
}

const QByteArray TreEstrazioni = "1|02/01/2009|1|2|3|4|5|6|7|8\r\n2|03/01/2009|9|10|11|12|13|14|15|16\r\n"
                                 "3|04/01/2009|21|22|23|24|25|26|27|28\r\n";

} // namespace

// Every writer against a write that fails after N bytes and against a folder that refuses writes:
// the old file stays whole, no partial file is left, and the failure is reported.
class TestScrittureFallite : public ProvaSuFile {
    Q_OBJECT

    QString cartella() const { return Percorso(QStringLiteral("dati")); }

    void preparaFileVecchio(const Scrittore& s) {
        // The matrix the publisher's folder copies, written before any limit applies.
        QVERIFY(QDir().mkpath(Percorso(QStringLiteral("sorgente"))));
        QVERIFY(SalvaMatrice(MatriceLunga(), Percorso(QStringLiteral("sorgente/m.mspl"))));
        const QString file = cartella() + QLatin1Char('/') + s.file;
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY(Scrivi(file, Vecchio));
    }

    void verificaIntatto(const Scrittore& s, bool scritto) {
        QVERIFY(!scritto);
        QCOMPARE(Contenuto(cartella() + QLatin1Char('/') + s.file), Vecchio);
        QCOMPARE(Elenco(cartella()), QStringList{s.file});
        if (s.parla)
            QVERIFY(!m_ui->messaggi.isEmpty());
    }

private Q_SLOTS:
    void scritturaInterrotta_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<qint64>("limite");
        for (int i = 0; i < Scrittori().size(); ++i)
            for (const qint64 limite : {0, 1, 300, 1200})
                QTest::addRow("%s dopo %lld byte", Scrittori()[i].nome, static_cast<long long>(limite)) << i << limite;
    }
    void scritturaInterrotta() {
        QFETCH(int, indice);
        QFETCH(qint64, limite);
        const Scrittore& s = Scrittori()[indice];
        preparaFileVecchio(s);
        bool scritto = true;
        if (!ConScritturaLimitata([&] { scritto = s.scrivi(cartella() + QLatin1Char('/') + s.file, *m_ui); }, limite))
            QSKIP("needs a per-process file-size limit");
        verificaIntatto(s, scritto);
    }

    void cartellaSolaLettura_data() {
        QTest::addColumn<int>("indice");
        for (int i = 0; i < Scrittori().size(); ++i)
            QTest::newRow(Scrittori()[i].nome) << i;
    }
    void cartellaSolaLettura() {
        QFETCH(int, indice);
        const Scrittore& s = Scrittori()[indice];
        preparaFileVecchio(s);
        bool scritto = true;
        {
            CartellaSolaLettura solaLettura(cartella());
            if (!solaLettura.valida())
                QSKIP("cannot make a folder read-only here");
            scritto = s.scrivi(cartella() + QLatin1Char('/') + s.file, *m_ui);
        }
        verificaIntatto(s, scritto);
    }

    // The command-line tool under the same limit: exit 4, the old file whole, nothing beside it.
    void strumentoEsceConQuattro_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("file");
        const QString sistema = QStringLiteral(SESTINA_TEST_DATA "/sistemi/valido.sec");
        const QString colonne = QStringLiteral(SESTINA_TEST_DATA "/colonne/valido.txt");
        const QString matrice = QStringLiteral(SESTINA_TEST_DATA "/matrici/valida.mspl");
        QTest::newRow("sviluppa") << QStringList{"sviluppa", "--numeri", "1-12", "-o", "@"} << "s.sec";
        QTest::newRow("esporta --txt") << QStringList{"esporta", sistema, "--txt", "@"} << "c.txt";
        QTest::newRow("esporta --extrema") << QStringList{"esporta", sistema, "--extrema", "@"} << "e.ext";
        QTest::newRow("importa") << QStringList{"importa", colonne, "-o", "@"} << "s.sec";
        QTest::newRow("matrice-genera") << QStringList{"matrice-genera", "--numeri", "12", "--garanzia", "4",
                                                       "--secondi",      "1",        "-o", "@"}
                                        << "m.mspl";
        QTest::newRow("adatta") << QStringList{"adatta", matrice, "--numeri", "1,2,3,4,5,6,7,8,9,10", "-o", "@"}
                                << "s.sec";
    }
    void strumentoEsceConQuattro() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, file);
        QVERIFY(QDir().mkpath(cartella()));
        const QString uscita = cartella() + QLatin1Char('/') + file;
        QVERIFY(Scrivi(uscita, Vecchio));
        argomenti.replaceInStrings(QStringLiteral("@"), uscita);

        QProcess p;
        p.setChildProcessModifier([] {
            rlimit limite{};
            getrlimit(RLIMIT_FSIZE, &limite);
            limite.rlim_cur = 40; // below the shortest file each command writes
            setrlimit(RLIMIT_FSIZE, &limite);
            std::signal(SIGXFSZ, SIG_IGN);
        });
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_DATA_HOME"), Percorso(QStringLiteral("casa")));
        p.setProcessEnvironment(ambiente);
        p.start(QStringLiteral(SESTINA_CLI), argomenti);
        QVERIFY(p.waitForFinished(60'000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 4);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QCOMPARE(Contenuto(uscita), Vecchio);
        QCOMPARE(Elenco(cartella()), QStringList{file});
    }

    // pubblica over an earlier publication, failing on the draw list (after ver.txt), on a matrix
    // (after the list), or unable to write beside the folder: the old publication stays whole,
    // and nothing is left beside it.
    void pubblicazioneIntatta_data() {
        QTest::addColumn<qint64>("limite"); // 0: the folder holding the publication is read-only
        QTest::newRow("fallisce la lista") << qint64{20};
        QTest::newRow("fallisce una matrice") << qint64{120};
        QTest::newRow("cartella di sola lettura") << qint64{0};
    }
    void pubblicazioneIntatta() {
        QFETCH(qint64, limite);
        const QString sorgente = Percorso(QStringLiteral("sorgente"));
        const QString pubblico = cartella() + QStringLiteral("/pubblico");
        const QString lista = Percorso(QStringLiteral("lista.txt"));
        QVERIFY(QDir().mkpath(sorgente) && QDir().mkpath(cartella()));
        QVERIFY(QFile::copy(QStringLiteral(SESTINA_TEST_DATA "/matrici/valida.mspl"), sorgente + "/prima.mspl"));
        QVERIFY(Scrivi(lista, TreEstrazioni.left(30)));
        QCOMPARE(
            Esegui({"pubblica", "--archivio", lista, "--versione", "1.0.0", "--matrici", sorgente, "-o", pubblico}), 0);
        const QMap<QString, QByteArray> prima = Fotografia(cartella());
        QCOMPARE(prima.keys(), (QStringList{"pubblico/archivio.txt", "pubblico/matrici/PRIMA.DAT",
                                            "pubblico/matrici/lista.txt", "pubblico/ver.txt"}));

        QVERIFY(QFile::copy(QStringLiteral(SESTINA_TEST_DATA "/matrici/valida.mspl"), sorgente + "/seconda.mspl"));
        QVERIFY(Scrivi(lista, TreEstrazioni));
        const QStringList argomenti{"pubblica",   "--matrici", sorgente, "--archivio", lista,
                                    "--versione", "2.0.0",     "-o",     pubblico};
        if (limite > 0) {
            QCOMPARE(Esegui(argomenti, static_cast<rlim_t>(limite)), 4);
        } else {
            CartellaSolaLettura solaLettura(cartella());
            if (!solaLettura.valida())
                QSKIP("cannot make a folder read-only here");
            QCOMPARE(Esegui(argomenti), 4);
        }
        QCOMPARE(Fotografia(cartella()), prima);
    }

    // The good path: the new publication takes the old one's place; what it does not write
    // (matrici/ without --matrici, a file of the publisher's own) is carried over.
    void pubblicazioneSostituita() {
        const QString pubblico = cartella() + QStringLiteral("/pubblico");
        const QString lista = Percorso(QStringLiteral("lista.txt"));
        QVERIFY(QDir().mkpath(pubblico + "/matrici"));
        QVERIFY(Scrivi(pubblico + "/matrici/lista.txt", "VECCHIA.DAT\r\n"));
        QVERIFY(Scrivi(pubblico + "/matrici/VECCHIA.DAT", "vecchia"));
        QVERIFY(Scrivi(pubblico + "/index.html", "<p>"));
        QVERIFY(Scrivi(pubblico + "/ver.txt", "1.0.0\r\n"));
        QVERIFY(Scrivi(lista, TreEstrazioni));
        QCOMPARE(Esegui({"pubblica", "--archivio", lista, "--versione", "2.0.0", "-o", pubblico}), 0);
        QMap<QString, QByteArray> attesa{{"pubblico/archivio.txt", TreEstrazioni},
                                         {"pubblico/index.html", "<p>"},
                                         {"pubblico/matrici/VECCHIA.DAT", "vecchia"},
                                         {"pubblico/matrici/lista.txt", "VECCHIA.DAT\r\n"},
                                         {"pubblico/ver.txt", "2.0.0\r\n"}};
        QCOMPARE(Fotografia(cartella()), attesa);
    }
};

QTEST_GUILESS_MAIN(TestScrittureFallite)
#include "tst_scritturefallite.moc"
