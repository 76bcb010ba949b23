#include "FakeInterfaccia.h"
#include "Sistema.h"
#include "SpoglioColonna.h"
#include "SpoglioLetterale.h"

#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace sestina;

using Caselle = std::array<QString, 7>;
Q_DECLARE_METATYPE(Caselle)

class TestSpoglioColonna : public QObject {
    Q_OBJECT

    std::unique_ptr<ColumnStore> m_colonne = std::make_unique<ColumnStore>();

private Q_SLOTS:
    void validazione_data() {
        QTest::addColumn<Caselle>("caselle");
        QTest::addColumn<QStringList>("ordinate");
        QTest::addColumn<QString>("testo"); // empty: the column may be checked
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<int>("fuoco");
        const QString errata = QStringLiteral("Colonna Errata"), doppione = QStringLiteral("Duplicazione di numeri");
        const QString zero = QStringLiteral("Valore 0 non ammesso");
        const auto riga = [](const char* nome, const Caselle& c, const QStringList& o, const QString& t = {},
                             const QString& x = {}, int f = 0) { QTest::newRow(nome) << c << o << t << x << f; };
        riga("valida, in disordine", {"45", "03", "17", "90", "01", "22", "07"}, {"01", "03", "17", "22", "45", "90"});
        riga("due vuote: prima il doppione", {"", "12", "", "33", "44", "55", "66"}, {"", "", "12", "33", "44", "55"},
             doppione, errata);
        riga("doppione in mezzo", {"09", "40", "12", "40", "44", "55", "66"}, {"09", "12", "40", "40", "44", "55"},
             doppione, errata, 2);
        riga("jolly uguale al massimo", {"90", "02", "03", "04", "05", "06", "90"},
             {"02", "03", "04", "05", "06", "90"}, doppione, errata, 5);
        riga("jolly uguale a un altro", {"10", "02", "30", "04", "50", "06", "04"},
             {"02", "04", "06", "10", "30", "50"}, "Combinazione errata", "!!! E R R O R E !!!");
        riga("jolly con altre cifre", {"10", "02", "30", "4", "50", "06", "04"}, {"02", "4", "06", "10", "30", "50"},
             "Combinazione errata", "!!! E R R O R E !!!");
        riga("91 non ammesso", {"91", "02", "03", "04", "05", "06", "07"}, {"02", "03", "04", "05", "06", "91"},
             "Valore 91 non ammesso", errata, 5);
        riga("jolly vuoto", {"01", "02", "03", "04", "05", "06", ""}, {"01", "02", "03", "04", "05", "06"}, zero,
             errata, 6);
        riga("una sola vuota", {"01", "02", "", "04", "05", "06", "07"}, {"", "01", "02", "04", "05", "06"}, zero,
             errata);
    }
    void validazione() {
        QFETCH(Caselle, caselle);
        QFETCH(QStringList, ordinate);
        QFETCH(QString, testo);
        QFETCH(QString, titolo);
        QFETCH(int, fuoco);
        const QString jolly = caselle[6];
        const auto errore = ValidaColonnaSpoglio(caselle);
        QCOMPARE(QStringList(caselle.begin(), caselle.begin() + 6), ordinate);
        QCOMPARE(caselle[6], jolly);
        QCOMPARE(errore.has_value(), !testo.isEmpty());
        if (errore) {
            QCOMPARE(errore->testo, testo);
            QCOMPARE(errore->titolo, titolo);
            QCOMPARE(errore->casella, fuoco);
        }
    }

    // One column for each category and two for none; five plus the Jolly is listed once only.
    void categorie() {
        const std::array<Colonna, 8> colonne = {{{1, 2, 3, 4, 5, 6},
                                                 {7, 1, 2, 3, 4, 5},
                                                 {1, 2, 3, 4, 5, 8},
                                                 {1, 2, 3, 4, 8, 9},
                                                 {1, 2, 3, 8, 9, 10},
                                                 {1, 2, 8, 9, 10, 11},
                                                 {1, 8, 9, 10, 11, 12},
                                                 {7, 8, 9, 10, 11, 12}}};
        for (std::size_t i = 0; i < colonne.size(); ++i)
            m_colonne->scrivi(static_cast<int>(i + 1), colonne[i]);
        const ColonnaSpoglio vincente = {0, 1, 2, 3, 4, 5, 6, 7};
        FakeInterfaccia ui;
        for (auto spoglia : {&SpogliaColonne, &SpogliaColonneLetterale}) {
            EsitoSpoglio e = spoglia(*m_colonne, 8, vincente, ui);
            QCOMPARE(e.liste, (std::array<std::vector<int>, 6>{{{1}, {3}, {4}, {5}, {6}, {2}}}));
            QCOMPARE(e.maxPunti, 6);
            // Five plus the Jolly counts as 6 for the best score.
            e = spoglia(*m_colonne, 2, {0, 1, 2, 3, 4, 5, 90, 7}, ui);
            QCOMPARE(e.liste[EsitoSpoglio::CinquePiuUno], std::vector<int>{2});
            QCOMPARE(e.liste[1], std::vector<int>{1});
            QCOMPARE(TestoMaxPunti(e.maxPunti), QStringLiteral("Massimo punteggio raggiunto 6"));
            // A single match is no category but is the best score.
            e = spoglia(*m_colonne, 8, {0, 12, 20, 30, 40, 50, 60, 70}, ui);
            QCOMPARE(e.maxPunti, 1);
            QVERIFY(std::all_of(e.liste.begin(), e.liste.end(), [](const auto& l) { return l.empty(); }));
            QCOMPARE(TestoMaxPunti(spoglia(*m_colonne, 0, vincente, ui).maxPunti),
                     QStringLiteral("Massimo punteggio raggiunto 0"));
        }
    }

    // Random columns, repeated numbers included (an adapted matrix may hold them).
    void veloceComeLetterale() {
        QRandomGenerator caso(20261207);
        const int quante = 250'000;
        for (int c = 1; c <= quante; ++c) {
            Colonna col;
            for (auto& n : col)
                n = static_cast<std::uint8_t>(1 + caso.bounded(c % 3 == 0 ? 12 : 90));
            m_colonne->scrivi(c, col);
        }
        for (int prova = 0; prova < 20; ++prova) {
            ColonnaSpoglio vincente{};
            for (int i = 1; i <= 7; ++i)
                vincente[static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(1 + caso.bounded(prova < 10 ? 12 : 90));
            FakeInterfaccia veloce;
            FakeInterfaccia letterale;
            const EsitoSpoglio a = SpogliaColonne(*m_colonne, quante, vincente, veloce);
            const EsitoSpoglio b = SpogliaColonneLetterale(*m_colonne, quante, vincente, letterale);
            QCOMPARE(a.liste, b.liste);
            QCOMPARE(a.maxPunti, b.maxPunti);
            QCOMPARE(veloce.eventi, quante / 1000);
        }
    }
};

QTEST_GUILESS_MAIN(TestSpoglioColonna)
#include "tst_spogliocolonna.moc"
