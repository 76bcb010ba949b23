#include "Cp1252.h"
#include "Errore.h"
#include "Formato.h"
#include "ProvaSuFile.h"
#include "Sistema.h"
#include "StatoSistema.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace sestina;

class TestSistema final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;

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
        Popola(*m_s);
        // Only the grid, when asked, and where the System lives stay; the old numbers may linger
        // in pronostico past numeriInGioco.
        auto atteso = std::make_unique<Sistema>();
        atteso->pronostico = m_s->pronostico;
        if (mantieniPronostico) {
            atteso->selezionati = m_s->selezionati;
            atteso->numeriInGioco = m_s->numeriInGioco;
        }
        atteso->fileSistema = m_s->fileSistema;
        atteso->nomeSistema = m_s->nomeSistema;
        AzzeraSistema(*m_s, mantieniPronostico);
        ConfrontaTutto(*atteso, *m_s);
    }

    // A second click clears a number; indices outside the grid are ignored.
    void grigliaConta() {
        for (const int indice : {4, 4, 89, 90, -1})
            m_s->GrigliaNumeriClick(indice);
        QCOMPARE(m_s->numeriInGioco, 1);
        QVERIFY(m_s->selezionati[89] && !m_s->selezionati[4]);
    }

    // Modifica takes the System back to editing: only the columns, their kind and the developed
    // state go, and the whole store is clean for the next development.
    void scartaSviluppo() {
        Popola(*m_s);
        auto atteso = std::make_unique<Sistema>();
        Popola(*atteso);
        atteso->colonne.azzera();
        atteso->numeroColonne = 0;
        atteso->tipoSistema.clear();
        atteso->sistemaSviluppato = 0;
        ScartaSviluppo(*m_s);
        ConfrontaTutto(*atteso, *m_s);
    }

    // The commands each step of a System's life allows: nothing that needs columns outlives them.
    void requisitiDeiComandi() {
        const auto soddisfatti = [this] {
            QStringList nomi;
            const std::pair<Requisito, const char*> requisiti[] = {{Requisito::Pronostico, "Pronostico"},
                                                                   {Requisito::DaSviluppare, "DaSviluppare"},
                                                                   {Requisito::NonSviluppato, "NonSviluppato"},
                                                                   {Requisito::Sviluppato, "Sviluppato"},
                                                                   {Requisito::Colonne, "Colonne"}};
            for (const auto& [r, nome] : requisiti)
                if (Soddisfatto(*m_s, r))
                    nomi << QLatin1String(nome);
            return nomi.join(QLatin1Char(' '));
        };
        for (int n = 0; n < 5; ++n)
            m_s->GrigliaNumeriClick(n);
        QCOMPARE(soddisfatti(), QStringLiteral("NonSviluppato"));
        m_s->GrigliaNumeriClick(5);
        QCOMPARE(soddisfatti(), QStringLiteral("Pronostico DaSviluppare NonSviluppato"));
        SegnaSviluppato(*m_s); // a development that gave nothing
        QCOMPARE(soddisfatti(), QStringLiteral("Pronostico DaSviluppare NonSviluppato"));
        Riempi(*m_s, 1);
        SegnaSviluppato(*m_s);
        QCOMPARE(soddisfatti(), QStringLiteral("Pronostico Sviluppato Colonne"));
        ScartaSviluppo(*m_s);
        QCOMPARE(soddisfatti(), QStringLiteral("Pronostico DaSviluppare NonSviluppato"));
        QVERIFY(Soddisfatto(*m_s, Requisito::Nessuno));
    }

    // What the windows and files do not show already: masks, large amounts, the form a window error
    // names, the code page's quotes and unmappable characters (the storage suites cover the module's
    // wording, € and the accented letters).
    void testi() {
        QCOMPARE(FormattaPresenze((1 << 0) | (1 << 2) | (1 << 6) | (1 << 7)), QStringLiteral("00 02 06"));
        QCOMPARE(FormattaPresenze(0), QString());
        QCOMPARE(FormattaEuro(Centesimi(123'456'750)), QStringLiteral("€ 1.234.567,50"));
        // 0,80 times the 35-number integral: a price kept in binary fractions gives 1.298.528,02.
        QCOMPARE(FormattaEuro(Centesimi(80) * 1'623'160), QStringLiteral("€ 1.298.528,00"));
        QCOMPARE(ImportoNelLocale(Centesimi(-5), false), QStringLiteral("-0,05"));
        QCOMPARE(TestoErrore(Errore::applicazione(QStringLiteral("x")), QStringLiteral("Form_Load"),
                             QStringLiteral("frmMAIN")),
                 QStringLiteral("Error -2147211504 (x) in procedure Form_Load of Form frmMAIN"));
        const QByteArray byte("\x93ok\x94");
        QCOMPARE(DaCp1252(byte), QStringLiteral("“ok”"));
        QCOMPARE(ACp1252(QStringLiteral("“ok” Ω")), byte + " ?");
    }

    void tempoTrascorso_data() {
        QTest::addColumn<qint64>("secondi");
        QTest::addColumn<QString>("testo");
        QTest::newRow("zero") << qint64(0) << "0 Days 00:00:00";
        QTest::newRow("un'ora e poco") << qint64(3727) << "0 Days 01:02:07";
        QTest::newRow("un giorno e due ore") << qint64(93605) << "1 Day 02:00:05";
        QTest::newRow("due giorni") << qint64(172799 + 1) << "2 Days 00:00:00";
    }
    void tempoTrascorso() {
        QFETCH(qint64, secondi);
        QFETCH(QString, testo);
        QCOMPARE(TestoTempoTrascorso(secondi), testo);
    }
};

QTEST_GUILESS_MAIN(TestSistema)
#include "tst_sistema.moc"
