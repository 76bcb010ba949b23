#include "Archivio.h"
#include "FakeInterfaccia.h"
#include "ProvaSuFile.h"
#include "Statistiche.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <set>

using namespace sestina;

using Sei = std::array<int, 6>;
Q_DECLARE_METATYPE(Sei)

namespace {

Estrazione Draw(const Sei& numeri, int jolly = 90, int concorso = 1, const QString& data = "01/01/2020") {
    Estrazione e;
    e.concorso = static_cast<std::int16_t>(concorso);
    e.data = data.leftJustified(10, QLatin1Char(' '));
    for (std::size_t i = 0; i < 6; ++i)
        e.estratti[i + 1] = static_cast<std::uint8_t>(numeri[i]);
    e.jolly = static_cast<std::uint8_t>(jolly);
    e.superstar = 7;
    return e;
}

template <std::size_t N> int Somma(const std::array<int, N>& t) {
    return std::accumulate(t.begin(), t.end(), 0);
}

QStringList Etichette(const std::vector<Barra>& barre) {
    QStringList e;
    for (const Barra& b : barre)
        e << b.etichetta;
    return e;
}

} // namespace

class TestStatistiche : public QObject {
    Q_OBJECT

    ArchivioEstrazioni m_reale;

private Q_SLOTS:
    void initTestCase() {
        FakeInterfaccia ui;
        QCOMPARE(LoadArchivioTMP(m_reale, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt"), ui),
                 EsitoLista::Letta);
        QCOMPARE(m_reale.size(), std::size_t{2855});
    }

    void valori_data() {
        QTest::addColumn<Sei>("numeri");
        QTest::addColumn<int>("pari");
        QTest::addColumn<int>("somma");
        QTest::addColumn<int>("consecutivi");
        QTest::newRow("corsa di tre in ordine") << Sei{5, 6, 7, 30, 40, 50} << 4 << 138 << 3;
        QTest::newRow("stessi numeri al contrario") << Sei{7, 6, 5, 30, 40, 50} << 4 << 138 << 1;
        QTest::newRow("nessuna corsa, tutti dispari") << Sei{1, 3, 5, 7, 9, 11} << 0 << 36 << 1;
        QTest::newRow("corsa in fondo, la piu' lunga") << Sei{10, 11, 40, 41, 42, 43} << 3 << 187 << 4;
        QTest::newRow("sei di fila") << Sei{85, 86, 87, 88, 89, 90} << 3 << 525 << 6;
    }
    void valori() {
        QFETCH(Sei, numeri);
        QFETCH(int, pari);
        QFETCH(int, somma);
        QFETCH(int, consecutivi);
        const ValoriEstrazione v = ValoriDi(Draw(numeri));
        QCOMPARE(v.pari, pari);
        QCOMPARE(v.dispari, 6 - pari);
        QCOMPARE(v.somma, somma);
        QCOMPARE(v.consecutivi, consecutivi);
    }

    void fasce() {
        const std::array<std::pair<int, int>, 8> casi = {
            {{20, -1}, {21, 0}, {105, 0}, {106, 1}, {190, 1}, {446, 5}, {525, 5}, {526, -1}}};
        for (const auto& [somma, fascia] : casi)
            QCOMPARE(FasciaSomma(somma), fascia);
    }

    // The draw before counts; the oldest line shows 0 and the table leaves it out.
    void archiviPiccoli() {
        const ArchivioEstrazioni a = {Draw({1, 2, 3, 4, 5, 6}), Draw({4, 5, 6, 7, 8, 9}),
                                      Draw({70, 71, 72, 73, 74, 75})};
        Statistiche st = CalcolaStatistiche(a);
        const QList<QByteArray> righe = st.csv.split('\n');
        QCOMPARE(righe[1].split(';').at(10), QByteArray("0")); // the newest: none of the draw before
        QCOMPARE(righe[2].split(';').at(10), QByteArray("3"));
        QCOMPARE(righe[3].split(';').at(10), QByteArray("0"));
        QCOMPARE(st.tabelle.ripetuti, (std::array<int, 7>{1, 0, 0, 1, 0, 0, 0}));
        QCOMPARE(Somma(st.tabelle.consecutivi), 3);

        // An archive of a single empty record: one line of zeros, nothing counted.
        st = CalcolaStatistiche(ArchivioEstrazioni(1));
        QCOMPARE(st.csv, QByteArray("Data;Concorso;P1;P2;P3;P4;P5;P6;Jolly;SuperStar;Ripetuti;Pari;Dispari;Consecutivi;"
                                    "Somma\r\n          ;0;00;00;00;00;00;00;0;0;0;0;0;0;0\r\n"));
        QCOMPARE(Somma(st.tabelle.pari) + Somma(st.tabelle.consecutivi) + Somma(st.tabelle.somma), 0);
        QVERIFY(std::all_of(st.tabelle.frequenza.begin(), st.tabelle.frequenza.end(),
                            [](const FrequenzaNumero& f) { return f.conteggio == 0; }));
    }

    // Every line of the real archive's file against values worked out here, newest first.
    void csvReale() {
        const Statistiche st = CalcolaStatistiche(m_reale);
        QVERIFY(st.csv.endsWith("\r\n"));
        QList<QByteArray> righe = st.csv.split('\n');
        righe.removeLast();
        QCOMPARE(righe.size(), qsizetype(m_reale.size() + 1));
        QCOMPARE(righe[0], QByteArray("Data;Concorso;P1;P2;P3;P4;P5;P6;Jolly;SuperStar;Ripetuti;Pari;Dispari;"
                                      "Consecutivi;Somma\r"));
        for (qsizetype r = 1; r < righe.size(); ++r) {
            const std::size_t i = m_reale.size() - static_cast<std::size_t>(r);
            const Estrazione& e = m_reale[i];
            std::vector<int> n(e.estratti.begin() + 1, e.estratti.end());
            const int pari = static_cast<int>(std::count_if(n.begin(), n.end(), [](int x) { return x % 2 == 0; }));
            int corsa = 1, lunga = 1;
            for (std::size_t k = 1; k < 6; ++k) {
                corsa = n[k] == n[k - 1] + 1 ? corsa + 1 : 1;
                lunga = std::max(lunga, corsa);
            }
            int ripetuti = 0;
            if (i > 0) {
                const std::set<int> prima(m_reale[i - 1].estratti.begin() + 1, m_reale[i - 1].estratti.end());
                ripetuti = static_cast<int>(std::count_if(n.begin(), n.end(), [&](int x) { return prima.count(x); }));
            }
            QByteArray attesa = e.data.toLatin1() + ';' + QByteArray::number(e.concorso);
            for (const int x : n)
                attesa += ';' + QByteArray::number(x).rightJustified(2, '0');
            for (const int x : {int{e.jolly}, int{e.superstar}, ripetuti, pari, 6 - pari, lunga,
                                std::accumulate(n.begin(), n.end(), 0)})
                attesa += ';' + QByteArray::number(x);
            QCOMPARE(righe[r], attesa + '\r');
        }
        QVERIFY(righe.last().startsWith("02/01/2009;1;16;19;29;34;48;64;53;34;0;"));
    }

    // The tables agree with the file's lines and with a plain count of the numbers.
    void tabelleReali() {
        const Statistiche st = CalcolaStatistiche(m_reale);
        const TabelleStatistiche& t = st.tabelle;
        const int n = static_cast<int>(m_reale.size());
        QCOMPARE(Somma(t.consecutivi), n);
        QCOMPARE(Somma(t.pari), n);
        QCOMPARE(Somma(t.somma), n);
        QCOMPARE(Somma(t.ripetuti), n - 1);
        for (int k = 0; k <= 6; ++k)
            QCOMPARE(t.dispari[static_cast<std::size_t>(k)], t.pari[static_cast<std::size_t>(6 - k)]);
        std::array<int, 7> pariDalFile{};
        for (const QByteArray& riga : st.csv.split('\n').mid(1, n))
            ++pariDalFile[static_cast<std::size_t>(riga.split(';').at(11).toInt())];
        QCOMPARE(t.pari, pariDalFile);

        std::array<int, 91> frequenze{};
        for (const Estrazione& e : m_reale)
            for (int k = 1; k <= 6; ++k)
                ++frequenze[e.estratti[static_cast<std::size_t>(k)]];
        std::set<int> visti;
        for (std::size_t i = 0; i < t.frequenza.size(); ++i) {
            QCOMPARE(t.frequenza[i].conteggio, frequenze[static_cast<std::size_t>(t.frequenza[i].numero)]);
            if (i > 0)
                QVERIFY(t.frequenza[i - 1].conteggio >= t.frequenza[i].conteggio);
            visti.insert(t.frequenza[i].numero);
        }
        QCOMPARE(visti.size(), std::size_t{90});
    }

    void barre() {
        // 3 and 9 drawn twice, 9 later in the table: the exchange on equal counts puts it first.
        const ArchivioEstrazioni a = {Draw({3, 9, 20, 21, 22, 40}), Draw({3, 9, 50, 61, 72, 83})};
        const Statistiche st = CalcolaStatistiche(a);
        const std::vector<Barra> frequenza = BarreStatistica(st.tabelle, TipoStatistica::Frequenza);
        QCOMPARE(frequenza.size(), std::size_t{90});
        QCOMPARE(Etichette(frequenza).mid(0, 2), (QStringList{"09 -->      2", "03 -->      2"}));
        QCOMPARE(frequenza[0].valore, 2);
        QCOMPARE(frequenza[2].valore, 1);

        QCOMPARE(Etichette(BarreStatistica(st.tabelle, TipoStatistica::Somma)),
                 (QStringList{"0021-0105 -->      0", "0106-0190 -->      1", "0191-0275 -->      0",
                              "0276-0360 -->      1", "0361-0445 -->      0", "0446-0525 -->      0"}));
        QCOMPARE(Etichette(BarreStatistica(st.tabelle, TipoStatistica::Consecutivi)),
                 (QStringList{"01 -->      1", "02 -->      0", "03 -->      1", "04 -->      0", "05 -->      0",
                              "06 -->      0"}));
        const std::vector<Barra> ripetuti = BarreStatistica(st.tabelle, TipoStatistica::Ripetuti);
        QCOMPARE(ripetuti.size(), std::size_t{7});
        QCOMPARE(ripetuti[2].etichetta, QStringLiteral("02 -->      1"));
    }

    // The name from the clock; the clean-up takes only the statistics files.
    void file() {
        QTemporaryDir cartella;
        const QString temp = cartella.path() + QLatin1Char('/');
        const QString percorso = PercorsoFileStatistiche(temp, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(percorso, temp + "sestinaplan_20260102_030405.csv");
        QVERIFY(ScriviFileStatistiche(percorso, "a;b\r\n"));
        QCOMPARE(Contenuto(percorso), QByteArray("a;b\r\n"));
        for (const char* altro : {"sestinaplan_XX.csv", "sestinaplan_download.dat", "altro.csv", "sestinaplan.csv"})
            QVERIFY(Scrivi(temp + altro, "x"));
        PulisciFileStatistiche(temp);
        QCOMPARE(QDir(temp).entryList(QDir::Files),
                 (QStringList{"altro.csv", "sestinaplan.csv", "sestinaplan_download.dat"}));
        QVERIFY(!ScriviFileStatistiche(temp + "manca/x.csv", "a"));
    }
};

QTEST_GUILESS_MAIN(TestStatistiche)
#include "tst_statistiche.moc"
