#include "Cartelle.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "Formato.h"
#include "Garanzia.h"
#include "Modali.h"
#include "Premi.h"
#include "Sviluppo.h"
#include "frmGaranzia.h"
#include "frmMAIN.h"
#include "frmProbabilita.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

class TestFinestraGaranzia : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;

    void sviluppa(int quanti, int livello) {
        AzzeraSistema(m_corpo->sistema, false);
        for (int n = 0; n < quanti; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n * 3);
        m_corpo->sistema.condRidotto = Vero;
        m_corpo->sistema.livelloRiduzione = static_cast<std::uint8_t>(livello);
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(m_corpo->sistema, *m_ui, nessuno));
    }

private Q_SLOTS:
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_ui = std::make_unique<FakeInterfaccia>();
    }

    // The table shows the library's rows as the command prints them, grouped in the locale.
    void tabella() {
        sviluppa(12, 1);
        frmGaranzia finestra(m_corpo->sistema, *m_ui);
        finestra.show();
        QVERIFY(finestra.calcola() && finestra.isEnabled());
        auto* griglia = figlio<QTableWidget>(&finestra, "grdGaranzia");
        QCOMPARE(griglia->rowCount(), 5);
        OsservatoreSviluppo nessuno;
        const EsitoGaranzia atteso = CalcolaGaranzia(m_corpo->sistema, *m_ui, nessuno);
        for (int r = 0; r < 5; ++r) {
            QStringList celle;
            for (int c = 0; c < griglia->columnCount(); ++c)
                celle << griglia->item(r, c)->text();
            const RigaGaranzia& riga = atteso.righe[static_cast<std::size_t>(r)];
            QCOMPARE(celle.first(), QString::number(riga.p));
            QCOMPARE(celle[1], FormattaIntero(riga.sottoinsiemi));
            QCOMPARE(celle.last(), TestoGaranzia(riga));
        }
        QCOMPARE(griglia->item(0, 9)->text(), QStringLiteral("5 se 6"));
        QVERIFY(figlio<QLabel>(&finestra, "lblSistema")->text().startsWith(QStringLiteral("Ridotto N-1: ")));
    }

    // The progress window's cancel empties the table and says so; the flag is not left raised.
    void annullamento() {
        sviluppa(26, 2);
        m_ui->durante = [this, dopo = m_ui->eventi](int n) {
            if (n == dopo + 2)
                m_corpo->sistema.sviluppoAnnullato = Vero;
        };
        frmGaranzia finestra(m_corpo->sistema, *m_ui);
        QVERIFY(!finestra.calcola());
        QCOMPARE(figlio<QTableWidget>(&finestra, "grdGaranzia")->rowCount(), 0);
        QCOMPARE(figlio<QLabel>(&finestra, "lblEsito")->text(), QStringLiteral("Calcolo annullato"));
        QCOMPARE(m_corpo->sistema.sviluppoAnnullato, Falso);
    }

    // The main window's item follows the System's columns and opens the window with its table.
    void voceDelMenu() {
        QTemporaryDir cartella;
        CreaAlberoCartelle(cartella.path());
        m_corpo->cartellaDati = cartella.path();
        DialoghiFinti dialoghi;
        Modali modali;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.show();
        auto* voce = figlio<QAction>(&principale, "menuGaranzia");
        QVERIFY(!voce->isEnabled());
        sviluppa(7, 1);
        principale.LockGUI();
        QVERIFY(voce->isEnabled());
        voce->trigger();
        auto* finestra = figlio<frmGaranzia>(&principale, "frmGaranzia");
        QVERIFY(finestra->isVisible());
        QCOMPARE(figlio<QTableWidget>(finestra, "grdGaranzia")->item(0, 9)->text(), QStringLiteral("5 se 6"));
        m_corpo->chiusuraInCorso = true;
    }

    // The odds window from its menu item: the library's figures in the locale; prizes typed in
    // give the return at once and are kept in the configuration for the next time.
    void probabilita() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QTemporaryDir cartella;
        CreaAlberoCartelle(cartella.path());
        m_corpo->cartellaDati = cartella.path();
        m_corpo->fileConfigurazione = cartella.filePath("impostazioni.cfg");
        DialoghiFinti dialoghi;
        Modali modali;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.show();
        auto* voce = figlio<QAction>(&principale, "menuProbabilita");
        QVERIFY(!voce->isEnabled());
        AzzeraSistema(m_corpo->sistema, false);
        for (int n = 0; n < 10; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n);
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(m_corpo->sistema, *m_ui, nessuno));
        m_ui->messaggi.clear(); // the development's time
        principale.LockGUI();
        QVERIFY(voce->isEnabled());
        voce->trigger();
        auto* finestra = figlio<frmProbabilita>(&principale, "frmProbabilita");
        auto* griglia = figlio<QTableWidget>(finestra, "grdProbabilita");
        QStringList primaRiga;
        for (int c = 0; c < 4; ++c)
            primaRiga << griglia->item(0, c)->text();
        QCOMPARE(primaRiga, (QStringList{"Punti 6", "210", "1 su 2.964.832", "0,000000"}));
        QCOMPARE(griglia->item(1, 1)->text(), QStringLiteral("-"));
        QCOMPARE(griglia->item(5, 3)->text(), QStringLiteral("9,761942"));
        QCOMPARE(figlio<QLabel>(finestra, "lblCosto")->text(), QStringLiteral("€ 210,00"));

        QTest::keyClicks(figlio<QLineEdit>(finestra, "txtPremio_5"), "21,51");
        // 9.761942... columns of 2 at 21,51 euro each: the cost of the play back, about.
        QCOMPARE(figlio<QLabel>(finestra, "lblRendimento")->text(), QStringLiteral("99,99 %"));
        QTest::keyClicks(figlio<QLineEdit>(finestra, "txtPremio_0"), "x");
        QVERIFY(figlio<QLabel>(finestra, "lblPremioAtteso")->text().startsWith(QStringLiteral("Premio non valido")));
        figlio<QLineEdit>(finestra, "txtPremio_0")->clear();
        Q_EMIT figlio<QLineEdit>(finestra, "txtPremio_5")->editingFinished();
        QCOMPARE(LeggiPremi(m_corpo->fileConfigurazione)[5], std::optional<qint64>(2151));
        QCOMPARE(LeggiPremi(m_corpo->fileConfigurazione)[0], std::optional<qint64>());
        QVERIFY(m_ui->messaggi.isEmpty());
        Fotografa(finestra, QStringLiteral("probabilita.png"));
        m_corpo->chiusuraInCorso = true;
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(TestFinestraGaranzia)
#include "tst_finestragaranzia.moc"
