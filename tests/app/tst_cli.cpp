#include "EseguiCli.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <FakeInterfaccia.h>
#include <FileSistema.h>
#include <Formato.h>
#include <ProvaSuFile.h>
#include <Sistema.h>
#include <Sviluppo.h>

#include <cstdio>
#include <memory>
#include <vector>

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sestina;

namespace {

using Esito = prova::EsitoCli;

std::unique_ptr<Sistema> Carica(const QString& file) {
    auto s = std::make_unique<Sistema>();
    FakeInterfaccia ui;
    return ApriSistema(*s, file, ui) ? std::move(s) : nullptr;
}

// The k in da..a for which vale(k) holds, as "1,3,7".
template <typename F> QString Elenco(int da, int a, F vale) {
    QStringList parti;
    for (int k = da; k <= a; ++k)
        if (vale(k))
            parti.append(QString::number(k));
    return parti.join(QLatin1Char(','));
}

QString Bit(std::int32_t maschera) {
    return Elenco(0, 31, [&](int k) { return (static_cast<std::uint32_t>(maschera) >> k) & 1u; });
}

// Every condition field of a loaded System in one line: a group shows up when its flag or any
// of its fields is set, and is marked when its fields are set but the condition is off.
QString Riassunto(const Sistema& s) {
    QStringList p;
    const auto gruppo = [&](Flag f, bool usato, const QString& testo) {
        if (f != Falso || usato)
            p.append(testo + (f != Falso ? "" : " [spenta]"));
    };
    QStringList numeri;
    for (int k = 0; k < s.numeriInGioco; ++k)
        numeri.append(QString::number(s.pronostico[static_cast<std::size_t>(k)]));
    p.append(QStringLiteral("numeri ") + numeri.join(QLatin1Char(',')));
    gruppo(s.condSomma, s.sommaDa || s.sommaA, QStringLiteral("somma %1-%2").arg(s.sommaDa).arg(s.sommaA));
    const QString pari = Elenco(0, 6, [&](int k) { return s.pariAmmessi[static_cast<std::size_t>(k)] != Falso; });
    gruppo(s.condPariDispari, !pari.isEmpty(), QStringLiteral("pari ") + pari);
    const QString fisse = Elenco(1, 90, [&](int n) { return s.numeriFissi[static_cast<std::size_t>(n)] != 0; });
    gruppo(s.condFisse, !fisse.isEmpty() || s.quantiFissi,
           QStringLiteral("fisse %1 (%2)").arg(fisse).arg(s.quantiFissi));
    gruppo(s.condConsecutivi, s.consecutiviAmmessi != 0, QStringLiteral("consecutivi ") + Bit(s.consecutiviAmmessi));
    for (int k = 1; k <= s.numeroFiltri; ++k) {
        const FilterColumn& f = s.colonneFiltro[static_cast<std::size_t>(k)];
        const QString numeri = Elenco(1, 90, [&](int n) { return f.numeri[static_cast<std::size_t>(n)] != 0; });
        gruppo(f.attiva, true, QStringLiteral("filtro %1:%2").arg(numeri, Bit(f.presenze)));
    }
    gruppo(s.condRidotto, s.livelloRiduzione != 0, QStringLiteral("ridotto %1").arg(s.livelloRiduzione));
    return p.join(QStringLiteral("; "));
}

// What apri must print for s, built from the stored fields only.
QByteArray Listato(const Sistema& s) {
    const auto due = [](int n) { return QByteArray::number(n).rightJustified(2, '0'); };
    QByteArray t = QByteArray::number(s.numeriInGioco) + '\t' + QByteArray::number(s.numeroColonne) + '\t' +
                   s.tipoSistema.toUtf8() + '\n';
    for (int k = 0; k < s.numeriInGioco; ++k)
        t += (k ? " " : "") + due(s.pronostico[static_cast<std::size_t>(k)]);
    t += '\n';
    for (int i = 1; i <= s.numeroColonne; ++i) {
        t += ' ';
        for (std::uint8_t n : s.colonne.leggi(i))
            t += due(n) + ' ';
        t += '\n';
    }
    return t;
}

// QProcess passes only QStrings, which cannot carry a name that is not UTF-8: exec with raw bytes.
int EseguiGrezzo(const QList<QByteArray>& argomenti, const QString& fileUscita) {
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        std::vector<char*> argv{const_cast<char*>(SESTINA_CLI)};
        for (const QByteArray& a : argomenti)
            argv.push_back(const_cast<char*>(a.constData()));
        argv.push_back(nullptr);
        if (!std::freopen(QFile::encodeName(fileUscita).constData(), "w", stdout))
            ::_exit(127);
        ::execv(SESTINA_CLI, argv.data());
        ::_exit(127);
    }
    int stato = 0;
    return ::waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

// The names in a folder as the file system holds them.
QList<QByteArray> NomiGrezzi(const QString& cartella) {
    QList<QByteArray> nomi;
    DIR* d = ::opendir(QFile::encodeName(cartella).constData());
    while (const dirent* voce = d ? ::readdir(d) : nullptr)
        if (voce->d_name[0] != '.')
            nomi.append(QByteArray(voce->d_name));
    if (d)
        ::closedir(d);
    return nomi;
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // An empty data folder: whatever settings the user has never reach these runs.
    Esito esegui(const QStringList& argomenti, const QString& fileUscita = {}) {
        return prova::EseguiCli(argomenti, prova::AmbienteCli(m_dir.filePath(QStringLiteral("casa"))), fileUscita);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(QStringLiteral(SESTINA_CLI)), SESTINA_CLI);
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-12", "-o", m_dir.filePath(QStringLiteral("salvato.sec"))}).stato,
                 0);
        QVERIFY(Scrivi(m_dir.filePath(QStringLiteral("testo.sec")), "un file di testo, non un sistema\n"));
    }

    void sviluppaEApri_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("riassunto");
        QTest::addColumn<QByteArray>("primaRiga"); // empty: not worked out by hand
        const auto riga = [](const char* nome, const QStringList& argomenti, const QString& riassunto,
                             const QByteArray& primaRiga = {}) {
            QTest::newRow(nome) << argomenti << riassunto << primaRiga;
        };
        const QStringList nove{"--numeri", "1-9"};
        const QString base = QStringLiteral("numeri 1,2,3,4,5,6,7,8,9");
        riga("numeri con doppioni e spazi", {"--numeri", "90, 1-3,2,45"}, "numeri 1,2,3,45,90");
        riga("fisse fuori gioco tolte", nove + QStringList{"--fisse", "4,2,30-31"}, base + "; fisse 2,4 (2)");
        riga("cinque fisse in gioco, le altre fuori", nove + QStringList{"--fisse", "1-5,80-85"},
             base + "; fisse 1,2,3,4,5 (5)");
        riga("consecutivi", nove + QStringList{"--consecutivi", "1,3-4,6"}, base + "; consecutivi 1,3,4,6");
        riga("filtri in ordine", nove + QStringList{"--filtro", "5-9,80:0,6", "--filtro=1:1"},
             base + "; filtro 5,6,7,8,9,80:0,6; filtro 1:1");
        riga("insieme", nove + QStringList{"--ridotto=3", "--pari=6,1", "--somma=100-200", "--fisse=1"},
             base + "; somma 100-200; pari 1,6; fisse 1 (1); ridotto 3");
        riga("condizionato superstar", {"--numeri", "1-10", "--fisse", "1", "--superstar"}, base + ",10; fisse 1 (1)",
             "126\tCondizionato");
        // The largest complete development: over a million lines through the block-wise output.
        riga("35 numeri", {"--numeri", "1-35"}, QStringLiteral("numeri ") + Elenco(1, 35, [](int) { return true; }),
             "1623160\tIntegrale");
    }
    // Each option sets exactly its own fields, as the library reads them back from the saved file;
    // sviluppa reports what it saved, and apri lists exactly what the library loads.
    void sviluppaEApri() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, riassunto);
        QFETCH(QByteArray, primaRiga);
        const QString file = m_dir.filePath(QStringLiteral("sviluppo.sec"));
        QFile::remove(file);

        const Esito sviluppo = esegui(QStringList{"sviluppa"} + argomenti + QStringList{"-o", file});
        QCOMPARE(sviluppo.stato, 0);
        QVERIFY2(!sviluppo.errori.contains('\r'), "no progress line when standard error is not a terminal");
        const auto s = Carica(file);
        QVERIFY(s);
        QCOMPARE(Riassunto(*s), riassunto);
        const QByteArray conteggio = QByteArray::number(s->numeroColonne) + '\t' + s->tipoSistema.toUtf8();
        QVERIFY(primaRiga.isEmpty() || conteggio == primaRiga);
        const Centesimi prezzo = argomenti.contains("--superstar") ? s->costoColonnaSS : s->costoColonnaSE;
        QCOMPARE(sviluppo.uscita, conteggio + '\n' + FormattaEuro(prezzo * s->numeroColonne).toUtf8() + '\n');

        const Esito apertura = esegui({"apri", file});
        QCOMPARE(apertura.stato, 0);
        QCOMPARE(apertura.errori, QByteArray());
        QCOMPARE(apertura.uscita, Listato(*s));
    }

    void esiti_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("uscita"); // where standard output goes; empty: a pipe
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("messaggio"); // on standard output if stato is 0, else on standard error

        const auto riga = [](const char* nome, const QStringList& a, int stato, const QString& m,
                             const QString& u = {}) { QTest::newRow(nome) << a << u << stato << m; };
        const QString uso = QStringLiteral("Uso:");
        const QStringList dieci{"sviluppa", "--numeri", "1-10"};
        riga("limite", {"sviluppa", "--numeri", "1-36", "-o", m_dir.filePath("limite.sec")}, 3,
             MessaggioLimite().replace(QLatin1Char('\r'), QLatin1Char('\n')));
        riga("file rifiutato", {"apri", m_dir.filePath("testo.sec")}, 2, "Questo file non puo' essere letto");
        riga("apri, link a /dev/zero", {"apri", FileOstile("<zero>", m_dir.filePath("zero.sec"))}, 2,
             "Error 75 (Errore di accesso al percorso/file) in procedure ApriSistema");
        riga("salvataggio", {"sviluppa", "--numeri", "1-8", "-o", m_dir.filePath("manca/x.sec")}, 4, "SalvaFile");
        riga("sviluppa, uscita piena", {"sviluppa", "--numeri", "1-12"}, 4, "", "/dev/full");
        riga("apri, uscita piena", {"apri", m_dir.filePath("salvato.sec")}, 4, "", "/dev/full");
        riga("--help", {"--help"}, 0, uso);
        riga("niente", {}, 1, uso);
        riga("comando sconosciuto", {"stampa"}, 1, uso);
        riga("opzione sconosciuta", dieci + QStringList{"--colore", "2"}, 1, uso);
        riga("manca --numeri", {"sviluppa", "--somma", "30-40"}, 1, uso);
        riga("numero 91", {"sviluppa", "--numeri", "85-91"}, 1, uso);
        riga("somma senza A", dieci + QStringList{"--somma", "40"}, 1, uso);
        riga("piu' di cinque fisse", dieci + QStringList{"--fisse", "1-8", "-o", m_dir.filePath("fisse.sec")}, 1,
             "Numeri fissi (al massimo 5)");
        riga("filtro senza presenze", dieci + QStringList{"--filtro", "1-10"}, 1, uso);
        riga("apri con opzioni", {"apri", "a.sec", "--numeri", "1-10"}, 1, uso);
        const QString salvato = m_dir.filePath("salvato.sec");
        riga("esporta senza formato", {"esporta", salvato}, 1, uso);
        riga("esporta in due formati", {"esporta", salvato, "--txt", "a.txt", "--extrema", "a.ext"}, 1, uso);
        riga("esporta con condizioni", {"esporta", salvato, "--txt", "a.txt", "--numeri", "1-9"}, 1, uso);
        riga("esporta, file rifiutato", {"esporta", m_dir.filePath("testo.sec"), "--txt", m_dir.filePath("t.txt")}, 2,
             "Questo file non puo' essere letto");
        riga("esporta, cartella mancante", {"esporta", salvato, "--extrema", m_dir.filePath("manca/x.ext")}, 4,
             "in procedure SalvaExtrema");
        riga("matrice-genera, tempo e lavoro",
             {"matrice-genera", "--numeri", "12", "--garanzia", "3", "--secondi", "1", "--lavoro", "1", "-o", "m.mspl"},
             1, "--secondi oppure --lavoro");
        riga("matrice-blocco, p sotto t",
             {"matrice-blocco", "--numeri", "12", "--garanzia", "3", "--su", "2", "--tabella", "b.txt"}, 1, "--su");
        riga("matrice-genera, 40 numeri 5 se 6",
             {"matrice-genera", "--numeri", "40", "--garanzia", "5", "-o", "m.mspl"}, 1, "al massimo 32 numeri");
        riga("matrice-genera, lavoro 0",
             {"matrice-genera", "--numeri", "12", "--garanzia", "3", "--lavoro", "0", "-o", "m.mspl"}, 1, "--lavoro");
        riga("importa senza -o", {"importa", m_dir.filePath("x.txt")}, 1, uso);
        riga("importa, estensione ignota", {"importa", salvato, "-o", m_dir.filePath("mai.sec")}, 1, uso);
        riga("importa rifiutato",
             {"importa", SESTINA_TEST_DATA "/colonne/rotti/release-2.0.ext", "-o", m_dir.filePath("mai.sec")}, 2,
             "Release o Giooco non corretto");
        riga("sviluppa con --txt", dieci + QStringList{"--txt", "a.txt"}, 1, uso);
        QStringList troppiFiltri = dieci;
        for (int k = 0; k <= MaxFiltri; ++k)
            troppiFiltri << QStringLiteral("--filtro=1:0,1");
        riga("troppi filtri", troppiFiltri, 1, uso);
    }

    // Scripts see only the status: a failure prints nothing on standard output and leaves no file.
    void esiti() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, uscita);
        QFETCH(int, stato);
        QFETCH(QString, messaggio);
        if (!uscita.isEmpty() && !QFileInfo::exists(uscita))
            QSKIP("no /dev/full on this system");

        const Esito e = esegui(argomenti, uscita);
        QCOMPARE(e.stato, stato);
        QVERIFY2(QString::fromUtf8(stato == 0 ? e.uscita : e.errori).contains(messaggio), e.errori.constData());
        QCOMPARE(stato == 0 ? e.errori : e.uscita, QByteArray());
        if (const qsizetype o = argomenti.indexOf(QStringLiteral("-o")); o >= 0)
            QVERIFY(!QFileInfo::exists(argomenti[o + 1]));
    }

    // impostazioni writes what the settings dialog writes, prices typed as in Italy; sviluppa then
    // prices the System with them, to the cent.
    void prezziDelleImpostazioni() {
        const QString casa = m_dir.filePath(QStringLiteral("negozio"));
        const QString cfg = casa + QStringLiteral("/Sestinaplan/impostazioni.cfg");
        const auto italiano = [&](const QStringList& argomenti) {
            return prova::EseguiCli(argomenti, prova::AmbienteCli(casa, {}, QStringLiteral("it_IT.UTF-8")));
        };
        Esito e = italiano({"impostazioni"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("Intestazione stampa\tRICEVITORIA XXX- CAMBIA LE IMPOSTAZIONI DAL MENU FILE\n"
                                      "Costo Colonna SE\t1,00\nCosto Colonna SS\t1,50\nStampante Tabulato\tN/A\n"));
        QVERIFY(!QFile::exists(cfg)); // reading never writes

        e = italiano({"impostazioni", "--costo-se", "0,80", "--costo-ss", "1,20", "--intestazione", "BAR SPORT"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("Intestazione stampa\tBAR SPORT\nCosto Colonna SE\t0,80\n"
                                      "Costo Colonna SS\t1,20\nStampante Tabulato\tN/A\n"));
        QCOMPARE(Contenuto(cfg), QByteArray("[Impostazioni]\r\ncosto_colonna_se=80\r\ncosto_colonna_ss=120\r\n"
                                            "intestazione_stampa=BAR SPORT\r\nstampante_tabulato=N/A\r\n"));

        e = italiano({"sviluppa", "--numeri", "1-35"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("1623160\tIntegrale\n€ 1.298.528,00\n"));
        QCOMPARE(italiano({"sviluppa", "--numeri", "1-10", "--superstar"}).uscita,
                 QByteArray("210\tIntegrale\n€ 252,00\n"));

        // What earlier versions wrote for 1,20 is read, and the heading after it with it.
        QVERIFY(Scrivi(cfg, "[Impostazioni]\r\ncosto_colonna_se=120.00001\r\nintestazione_stampa=BAR\r\n"));
        e = italiano({"impostazioni", "--stampante-tabulato", "Laser"});
        QCOMPARE(e.stato, 0);
        QVERIFY2(e.errori.isEmpty(), e.errori.constData());
        QCOMPARE(e.uscita, QByteArray("Intestazione stampa\tBAR\nCosto Colonna SE\t1,20\n"
                                      "Costo Colonna SS\t1,50\nStampante Tabulato\tLaser\n"));
        QVERIFY(Contenuto(cfg).contains("costo_colonna_se=120\r\n"));

        // What the dialog's fields would not take is refused before anything is written.
        const QByteArray prima = Contenuto(cfg);
        for (const QStringList& rifiutato :
             {QStringList{"--costo-se", "12,50"}, QStringList{"--costo-ss", "1 e"},
              QStringList{"--intestazione", QString(56, QLatin1Char('x'))}, QStringList{"superfluo"}})
            QCOMPARE(italiano(QStringList{"impostazioni"} + rifiutato).stato, 1);
        e = italiano({"impostazioni", "--costo-ss", ","});
        QCOMPARE(e.stato, 4);
        QCOMPARE(
            e.errori,
            QByteArray("Error 13 (Tipo non corrispondente) in procedure cmdSalva_Click of Form frmImpostazioni\n"));
        QVERIFY(e.uscita.isEmpty());
        QCOMPARE(Contenuto(cfg), prima);

        // A price that is no number: said, and sviluppa prices nothing with it.
        QVERIFY(Scrivi(cfg, "[Impostazioni]\r\ncosto_colonna_se=uno\r\n"));
        e = italiano({"impostazioni"});
        QCOMPARE(e.stato, 2);
        QCOMPARE(e.errori,
                 QByteArray("Error 13 (Tipo non corrispondente) in procedure ReadConfiguration of Modulo corpo\n"));
        QCOMPARE(italiano({"sviluppa", "--numeri", "1-8"}).stato, 2);
    }

    // Text from a file never splits the lines or the fields a script reads.
    void testiDaFileSenzaControlli() {
        auto s = std::make_unique<Sistema>();
        s->tipoSistema = QStringLiteral("Uno\r\nDue\tTre\x01\u0081");
        FakeInterfaccia ui;
        const QString file = m_dir.filePath("controlli.sec");
        QVERIFY(SalvaFile(*s, file, ui));
        const Esito e = esegui({"apri", file});
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.uscita, QByteArray("0\t0\tUno  Due Tre  \n\n"));
    }

    void esportaEImporta_data() {
        QTest::addColumn<QString>("formato");
        QTest::addColumn<bool>("superStar");
        QTest::addColumn<QByteArray>("esportato");
        QTest::addColumn<QByteArray>("importato");
        QTest::newRow("txt") << "txt" << false << QByteArray("File a.sec esportato\n") << QByteArray();
        QTest::newRow("extrema, SuperStar") << "extrema" << true << QByteArray("a.sec\nExport to EXTREMA\n")
                                            << QByteArray("a.sec\nIntegrale\n\n\n\n\n");
    }

    // The columns make the round trip through either format; the messages are the window's, on standard error.
    void esportaEImporta() {
        QFETCH(QString, formato);
        QFETCH(bool, superStar);
        QFETCH(QByteArray, esportato);
        QFETCH(QByteArray, importato);
        const QString origine = m_dir.filePath(QStringLiteral("a.sec"));
        const QString colonne = m_dir.filePath(QStringLiteral("colonne.") + (formato == "txt" ? "txt" : "ext"));
        const QString ritorno = m_dir.filePath(QStringLiteral("ritorno.sec"));
        const QStringList sviluppa{"sviluppa", "--numeri", "3-11", "-o", origine};
        QCOMPARE(esegui(sviluppa + (superStar ? QStringList{"--superstar"} : QStringList())).stato, 0);

        const Esito esporta = esegui({"esporta", origine, "--" + formato, colonne});
        QCOMPARE(esporta.stato, 0);
        QCOMPARE(esporta.uscita, QByteArray());
        QCOMPARE(esporta.errori, esportato);
        const Esito importa = esegui({"importa", colonne, "-o", ritorno});
        QCOMPARE(importa.stato, 0);
        QCOMPARE(importa.uscita, QByteArray());
        QCOMPARE(importa.errori, importato);

        const auto prima = Carica(origine), dopo = Carica(ritorno);
        QVERIFY(prima && dopo && StesseColonne(*prima, *dopo));
        QCOMPARE(dopo->numeroColonne, prima->numeroColonne);
    }

    // A name in the local 8-bit encoding (Latin-1 "caffè") is saved under exactly that name,
    // read back, and overwritten in place, with nothing left beside it.
    void nomeNonUtf8() {
        QTemporaryDir cartella;
        const QByteArray nome = QFile::encodeName(cartella.path()) + "/caff\xe8.sec";
        const QString uscita = m_dir.filePath(QStringLiteral("grezzo.txt"));
        for (const char* numeri : {"1-7", "1-8"}) {
            QCOMPARE(EseguiGrezzo({"sviluppa", "--numeri", numeri, "-o", nome}, uscita), 0);
            QCOMPARE(NomiGrezzi(cartella.path()), QList<QByteArray>{"caff\xe8.sec"});
        }
        QCOMPARE(EseguiGrezzo({"apri", nome}, uscita), 0);
        QFile letto(uscita);
        QVERIFY(letto.open(QIODevice::ReadOnly));
        QVERIFY2(letto.readLine().startsWith("8\t28\t"), qPrintable(uscita));
        QCOMPARE(NomiGrezzi(cartella.path()), QList<QByteArray>{"caff\xe8.sec"});
        QCOMPARE(EseguiGrezzo({"apri", QFile::encodeName(cartella.path()) + "/mancant\xe8.sec"}, uscita), 2);
        ::unlink(nome.constData()); // QDir cannot name it to remove it
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
