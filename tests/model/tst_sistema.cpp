#include "Cp1252.h"
#include "Errore.h"
#include "Formato.h"
#include "Sistema.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace sestina;

class TestSistema final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;

    void riempi() {
        for (int n : {90, 3, 45, 10, 11, 12})
            m_s->GrigliaNumeriClick(n - 1);
        AggiornaPronostico(*m_s);
        m_s->numeroColonne = 2;
        m_s->colonne.scrivi(1, {3, 10, 11, 12, 45, 90});
        m_s->colonne.scrivi(2, {3, 10, 11, 12, 45, 89});
        m_s->tipoSistema = QStringLiteral("Integrale");
        m_s->condSomma = Vero;
        m_s->sommaDa = 30;
        m_s->condConsecutivi = Vero;
        m_s->consecutiviAmmessi = 6;
        m_s->numeroFiltri = 1;
        m_s->colonneFiltro[1].attiva = Vero;
        m_s->colonneFiltro[1].numeri[4] = 1;
        m_s->sistemaSviluppato = -1;
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        m_s = std::make_unique<Sistema>();
    }
    void init() { AzzeraSistema(*m_s, false); }

    void azzeraSistema_data() {
        QTest::addColumn<bool>("mantieniPronostico");
        QTest::newRow("mantiene il pronostico") << true;
        QTest::newRow("svuota tutto") << false;
    }
    void azzeraSistema() {
        QFETCH(bool, mantieniPronostico);
        riempi();
        const auto griglia = m_s->selezionati;
        const auto pronostico = m_s->pronostico;
        AzzeraSistema(*m_s, mantieniPronostico);

        QCOMPARE(m_s->numeriInGioco, mantieniPronostico ? 6 : 0);
        QCOMPARE(m_s->selezionati == griglia, mantieniPronostico);
        if (mantieniPronostico)
            QCOMPARE(m_s->pronostico, pronostico);
        QCOMPARE(m_s->numeroColonne, 0);
        QCOMPARE(m_s->colonne.leggi(1), Colonna{});
        QVERIFY(m_s->tipoSistema.isEmpty());
        QCOMPARE(m_s->condSomma, Falso);
        QCOMPARE(m_s->sommaDa, 0);
        QCOMPARE(m_s->condConsecutivi, Falso);
        QCOMPARE(m_s->consecutiviAmmessi, 0);
        QCOMPARE(m_s->numeroFiltri, 0);
        QCOMPARE(m_s->colonneFiltro[1].numeri[4], 0);
        QCOMPARE(m_s->sistemaSviluppato, 0);
    }

    void aggiornaPronostico() {
        for (int n : {90, 3, 45})
            m_s->GrigliaNumeriClick(n - 1);
        m_s->pronostico.fill(77);
        AggiornaPronostico(*m_s);
        QCOMPARE(m_s->numeriInGioco, 3);
        QCOMPARE(m_s->pronostico[0], 3);
        QCOMPARE(m_s->pronostico[1], 45);
        QCOMPARE(m_s->pronostico[2], 90);
        QCOMPARE(m_s->pronostico[3], 0);
        QCOMPARE(m_s->pronostico[89], 0);
    }

    void grigliaConta() {
        m_s->GrigliaNumeriClick(4);
        m_s->GrigliaNumeriClick(4);
        m_s->GrigliaNumeriClick(89);
        m_s->GrigliaNumeriClick(90); // outside the grid: ignored
        m_s->GrigliaNumeriClick(-1);
        QCOMPARE(m_s->numeriInGioco, 1);
        QVERIFY(m_s->selezionati[89]);
        QVERIFY(!m_s->selezionati[4]);
    }

    void combinazioni() {
        QCOMPARE(Combinazioni(90, 6), 622'614'630.0);
        QCOMPARE(Combinazioni(6, 6), 1.0);
        QCOMPARE(Combinazioni(35, 6), 1'623'160.0);
        QCOMPARE(Combinazioni(5, 6), 0.0);
    }

    void costo() {
        m_s->superStar = Vero;
        m_s->scegliCosto();
        m_s->numeroColonne = 10;
        QCOMPARE(m_s->costoSistema(), 15.0);
        QCOMPARE(FormattaEuro(m_s->costoSistema()), QStringLiteral("€ 15,00"));
        m_s->superStar = Falso;
        m_s->scegliCosto();
        QCOMPARE(m_s->costoSistema(), 10.0);
    }

    void formati() {
        QCOMPARE(FormattaPresenze((1 << 0) | (1 << 2) | (1 << 5)), QStringLiteral("00 02 05"));
        QCOMPARE(FormattaPresenze(1 << 6), QStringLiteral("06"));
        QCOMPARE(FormattaPresenze(1 << 7), QString());
        QCOMPARE(FormattaPresenze(0), QString());
        QCOMPARE(FormattaContatore(1'850'000), QStringLiteral(" 1.850.000"));
        QCOMPARE(FormattaContatore(0), QStringLiteral(" 0"));
        QCOMPARE(FormattaIntero(622'614'630), QStringLiteral("622.614.630"));
        QCOMPARE(FormattaEuro(1234567.5), QStringLiteral("€ 1.234.567,50"));
        const std::uint8_t colonna[6] = {1, 5, 17, 23, 44, 90};
        QCOMPARE(RigaColonnaTxt(colonna), QStringLiteral(" 01 05 17 23 44 90 "));
        const std::uint8_t conZero[6] = {1, 0, 17, 23, 44, 90};
        QCOMPARE(RigaColonnaTxt(conZero), QStringLiteral(" 01 17 23 44 90 "));
    }

    void tempoTrascorso_data() {
        QTest::addColumn<qint64>("secondi");
        QTest::addColumn<QString>("testo");
        QTest::newRow("zero") << qint64(0) << "0 Days 00:00:00";
        QTest::newRow("un'ora e poco") << qint64(3727) << "0 Days 01:02:07";
        QTest::newRow("un giorno") << qint64(86400) << "1 Day 00:00:00";
        QTest::newRow("un giorno e due ore") << qint64(93605) << "1 Day 02:00:05";
        QTest::newRow("due giorni") << qint64(172799 + 1) << "2 Days 00:00:00";
    }
    void tempoTrascorso() {
        QFETCH(qint64, secondi);
        QFETCH(QString, testo);
        QCOMPARE(TestoTempoTrascorso(secondi), testo);
    }

    void testoErrore() {
        const Errore e(53, QStringLiteral("File not found"));
        QCOMPARE(TestoErrore(e, QStringLiteral("ApriSistema")),
                 QStringLiteral("Error 53 (File not found) in procedure ApriSistema of Modulo corpo"));
        QCOMPARE(TestoErrore(Errore::applicazione(QStringLiteral("x")), QStringLiteral("Form_Load"), QStringLiteral("frmMAIN")),
                 QStringLiteral("Error -2147211504 (x) in procedure Form_Load of Form frmMAIN"));
    }

    void cp1252() {
        const QByteArray byte("caff\xE8 \x80 \x93ok\x94", 12);
        const QString testo = DaCp1252(byte);
        QCOMPARE(testo, QStringLiteral("caffè € “ok”"));
        QCOMPARE(ACp1252(testo), byte);
        QCOMPARE(ACp1252(QStringLiteral("Ω")), QByteArray("?"));
    }
};

QTEST_GUILESS_MAIN(TestSistema)
#include "tst_sistema.moc"
