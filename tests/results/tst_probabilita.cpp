#include "FakeInterfaccia.h"
#include "Garanzia.h"
#include "Probabilita.h"
#include "RegistroSviluppo.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

constexpr int Universo = 14;

// Every draw of six numbers out of 1..Universo against every column: in how many some column holds k.
std::array<qint64, 7> ContaOgniEstrazione(const Sistema& s) {
    std::array<qint64, 7> almeno{};
    std::vector<bool> estratti(Universo, false);
    std::fill_n(estratti.begin(), 6, true);
    do {
        int migliore = 0;
        for (int c = 1; c <= s.numeroColonne; ++c) {
            const std::uint8_t* col = s.colonne.colonna(c);
            int comuni = 0;
            for (int k = 0; k < 6; ++k)
                comuni += estratti[static_cast<std::size_t>(col[k] - 1)] ? 1 : 0;
            migliore = std::max(migliore, comuni);
        }
        for (int k = 2; k <= migliore; ++k)
            ++almeno[static_cast<std::size_t>(k)];
    } while (std::prev_permutation(estratti.begin(), estratti.end()));
    return almeno;
}

} // namespace

class TestProbabilita : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s = std::make_unique<Sistema>();

    EsitoGaranzia sviluppa(int quanti, int livello) {
        AzzeraSistema(*m_s, false);
        for (int n = 1; n <= quanti; ++n)
            m_s->GrigliaNumeriClick(n - 1);
        m_s->condRidotto = livello > 0 ? Vero : Falso;
        m_s->livelloRiduzione = static_cast<std::uint8_t>(livello);
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        [&] { QVERIFY(Elabora(*m_s, ui, nessuno)); }();
        return CalcolaGaranzia(*m_s, ui, nessuno);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // The counts from the guarantee equal a count of every draw, in a game of 14 numbers where
    // every draw can be tried.
    void controOgniEstrazione_data() {
        QTest::addColumn<int>("quanti");
        QTest::addColumn<int>("livello");
        for (int v = 7; v <= 12; ++v) {
            QTest::addRow("integrale %d", v) << v << 0;
            QTest::addRow("ridotto N-1 %d", v) << v << 1;
        }
        QTest::addRow("ridotto N-2 12") << 12 << 2;
    }
    void controOgniEstrazione() {
        QFETCH(int, quanti);
        QFETCH(int, livello);
        const EsitoGaranzia g = sviluppa(quanti, livello);
        const ProbabilitaSistema p = CalcolaProbabilita(g, m_s->numeroColonne, Universo);
        QCOMPARE(p.estrazioniAlmeno, ContaOgniEstrazione(*m_s));
    }

    // One column: the figures every player's guide prints.
    void unaColonna() {
        const EsitoGaranzia g = sviluppa(6, 0);
        const ProbabilitaSistema p = CalcolaProbabilita(g, 1);
        QCOMPARE(p.estrazioniAlmeno[6], qint64{1});
        QCOMPARE(p.estrazioniAlmeno[5], qint64{1 + 6 * 84});
        QCOMPARE(p.estrazioniAlmeno[4], qint64{1 + 6 * 84 + 15 * 3486});
        QCOMPARE(TestoUnoSu(p.estrazioniAlmeno[6]), QStringLiteral("1 su 622.614.630"));
        QCOMPARE(TestoUnoSu(p.estrazioniAlmeno[5]), QStringLiteral("1 su 1.232.900"));
        QCOMPARE(TestoUnoSu(0), QStringLiteral("-"));
        qint64 tutte = 0;
        for (const Categoria c : TutteLeCategorie)
            tutte += EstrazioniVincentiPerColonna(c);
        QCOMPARE(tutte, p.estrazioniAlmeno[2]);
        QCOMPARE(ColonneAtteseTesto(1, Categoria::Sei), QStringLiteral("0.000000"));
        QCOMPARE(ColonneAtteseTesto(1, Categoria::Due), QStringLiteral("0.046485"));
        QCOMPARE(ColonneAtteseTesto(1'850'000, Categoria::Due), QStringLiteral("85998.063923"));
    }

    // The expected prize, with prizes checked by hand: 210 columns of 10 numbers, 3 euro for a 2.
    void premioAtteso() {
        const double soloDue = PremioAtteso(210, {0, 0, 0, 0, 0, 3});
        QCOMPARE(soloDue, 210.0 * 28'942'515 / 622'614'630 * 3);
        QCOMPARE(PremioAtteso(1, {622'614'630, 0, 0, 0, 0, 0}), 1.0);
    }
};

QTEST_GUILESS_MAIN(TestProbabilita)
#include "tst_probabilita.moc"
