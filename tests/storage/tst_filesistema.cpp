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

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace sestina;

namespace {

const QString FileIlleggibile = QStringLiteral("Questo file non puo' essere letto");
const QString TitoloErrore = QStringLiteral("E R R O R E");

// Expected file contents, built byte by byte without the writer under test.
class Byte final {
public:
    Byte& testo(const QByteArray& t) {
        m_dati.append(t);
        return *this;
    }
    Byte& u8(int v) {
        m_dati.append(static_cast<char>(v));
        return *this;
    }
    Byte& i16(int v) { return intero(v, 2); }
    Byte& i32(qint64 v) { return intero(v, 4); }
    Byte& zeri(int quanti) {
        m_dati.append(quanti, '\0');
        return *this;
    }
    // numeri (1..90) as the 90 bytes of a set: byte n-1 is 1 when n belongs to it.
    Byte& insieme(std::initializer_list<int> numeri) {
        QByteArray b(90, '\0');
        for (const int n : numeri)
            b[n - 1] = 1;
        return testo(b);
    }
    // A prediction's 90 entries: the numbers, then zeros.
    Byte& pronostico(std::initializer_list<int> numeri) {
        for (const int n : numeri)
            u8(n);
        return zeri(90 - static_cast<int>(numeri.size()));
    }
    const QByteArray& dati() const { return m_dati; }

private:
    Byte& intero(qint64 v, int byte) {
        for (int k = 0; k < byte; ++k)
            m_dati.append(static_cast<char>((v >> (8 * k)) & 0xFF));
        return *this;
    }

    QByteArray m_dati;
};

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

auto Campi(const SystemHeader& h) {
    return std::tie(h.numeriInGioco, h.numeroColonne, h.tipoSistema, h.pronostico);
}
auto Campi(const SystemConditions& c) {
    return std::tie(c.condPariDispari, c.condSomma, c.condFisse, c.pariAmmessi, c.sommaDa, c.sommaA, c.numeriFissi,
                    c.quantiFissi, c.condRidotto, c.livelloRiduzione);
}
auto Campi(const ConsecutiveCondition& c) {
    return std::tie(c.consecutiviAmmessi, c.condConsecutivi);
}
auto Campi(const FilterColumn& f) {
    return std::tie(f.numeri, f.presenze, f.attiva);
}

const SystemHeader& Intestazione(const Sistema& s) {
    return s;
}
const SystemConditions& Condizioni(const Sistema& s) {
    return s;
}
const ConsecutiveCondition& Consecutivi(const Sistema& s) {
    return s;
}

// Every field of the two Systems, the whole ColumnStore included.
void ConfrontaTutto(const Sistema& atteso, const Sistema& s) {
    QCOMPARE(s.tipoSistema, atteso.tipoSistema);
    QCOMPARE(s.numeroColonne, atteso.numeroColonne);
    QVERIFY2(Campi(Intestazione(s)) == Campi(Intestazione(atteso)), "SystemHeader");
    QVERIFY2(Campi(Condizioni(s)) == Campi(Condizioni(atteso)), "SystemConditions");
    QVERIFY2(Campi(Consecutivi(s)) == Campi(Consecutivi(atteso)), "ConsecutiveCondition");
    QVERIFY2(s.selezionati == atteso.selezionati, "grid");
    QCOMPARE(s.numeroFiltri, atteso.numeroFiltri);
    for (std::size_t k = 0; k < s.colonneFiltro.size(); ++k)
        QVERIFY2(Campi(s.colonneFiltro[k]) == Campi(atteso.colonneFiltro[k]), qPrintable(QString::number(k)));
    QVERIFY2(std::memcmp(s.colonne.dati(), atteso.colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0, "columns");
    QCOMPARE(s.fileSistema, atteso.fileSistema);
    QCOMPARE(s.nomeSistema, atteso.nomeSistema);
    QCOMPARE(s.sistemaSviluppato, atteso.sistemaSviluppato);
    QCOMPARE(s.sviluppoAnnullato, atteso.sviluppoAnnullato);
    QCOMPARE(s.superStar, atteso.superStar);
}

void ImpostaFiltro(Sistema& s, int k, std::initializer_list<int> numeri, std::int32_t presenze, Flag attiva) {
    FilterColumn& f = s.colonneFiltro[static_cast<std::size_t>(k)];
    for (const int n : numeri)
        f.numeri[static_cast<std::size_t>(n)] = 1;
    f.presenze = presenze;
    f.attiva = attiva;
}

void AggiungiColonne(Sistema& s, std::initializer_list<Colonna> colonne) {
    for (const Colonna& c : colonne)
        s.colonne.scrivi(++s.numeroColonne, c);
}

// A System with something in every field.
void Popola(Sistema& s) {
    for (const int n : {90, 3, 45, 17, 1, 66, 28})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Ridotto N-2 Condizionato è €");
    AggiungiColonne(s,
                    {{1, 3, 17, 28, 45, 66}, {1, 3, 17, 28, 45, 90}, {3, 17, 28, 45, 66, 90}, {1, 17, 28, 45, 66, 90}});
    s.condPariDispari = Vero;
    s.condSomma = Vero;
    s.condFisse = Vero;
    s.pariAmmessi = {Falso, Vero, Falso, Vero, Vero, Falso, Vero};
    s.sommaDa = -7;
    s.sommaA = 312;
    s.numeriFissi[3] = 1;
    s.numeriFissi[90] = 1;
    s.quantiFissi = 2;
    s.condRidotto = Vero;
    s.livelloRiduzione = 2;
    s.consecutiviAmmessi = 0b1011010;
    s.condConsecutivi = Vero;
    ImpostaFiltro(s, 1, {1, 3, 45}, 0b0000101, Vero);
    ImpostaFiltro(s, 2, {17, 90}, 0b1000000, Falso);
    ImpostaFiltro(s, 3, {28, 66, 90}, 0b0110000, Vero);
    s.numeroFiltri = 3;
    s.sistemaSviluppato = -1;
    s.fileSistema = QStringLiteral("/altrove/Prima.sec");
    s.nomeSistema = QStringLiteral("prima.sec");
}

// Another System, sharing nothing with Popola's, for a file to be opened over.
void PopolaDiverso(Sistema& s) {
    for (const int n : {2, 8, 50, 77, 81, 84, 86, 88})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Integrale");
    for (int i = 0; i < 9; ++i)
        AggiungiColonne(s, {{2, 8, 50, 77, 81, static_cast<std::uint8_t>(82 + i)}});
    s.condSomma = Vero;
    s.sommaA = 99;
    for (int k = 1; k <= 5; ++k)
        ImpostaFiltro(s, k, {k, 80}, k, Vero);
    s.numeroFiltri = 5;
    s.consecutiviAmmessi = 0b10;
    s.sistemaSviluppato = -1;
}

enum class Variante { Completo, SenzaColonne, SenzaSezione };

void Applica(Sistema& s, Variante v) {
    if (v == Variante::SenzaColonne) {
        s.colonne.azzera(s.numeroColonne);
        s.numeroColonne = 0;
        s.tipoSistema.clear();
    }
    if (v == Variante::SenzaSezione) {
        s.colonneFiltro.fill(FilterColumn{});
        s.numeroFiltri = 0;
        s.condConsecutivi = Falso;
    }
}

// The columns of a file whose byte j is 1 + j % 90.
QByteArray ColonneDiProva(int quante) {
    QByteArray b(6 * qsizetype{quante}, Qt::Uninitialized);
    for (qsizetype j = 0; j < b.size(); ++j)
        b[j] = static_cast<char>(1 + j % 90);
    return b;
}

// A file with 2 numbers in play, one column and no conditions, up to the end of its columns.
Byte FileBase() {
    Byte b;
    b.testo("sestplan001").u8(2).i32(1).i16(0).pronostico({7, 8}).zeri(118);
    b.u8(7).u8(8).u8(20).u8(30).u8(40).u8(50);
    return b;
}

Byte& FiltroDiProva(Byte& b, std::int32_t presenze, int attiva = -1) {
    return b.insieme({3, 88}).i32(presenze).i16(attiva);
}

} // namespace

class TstFileSistema : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome) const { return m_cartella->filePath(nome); }
    QString Dati(const QString& nome) const { return QStringLiteral(SESTINA_TEST_DATA "/") + nome; }
    void VerificaUnMessaggio(const QString& testo, const QString& titolo, Icona icona) {
        QCOMPARE(m_ui->messaggi.size(), 1);
        const auto& m = m_ui->messaggi.constFirst();
        QCOMPARE(m.testo, testo);
        QCOMPARE(m.titolo, titolo);
        QVERIFY(m.icona == icona);
        QVERIFY(m.pulsanti == Pulsanti::Ok);
    }

private Q_SLOTS:
    void init() {
        m_ui = std::make_unique<FakeInterfaccia>();
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }
    void cleanup() { QCOMPARE(m_ui->livelloOccupato, 0); }

    void sistemaVuotoOccupa226Byte() {
        auto s = std::make_unique<Sistema>();
        const QString percorso = Percorso(QStringLiteral("Nuovo.SEC"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        QCOMPARE(Contenuto(percorso), Byte().testo("sestplan001").zeri(215).dati());
        QCOMPARE(s->fileSistema, percorso);
        QCOMPARE(s->nomeSistema, QStringLiteral("nuovo.sec"));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void percorsoVuotoNonFaNulla() {
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        s->pronostico.fill(77);
        QVERIFY(!SalvaFile(*s, QString(), *m_ui));
        QCOMPARE(s->pronostico[0], std::uint8_t{77});
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/Prima.sec"));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void byteDiUnSistemaPiccolo() {
        auto s = std::make_unique<Sistema>();
        for (const int n : {12, 90, 5})
            s->GrigliaNumeriClick(n - 1);
        s->pronostico.fill(77); // stale: saving must rebuild it from the grid
        s->tipoSistema = QStringLiteral("Perché €");
        AggiungiColonne(*s, {{1, 5, 12, 44, 67, 90}, {5, 12, 13, 14, 15, 90}});
        s->condSomma = 1; // any non-zero flag is written as 0xFFFF
        s->condFisse = Vero;
        s->pariAmmessi[0] = Vero;
        s->pariAmmessi[6] = 7;
        s->sommaDa = 21;
        s->sommaA = 300;
        s->numeriFissi[1] = 1;
        s->numeriFissi[90] = 1;
        s->quantiFissi = 2;
        s->condRidotto = Vero;
        s->livelloRiduzione = 3;
        ImpostaFiltro(*s, 1, {2, 89}, 0x41, Vero);
        ImpostaFiltro(*s, 2, {50}, 0x7F, Falso);
        ImpostaFiltro(*s, 3, {90}, -1, 1);
        s->numeroFiltri = 3;
        s->consecutiviAmmessi = 0x0C;
        s->condConsecutivi = 5;

        const QString percorso = Percorso(QStringLiteral("piccolo.sec"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));

        Byte atteso;
        atteso.testo("sestplan001").u8(3).i32(2).i16(8).testo("Perch\xE9 \x80").pronostico({5, 12, 90});
        atteso.i16(0).i16(-1).i16(-1).i16(-1).zeri(10).i16(-1).i16(21).i16(300);
        atteso.insieme({1, 90}).u8(2).i16(-1).u8(3);
        atteso.u8(1).u8(5).u8(12).u8(44).u8(67).u8(90).u8(5).u8(12).u8(13).u8(14).u8(15).u8(90);
        atteso.i32(12345);
        atteso.i32(1).insieme({2, 89}).i32(0x41).i16(-1);
        atteso.i32(1).insieme({90}).i32(-1).i16(-1);
        atteso.i32(2).i32(0x0C).i16(-1);
        atteso.i32(100).i32(200);
        QCOMPARE(Contenuto(percorso), atteso.dati());
    }

    void sezioneCondizioni_data() {
        QTest::addColumn<int>("filtriAttivi");
        QTest::addColumn<int>("filtriSpenti");
        QTest::addColumn<bool>("consecutivi");
        QTest::addColumn<QByteArray>("coda");

        QTest::newRow("nothing to add") << 0 << 0 << false << QByteArray();
        QTest::newRow("consecutive only")
            << 0 << 0 << true << Byte().i32(12345).i32(2).i32(0x1E).i16(-1).i32(100).i32(200).dati();
        QTest::newRow("only inactive filters") << 0 << 2 << false << Byte().i32(12345).i32(100).i32(200).dati();
        Byte filtro;
        filtro.i32(12345).i32(1);
        FiltroDiProva(filtro, 0x55).i32(100).i32(200);
        QTest::newRow("one active filter") << 1 << 1 << false << filtro.dati();
    }
    void sezioneCondizioni() {
        QFETCH(int, filtriAttivi);
        QFETCH(int, filtriSpenti);
        QFETCH(bool, consecutivi);
        QFETCH(QByteArray, coda);

        auto s = std::make_unique<Sistema>();
        s->GrigliaNumeriClick(6);
        s->GrigliaNumeriClick(7);
        AggiungiColonne(*s, {{7, 8, 20, 30, 40, 50}});
        for (int k = 1; k <= filtriSpenti; ++k) // the inactive ones come first: saving skips them, not stops
            ImpostaFiltro(*s, k, {1, 2}, 0x7F, Falso);
        for (int k = 1; k <= filtriAttivi; ++k)
            ImpostaFiltro(*s, filtriSpenti + k, {3, 88}, 0x55, Vero);
        s->numeroFiltri = static_cast<std::int16_t>(filtriSpenti + filtriAttivi);
        s->consecutiviAmmessi = 0x1E; // stored only while the condition is on
        s->condConsecutivi = consecutivi ? Vero : Falso;

        const QString percorso = Percorso(QStringLiteral("sezione.sec"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        QCOMPARE(Contenuto(percorso), FileBase().testo(coda).dati());

        auto letto = std::make_unique<Sistema>();
        QVERIFY(ApriSistema(*letto, percorso, *m_ui));
        QCOMPARE(letto->numeroFiltri, std::int16_t(filtriAttivi));
        for (int k = 1; k <= filtriAttivi; ++k)
            QVERIFY(Campi(letto->colonneFiltro[static_cast<std::size_t>(k)]) ==
                    Campi(s->colonneFiltro[static_cast<std::size_t>(filtriSpenti + k)]));
        QCOMPARE(letto->condConsecutivi, consecutivi ? Vero : Falso);
        QCOMPARE(letto->consecutiviAmmessi, consecutivi ? 0x1E : 0);
    }

    void andataERitorno_data() {
        QTest::addColumn<Variante>("variante");
        QTest::newRow("everything") << Variante::Completo;
        QTest::newRow("no columns") << Variante::SenzaColonne;
        QTest::newRow("no filters, consecutive off") << Variante::SenzaSezione;
    }
    void andataERitorno() {
        QFETCH(Variante, variante);
        auto originale = std::make_unique<Sistema>();
        Popola(*originale);
        Applica(*originale, variante);
        const QString percorso = Percorso(QStringLiteral("Andata E Ritorno.Sec"));
        QVERIFY(SalvaFile(*originale, percorso, *m_ui));

        auto s = std::make_unique<Sistema>();
        PopolaDiverso(*s);
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QVERIFY(m_ui->messaggi.isEmpty());

        // What reopening must give: the active filters packed from entry 1, the consecutive
        // record only when its condition was on, the developed state only with columns.
        auto atteso = std::make_unique<Sistema>();
        Popola(*atteso);
        Applica(*atteso, variante);
        if (variante != Variante::SenzaSezione) {
            atteso->colonneFiltro[2] = atteso->colonneFiltro[3];
            atteso->colonneFiltro[3] = FilterColumn{};
            atteso->numeroFiltri = 2;
        } else {
            atteso->consecutiviAmmessi = 0;
        }
        atteso->sistemaSviluppato = atteso->numeroColonne > 0 ? -1 : 0;
        atteso->fileSistema = percorso;
        atteso->nomeSistema = QStringLiteral("andata e ritorno.sec");
        ConfrontaTutto(*atteso, *s);
    }

    void fileDiRiferimento() {
        auto s = std::make_unique<Sistema>();
        PopolaDiverso(*s);
        QVERIFY(ApriSistema(*s, Dati(QStringLiteral("sistemi/valido.sec")), *m_ui));
        QVERIFY(m_ui->messaggi.isEmpty());

        const std::array<std::uint8_t, 7> pronostico{4, 9, 17, 33, 50, 71, 90};
        QCOMPARE(s->numeriInGioco, std::uint8_t{7});
        QVERIFY(std::equal(pronostico.begin(), pronostico.end(), s->pronostico.begin()));
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(s->selezionati[static_cast<std::size_t>(n - 1)],
                     std::find(pronostico.begin(), pronostico.end(), n) != pronostico.end());
        QCOMPARE(s->tipoSistema, QStringLiteral("Condizionato"));
        QCOMPARE(s->numeroColonne, 3);
        QVERIFY(s->colonne.leggi(2) == (Colonna{4, 9, 17, 33, 50, 90}));
        QVERIFY(s->colonne.leggi(3) == (Colonna{9, 17, 33, 50, 71, 90}));
        QVERIFY(!s->condPariDispari && s->condSomma && s->condFisse && !s->condRidotto);
        QVERIFY(s->pariAmmessi == (std::array<Flag, 7>{Falso, Falso, Vero, Vero, Vero, Falso, Falso}));
        QCOMPARE(s->sommaDa, std::int16_t{120});
        QCOMPARE(s->sommaA, std::int16_t{260});
        QCOMPARE(s->numeriFissi[17], std::uint8_t{1});
        QCOMPARE(s->quantiFissi, std::uint8_t{1});
        QCOMPARE(s->numeroFiltri, std::int16_t{1});
        QCOMPARE(s->colonneFiltro[1].numeri[33], std::uint8_t{1});
        QCOMPARE(s->colonneFiltro[1].presenze, 0b110);
        QCOMPARE(s->consecutiviAmmessi, 0b1110);
        QVERIFY(s->condConsecutivi);
        QCOMPARE(s->sistemaSviluppato, -1);
        QCOMPARE(s->nomeSistema, QStringLiteral("valido.sec"));
    }

    void percorsoConVirgolette_data() {
        QTest::addColumn<QString>("modello");
        QTest::newRow("whole path quoted") << QStringLiteral("\"%1\"");
        QTest::newRow("quotes scattered") << QStringLiteral("\"\"%1\"");
    }
    void percorsoConVirgolette() {
        QFETCH(QString, modello);
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        const QString percorso = Percorso(QStringLiteral("Mio Sistema.sec"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));

        auto letto = std::make_unique<Sistema>();
        QVERIFY(ApriSistema(*letto, modello.arg(percorso), *m_ui));
        QCOMPARE(letto->fileSistema, percorso);
        QCOMPARE(letto->nomeSistema, QStringLiteral("mio sistema.sec"));
        QCOMPARE(letto->numeroColonne, s->numeroColonne);
    }

    void fileRifiutato_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("erroreComune");

        for (const char* nome :
             {"vuoto", "magia-corta", "magia-senza-tag", "versione-002", "intestazione-troncata", "testo-oltre-fine",
              "colonne-negative", "colonne-oltre-limite", "in-gioco-91", "pronostico-zero", "pronostico-91",
              "pronostico-ripetuto", "condizioni-troncate", "colonne-troncate", "numero-91-in-colonna",
              "filtro-troncato", "consecutivi-troncati", "tag-troncato"})
            QTest::newRow(nome) << QStringLiteral("sistemi/rotti/%1.sec").arg(QLatin1String(nome)) << FileIlleggibile
                                << false;
        QTest::newRow("missing file") << QStringLiteral("sistemi/manca.sec")
                                      << QStringLiteral("Error 53 (File not found) in procedure ApriSistema of "
                                                        "Modulo corpo")
                                      << true;
        QTest::newRow("missing folder") << QStringLiteral("sistemi/manca/manca.sec")
                                        << QStringLiteral("Error 76 (Path not found) in procedure ApriSistema of "
                                                          "Modulo corpo")
                                        << true;
        QTest::newRow("a folder") << QStringLiteral("sistemi/rotti")
                                  << QStringLiteral("Error 75 (Path/File access error) in procedure ApriSistema of "
                                                    "Modulo corpo")
                                  << true;
    }
    void fileRifiutato() {
        QFETCH(QString, percorso);
        QFETCH(QString, testo);
        QFETCH(bool, erroreComune);
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(!ApriSistema(*s, Dati(percorso), *m_ui));
        VerificaUnMessaggio(testo, erroreComune ? TitoloApplicazione : TitoloErrore,
                            erroreComune ? Icona::Nessuna : Icona::Critica);
        auto intatto = std::make_unique<Sistema>();
        Popola(*intatto);
        ConfrontaTutto(*intatto, *s);
    }

    void fileEnormeRifiutatoSenzaLeggerlo() {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("enorme.sec"));
        {
            QFile f(percorso);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(MagicSistema) == 11);
            QVERIFY(f.resize(65 * 1024 * 1024)); // sparse: costs no disk
        }
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(!ApriSistema(*s, percorso, *m_ui));
        VerificaUnMessaggio(FileIlleggibile, TitoloErrore, Icona::Critica);
        auto intatto = std::make_unique<Sistema>();
        Popola(*intatto);
        ConfrontaTutto(*intatto, *s);
    }

    void limiteColonne_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("accettato");
        QTest::newRow("at the limit") << LimiteColonne << true;
        QTest::newRow("one beyond") << LimiteColonne + 1 << false;
    }
    void limiteColonne() {
        QFETCH(int, colonne);
        QFETCH(bool, accettato);
        const QByteArray dati = ColonneDiProva(colonne);
        const QString percorso = Percorso(QStringLiteral("grande.sec"));
        QVERIFY(
            Scrivi(percorso, Byte().testo("sestplan001").u8(0).i32(colonne).i16(0).zeri(90 + 118).testo(dati).dati()));

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        bool occupatoDuranteCopia = true;
        m_ui->durante = [&](int) { occupatoDuranteCopia = occupatoDuranteCopia && m_ui->livelloOccupato > 0; };
        QCOMPARE(ApriSistema(*s, percorso, *m_ui), accettato);
        if (accettato) {
            QCOMPARE(s->numeroColonne, colonne);
            QVERIFY(std::memcmp(s->colonne.dati(), dati.constData(), static_cast<std::size_t>(dati.size())) == 0);
            // The window system runs while the columns are copied, but not once per column.
            QVERIFY(m_ui->eventi > 0 && m_ui->eventi < 1000);
            QVERIFY(occupatoDuranteCopia);
        } else {
            VerificaUnMessaggio(FileIlleggibile, TitoloErrore, Icona::Critica);
            auto intatto = std::make_unique<Sistema>();
            Popola(*intatto);
            ConfrontaTutto(*intatto, *s);
        }
    }

    void sezioneFacoltativa_data() {
        QTest::addColumn<QByteArray>("coda");
        QTest::addColumn<int>("filtri");
        QTest::addColumn<bool>("consecutivi");
        QTest::addColumn<QStringList>("messaggi");

        const auto conFiltro = [](Byte b, int attiva = -1) {
            b.i32(1);
            FiltroDiProva(b, 0x55, attiva);
            return b;
        };
        const auto conConsecutivi = [](Byte b) { return b.i32(2).i32(0x1E).i16(-1); };
        const Byte marcatore = Byte().i32(12345);

        QTest::newRow("nothing after the columns") << QByteArray() << 0 << false << QStringList();
        QTest::newRow("three stray bytes") << QByteArray("\x39\x30\x00", 3) << 0 << false << QStringList();
        QTest::newRow("no marker") << conFiltro(Byte().i32(999)).dati() << 0 << false << QStringList();
        QTest::newRow("marker alone") << marcatore.dati() << 0 << false << QStringList();
        QTest::newRow("no end values") << conConsecutivi(conFiltro(marcatore)).dati() << 1 << true << QStringList();
        QTest::newRow("stops at 100") << conConsecutivi(conFiltro(marcatore).i32(100)).i32(200).dati() << 1 << false
                                      << QStringList();
        QTest::newRow("stops at 200") << conFiltro(Byte(marcatore).i32(200)).dati() << 0 << false << QStringList();
        QTest::newRow("inactive filter in the file is still appended")
            << conFiltro(marcatore, 0).i32(100).i32(200).dati() << 1 << false << QStringList();
        QTest::newRow("unknown tags") << conConsecutivi(conFiltro(Byte(marcatore).i32(7)).i32(-5)).i32(100).dati() << 1
                                      << true
                                      << QStringList{QStringLiteral("Condizione non riconosciuta\r\nID : 7"),
                                                     QStringLiteral("Condizione non riconosciuta\r\nID : -5")};
    }
    void sezioneFacoltativa() {
        QFETCH(QByteArray, coda);
        QFETCH(int, filtri);
        QFETCH(bool, consecutivi);
        QFETCH(QStringList, messaggi);
        const QString percorso = Percorso(QStringLiteral("coda.sec"));
        QVERIFY(Scrivi(percorso, FileBase().testo(coda).dati()));

        auto s = std::make_unique<Sistema>();
        PopolaDiverso(*s);
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QCOMPARE(s->numeroColonne, 1);
        QVERIFY(s->colonne.leggi(1) == (Colonna{7, 8, 20, 30, 40, 50}));
        QCOMPARE(s->numeroFiltri, std::int16_t(filtri));
        QCOMPARE(s->colonneFiltro[1].presenze, filtri > 0 ? 0x55 : 0);
        QCOMPARE(s->colonneFiltro[1].numeri[88], std::uint8_t(filtri > 0 ? 1 : 0));
        QCOMPARE(s->colonneFiltro[2].presenze, 0); // the previous System's filters are gone
        QCOMPARE(s->condConsecutivi, consecutivi ? Vero : Falso);
        QCOMPARE(s->consecutiviAmmessi, consecutivi ? 0x1E : 0);
        QCOMPARE(m_ui->messaggi.size(), messaggi.size());
        for (qsizetype i = 0; i < messaggi.size(); ++i) {
            QCOMPARE(m_ui->messaggi[i].testo, messaggi[i]);
            QCOMPARE(m_ui->messaggi[i].titolo, TitoloErrore);
            QVERIFY(m_ui->messaggi[i].icona == Icona::Critica);
            QVERIFY(m_ui->messaggi[i].pulsanti == Pulsanti::Ok);
        }
    }

    void oltreDuemilaFiltri() {
        Byte b = FileBase();
        b.i32(12345);
        for (int k = 1; k <= MaxFiltri + 3; ++k)
            FiltroDiProva(b.i32(1), k);
        b.i32(2).i32(0x1E).i16(-1).i32(100).i32(200);
        const QString percorso = Percorso(QStringLiteral("filtri.sec"));
        QVERIFY(Scrivi(percorso, b.dati()));

        auto s = std::make_unique<Sistema>();
        QVERIFY(ApriSistema(*s, percorso, *m_ui));
        QCOMPARE(s->numeroFiltri, std::int16_t{MaxFiltri});
        QCOMPARE(s->colonneFiltro[1].presenze, 1);
        QCOMPARE(s->colonneFiltro[MaxFiltri].presenze, MaxFiltri);
        // The records beyond the table are read and dropped, so what follows them still counts.
        QCOMPARE(s->consecutiviAmmessi, 0x1E);
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    void sovrascritturaNonLasciaByteVecchi() {
        auto s = std::make_unique<Sistema>();
        Popola(*s);
        const QString percorso = Percorso(QStringLiteral("riuso.sec"));
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        auto vuoto = std::make_unique<Sistema>();
        QVERIFY(SalvaFile(*vuoto, percorso, *m_ui));
        QCOMPARE(QFileInfo(percorso).size(), qint64{226});
    }

    void salvataggioNonRiuscito_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("testo");
        const QString manca = QStringLiteral("Error 76 (Path not found) in procedure SalvaFile of Modulo corpo");
        QTest::newRow("missing folder") << QStringLiteral("manca/nuovo.sec") << manca;
        QTest::newRow("parent is a file") << QStringLiteral("file.txt/nuovo.sec") << manca;
        QTest::newRow("target is a folder")
            << QStringLiteral("cartella")
            << QStringLiteral("Error 75 (Path/File access error) in procedure SalvaFile "
                              "of Modulo corpo");
    }
    void salvataggioNonRiuscito() {
        QFETCH(QString, nome);
        QFETCH(QString, testo);
        QVERIFY(Scrivi(Percorso(QStringLiteral("file.txt")), "x"));
        QVERIFY(QDir(m_cartella->path()).mkdir(QStringLiteral("cartella")));

        auto s = std::make_unique<Sistema>();
        Popola(*s);
        QVERIFY(!SalvaFile(*s, Percorso(nome), *m_ui));
        VerificaUnMessaggio(testo, TitoloApplicazione, Icona::Nessuna);
        QCOMPARE(s->fileSistema, QStringLiteral("/altrove/Prima.sec"));
        QCOMPARE(s->nomeSistema, QStringLiteral("prima.sec"));
    }

    // A file-size limit makes the write itself fail, for root too.
    void scritturaInterrottaLasciaIlFilePrecedente() {
#ifdef Q_OS_LINUX
        const QString percorso = Percorso(QStringLiteral("precedente.sec"));
        auto s = std::make_unique<Sistema>();
        QVERIFY(SalvaFile(*s, percorso, *m_ui));
        const QByteArray prima = Contenuto(percorso);
        Popola(*s);

        rlimit limite{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limite) == 0);
        if (limite.rlim_max != RLIM_INFINITY && limite.rlim_max < 300)
            QSKIP("file-size limit already below the test's");
        const rlimit vecchio = limite;
        limite.rlim_cur = 300;
        const auto gestore = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
        const bool salvato = SalvaFile(*s, percorso, *m_ui);
        setrlimit(RLIMIT_FSIZE, &vecchio);
        std::signal(SIGXFSZ, gestore);

        QVERIFY(!salvato);
        VerificaUnMessaggio(QStringLiteral("Error 75 (Path/File access error) in procedure SalvaFile of Modulo corpo"),
                            TitoloApplicazione, Icona::Nessuna);
        QCOMPARE(Contenuto(percorso), prima);
        QCOMPARE(QDir(m_cartella->path()).entryList(QDir::Files), QStringList{QStringLiteral("precedente.sec")});
#else
        QSKIP("needs a per-process file-size limit");
#endif
    }
};

QTEST_GUILESS_MAIN(TstFileSistema)
#include "tst_filesistema.moc"
