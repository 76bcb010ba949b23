#include "FakeInterfaccia.h"
#include "Mescola.h"
#include "Sistema.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace sestina;

namespace {

std::vector<Colonna> Colonne(const Sistema& s) {
    std::vector<Colonna> c;
    for (int i = 1; i <= s.numeroColonne; ++i)
        c.push_back(s.colonne.leggi(i));
    return c;
}

} // namespace

class TestMescola final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;

    void riempi(int quante) {
        AzzeraSistema(*m_s, false);
        m_s->numeroColonne = quante;
        for (int i = 1; i <= quante; ++i)
            m_s->colonne.scrivi(i, {std::uint8_t(i % 90 + 1), 2, 3, 4, std::uint8_t(i / 90 % 90 + 1), 90});
        m_s->tipoSistema = QStringLiteral("Integrale");
    }

private Q_SLOTS:
    void initTestCase() { m_s = std::make_unique<Sistema>(); }

    void mescola_data() {
        QTest::addColumn<int>("quante");
        QTest::addColumn<bool>("si");
        QTest::newRow("5000, Si") << 5000 << true;
        QTest::newRow("100, No") << 100 << false;
        QTest::newRow("nessuna") << 0 << true;
        QTest::newRow("una") << 1 << true;
    }
    void mescola() {
        QFETCH(int, quante);
        QFETCH(bool, si);
        riempi(quante);
        const auto prima = Colonne(*m_s);
        FakeInterfaccia ui;
        ui.rispondi(si ? Risposta::Si : Risposta::No);
        QCOMPARE(MescolaColonne(*m_s, ui), si);
        QCOMPARE(ui.messaggi.size(), 1);
        QCOMPARE(ui.messaggi[0].testo, QStringLiteral("Vuoi mescolare le colonne"));
        QCOMPARE(ui.messaggi[0].pulsanti, Pulsanti::SiNo);

        const auto dopo = Colonne(*m_s);
        QCOMPARE(dopo != prima, si && quante > 1);
        QVERIFY(std::is_permutation(dopo.begin(), dopo.end(), prima.begin(), prima.end())); // each column kept whole
        QCOMPARE(m_s->numeroColonne, quante);
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Integrale"));
        QCOMPARE(m_s->colonne.leggi(quante + 1), Colonna{}); // nothing past the last column touched
    }

    // Every position must be reachable: over many seeds each column visits the first place.
    void permutazioneUniforme() {
        std::array<int, 4> primo{};
        for (unsigned seme = 0; seme < 4000; ++seme) {
            riempi(4);
            std::mt19937 g(seme);
            PermutaColonne(m_s->colonne, 4, g);
            ++primo[static_cast<std::size_t>(m_s->colonne.colonna(1)[0] - 2)];
        }
        for (int volte : primo)
            QVERIFY2(volte > 700 && volte < 1300, qPrintable(QString::number(volte)));
    }
};

QTEST_GUILESS_MAIN(TestMescola)
#include "tst_mescola.moc"
