#include "Errore.h"
#include "FakeInterfaccia.h"
#include "FileSistema.h"
#include "Sistema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <utility>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace sestina;

namespace {

const QString FileIlleggibile = QStringLiteral("Questo file non puo' essere letto");
const QString TitoloErrore = QStringLiteral("E R R O R E");

QString Comune(int numero, const char* nome, const char* procedura) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of Modulo corpo")
        .arg(QString::number(numero), QLatin1String(nome), QLatin1String(procedura));
}

// Expected file contents, built byte by byte without the writer under test.
struct Byte {
    QByteArray dati;

    Byte& testo(const QByteArray& t) {
        dati.append(t);
        return *this;
    }
    Byte& u8(int v) { return intero(v, 1); }
    Byte& i16(int v) { return intero(v, 2); }
    Byte& i32(qint64 v) { return intero(v, 4); }
    Byte& zeri(int quanti) { return testo(QByteArray(quanti, '\0')); }
    // The 90 bytes of a set of numbers: byte n-1 is 1 when n belongs to it.
    Byte& insieme(std::initializer_list<int> numeri) {
        QByteArray b(90, '\0');
        for (const int n : numeri)
            b[n - 1] = 1;
        return testo(b);
    }
    // A tagged filter record on {3, 88} and a tagged consecutive record.
    Byte& filtro(std::int32_t presenze, int attiva = -1) { return i32(1).insieme({3, 88}).i32(presenze).i16(attiva); }
    Byte& consecutivi() { return i32(2).i32(0x1E).i16(-1); }
    Byte& intero(qint64 v, int byte) {
        for (int k = 0; k < byte; ++k)
            dati.append(static_cast<char>((v >> (8 * k)) & 0xFF));
        return *this;
    }
};

const QByteArray SistemaVuoto = Byte().testo("sestplan001").zeri(215).dati;

// A file with 7 and 8 in play, no conditions and `colonne` columns whose byte j is 1 + j % 90.
Byte FileBase(int colonne) {
    Byte b;
    b.testo("sestplan001").u8(2).i32(colonne).i16(0).u8(7).u8(8).zeri(88).zeri(118);
    for (qsizetype j = 0; j < 6 * qsizetype{colonne}; ++j)
        b.u8(static_cast<int>(1 + j % 90));
    return b;
}

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

// A System with something in every field the file holds, and a name of its own.
void Popola(Sistema& s) {
    for (const int n : {12, 90, 5})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Perché €");
    s.colonne.scrivi(1, {1, 5, 12, 44, 67, 90});
    s.colonne.scrivi(2, {5, 12, 13, 14, 15, 90});
    s.numeroColonne = 2;
    s.condSomma = s.condFisse = s.condRidotto = s.condConsecutivi = Vero;
    s.pariAmmessi[0] = s.pariAmmessi[6] = Vero;
    s.sommaDa = 21;
    s.sommaA = 300;
    s.numeriFissi[1] = s.numeriFissi[90] = 1;
    s.quantiFissi = 2;
    s.livelloRiduzione = 3;
    s.colonneFiltro[1] = {{}, 0x41, Vero};
    s.colonneFiltro[1].numeri[2] = s.colonneFiltro[1].numeri[89] = 1;
    s.colonneFiltro[2] = {{}, 0x7F, Falso}; // inactive: saving skips it and goes on
    s.colonneFiltro[3] = {{}, -1, Vero};
    s.colonneFiltro[3].numeri[90] = 1;
    s.numeroFiltri = 3;
    s.consecutiviAmmessi = 0x0C;
    s.sistemaSviluppato = -1;
    s.fileSistema = QStringLiteral("/altrove/Prima.sec");
    s.nomeSistema = QStringLiteral("prima.sec");
}

// Every field that opening a file sets or must clear, the whole ColumnStore included.
void ConfrontaTutto(const Sistema& atteso, const Sistema& s) {
    const auto campi = [](const Sistema& x) {
        return std::tie(x.numeriInGioco, x.numeroColonne, x.tipoSistema, x.pronostico, x.condPariDispari, x.condSomma,
                        x.condFisse, x.pariAmmessi, x.sommaDa, x.sommaA, x.numeriFissi, x.quantiFissi, x.condRidotto,
                        x.livelloRiduzione, x.consecutiviAmmessi, x.condConsecutivi, x.selezionati, x.numeroFiltri,
                        x.fileSistema, x.nomeSistema, x.sistemaSviluppato, x.sviluppoAnnullato, x.superStar);
    };
    QVERIFY2(campi(s) == campi(atteso), qPrintable(s.tipoSistema));
    const auto filtro = [](const FilterColumn& f) { return std::tie(f.numeri, f.presenze, f.attiva); };
    for (std::size_t k = 0; k < s.colonneFiltro.size(); ++k)
        QVERIFY2(filtro(s.colonneFiltro[k]) == filtro(atteso.colonneFiltro[k]), qPrintable(QString::number(k)));
    QVERIFY2(std::memcmp(s.colonne.dati(), atteso.colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0, "columns");
}

} // namespace

class TstFileSistema : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome) const { return m_cartella->filePath(nome); }

    // The common errors carry the application's title and no icon; the file's own, the error title.
    void VerificaMessaggi(const QStringList& testi) {
        QCOMPARE(m_ui->messaggi.size(), testi.size());
        for (qsizetype i = 0; i < testi.size(); ++i) {
            const auto& m = m_ui->messaggi[i];
            const bool comune = testi[i].startsWith(QLatin1String("Error "));
            QCOMPARE(m.testo, testi[i]);
            QVERIFY(m.titolo == (comune ? TitoloApplicazione : TitoloErrore) &&
                    m.icona == (comune ? Icona::Nessuna : Icona::Critica) && m.pulsanti == Pulsanti::Ok);
        }
    }

    // A refused file is told once and leaves the open System exactly as it was.
    void Rifiutato(const QString& percorso, const QString& testo) {
        auto s = std::make_unique<Sistema>(), intatto = std::make_unique<Sistema>();
        Popola(*s);
        Popola(*intatto);
        QVERIFY(!ApriSistema(*s, percorso, *m_ui));
        VerificaMessaggi({testo});
        ConfrontaTutto(*intatto, *s);
    }

private Q_SLOTS:
    void init() {
        m_ui = std::make_unique<FakeInterfaccia>();
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }
    void cleanup() { QCOMPARE(m_ui->livelloOccupato, 0); }

    void sistemaVuoto_data() {
        QTest::addColumn<bool>("filtroSpento");
        QTest::addColumn<bool>("consecutivi");
        QTest::addColumn<QByteArray>("coda");
        QTest::newRow("226 bytes") << false << false << QByteArray();
        QTest::newRow("consecutive only") << false << true << Byte().i32(12345).consecutivi().i32(100).i32(200).dati;
        QTest::newRow("only an inactive filter") << true << false << Byte().i32(12345).i32(100).i32(200).dati;
    }
    void sistemaVuoto() {
        QFETCH(bool, filtroSpento);
        QFETCH(bool, consecutivi);
        QFETCH(QByteArray, coda);
        const QString percorso = Percorso(QStringLiteral("Nuovo.SEC"));
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(SalvaFile(*s, percorso, *m_ui)); // a longer file, to be replaced whole

        s = std::make_unique<Sistema>();
        s->numeroFiltri = filtroSpento ? 1 : 0;
        s->consecutiviAmmessi = 0x1E; // stored only while its condition is on
        s->condConsecutivi = consecutivi ? Vero : Falso;
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        QCOMPARE(Contenuto(percorso), SistemaVuoto + coda);
        QCOMPARE(s->fileSistema, percorso);
        QCOMPARE(s->nomeSistema, QStringLiteral("nuovo.sec"));
    }

    void byteDiUnSistema() {
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->pronostico.fill(77); // stale: saving rebuilds it from the grid
        s->condSomma = 1;       // any non-zero flag is written as 0xFFFF
        s->pariAmmessi[6] = 7;
        s->colonneFiltro[3].attiva = 1;
        s->condConsecutivi = 5;
        const QString percorso = Percorso(QStringLiteral("piccolo.sec"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));

        Byte atteso;
        atteso.testo("sestplan001").u8(3).i32(2).i16(8).testo("Perch\xE9 \x80").u8(5).u8(12).u8(90).zeri(87);
        atteso.i16(0).i16(-1).i16(-1).i16(-1).zeri(10).i16(-1).i16(21).i16(300);
        atteso.insieme({1, 90}).u8(2).i16(-1).u8(3);
        atteso.testo(QByteArray("\x01\x05\x0C\x2C\x43\x5A\x05\x0C\x0D\x0E\x0F\x5A"));
        atteso.i32(12345).i32(1).insieme({2, 89}).i32(0x41).i16(-1).i32(1).insieme({90}).i32(-1).i16(-1);
        atteso.i32(2).i32(0x0C).i16(-1).i32(100).i32(200);
        QCOMPARE(Contenuto(percorso), atteso.dati);
    }

    void andataERitorno_data() {
        QTest::addColumn<bool>("spoglio");
        QTest::addColumn<QString>("modello");
        QTest::newRow("everything") << false << QStringLiteral("%1");
        QTest::newRow("empty System, path quoted") << true << QStringLiteral("\"%1\"");
        QTest::newRow("quotes scattered") << false << QStringLiteral("\"\"%1\"");
    }
    void andataERitorno() {
        QFETCH(bool, spoglio);
        QFETCH(QString, modello);
        auto atteso = std::make_unique<Sistema>();
        if (!spoglio)
            Popola(*atteso);
        const QString percorso = Percorso(QStringLiteral("Andata E Ritorno.Sec"));
        QVERIFY(SalvaFile(*atteso, percorso, *m_ui));

        auto s = std::make_unique<Sistema>();
        Popola(*s); // its filters, columns and name must all give way
        QVERIFY(ApriSistema(*s, modello.arg(percorso), *m_ui));
        QVERIFY(m_ui->messaggi.isEmpty());

        // Reopening packs the active filters from entry 1; the System counts as developed only with
        // columns, so the empty one is not.
        atteso->colonneFiltro[2] = std::exchange(atteso->colonneFiltro[3], FilterColumn{});
        atteso->numeroFiltri = spoglio ? 0 : 2;
        ConfrontaTutto(*atteso, *s);
    }

    // valido.sec comes from an independent writer: opening it and saving again must give it back.
    void fileDiRiferimento() {
        const QString riferimento = QStringLiteral(SESTINA_TEST_DATA "/sistemi/valido.sec");
        auto s = std::make_unique<Sistema>();
        QVERIFY(ApriSistema(*s, riferimento, *m_ui));
        QCOMPARE(s->sistemaSviluppato, -1);
        QVERIFY(SalvaFile(*s, Percorso(QStringLiteral("copia.sec")), *m_ui));
        QCOMPARE(Contenuto(Percorso(QStringLiteral("copia.sec"))), Contenuto(riferimento));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void fileRifiutato_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("testo");
        const QStringList rotti = QDir(QStringLiteral(SESTINA_TEST_DATA "/sistemi/rotti")).entryList({"*.sec"});
        QCOMPARE(rotti.size(), 18); // one per way crea.py breaks a file
        for (const QString& nome : rotti)
            QTest::newRow(qPrintable(nome)) << QStringLiteral("rotti/") + nome << FileIlleggibile;
        QTest::newRow("oversized") << QString() << FileIlleggibile;
        QTest::newRow("missing file") << QStringLiteral("manca.sec") << Comune(53, "File not found", "ApriSistema");
        QTest::newRow("missing folder") << QStringLiteral("manca/manca.sec")
                                        << Comune(76, "Path not found", "ApriSistema");
        QTest::newRow("a folder") << QStringLiteral("rotti") << Comune(75, "Path/File access error", "ApriSistema");
    }
    void fileRifiutato() {
        QFETCH(QString, percorso);
        QFETCH(QString, testo);
        if (percorso.isEmpty()) { // refused before it is read: sparse, it costs no disk
            QFile f(Percorso(QStringLiteral("enorme.sec")));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(MagicSistema) == 11 && f.resize(65 * 1024 * 1024));
            return Rifiutato(f.fileName(), testo);
        }
        Rifiutato(QStringLiteral(SESTINA_TEST_DATA "/sistemi/") + percorso, testo);
    }

    void limiteColonne_data() {
        QTest::addColumn<int>("colonne");
        QTest::newRow("at the limit") << LimiteColonne;
        QTest::newRow("one beyond") << LimiteColonne + 1;
    }
    void limiteColonne() {
        QFETCH(int, colonne);
        const QByteArray dati = FileBase(colonne).dati;
        const QString percorso = Percorso(QStringLiteral("grande.sec"));
        QVERIFY(Scrivi(percorso, dati));
        if (colonne > LimiteColonne)
            return Rifiutato(percorso, FileIlleggibile);

        auto s = std::make_unique<Sistema>();
        bool occupatoDuranteCopia = true;
        m_ui->durante = [&](int) { occupatoDuranteCopia = occupatoDuranteCopia && m_ui->livelloOccupato > 0; };
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QCOMPARE(s->numeroColonne, colonne);
        QVERIFY(std::memcmp(s->colonne.dati(), dati.constData() + 226, 6 * std::size_t(colonne)) == 0);
        // The window system runs while the columns are copied, but not once per column.
        QVERIFY(m_ui->eventi > 0 && m_ui->eventi < 1000);
        QVERIFY(occupatoDuranteCopia);
    }

    void sezioneFacoltativa_data() {
        QTest::addColumn<QByteArray>("coda");
        QTest::addColumn<int>("filtri");
        QTest::addColumn<bool>("consecutivi");
        QTest::addColumn<QStringList>("avvisi");
        const QStringList nessuno;
        const QString ignota = QStringLiteral("Condizione non riconosciuta\r\nID : %1");
        QTest::newRow("three stray bytes") << QByteArray("\x39\x30\x00", 3) << 0 << false << nessuno;
        QTest::newRow("no marker") << Byte().i32(999).filtro(0x55).dati << 0 << false << nessuno;
        QTest::newRow("no end values") << Byte().i32(12345).filtro(0x55).consecutivi().dati << 1 << true << nessuno;
        QTest::newRow("stops at 100") << Byte().i32(12345).filtro(0x55).i32(100).consecutivi().dati << 1 << false
                                      << nessuno;
        QTest::newRow("stops at 200") << Byte().i32(12345).i32(200).filtro(0x55).dati << 0 << false << nessuno;
        QTest::newRow("inactive filter in the file is still read")
            << Byte().i32(12345).filtro(0x55, 0).i32(100).dati << 1 << false << nessuno;
        QTest::newRow("unknown tags") << Byte().i32(12345).i32(7).filtro(0x55).i32(-5).consecutivi().i32(100).dati << 1
                                      << true << QStringList{ignota.arg(7), ignota.arg(-5)};
        // The records beyond the table are read and dropped, so what follows them still counts.
        Byte molti;
        molti.i32(12345);
        for (int k = 0; k < MaxFiltri + 3; ++k)
            molti.filtro(0x55);
        QTest::newRow("beyond 2000 filters") << molti.consecutivi().dati << MaxFiltri << true << nessuno;
    }
    void sezioneFacoltativa() {
        QFETCH(QByteArray, coda);
        QFETCH(int, filtri);
        QFETCH(bool, consecutivi);
        QFETCH(QStringList, avvisi);
        const QString percorso = Percorso(QStringLiteral("coda.sec"));
        QVERIFY(Scrivi(percorso, FileBase(1).testo(coda).dati));

        auto s = std::make_unique<Sistema>();
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QCOMPARE(s->numeroFiltri, std::int16_t(filtri));
        QCOMPARE(s->colonneFiltro[1].presenze, filtri > 0 ? 0x55 : 0);
        QCOMPARE(s->consecutiviAmmessi, consecutivi ? 0x1E : 0);
        VerificaMessaggi(avvisi);
    }

    void salvataggioNonRiuscito_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QStringList>("avvisi");
        const QStringList manca{Comune(76, "Path not found", "SalvaFile")};
        const QStringList negato{Comune(75, "Path/File access error", "SalvaFile")};
        QTest::newRow("empty path does nothing") << QString() << QStringList();
        QTest::newRow("missing folder") << QStringLiteral("manca/nuovo.sec") << manca;
        QTest::newRow("parent is a file") << QStringLiteral("file.txt/nuovo.sec") << manca;
        QTest::newRow("target is a folder") << QStringLiteral("cartella") << negato;
        QTest::newRow("write cut short") << QStringLiteral("file.txt") << negato;
    }
    // Each save runs under a file-size limit, which fails the write itself, for root too. Whatever
    // goes wrong, the file already there stays whole and nothing is left beside it.
    void salvataggioNonRiuscito() {
#ifdef Q_OS_LINUX
        QFETCH(QString, nome);
        QFETCH(QStringList, avvisi);
        QVERIFY(Scrivi(Percorso(QStringLiteral("file.txt")), SistemaVuoto));
        QVERIFY(QDir(m_cartella->path()).mkdir(QStringLiteral("cartella")));
        auto s = std::make_unique<Sistema>();
        Popola(*s); // its file is longer than the limit

        rlimit limite{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limite) == 0);
        if (limite.rlim_max != RLIM_INFINITY && limite.rlim_max < 300)
            QSKIP("file-size limit already below the test's");
        const rlimit vecchio = limite;
        limite.rlim_cur = 300;
        const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
        const bool salvato = SalvaFile(*s, nome.isEmpty() ? QString() : Percorso(nome), *m_ui);
        setrlimit(RLIMIT_FSIZE, &vecchio);
        std::signal(SIGXFSZ, gestore);

        QVERIFY(!salvato);
        VerificaMessaggi(avvisi);
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/Prima.sec"));
        QCOMPARE(Contenuto(Percorso(QStringLiteral("file.txt"))), SistemaVuoto);
        QCOMPARE(QDir(m_cartella->path()).entryList(QDir::Files), QStringList{QStringLiteral("file.txt")});
#else
        QSKIP("needs a per-process file-size limit");
#endif
    }
};

QTEST_GUILESS_MAIN(TstFileSistema)
#include "tst_filesistema.moc"
