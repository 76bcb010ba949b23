#include "FakeInterfaccia.h"
#include "Modali.h"
#include "Sistema.h"
#include "Sviluppo.h"
#include "frmCalcolo.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace sestina;

class TestCalcolo final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;

    void seleziona(int da, int a) {
        for (int n = da; n <= a; ++n)
            m_s->GrigliaNumeriClick(n - 1);
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        m_s = std::make_unique<Sistema>();
    }
    void init() {
        AzzeraSistema(*m_s, false);
        // What an earlier development left; a cancelled one must not touch it.
        m_s->numeroColonne = 5;
        m_s->tipoSistema = QStringLiteral("Condizionato");
    }

    void annullaDurante_data() {
        QTest::addColumn<bool>("conChiusura");
        QTest::addColumn<bool>("conferma");
        QTest::newRow("Annulla, Si") << false << true;
        QTest::newRow("Annulla, No") << false << false;
        QTest::newRow("chiusura, Si") << true << true;
        QTest::newRow("chiusura, No") << true << false;
    }
    void annullaDurante() {
        QFETCH(bool, conChiusura);
        QFETCH(bool, conferma);
        Modali modali;
        seleziona(1, 14); // 3,003 columns
        FakeInterfaccia ui;
        frmCalcolo finestra(*m_s, ui);
        auto* annulla = figlio<QPushButton>(&finestra, "cmdAnnulla");

        // The 46th pause is the first with i1 = 1: all C(13, 5) = 1,287 columns of i1 = 0 are behind.
        bool visibile = false;
        ui.durante = [&](int n) {
            if (n != 46)
                return;
            visibile = finestra.isVisible();
            ui.rispondi(conferma ? Risposta::Si : Risposta::No);
            if (conChiusura)
                finestra.close();
            else
                QTest::mouseClick(annulla, Qt::LeftButton);
        };
        const bool sviluppato = Elabora(*m_s, ui, finestra);

        QVERIFY(visibile);
        QCOMPARE(ui.beep_, 1);
        const auto& domanda = ui.messaggi.at(0);
        QCOMPARE(domanda.testo, QStringLiteral("Colonne da elaborare 3.003\r\nColonne elaborate 1.287\r\n"
                                               "Colonne Sistema 1.287\r\nUscire dallo sviluppo?"));
        QCOMPARE(domanda.titolo, QStringLiteral("Elaborazione in corso..."));
        QVERIFY(domanda.icona == Icona::Domanda && domanda.pulsanti == Pulsanti::SiNo);
        // The window stays for the caller to close, whatever the answer.
        QVERIFY(finestra.isVisible());

        QCOMPARE(sviluppato, !conferma);
        QCOMPARE(m_s->sviluppoAnnullato, conferma ? Vero : Falso);
        QCOMPARE(ui.messaggi.size(), conferma ? 1 : 2); // the elapsed time only when finished
        if (conferma) {
            QCOMPARE(m_s->numeroColonne, 5);
            QCOMPARE(m_s->tipoSistema, QStringLiteral("Condizionato"));
        } else {
            QCOMPARE(m_s->numeroColonne, 3003);
            for (const char* nome : {"labDaElaborare", "labElaborate", "labSistema"})
                QCOMPARE(figlio<QLabel>(&finestra, nome)->text(), QStringLiteral(" 3.003"));
            // Nothing left to stop: a late click neither asks nor cancels.
            QVERIFY(!annulla->isEnabled());
            QTest::mouseClick(annulla, Qt::LeftButton);
            QCOMPARE(m_s->sviluppoAnnullato, Falso);
        }
        // The caller's close after the engine returned never asks.
        QVERIFY(finestra.close() && !finestra.isVisible());
        QCOMPARE(ui.messaggi.size(), conferma ? 1 : 2);
    }

    void limiteMostraAllarmeEPoiRiparte() {
        seleziona(1, 36); // 1,947,792 combinations, over the column limit
        FakeInterfaccia ui;
        frmCalcolo finestra(*m_s, ui);
        QVERIFY(!Elabora(*m_s, ui, finestra));
        auto* allarme = figlio<QLabel>(&finestra, "lblAllarme");
        QCOMPARE(allarme->text(), QStringLiteral("ATTENZIONE !!! Sviluppo superiore alla capienza della memoria"));
        // Already stopped: the button has nothing to ask.
        QTest::mouseClick(figlio<QPushButton>(&finestra, "cmdAnnulla"), Qt::LeftButton);
        QCOMPARE(ui.beep_, 0);

        // The same window serves the next development from a clean slate.
        m_s->CancellaPronostico();
        seleziona(1, 10);
        QVERIFY(Elabora(*m_s, ui, finestra));
        QCOMPARE(m_s->numeroColonne, 210);
        QVERIFY(allarme->text().isEmpty());
        QCOMPARE(figlio<QLabel>(&finestra, "labSistema")->text(), QStringLiteral(" 210"));
        QCOMPARE(figlio<QProgressBar>(&finestra, "ProgressBar1")->value(), 100);
        QVERIFY(finestra.close());
    }
};

QTEST_MAIN(TestCalcolo)
#include "tst_calcolo.moc"
