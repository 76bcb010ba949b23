#include "FileSistema.h"
#include "ProvaSuFile.h"
#include "Sistema.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>

using namespace sestina;

namespace {

const QString FileIlleggibile = QStringLiteral("Questo file non puo' essere letto");

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

} // namespace

class TstFileSistema : public ProvaSuFile {
    Q_OBJECT

private Q_SLOTS:
    void byteScritti_data() {
        QTest::addColumn<int>("sistema"); // 0 empty, 1 a stored consecutive range, 2 an inactive filter, 3 full
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("226 bytes") << 0 << SistemaVuoto;
        QTest::newRow("consecutive only") << 1 << SistemaVuoto + Byte().i32(12345).consecutivi().i32(100).i32(200).dati;
        QTest::newRow("only an inactive filter") << 2 << SistemaVuoto + Byte().i32(12345).i32(100).i32(200).dati;
        Byte pieno;
        pieno.testo("sestplan001").u8(3).i32(2).i16(8).testo("Perch\xE9 \x80").u8(5).u8(12).u8(90).zeri(87);
        pieno.i16(0).i16(-1).i16(-1).i16(-1).zeri(10).i16(-1).i16(21).i16(300);
        pieno.insieme({1, 90}).u8(2).i16(-1).u8(3);
        pieno.testo(QByteArray("\x01\x05\x0C\x2C\x43\x5A\x05\x0C\x0D\x0E\x0F\x5A"));
        pieno.i32(12345).i32(1).insieme({2, 89}).i32(0x41).i16(-1).i32(1).insieme({90}).i32(-1).i16(-1);
        QTest::newRow("every field") << 3 << pieno.i32(2).i32(0x0C).i16(-1).i32(100).i32(200).dati;
    }
    void byteScritti() {
        QFETCH(int, sistema);
        QFETCH(QByteArray, atteso);
        const QString percorso = Percorso(QStringLiteral("Nuovo.SEC"));
        QVERIFY(Scrivi(percorso, QByteArray(500, 'x'))); // a longer file, to be replaced whole
        auto s = std::make_unique<Sistema>();
        s->numeroFiltri = sistema == 2 ? 1 : 0;
        s->consecutiviAmmessi = 0x1E; // stored only while its condition is on
        s->condConsecutivi = sistema == 1 ? Vero : Falso;
        if (sistema == 3) {
            Popola(*s);
            s->pronostico.fill(77); // stale: saving rebuilds it from the grid
            s->condSomma = 1;       // any non-zero flag is written as 0xFFFF
            s->pariAmmessi[6] = 7;
            s->colonneFiltro[3].attiva = 1;
            s->condConsecutivi = 5;
        }
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        QCOMPARE(Contenuto(percorso), atteso);
        QCOMPARE(s->fileSistema, percorso);
        QCOMPARE(s->nomeSistema, QStringLiteral("nuovo.sec"));
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
        QCOMPARE(rotti.size(), 19); // one per way crea.py breaks a file
        for (const QString& nome : rotti)
            QTest::newRow(qPrintable(nome)) << QStringLiteral("rotti/") + nome << FileIlleggibile;
        QTest::newRow("oversized") << QString()
                                   << Comune(-2147211504, "File troppo grande (limite 64 MiB)", "ApriSistema");
        const QString negato = Comune(75, "Errore di accesso al percorso/file", "ApriSistema");
        QTest::newRow("link to /dev/zero") << QStringLiteral("<zero>") << negato;
        QTest::newRow("FIFO") << QStringLiteral("<fifo>") << negato;
        QTest::newRow("missing file") << QStringLiteral("manca.sec")
                                      << Comune(53, "Impossibile trovare il file", "ApriSistema");
        QTest::newRow("missing folder") << QStringLiteral("manca/manca.sec")
                                        << Comune(76, "Impossibile trovare il percorso", "ApriSistema");
        QTest::newRow("a folder") << QStringLiteral("rotti")
                                  << Comune(75, "Errore di accesso al percorso/file", "ApriSistema");
    }
    void fileRifiutato() {
        QFETCH(QString, percorso);
        QFETCH(QString, testo);
        if (percorso.isEmpty()) { // refused before it is read: sparse, it costs no disk
            QFile f(percorso = Percorso(QStringLiteral("enorme.sec")));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(MagicSistema) == 11 && f.resize(65 * 1024 * 1024));
        } else if (FileOstile(percorso)) {
            percorso = FileOstile(percorso, Percorso(QStringLiteral("ostile.sec")));
        } else {
            percorso.prepend(QStringLiteral(SESTINA_TEST_DATA "/sistemi/"));
        }
        VerificaRifiuto([&](Sistema& s) { return ApriSistema(s, percorso, *m_ui); }, testo);
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
            return VerificaRifiuto([&](Sistema& s) { return ApriSistema(s, percorso, *m_ui); }, FileIlleggibile);

        auto s = std::make_unique<Sistema>();
        bool occupatoDuranteCopia = true;
        m_ui->durante = [&](int) { occupatoDuranteCopia = occupatoDuranteCopia && m_ui->livelloOccupato > 0; };
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QCOMPARE(s->numeroColonne, colonne);
        QVERIFY(std::memcmp(s->colonne.dati(), dati.constData() + 226, 6 * std::size_t(colonne)) == 0);
        // The window system runs while the columns are copied, but not once per column.
        QVERIFY(m_ui->eventi > 0 && m_ui->eventi < 1000 && occupatoDuranteCopia);
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
        // Told ten times, then once for the rest: a file of millions of tags is no flood of boxes.
        Byte ignoti;
        ignoti.i32(12345);
        QStringList dieci;
        for (int k = 0; k < 5000; ++k)
            ignoti.i32(7);
        for (int k = 0; k < 10; ++k)
            dieci << ignota.arg(7);
        QTest::newRow("5000 unknown tags") << ignoti.filtro(0x55).i32(100).dati << 1 << false
                                           << dieci + QStringList{"Altri 4990 tag sconosciuti ignorati"};
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
        const QStringList manca{Comune(76, "Impossibile trovare il percorso", "SalvaFile")};
        const QStringList negato{Comune(75, "Errore di accesso al percorso/file", "SalvaFile")};
        QTest::newRow("empty path does nothing") << QString() << QStringList();
        QTest::newRow("missing folder") << QStringLiteral("manca/nuovo.sec") << manca;
        QTest::newRow("parent is a file") << QStringLiteral("file.txt/nuovo.sec") << manca;
        QTest::newRow("target is a folder") << QStringLiteral("cartella") << negato;
        QTest::newRow("write cut short") << QStringLiteral("file.txt") << negato;
    }
    // Each save runs under a file-size limit, which fails the write itself, for root too. Whatever
    // goes wrong, the file already there stays whole and nothing is left beside it.
    void salvataggioNonRiuscito() {
        QFETCH(QString, nome);
        QFETCH(QStringList, avvisi);
        QVERIFY(Scrivi(Percorso(QStringLiteral("file.txt")), SistemaVuoto));
        QVERIFY(QDir(m_cartella->path()).mkdir(QStringLiteral("cartella")));
        auto s = std::make_unique<Sistema>();
        Popola(*s); // its file is longer than the limit

        bool salvato = true;
        if (!ConScritturaLimitata([&] { salvato = SalvaFile(*s, nome.isEmpty() ? QString() : Percorso(nome), *m_ui); }))
            QSKIP("needs a per-process file-size limit");
        QVERIFY(!salvato);
        VerificaMessaggi(avvisi);
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/Prima.sec"));
        QCOMPARE(Contenuto(Percorso(QStringLiteral("file.txt"))), SistemaVuoto);
        QCOMPARE(QDir(m_cartella->path()).entryList(QDir::Files), QStringList{QStringLiteral("file.txt")});
    }
};

QTEST_GUILESS_MAIN(TstFileSistema)
#include "tst_filesistema.moc"
