#include "FakeInterfaccia.h"
#include "RegistroSviluppo.h"
#include "Sistema.h"
#include "Sviluppo.h"

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
            const Colonna a = m_s->colonne.leggi(i - 1);
            const Colonna b = m_s->colonne.leggi(i);
            QVERIFY2(std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()), qPrintable(QString::number(i)));
        }
        QCOMPARE(m_s->colonne.leggi(1), (Colonna{1, 2, 3, 4, 5, 6}));
        QCOMPARE(m_s->colonne.leggi(210), (Colonna{5, 6, 7, 8, 9, 10}));

        // Twenty steps, each at the first candidate that rounds to it; the bar ends at 100.
        const QStringList passi = registro.eventi.filter(QRegularExpression(QStringLiteral("^passo ")));
        QCOMPARE(passi.size(), 20);
        QCOMPARE(passi.first(), QStringLiteral("passo 1 210 6 6"));
        QCOMPARE(passi.last(), QStringLiteral("passo 20 210 205 205"));
        QCOMPARE(registro.ultimoPasso * 5, 100);
        QCOMPARE(registro.eventi.last(), QStringLiteral("fine 210 210 210"));

        // The window system runs once per value of the third index: C(7, 3) times.
        QCOMPARE(ui.eventi, 35);
        QCOMPARE(ui.messaggi.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^0 Days 00:00:0\\d$")).match(ui.messaggi[0].testo).hasMatch());
        QCOMPARE(ui.messaggi[0].titolo, QStringLiteral("Sestinaplan"));
        QCOMPARE(ui.messaggi[0].icona, Icona::Nessuna);
    }

    void passoArrotondaAlPari() {
        QCOMPARE(PassoProgresso(5, 2), 2);
        QCOMPARE(PassoProgresso(7, 2), 4);
        QCOMPARE(PassoProgresso(6, 4), 2);
        QCOMPARE(PassoProgresso(210, 10.5), 20);
    }

    void setteNumeriRidottoN1() {
        seleziona(11, 17);
        m_s->condRidotto = Vero;
        m_s->livelloRiduzione = 1;
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        Sviluppa(*m_s, ui, nessuno);
        QCOMPARE(m_s->numeroColonne, 1);
        QCOMPARE(m_s->colonne.leggi(1), (Colonna{11, 12, 13, 14, 15, 16}));
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Ridotto N-1"));
    }

    void tipoSistema_data() {
        QTest::addColumn<int>("condizione");
        QTest::addColumn<bool>("ridotto");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("nessuna") << 0 << false << "Integrale";
        QTest::newRow("somma") << 1 << false << "Condizionato";
        QTest::newRow("pari") << 2 << false << "Condizionato";
        QTest::newRow("fisse") << 3 << false << "Condizionato";
        QTest::newRow("consecutivi") << 4 << false << "Condizionato";
        QTest::newRow("filtro spento") << 5 << false << "Condizionato";
        QTest::newRow("ridotto") << 0 << true << "Ridotto N-2";
        QTest::newRow("ridotto e somma") << 1 << true << "Ridotto N-2 Condizionato";
        QTest::newRow("ridotto e filtro") << 5 << true << "Ridotto N-2 Condizionato";
    }
    void tipoSistema() {
        QFETCH(int, condizione);
        QFETCH(bool, ridotto);
        QFETCH(QString, atteso);
        seleziona(1, 9);
        switch (condizione) {
        case 1: // a range every column meets: same columns, another name
            m_s->condSomma = Vero;
            m_s->sommaDa = 21;
            m_s->sommaA = 525;
            break;
        case 2:
            m_s->condPariDispari = Vero;
            m_s->pariAmmessi.fill(Vero);
            break;
        case 3:
            m_s->condFisse = Vero;
            break;
        case 4:
            m_s->condConsecutivi = Vero;
            m_s->consecutiviAmmessi = 0x7E;
            break;
        case 5: // a first filter switched off makes the engine test none
            m_s->numeroFiltri = 1;
            m_s->colonneFiltro[1].attiva = Falso;
            m_s->colonneFiltro[1].presenze = 0;
            break;
        default:
            break;
        }
        m_s->condRidotto = ridotto ? Vero : Falso;
        m_s->livelloRiduzione = 2;
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        Sviluppa(*m_s, ui, nessuno);
        QCOMPARE(m_s->tipoSistema, atteso);
        if (!ridotto)
            QCOMPARE(m_s->numeroColonne, 84);
    }

    void pochiNumeri() {
        seleziona(1, 5);
        FakeInterfaccia ui;
        RegistroSviluppo registro(ui);
        Sviluppa(*m_s, ui, registro);
        QCOMPARE(m_s->numeroColonne, 0);
        QCOMPARE(ui.eventi, 0);
        QCOMPARE(ui.messaggi.size(), 1); // the elapsed time is still shown
        QCOMPARE(registro.eventi, QStringList({QStringLiteral("avvio 0"), QStringLiteral("fine 0 0 0")}));
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
        QCOMPARE(ui.messaggi[0].titolo, QStringLiteral("ATTENZIONE"));
        QCOMPARE(ui.messaggi[0].icona, Icona::Critica);
        QVERIFY(registro.eventi.contains(
            QStringLiteral("allarme ATTENZIONE !!! Sviluppo superiore alla capienza della memoria")));
    }

    void trentacinqueNumeriCompleti() {
        seleziona(1, 35);
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(*m_s, ui, nessuno));
        QCOMPARE(m_s->numeroColonne, 1'623'160);
        QCOMPARE(m_s->colonne.leggi(1'623'160), (Colonna{30, 31, 32, 33, 34, 35}));
        QCOMPARE(m_s->sistemaSviluppato, -1);
    }

    void annullamento() {
        seleziona(1, 20);
        m_s->numeroColonne = 3;
        m_s->tipoSistema = QStringLiteral("FILE TXT");
        FakeInterfaccia ui;
        ui.durante = [this](int n) {
            if (n == 40)
                m_s->sviluppoAnnullato = Vero;
        };
        OsservatoreSviluppo nessuno;
        QVERIFY(!Elabora(*m_s, ui, nessuno));
        QCOMPARE(ui.eventi, 40);
        QCOMPARE(m_s->numeroColonne, 3);
        QCOMPARE(m_s->tipoSistema, QStringLiteral("FILE TXT"));
        QCOMPARE(m_s->sistemaSviluppato, 0);
        QVERIFY(ui.messaggi.isEmpty()); // no elapsed time after a stop
    }

    // The develop command unfixes numbers that left the Prediction before developing.
    void elaboraSfissaNumeriFuoriGioco() {
        seleziona(1, 8);
        m_s->condFisse = Vero;
        m_s->numeriFissi[3] = 1;
        m_s->numeriFissi[50] = 1;
        m_s->quantiFissi = 2;
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(*m_s, ui, nessuno));
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
