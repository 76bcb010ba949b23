#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <FakeInterfaccia.h>
#include <FileSistema.h>
#include <Formato.h>
#include <Sistema.h>
#include <Sviluppo.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

using namespace sestina;

namespace {

using Col = std::array<int, 6>;
using Accetta = std::function<bool(const Col&)>;

struct Esito {
    int stato = -1;
    QByteArray uscita;
    QByteArray errori;
};

Esito Esegui(const QStringList& argomenti, const QString& fileUscita = {}) {
    QProcess p;
    if (!fileUscita.isEmpty())
        p.setStandardOutputFile(fileUscita);
    p.start(QStringLiteral(SESTINA_CLI), argomenti);
    if (!p.waitForFinished(60'000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    Esito e;
    e.stato = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.uscita = p.readAllStandardOutput();
    e.errori = p.readAllStandardError();
    return e;
}

QByteArray PrimaRiga(const QByteArray& testo) {
    return testo.left(testo.indexOf('\n'));
}

// Every combination of six of the numbers, in lexicographic order, that passes accetta.
std::vector<Col> Enumera(const std::vector<int>& numeri, const Accetta& accetta) {
    std::vector<Col> colonne;
    const int n = static_cast<int>(numeri.size());
    std::array<int, 6> i{0, 1, 2, 3, 4, 5};
    if (n < 6)
        return colonne;
    for (;;) {
        Col c;
        for (int k = 0; k < 6; ++k)
            c[static_cast<std::size_t>(k)] = numeri[static_cast<std::size_t>(i[static_cast<std::size_t>(k)])];
        if (accetta(c))
            colonne.push_back(c);
        int k = 5;
        while (k >= 0 && i[static_cast<std::size_t>(k)] == n - 6 + k)
            --k;
        if (k < 0)
            return colonne;
        ++i[static_cast<std::size_t>(k)];
        for (int j = k + 1; j < 6; ++j)
            i[static_cast<std::size_t>(j)] = i[static_cast<std::size_t>(j - 1)] + 1;
    }
}

std::vector<int> Da(int da, int a) {
    std::vector<int> v;
    for (int n = da; n <= a; ++n)
        v.push_back(n);
    return v;
}

int Somma(const Col& c) {
    return c[0] + c[1] + c[2] + c[3] + c[4] + c[5];
}

int Pari(const Col& c) {
    return static_cast<int>(std::count_if(c.begin(), c.end(), [](int n) { return n % 2 == 0; }));
}

int InComune(const Col& c, const std::vector<int>& numeri) {
    return static_cast<int>(std::count_if(
        c.begin(), c.end(), [&](int n) { return std::find(numeri.begin(), numeri.end(), n) != numeri.end(); }));
}

int SerieMassima(const Col& c) {
    int migliore = 1;
    int serie = 1;
    for (int k = 1; k < 6; ++k) {
        serie = c[static_cast<std::size_t>(k)] == c[static_cast<std::size_t>(k - 1)] + 1 ? serie + 1 : 1;
        migliore = std::max(migliore, serie);
    }
    return migliore;
}

// Greedy covering: keeps a column unless a kept one already shares 6 - livello numbers with it.
std::vector<Col> Riduci(const std::vector<Col>& colonne, int livello) {
    std::vector<Col> tenute;
    for (const Col& c : colonne) {
        const bool coperta = std::any_of(tenute.begin(), tenute.end(), [&](const Col& t) {
            return InComune(c, std::vector<int>(t.begin(), t.end())) >= 6 - livello;
        });
        if (!coperta)
            tenute.push_back(c);
    }
    return tenute;
}

QByteArray Riga(const Col& c) {
    QByteArray r(" ");
    for (int n : c)
        r += QByteArray::number(n).rightJustified(2, '0') + ' ';
    return r;
}

QByteArrayList Righe(const std::vector<Col>& colonne) {
    QByteArrayList righe;
    for (const Col& c : colonne)
        righe.append(Riga(c));
    return righe;
}

QByteArray RigaPronostico(const std::vector<int>& numeri) {
    QByteArrayList parti;
    for (int n : numeri)
        parti.append(QByteArray::number(n).rightJustified(2, '0'));
    return parti.join(' ');
}

qint64 Binomiale(int n, int k) {
    qint64 r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

// "1-3,7": the sorted values as ranges, to describe a loaded condition briefly.
QString Intervalli(const std::vector<int>& valori) {
    QStringList parti;
    for (std::size_t i = 0; i < valori.size();) {
        std::size_t j = i;
        while (j + 1 < valori.size() && valori[j + 1] == valori[j] + 1)
            ++j;
        parti.append(i == j ? QString::number(valori[i]) : QStringLiteral("%1-%2").arg(valori[i]).arg(valori[j]));
        i = j + 1;
    }
    return parti.join(QLatin1Char(','));
}

std::vector<int> BitImpostati(std::int32_t maschera, int da, int a) {
    std::vector<int> v;
    for (int k = da; k <= a; ++k)
        if (maschera & (1 << k))
            v.push_back(k);
    return v;
}

// The conditions of a System as one line; flags must be exactly true or false.
QString DescriviCondizioni(const Sistema& s) {
    QStringList parti;
    const auto flag = [](Flag f) { return f == Vero ? QString() : QStringLiteral("(flag %1)").arg(f); };
    if (s.condSomma)
        parti.append(QStringLiteral("somma %1-%2").arg(s.sommaDa).arg(s.sommaA) + flag(s.condSomma));
    if (s.condPariDispari) {
        std::vector<int> pari;
        for (int k = 0; k <= 6; ++k)
            if (s.pariAmmessi[static_cast<std::size_t>(k)])
                pari.push_back(k);
        parti.append(QStringLiteral("pari ") + Intervalli(pari) + flag(s.condPariDispari));
    }
    if (s.condFisse) {
        std::vector<int> fisse;
        for (int n = 1; n <= 90; ++n)
            if (s.numeriFissi[static_cast<std::size_t>(n)] == 1)
                fisse.push_back(n);
        parti.append(QStringLiteral("fisse %1 (%2)").arg(Intervalli(fisse)).arg(s.quantiFissi) + flag(s.condFisse));
    }
    if (s.condConsecutivi)
        parti.append(QStringLiteral("consecutivi ") + Intervalli(BitImpostati(s.consecutiviAmmessi, 0, 31)) +
                     flag(s.condConsecutivi));
    for (int k = 1; k <= s.numeroFiltri; ++k) {
        const FilterColumn& f = s.colonneFiltro[static_cast<std::size_t>(k)];
        std::vector<int> numeri;
        for (int n = 1; n <= 90; ++n)
            if (f.numeri[static_cast<std::size_t>(n)] == 1)
                numeri.push_back(n);
        parti.append(
            QStringLiteral("filtro %1:%2").arg(Intervalli(numeri), Intervalli(BitImpostati(f.presenze, 0, 31))) +
            flag(f.attiva));
    }
    if (s.condRidotto)
        parti.append(QStringLiteral("ridotto %1").arg(s.livelloRiduzione) + flag(s.condRidotto));
    return parti.join(QStringLiteral("; "));
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sviluppaEApri_data();
    void sviluppaEApri();
    void condizioniSalvate_data();
    void condizioniSalvate();
    void costo_data();
    void costo();
    void limiteColonne();
    void trentacinqueNumeri();
    void salvataggioImpossibile();
    void uscitaPiena_data();
    void uscitaPiena();
    void usoErrato_data();
    void usoErrato();
    void aiuto_data();
    void aiuto();
    void fileRifiutato_data();
    void fileRifiutato();

private:
    QTemporaryDir m_dir;
};

void TstCli::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(QStringLiteral(SESTINA_CLI)), SESTINA_CLI);
}

void TstCli::sviluppaEApri_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QByteArray>("pronostico");
    QTest::addColumn<QByteArrayList>("colonne");
    QTest::addColumn<QByteArray>("tipo");

    const auto tutte = [](const Col&) { return true; };
    const auto dieci = Da(1, 10);
    QTest::newRow("integrale") << QStringList{"--numeri", "1-10"} << RigaPronostico(dieci)
                               << Righe(Enumera(dieci, tutte)) << QByteArray("Integrale");
    QTest::newRow("lista con doppioni e spazi") << QStringList{"--numeri", "9, 1-8,3,10"} << RigaPronostico(dieci)
                                                << Righe(Enumera(dieci, tutte)) << QByteArray("Integrale");
    const std::vector<int> sparsi{1, 2, 3, 45, 89, 90};
    QTest::newRow("numeri sparsi") << QStringList{"--numeri", "90,1,45,2-3,89"} << RigaPronostico(sparsi)
                                   << Righe(Enumera(sparsi, tutte)) << QByteArray("Integrale");
    QTest::newRow("meno di sei numeri") << QStringList{"--numeri", "1-5"} << RigaPronostico(Da(1, 5))
                                        << QByteArrayList{} << QByteArray("Integrale");

    const auto dodici = Da(1, 12);
    QTest::newRow("somma") << QStringList{"--numeri", "1-12", "--somma", "30-40"} << RigaPronostico(dodici)
                           << Righe(Enumera(dodici, [](const Col& c) { return Somma(c) >= 30 && Somma(c) <= 40; }))
                           << QByteArray("Condizionato");
    QTest::newRow("somma che accetta tutto")
        << QStringList{"--numeri", "1-10", "--somma", "21-525"} << RigaPronostico(dieci) << Righe(Enumera(dieci, tutte))
        << QByteArray("Condizionato");
    QTest::newRow("pari") << QStringList{"--numeri", "1-12", "--pari", "0,3"} << RigaPronostico(dodici)
                          << Righe(Enumera(dodici, [](const Col& c) { return Pari(c) == 0 || Pari(c) == 3; }))
                          << QByteArray("Condizionato");
    const auto con3e7 = [](const Col& c) { return InComune(c, {3, 7}) == 2; };
    QTest::newRow("fisse") << QStringList{"--numeri", "1-12", "--fisse", "3,7"} << RigaPronostico(dodici)
                           << Righe(Enumera(dodici, con3e7)) << QByteArray("Condizionato");
    QTest::newRow("fissa fuori dal pronostico ignorata")
        << QStringList{"--numeri", "1-10", "--fisse", "5,50"} << RigaPronostico(dieci)
        << Righe(Enumera(dieci, [](const Col& c) { return InComune(c, {5}) == 1; })) << QByteArray("Condizionato");
    QTest::newRow("consecutivi") << QStringList{"--numeri", "1-12", "--consecutivi", "1,2"} << RigaPronostico(dodici)
                                 << Righe(Enumera(dodici, [](const Col& c) { return SerieMassima(c) <= 2; }))
                                 << QByteArray("Condizionato");
    const auto quindici = Da(1, 15);
    QTest::newRow("filtro") << QStringList{"--numeri", "1-15", "--filtro", "1-10:2"} << RigaPronostico(quindici)
                            << Righe(Enumera(quindici, [](const Col& c) { return InComune(c, Da(1, 10)) == 2; }))
                            << QByteArray("Condizionato");
    const auto dueFiltri = [](const Col& c) {
        const int primo = InComune(c, Da(1, 10));
        return (primo == 2 || primo == 3) && InComune(c, {11, 13, 15}) <= 1;
    };
    QTest::newRow("due filtri") << QStringList{"--numeri", "1-15", "--filtro", "1-10:2,3", "--filtro", "11,13,15:0,1"}
                                << RigaPronostico(quindici) << Righe(Enumera(quindici, dueFiltri))
                                << QByteArray("Condizionato");
    QTest::newRow("ridotto N-1 con sette numeri")
        << QStringList{"--numeri", "1-7", "--ridotto", "1"} << RigaPronostico(Da(1, 7))
        << Righe(Riduci(Enumera(Da(1, 7), tutte), 1)) << QByteArray("Ridotto N-1");
    QTest::newRow("ridotto N-2 condizionato")
        << QStringList{"--numeri", "1-11", "--ridotto", "2", "--pari", "2-4"} << RigaPronostico(Da(1, 11))
        << Righe(Riduci(Enumera(Da(1, 11), [](const Col& c) { return Pari(c) >= 2 && Pari(c) <= 4; }), 2))
        << QByteArray("Ridotto N-2 Condizionato");
    const auto quattordici = Da(1, 14);
    const auto tutteLeCondizioni = [](const Col& c) {
        return InComune(c, {1}) == 1 && Somma(c) >= 40 && Somma(c) <= 60 && Pari(c) >= 2 && Pari(c) <= 4 &&
               InComune(c, Da(10, 14)) <= 1 && SerieMassima(c) <= 2;
    };
    const QStringList tutti{"--numeri",      "1-14", "--somma", "40-60", "--pari",   "2,3,4",
                            "--consecutivi", "1,2",  "--fisse", "1,60",  "--filtro", "10-14:0,1"};
    QTest::newRow("tutte le condizioni") << tutti << RigaPronostico(quattordici)
                                         << Righe(Enumera(quattordici, tutteLeCondizioni))
                                         << QByteArray("Condizionato");
}

// The first line of sviluppa, then apri on the saved file gives back the same System.
void TstCli::sviluppaEApri() {
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, pronostico);
    QFETCH(QByteArrayList, colonne);
    QFETCH(QByteArray, tipo);
    const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".sec"));

    const Esito sviluppo = Esegui(QStringList{"sviluppa"} + argomenti + QStringList{"-o", file});
    QCOMPARE(sviluppo.stato, 0);
    QCOMPARE(PrimaRiga(sviluppo.uscita), QByteArray::number(colonne.size()) + '\t' + tipo);
    QVERIFY2(!sviluppo.errori.contains('\r'), "no progress line when standard error is not a terminal");

    const Esito apertura = Esegui({"apri", file});
    QCOMPARE(apertura.stato, 0);
    QByteArrayList righe = apertura.uscita.split('\n');
    QCOMPARE(righe.takeLast(), QByteArray()); // the output ends with a newline
    QVERIFY(righe.size() >= 2);
    const int numeri = static_cast<int>(pronostico.isEmpty() ? 0 : pronostico.count(' ') + 1);
    QCOMPARE(righe.takeFirst(), QByteArray::number(numeri) + '\t' + QByteArray::number(colonne.size()) + '\t' + tipo);
    QCOMPARE(righe.takeFirst(), pronostico);
    QCOMPARE(righe, colonne);
}

void TstCli::condizioniSalvate_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QString>("condizioni");

    QTest::newRow("nessuna") << QStringList{} << QString();
    QTest::newRow("somma") << QStringList{"--somma", "30-140"} << "somma 30-140";
    QTest::newRow("somma di un solo valore") << QStringList{"--somma", "21-21"} << "somma 21-21";
    QTest::newRow("pari") << QStringList{"--pari", "0,6,3"} << "pari 0,3,6";
    QTest::newRow("fisse") << QStringList{"--fisse", "4,2"} << "fisse 2,4 (2)";
    QTest::newRow("fisse fuori gioco tolte") << QStringList{"--fisse", "2,30-31"} << "fisse 2 (1)";
    QTest::newRow("consecutivi") << QStringList{"--consecutivi", "1,3-4,6"} << "consecutivi 1,3-4,6";
    QTest::newRow("filtri in ordine") << QStringList{"--filtro", "5-9,80:0,6", "--filtro", "1:1"}
                                      << "filtro 5-9,80:0,6; filtro 1:1";
    QTest::newRow("ridotto") << QStringList{"--ridotto", "4"} << "ridotto 4";
    QTest::newRow("superstar tocca solo il prezzo") << QStringList{"--superstar"} << QString();
    QTest::newRow("insieme") << QStringList{"--ridotto", "3", "--pari", "1", "--somma", "100-200", "--fisse", "1"}
                             << "somma 100-200; pari 1; fisse 1 (1); ridotto 3";
}

// Each option sets exactly its own fields: read back from the saved file by the library itself.
void TstCli::condizioniSalvate() {
    QFETCH(QStringList, argomenti);
    QFETCH(QString, condizioni);
    const QString file = m_dir.filePath(QStringLiteral("condizioni.sec"));
    QFile::remove(file);

    const Esito e = Esegui(QStringList{"sviluppa", "--numeri", "1-9"} + argomenti + QStringList{"-o", file});
    QCOMPARE(e.stato, 0);

    auto s = std::make_unique<Sistema>();
    FakeInterfaccia ui;
    QVERIFY(ApriSistema(*s, file, ui));
    QCOMPARE(DescriviCondizioni(*s), condizioni);
    QCOMPARE(s->numeriInGioco, std::uint8_t{9});
}

void TstCli::costo_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<bool>("superStar");
    QTest::addColumn<int>("colonne");

    QTest::newRow("senza superstar") << QStringList{"--numeri", "1-10"} << false << 210;
    QTest::newRow("con superstar") << QStringList{"--numeri", "1-10", "--superstar"} << true << 210;
    QTest::newRow("nessuna colonna") << QStringList{"--numeri", "1-10", "--superstar", "--somma", "500-525"} << true
                                     << 0;
}

void TstCli::costo() {
    QFETCH(QStringList, argomenti);
    QFETCH(bool, superStar);
    QFETCH(int, colonne);
    // The default prices of a new System, the same the tool starts from.
    auto prezzi = std::make_unique<Sistema>();
    const double prezzo = superStar ? prezzi->costoColonnaSS : prezzi->costoColonnaSE;

    const Esito e = Esegui(QStringList{"sviluppa"} + argomenti);
    QCOMPARE(e.stato, 0);
    const QByteArrayList righe = e.uscita.split('\n');
    QVERIFY(righe.size() >= 2);
    QCOMPARE(righe[0].left(righe[0].indexOf('\t')), QByteArray::number(colonne));
    QCOMPARE(QString::fromUtf8(righe[1]), FormattaEuro(prezzo * colonne));
}

void TstCli::limiteColonne() {
    const QString file = m_dir.filePath(QStringLiteral("limite.sec"));
    const Esito e = Esegui({"sviluppa", "--numeri", "1-36", "-o", file});
    QCOMPARE(e.stato, 3);
    QCOMPARE(e.uscita, QByteArray());
    const QString atteso = MessaggioLimite().replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QVERIFY2(QString::fromUtf8(e.errori).contains(atteso), e.errori.constData());
    QVERIFY(!QFileInfo::exists(file));
}

// The largest complete development, saved and listed back whole.
void TstCli::trentacinqueNumeri() {
    const QString file = m_dir.filePath(QStringLiteral("trentacinque.sec"));
    const qint64 attese = Binomiale(35, 6);
    const Esito sviluppo = Esegui({"sviluppa", "--numeri", "1-35", "-o", file});
    QCOMPARE(sviluppo.stato, 0);
    QCOMPARE(PrimaRiga(sviluppo.uscita), QByteArray::number(attese) + "\tIntegrale");

    const Esito apertura = Esegui({"apri", file});
    QCOMPARE(apertura.stato, 0);
    const QByteArray& testo = apertura.uscita;
    qsizetype pos = 0;
    const auto prossima = [&] {
        const qsizetype fine = testo.indexOf('\n', pos);
        const QByteArray riga = fine < 0 ? QByteArray() : testo.sliced(pos, fine - pos);
        pos = fine < 0 ? testo.size() : fine + 1;
        return riga;
    };
    QCOMPARE(prossima(), "35\t" + QByteArray::number(attese) + "\tIntegrale");
    QCOMPARE(prossima(), RigaPronostico(Da(1, 35)));
    qint64 confrontate = 0;
    bool uguali = true;
    Enumera(Da(1, 35), [&](const Col& c) {
        uguali = uguali && prossima() == Riga(c);
        ++confrontate;
        return false;
    });
    QVERIFY(uguali);
    QCOMPARE(confrontate, attese);
    QCOMPARE(pos, testo.size());
}

void TstCli::salvataggioImpossibile() {
    const QString file = m_dir.filePath(QStringLiteral("cartella-che-non-esiste/x.sec"));
    const Esito e = Esegui({"sviluppa", "--numeri", "1-8", "-o", file});
    QCOMPARE(e.stato, 4);
    QCOMPARE(e.uscita, QByteArray());
    QVERIFY2(e.errori.contains("SalvaFile"), e.errori.constData());
}

void TstCli::uscitaPiena_data() {
    QTest::addColumn<QString>("comando");
    QTest::newRow("sviluppa") << "sviluppa";
    QTest::newRow("apri") << "apri";
}

// A listing that could not be written must not look like a success to a script.
void TstCli::uscitaPiena() {
    QFETCH(QString, comando);
    const QString pieno = QStringLiteral("/dev/full");
    if (!QFileInfo::exists(pieno))
        QSKIP("no /dev/full on this system");
    const QString file = m_dir.filePath(QStringLiteral("pieno.sec"));
    QCOMPARE(Esegui({"sviluppa", "--numeri", "1-12", "-o", file}).stato, 0);

    const QStringList argomenti =
        comando == QStringLiteral("apri") ? QStringList{"apri", file} : QStringList{"sviluppa", "--numeri", "1-12"};
    QCOMPARE(Esegui(argomenti, pieno).stato, 4);
}

void TstCli::usoErrato_data() {
    QTest::addColumn<QStringList>("argomenti");

    QTest::newRow("niente") << QStringList{};
    QTest::newRow("comando sconosciuto") << QStringList{"stampa"};
    QTest::newRow("opzione sconosciuta") << QStringList{"sviluppa", "--numeri", "1-10", "--colore", "2"};
    QTest::newRow("manca --numeri") << QStringList{"sviluppa", "--somma", "30-40"};
    QTest::newRow("valore mancante") << QStringList{"sviluppa", "--numeri"};
    QTest::newRow("argomento in piu'") << QStringList{"sviluppa", "--numeri", "1-10", "altro"};
    QTest::newRow("--numeri ripetuta") << QStringList{"sviluppa", "--numeri", "1-10", "--numeri", "20-30"};
    QTest::newRow("numero 0") << QStringList{"sviluppa", "--numeri", "0-10"};
    QTest::newRow("numero 91") << QStringList{"sviluppa", "--numeri", "85-91"};
    QTest::newRow("intervallo rovesciato") << QStringList{"sviluppa", "--numeri", "10-1"};
    QTest::newRow("elemento vuoto") << QStringList{"sviluppa", "--numeri", "1,,2"};
    QTest::newRow("intervallo aperto") << QStringList{"sviluppa", "--numeri", "1-"};
    QTest::newRow("negativo") << QStringList{"sviluppa", "--numeri", "-3"};
    QTest::newRow("lettere") << QStringList{"sviluppa", "--numeri", "uno"};
    QTest::newRow("numero enorme") << QStringList{"sviluppa", "--numeri", "99999999999"};
    QTest::newRow("somma senza A") << QStringList{"sviluppa", "--numeri", "1-10", "--somma", "40"};
    QTest::newRow("somma rovesciata") << QStringList{"sviluppa", "--numeri", "1-10", "--somma", "40-30"};
    QTest::newRow("somma troppo bassa") << QStringList{"sviluppa", "--numeri", "1-10", "--somma", "20-30"};
    QTest::newRow("pari 7") << QStringList{"sviluppa", "--numeri", "1-10", "--pari", "3,7"};
    QTest::newRow("fissa 91") << QStringList{"sviluppa", "--numeri", "1-10", "--fisse", "91"};
    QTest::newRow("consecutivi 0") << QStringList{"sviluppa", "--numeri", "1-10", "--consecutivi", "0-2"};
    QTest::newRow("filtro senza presenze") << QStringList{"sviluppa", "--numeri", "1-10", "--filtro", "1-10"};
    QTest::newRow("filtro con due :") << QStringList{"sviluppa", "--numeri", "1-10", "--filtro", "1:2:3"};
    QTest::newRow("filtro presenza 7") << QStringList{"sviluppa", "--numeri", "1-10", "--filtro", "1-10:7"};
    QTest::newRow("ridotto 5") << QStringList{"sviluppa", "--numeri", "1-10", "--ridotto", "5"};
    QTest::newRow("ridotto lista") << QStringList{"sviluppa", "--numeri", "1-10", "--ridotto", "1-2"};
    QTest::newRow("superstar con valore") << QStringList{"sviluppa", "--numeri", "1-10", "--superstar=1"};
    QTest::newRow("-o vuoto") << QStringList{"sviluppa", "--numeri", "1-10", "-o", ""};
    QTest::newRow("apri senza file") << QStringList{"apri"};
    QTest::newRow("apri due file") << QStringList{"apri", "a.sec", "b.sec"};
    QTest::newRow("apri con opzioni") << QStringList{"apri", "a.sec", "--numeri", "1-10"};

    QStringList troppiFiltri{"sviluppa", "--numeri", "1-10"};
    for (int k = 0; k <= MaxFiltri; ++k)
        troppiFiltri << QStringLiteral("--filtro=1:0,1");
    QTest::newRow("troppi filtri") << troppiFiltri;
}

void TstCli::usoErrato() {
    QFETCH(QStringList, argomenti);
    const Esito e = Esegui(argomenti);
    QCOMPARE(e.stato, 1);
    QCOMPARE(e.uscita, QByteArray());
    QVERIFY2(e.errori.contains("Uso:"), e.errori.constData());
}

void TstCli::aiuto_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("dopo il comando") << QStringList{"sviluppa", "--help"};
}

void TstCli::aiuto() {
    QFETCH(QStringList, argomenti);
    const Esito e = Esegui(argomenti);
    QCOMPARE(e.stato, 0);
    QVERIFY(e.uscita.startsWith("Uso:"));
    QCOMPARE(e.errori, QByteArray());
}

void TstCli::fileRifiutato_data() {
    QTest::addColumn<QByteArray>("contenuto"); // empty: no file at all
    QTest::addColumn<QByteArray>("messaggio");

    const QByteArray illeggibile("Questo file non puo' essere letto");
    QTest::newRow("testo qualsiasi") << QByteArray("un file di testo, non un sistema\n") << illeggibile;
    QTest::newRow("vuoto") << QByteArray("") << illeggibile;
    QTest::newRow("solo l'intestazione") << QByteArray("sestplan001") << illeggibile;
    // A whole header and conditions promising five columns, followed by one.
    QByteArray corto("sestplan001");
    corto += '\0';                           // numbers in play
    corto += QByteArray("\x05\0\0\0", 4);    // columns promised
    corto += QByteArray(2 + 90 + 118, '\0'); // empty kind, Prediction, conditions
    corto += QByteArray("\x01\x02\x03\x04\x05\x06");
    QTest::newRow("colonne mancanti") << corto << illeggibile;
    QTest::newRow("inesistente") << QByteArray() << QByteArray("in procedure ApriSistema");
}

void TstCli::fileRifiutato() {
    QFETCH(QByteArray, contenuto);
    QFETCH(QByteArray, messaggio);
    const QString file = m_dir.filePath(QStringLiteral("rifiutato.sec"));
    QFile::remove(file);
    if (!contenuto.isNull()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(contenuto), contenuto.size());
    }

    const Esito e = Esegui({"apri", file});
    QCOMPARE(e.stato, 2);
    QCOMPARE(e.uscita, QByteArray());
    QVERIFY2(e.errori.contains(messaggio), e.errori.constData());
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
