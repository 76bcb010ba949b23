#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "Modali.h"
#include "ProvaSuFile.h"
#include "SuperficieRegistrata.h"
#include "TaraturaScheda.h"
#include "classINI.h"
#include "frmImpostazioni.h"
#include "frmMAIN.h"
#include "frmPrnInCorso.h"
#include "frmStampa.h"
#include "frmTabulato.h"
#include "frmTaratura.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tuple>

using namespace sestina;

namespace {

// Runs the windows' jobs on a recording surface, one per job.
struct StampanteRegistrata {
    std::shared_ptr<QList<std::shared_ptr<SuperficieRegistrata>>> lavori =
        std::make_shared<QList<std::shared_ptr<SuperficieRegistrata>>>();
    Stampante stampante() const {
        return [l = lavori](const LavoroStampa& lavoro) {
            l->append(std::make_shared<SuperficieRegistrata>());
            return lavoro(*l->back()) ? EsitoUscita::Scritta : EsitoUscita::LavoroNonRiuscito;
        };
    }
    int rettangoli(qsizetype i) const {
        int n = 0;
        for (const auto& m : lavori->at(i)->segni())
            n += m.tipo == SuperficieRegistrata::Tipo::Rettangolo;
        return n;
    }
};

} // namespace

class TestStampa final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;
    DialoghiFinti m_dialoghi;

    void Sviluppato(int colonne) {
        Sistema& s = m_corpo->sistema;
        for (int n = 1; n <= 8; ++n)
            s.GrigliaNumeriClick(n - 1);
        for (int i = 1; i <= colonne; ++i)
            s.colonne.scrivi(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 80)});
        s.numeroColonne = colonne;
        s.sistemaSviluppato = Vero;
    }
    QString messaggio() { return m_ui->messaggi.isEmpty() ? QString() : m_ui->messaggi.takeFirst().testo; }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        m_corpo = std::make_unique<Corpo>();
        m_corpo->cartellaDati = m_cartella->path();
        m_corpo->fileConfigurazione = m_cartella->filePath("impostazioni.cfg");
        m_ui = std::make_unique<FakeInterfaccia>();
    }

    // The slip kind sets the range; the fields take digits only and Enter walks them.
    void sceltaDellaSchedaETasti() {
        Sviluppato(7);
        frmStampa f(*m_corpo, *m_ui, m_dialoghi);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const int larghezza = f.width();
        const QSize naturale = f.sizeHint();
        const QRect stampa = figlio<QPushButton>(&f, "cmdStampa")->geometry();
        QCOMPARE(figlio<QLabel>(&f, "labSchede")->text(), QStringLiteral("4"));
        QCOMPARE(figlio<QLineEdit>(&f, "txtA")->text(), QStringLiteral("4"));
        QVERIFY(figlio<QLabel>(&f, "imgScheda_0")->isVisible());
        figlio<QRadioButton>(&f, "optTipoScheda_1")->click();
        QCOMPARE(m_corpo->tipoScheda, 1);
        QCOMPARE(m_corpo->colonnePerScheda, 5);
        QCOMPARE(figlio<QLineEdit>(&f, "txtDa")->text(), QStringLiteral("1"));
        QCOMPARE(figlio<QLineEdit>(&f, "txtA")->text(), QStringLiteral("2"));
        QVERIFY(!figlio<QLabel>(&f, "imgScheda_0")->isVisible() && figlio<QLabel>(&f, "imgScheda_1")->isVisible());
        // The other picture takes the same room: the window and its buttons stay where they were.
        QApplication::processEvents();
        QCOMPARE(f.width(), larghezza);
        QCOMPARE(f.sizeHint(), naturale);
        QCOMPARE(figlio<QPushButton>(&f, "cmdStampa")->geometry(), stampa);
        QVERIFY(Centrata(&f));
        QCOMPARE(figlio<QRadioButton>(&f, "optTipoScheda_1")->palette().color(QPalette::Button), QColor(255, 255, 0));

        auto* da = figlio<QLineEdit>(&f, "txtDa");
        da->setFocus();
        da->clear();
        QTest::keyClicks(da, "1x2-");
        QCOMPARE(da->text(), QStringLiteral("12"));
        QCOMPARE(m_ui->beep_, 2);
        QTest::keyClick(da, Qt::Key_Return);
        QVERIFY(figlio<QLineEdit>(&f, "txtA")->hasFocus());
        QTest::keyClick(figlio<QLineEdit>(&f, "txtA"), Qt::Key_Enter);
        QVERIFY(figlio<QPushButton>(&f, "cmdStampa")->hasFocus());
    }

    // The progress window's stop is asked, and a Yes takes effect before the next slip.
    void interruzione_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<int>("pagine");
        QTest::newRow("Si") << true << 2;
        QTest::newRow("No") << false << 4;
    }
    void interruzione() {
        QFETCH(bool, si);
        QFETCH(int, pagine);
        Sviluppato(7);
        frmStampa f(*m_corpo, *m_ui, m_dialoghi);
        StampanteRegistrata stampante;
        f.impostaStampante(stampante.stampante());
        f.show();
        QString etichetta;
        m_ui->durante = [&](int n) {
            if (n != 3)
                return;
            auto* progresso = f.findChild<frmPrnInCorso*>();
            QVERIFY(progresso && progresso->isVisible());
            QVERIFY(Centrata(progresso));
            etichetta = figlio<QLabel>(progresso, "Label1")->text();
            m_ui->rispondi(si ? Risposta::Si : Risposta::No);
            QTest::mouseClick(figlio<QPushButton>(progresso, "cmdInterrompi"), Qt::LeftButton);
        };
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdStampa"), Qt::LeftButton);
        QCOMPARE(etichetta, QStringLiteral("Scheda n. 00002"));
        QCOMPARE(m_ui->messaggi.size(), 1);
        QCOMPARE(m_ui->messaggi[0].testo, QStringLiteral("Sicuro di interrompere la stampa ?"));
        QCOMPARE(m_ui->beep_, 1);
        QCOMPARE(stampante.lavori->size(), 1);
        QCOMPARE(stampante.lavori->at(0)->pagineDocumenti(), QList<int>{pagine});
        QVERIFY(!f.findChild<frmPrnInCorso*>() && f.isEnabled());
    }

    void pdfDelleSchede() {
        Sviluppato(7);
        frmStampa f(*m_corpo, *m_ui, m_dialoghi);
        const QString file = m_cartella->filePath("schede.pdf");
        m_dialoghi.risposte.push_back(file);
        figlio<QLineEdit>(&f, "txtDa")->setText("5");
        f.cmdPdf_Click(); // refused before the file dialog
        QCOMPARE(messaggio(), QStringLiteral("'DA' è maggiore di 'A'"));
        QVERIFY(!QFile::exists(file));
        figlio<QLineEdit>(&f, "txtDa")->setText("2");
        f.cmdPdf_Click();
        QVERIFY(m_ui->messaggi.isEmpty());
        QVERIFY(Contenuto(file).startsWith("%PDF-"));
    }

    // A PDF whose folder takes no file is told in the common box, by each window that writes one.
    void pdfNonScrivibile() {
        Sviluppato(7);
        const QString file = m_cartella->filePath("manca/x.pdf");
        const auto atteso = [](const char* procedura, const QString& finestra) {
            return QStringLiteral("Error 76 (Impossibile trovare il percorso) in procedure %1 of Form %2")
                .arg(QLatin1String(procedura), finestra);
        };
        frmStampa schede(*m_corpo, *m_ui, m_dialoghi);
        m_dialoghi.risposte.push_back(file);
        schede.cmdPdf_Click();
        QCOMPARE(messaggio(), atteso("cmdPdf_Click", schede.objectName()));
        frmTabulato tabulato(*m_corpo, *m_ui, m_dialoghi);
        m_dialoghi.risposte.push_back(file);
        tabulato.cmdPdf_Click();
        QCOMPARE(messaggio(), atteso("cmdPdf_Click", tabulato.objectName()));
        frmTaratura taratura(TipoScheda::DueColonne, *m_corpo, *m_ui, m_dialoghi);
        messaggio(); // no printer installed
        m_dialoghi.risposte.push_back(file);
        taratura.cmdPdf_Click();
        QCOMPARE(messaggio(), atteso("cmdPdf_Click", taratura.objectName()));
        QVERIFY(m_ui->messaggi.isEmpty());
    }

    // No printer (no print server answers here): the windows say so, and still save and test.
    void taraturaSenzaStampanti() {
        TaraturaScheda t = TaraturaPredefinita(TipoScheda::DueColonne);
        t.pannelloTop = 103.34f;
        SalvaTaratura(m_cartella->path(), TipoScheda::DueColonne, t);
        frmTaratura f(TipoScheda::DueColonne, *m_corpo, *m_ui, m_dialoghi);
        QCOMPARE(f.windowTitle(), QStringLiteral("Taratura Scheda 2 Colonne"));
        QCOMPARE(messaggio(), QStringLiteral("Attenzione nessuna stampante installata"));
        QCOMPARE(figlio<QComboBox>(&f, "cmbStampante")->count(), 0);
        QCOMPARE(figlio<QLineEdit>(&f, "labTop")->text(), QStringLiteral("103,3"));
        QVERIFY(!figlio<QScrollBar>(&f, "VsX")->isEnabled() && figlio<QRadioButton>(&f, "optColor_1")->isChecked());
        figlio<QRadioButton>(&f, "optColor_0")->click();
        f.cmdSalva_Click();
        const TaraturaScheda l = LeggiTaratura(m_cartella->path(), TipoScheda::DueColonne);
        QCOMPARE(l.pannelloTop, 103.3f);
        QCOMPARE(l.qualita, QualitaNormale);
        StampanteRegistrata stampante;
        f.impostaStampante(stampante.stampante());
        f.cmdTest_Click();
        QCOMPARE(stampante.rettangoli(0), 2 * 91);

        // The five-column kind moves by hundredths, and a move alone saves nothing.
        frmTaratura cinque(TipoScheda::CinqueColonne, *m_corpo, *m_ui, m_dialoghi);
        messaggio();
        QCOMPARE(figlio<QScrollBar>(&cinque, "vsLeft")->maximum(), 30000);
        figlio<QScrollBar>(&cinque, "vsLeft")->setValue(725);
        QCOMPARE(cinque.taratura().pannelloLeft, 7.25f);
        QCOMPARE(figlio<QLineEdit>(&cinque, "labLeft")->text(), QStringLiteral("7,25"));
        QVERIFY(!QFile::exists(FileTaratura(m_cartella->path(), TipoScheda::CinqueColonne)));
    }

    // The calibration window: centred, "X :" and "Y :" beside the horizontal and the vertical value of
    // each pair, and a value typed in its field, taken to the window's step.
    void taraturaAMano_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<float>("pannelloLeft");
        QTest::addColumn<QString>("mostrato");
        QTest::newRow("2 colonne") << int(TipoScheda::DueColonne) << "24,25" << 24.2f << "24,2"; // half to even
        QTest::newRow("5 colonne") << int(TipoScheda::CinqueColonne) << "7.25" << 7.25f << "7,25";
    }
    void taraturaAMano() {
        QFETCH(int, tipo);
        QFETCH(QString, scritto);
        QFETCH(float, pannelloLeft);
        QFETCH(QString, mostrato);
        frmTaratura f(static_cast<TipoScheda>(tipo), *m_corpo, *m_ui, m_dialoghi);
        messaggio(); // no printer installed
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(Centrata(&f));
        const auto accanto = [&](const char* gruppo, const QString& asse) {
            for (auto* etichetta : figlio<QWidget>(&f, gruppo)->findChildren<QLabel*>())
                if (etichetta->text() == asse)
                    return etichetta->buddy() ? etichetta->buddy()->objectName() : QString();
            return QString();
        };
        for (const auto& [gruppo, x, y] :
             {std::tuple<const char*, QString, QString>{"framePannello", "labLeft", "labTop"},
              {"frameIntestazione", "labWebX", "labWebY"},
              {"frameNome", "labNomeX", "labNomeY"}}) {
            QCOMPARE(accanto(gruppo, QStringLiteral("X :")), x);
            QCOMPARE(accanto(gruppo, QStringLiteral("Y :")), y);
            const auto riga = [&](const QString& nome) {
                return figlio<QWidget>(&f, qPrintable(nome))->geometry().center().y();
            };
            QVERIFY(riga(x) < riga(y)); // X above Y, as in every pair
        }

        auto* campo = figlio<QLineEdit>(&f, "labLeft");
        campo->selectAll();
        QTest::keyClicks(campo, scritto);
        QTest::keyClick(campo, Qt::Key_Return);
        QCOMPARE(f.taratura().pannelloLeft, pannelloLeft);
        QCOMPARE(figlio<QScrollBar>(&f, "vsLeft")->value(),
                 qRound(pannelloLeft * (tipo == int(TipoScheda::DueColonne) ? 10 : 100)));
        QCOMPARE(campo->text(), mostrato);
        // Not a length of the slip: refused, and the value in force comes back.
        for (const QString& errato : {QStringLiteral("abc"), QStringLiteral("300,5"), QStringLiteral("-1")}) {
            campo->selectAll();
            QTest::keyClicks(campo, errato);
            QTest::keyClick(campo, Qt::Key_Return);
            QCOMPARE(f.taratura().pannelloLeft, pannelloLeft);
        }
        QCOMPARE(m_ui->beep_, 3);
        QCOMPARE(campo->text(), mostrato);
        QVERIFY(!figlio<QLineEdit>(&f, "labX")->isEnabled()); // the distances stay as the slip has them
    }

    void impostazioni() {
        m_corpo->sistema.costoColonnaSE = Centesimi(100);
        m_corpo->sistema.costoColonnaSS = Centesimi(150);
        m_corpo->intestazioneStampa = QStringLiteral("RICEVITORIA");
        frmImpostazioni f(*m_corpo, *m_ui);
        QCOMPARE(messaggio(), QStringLiteral("Attenzione nessuna stampante installata"));
        QCOMPARE(figlio<QLineEdit>(&f, "txtCostoCol")->text(), QStringLiteral("1,00"));
        QCOMPARE(figlio<QLineEdit>(&f, "txtCostoColSS")->text(), QStringLiteral("1,50"));
        QCOMPARE(figlio<QLineEdit>(&f, "txtCostoCol")->maxLength(), 4);
        QCOMPARE(figlio<QLineEdit>(&f, "mskIntestazione")->maxLength(), 55);
        figlio<QLineEdit>(&f, "txtCostoColSS")->setText("");
        f.cmdSalva_Click();
        QCOMPARE(
            messaggio(),
            QStringLiteral("Error 13 (Tipo non corrispondente) in procedure cmdSalva_Click of Form frmImpostazioni"));
        figlio<QLineEdit>(&f, "txtCostoColSS")->setText("0,5");
        figlio<QLineEdit>(&f, "txtCostoCol")->setText("1,20");
        f.cmdSalva_Click();
        QVERIFY(m_ui->messaggi.isEmpty());
        classINI ini;
        ini.FileINI(m_corpo->fileConfigurazione);
        QCOMPARE(ini.getProperty("Impostazioni", "costo_colonna_se", {}), QStringLiteral("120")); // whole cents
        QCOMPARE(ini.getProperty("Impostazioni", "costo_colonna_ss", {}), QStringLiteral("50"));
        QCOMPARE(ini.getProperty("Impostazioni", "intestazione_stampa", {}), QStringLiteral("RICEVITORIA"));
        QCOMPARE(m_corpo->sistema.costoColonnaSS, Centesimi(150)); // the opener reads the file again
    }

    // The prices take the usual editing keys: select, copy, paste; what is pasted obeys the field's rule.
    void prezziDaTastiera() {
        m_corpo->sistema.costoColonnaSE = Centesimi(100);
        m_corpo->sistema.costoColonnaSS = Centesimi(150);
        frmImpostazioni f(*m_corpo, *m_ui);
        messaggio();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        auto* se = figlio<QLineEdit>(&f, "txtCostoCol");
        auto* ss = figlio<QLineEdit>(&f, "txtCostoColSS");
        se->setFocus();
        QTest::keyClick(se, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(se->selectedText(), se->text());
        QTest::keyClick(se, Qt::Key_C, Qt::ControlModifier);
        ss->setFocus();
        QTest::keyClick(ss, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(ss, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ss->text(), se->text());
        QApplication::clipboard()->setText(QStringLiteral("2 euro"));
        QTest::keyClick(ss, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(ss, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ss->text(), se->text());
        QCOMPARE(m_ui->beep_, 0);
    }

    void tabulato() {
        Sviluppato(40);
        frmTabulato f(*m_corpo, *m_ui, m_dialoghi);
        StampanteRegistrata stampante;
        f.impostaStampante(stampante.stampante());
        QCOMPARE(figlio<QScrollBar>(&f, "VsCopie")->minimum(), 1);
        QCOMPARE(figlio<QScrollBar>(&f, "VsCopie")->maximum(), 20);
        figlio<QScrollBar>(&f, "VsCopie")->setValue(3);
        QCOMPARE(figlio<QLabel>(&f, "labCopie")->text(), QStringLiteral("3"));
        f.cmdStampa_Click();
        QCOMPARE(stampante.lavori->at(0)->pagineDocumenti(), (QList<int>{1, 1, 1}));
        figlio<QCheckBox>(&f, "chkCol")->setChecked(false);
        figlio<QCheckBox>(&f, "chkProno")->setChecked(false);
        f.cmdStampa_Click();
        QCOMPARE(messaggio(), QStringLiteral("Nessuna scelta selezionata"));
    }

    void finestraPrincipale() {
        frmMAIN principale(*m_corpo, *m_ui, m_dialoghi);
        principale.show();
        m_ui->messaggi.clear();
        auto* schedine = figlio<QPushButton>(&principale, "cmdSchedine");
        QVERIFY(!schedine->isEnabled());
        Sviluppato(7);
        principale.LockGUI();
        QVERIFY(schedine->isEnabled());
        QVERIFY(figlio<QPushButton>(&principale, "cmdTabulato")->isEnabled() && schedine->toolTip().isEmpty());
        schedine->click();
        QVERIFY(!principale.isEnabled());
        QWidget* stampa = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmStampa") && w->isVisible())
                stampa = w;
        QVERIFY(stampa);
        stampa->close();
        QVERIFY(principale.isEnabled());
    }
};

int main(int argc, char* argv[]) {
    // No print server answers, so the printer lists are empty whatever the machine has.
    qputenv("CUPS_SERVER", "/nonexistent/sestina-cups.sock");
    QApplication app(argc, argv);
    TestStampa t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_stampa.moc"
