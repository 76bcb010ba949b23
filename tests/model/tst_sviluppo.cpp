#include "Errore.h"
#include "FakeInterfaccia.h"
#include "RegistroSviluppo.h"
#include "Sistema.h"
#include "Sviluppo.h"
#include "SviluppoLetterale.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace sestina;

class TestSviluppo final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;

    void seleziona(int da, int a) {
        for (int n = da; n <= a; ++n)
            m_s->GrigliaNumeriClick(n - 1);
        AggiornaPronostico(*m_s);
    }
    bool elabora() {
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        return Elabora(*m_s, ui, nessuno);
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        m_s = std::make_unique<Sistema>();
    }
    void init() { AzzeraSistema(*m_s, false); }

    void dieciNumeriIntegrale() {
        seleziona(1, 10);
        FakeInterfaccia ui;
        RegistroSviluppo registro(ui);
        Sviluppa(*m_s, ui, registro);

        QCOMPARE(m_s->numeroColonne, 210);
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Integrale"));
        QCOMPARE(m_s->sviluppoAnnullato, Falso);
        // Lexicographic order, each column ascending, no repeats.
        for (int i = 2; i <= 210; ++i) {
            const Colonna a = m_s->colonne.leggi(i - 1), b = m_s->colonne.leggi(i);
            QVERIFY2(std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()),
                     qPrintable(QString::number(i)));
        }
        QCOMPARE(m_s->colonne.leggi(1), (Colonna{1, 2, 3, 4, 5, 6}));
        QCOMPARE(m_s->colonne.leggi(210), (Colonna{5, 6, 7, 8, 9, 10}));

        // Twenty steps, each at the first candidate that rounds to it; the bar ends at 100.
        const QStringList passi = registro.eventi.filter(QRegularExpression(QStringLiteral("^passo ")));
        QCOMPARE(passi.size(), 20);
        QCOMPARE(passi.first(), QStringLiteral("passo 1 210 6 6"));
        QCOMPARE(passi.last(), QStringLiteral("passo 20 210 205 205"));
        QCOMPARE(registro.eventi.last(), QStringLiteral("fine 210 210 210"));
        QVERIFY(PassoProgresso(5, 2) == 2 && PassoProgresso(7, 2) == 4 && PassoProgresso(6, 4) == 2); // half to even

        // The window system runs once per value of the third index: C(7, 3) times.
        QCOMPARE(ui.eventi, 35);
        QCOMPARE(ui.messaggi.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^0 Days 00:00:0\\d$")).match(ui.messaggi[0].testo).hasMatch());
        QVERIFY(ui.messaggi[0].titolo == TitoloApplicazione && ui.messaggi[0].icona == Icona::Nessuna);
    }

    // With seven numbers one column is within one number of every other six.
    void setteNumeriRidottoN1() {
        seleziona(11, 17);
        m_s->condRidotto = Vero;
        m_s->livelloRiduzione = 1;
        QVERIFY(elabora());
        QCOMPARE(m_s->numeroColonne, 1);
        QCOMPARE(m_s->colonne.leggi(1), (Colonna{11, 12, 13, 14, 15, 16}));
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Ridotto N-1"));
    }

    void tipoSistema_data() {
        QTest::addColumn<int>("condizione"); // 1 somma, 2 pari, 3 fisse, 4 consecutivi, 5 a filter, even off
        QTest::addColumn<bool>("ridotto");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("nessuna") << 0 << false << "Integrale";
        for (int c = 1; c <= 5; ++c)
            QTest::addRow("condizione %d", c) << c << false << "Condizionato";
        QTest::newRow("ridotto") << 0 << true << "Ridotto N-2";
        QTest::newRow("ridotto e somma") << 1 << true << "Ridotto N-2 Condizionato";
        QTest::newRow("ridotto e filtro") << 5 << true << "Ridotto N-2 Condizionato";
    }
    void tipoSistema() {
        QFETCH(int, condizione);
        QFETCH(bool, ridotto);
        QFETCH(QString, atteso);
        m_s->condSomma = condizione == 1 ? Vero : Falso;
        m_s->condPariDispari = condizione == 2 ? Vero : Falso;
        m_s->condFisse = condizione == 3 ? Vero : Falso;
        m_s->condConsecutivi = condizione == 4 ? Vero : Falso;
        m_s->numeroFiltri = condizione == 5 ? 1 : 0; // colonneFiltro[1] is off
        m_s->condRidotto = ridotto ? Vero : Falso;
        m_s->livelloRiduzione = 2;
        QCOMPARE(TipoSistema(*m_s), atteso);
    }

    void limiteColonne() {
        seleziona(1, 36);
        m_s->numeroColonne = 12;
        m_s->tipoSistema = QStringLiteral("Integrale");
        FakeInterfaccia ui;
        RegistroSviluppo registro(ui);
        QVERIFY(!Elabora(*m_s, ui, registro));

        QCOMPARE(m_s->sviluppoAnnullato, Vero);
        QCOMPARE(m_s->numeroColonne, 12);
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Integrale"));
        QCOMPARE(m_s->sistemaSviluppato, 0);
        QCOMPARE(ui.messaggi.size(), 1);
        QCOMPARE(ui.messaggi[0].testo, QStringLiteral("!!! Sviluppo superiore alla capienza della memoria\r"
                                                      "puoi generare al massimo 1.850.000 colonne"));
        QVERIFY(ui.messaggi[0].titolo == QStringLiteral("ATTENZIONE") && ui.messaggi[0].icona == Icona::Critica);
        QVERIFY(registro.eventi.contains(
            QStringLiteral("allarme ATTENZIONE !!! Sviluppo superiore alla capienza della memoria")));
    }

    // The develop command unfixes numbers that left the Prediction before developing.
    void elaboraSfissaNumeriFuoriGioco() {
        seleziona(1, 8);
        m_s->condFisse = Vero;
        m_s->numeriFissi[3] = m_s->numeriFissi[50] = 1;
        m_s->quantiFissi = 2;
        QVERIFY(elabora());
        QCOMPARE(m_s->numeriFissi[50], 0);
        QCOMPARE(m_s->numeriFissi[3], 1);
        QCOMPARE(m_s->quantiFissi, 1);
        QCOMPARE(m_s->numeroColonne, 21); // C(7, 5): every column holds 3
    }

    void pronosticoNonValidoRifiutato() {
        m_s->numeriInGioco = 6;
        m_s->pronostico = {1, 2, 3, 3, 5, 6};
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        QVERIFY_THROWS_EXCEPTION(std::exception, Sviluppa(*m_s, ui, nessuno));
        m_s->pronostico = {1, 2, 3, 4, 5, 91};
        QVERIFY_THROWS_EXCEPTION(std::exception, SviluppoLetterale(*m_s, ui, nessuno));
    }
};

QTEST_GUILESS_MAIN(TestSviluppo)
#include "tst_sviluppo.moc"
