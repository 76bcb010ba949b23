#include "Cartelle.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "GrigliaEtichette.h"
#include "Modali.h"
#include "SviluppoLetterale.h"
#include "frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace sestina;

using UsaEditore = std::function<void(QWidget*)>;
using ImpostaCondizione = std::function<void(Sistema&)>;
Q_DECLARE_METATYPE(UsaEditore)
Q_DECLARE_METATYPE(ImpostaCondizione)

namespace {

void Clicca(QWidget* radice, const QString& nome) {
    auto* w = radice->findChild<QWidget*>(nome);
    QVERIFY2(w, qPrintable(nome));
    // Radio buttons answer only over their round button and caption.
    QTest::mouseClick(w, Qt::LeftButton, {}, qobject_cast<QRadioButton*>(w) ? QPoint(6, w->height() / 2) : QPoint());
}

void Manda(QWidget* destinatario, QEvent::Type tipo, QWidget* sopra) {
    const QPointF globale = QPointF(sopra->mapToGlobal(sopra->rect().center()));
    const Qt::MouseButtons tenuti = tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent evento(tipo, destinatario->mapFromGlobal(globale), globale, Qt::LeftButton, tenuti, Qt::NoModifier);
    QApplication::sendEvent(destinatario, &evento);
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<DialoghiFinti> m_dialoghi;
    std::unique_ptr<frmMAIN> m_finestra;
    std::unique_ptr<Modali> m_modali;

    QLabel* numero(int n) {
        return figlio<QLabel>(m_finestra.get(), qPrintable(QStringLiteral("grnum_%1").arg(n - 1)));
    }
    void clicca(int n) { QTest::mouseClick(numero(n), Qt::LeftButton); }
    bool scelto(int n) { return numero(n)->property("tag").toString() == QLatin1String("1"); }
    bool attivo(const char* nome) {
        if (auto* azione = m_finestra->findChild<QAction*>(QString::fromLatin1(nome)))
            return azione->isEnabled();
        return figlio<QWidget>(m_finestra.get(), nome)->isEnabled();
    }
    bool menuAttivo(const char* nome) { return figlio<QMenu>(m_finestra.get(), nome)->menuAction()->isEnabled(); }
    void scegli(int da, int a) {
        for (int n = da; n <= a; ++n)
            clicca(n);
    }
    QString testo(const char* nome) { return figlio<QLabel>(m_finestra.get(), nome)->text(); }
    QString barraDiStato() {
        return QStringList{testo("StBar_1"), testo("StBar_2"), testo("StBar_3"), testo("StBar_4")}.join(" | ");
    }
    // Presses on the first number, moves onto each of the others in turn and lets go on the last.
    void trascina(std::initializer_list<int> numeri) {
        QLabel* primo = numero(*numeri.begin());
        Manda(primo, QEvent::MouseButtonPress, primo);
        for (auto n = numeri.begin() + 1; n != numeri.end(); ++n)
            Manda(primo, QEvent::MouseMove, numero(*n));
        Manda(primo, QEvent::MouseButtonRelease, numero(*(numeri.end() - 1)));
    }
    void premi(const char* nome) { QTest::mouseClick(figlio<QPushButton>(m_finestra.get(), nome), Qt::LeftButton); }
    // Runs a menu command; risposta, when given, is what its file dialog answers (empty: cancelled).
    void comando(const char* nome, std::optional<QString> risposta = {}) {
        if (risposta)
            m_dialoghi->risposte.push_back(*risposta);
        figlio<QAction>(m_finestra.get(), nome)->trigger();
    }
    const DialoghiFinti::Richiesta& richiesta() { return m_dialoghi->richieste.last(); }
    void sviluppa() { premi("cmdCalcolo"); }
    // The Condizioni items that carry a check mark.
    QStringList segnate() {
        QStringList nomi;
        for (QAction* azione : figlio<QMenu>(m_finestra.get(), "menucondizioni")->actions())
            if (azione->isChecked())
                nomi << azione->objectName();
        return nomi;
    }
    // Asks to modify the developed System and answers the question.
    void modifica(Risposta risposta) {
        m_ui->rispondi(risposta);
        premi("cmdModifiche");
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        CreaAlberoCartelle(m_cartella->path());
        m_corpo = std::make_unique<Corpo>();
        m_corpo->cartellaDati = m_cartella->path();
        m_corpo->fileConfigurazione = m_cartella->filePath(QStringLiteral("impostazioni.cfg"));
        m_ui = std::make_unique<FakeInterfaccia>();
        m_dialoghi = std::make_unique<DialoghiFinti>();
        m_modali = std::make_unique<Modali>();
        m_finestra = std::make_unique<frmMAIN>(*m_corpo, *m_ui, *m_dialoghi);
        m_finestra->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_finestra.get()));
    }

    void cleanup() {
        m_corpo->chiusuraInCorso = true;
        m_finestra.reset();
        QVERIFY(m_modali->tuttiGestiti());
        QVERIFY(m_ui->risposte.empty());
        QCOMPARE(m_ui->livelloOccupato, 0);
    }

    void regolaDeiSeiNumeri_data() {
        QTest::addColumn<int>("quanti");
        QTest::addColumn<QString>("integrale");
        QTest::addColumn<bool>("pronto");
        QTest::newRow("5") << 5 << "0" << false;
        QTest::newRow("6") << 6 << "1" << true;
        QTest::newRow("90") << 90 << "622.614.630" << true;
    }
    void regolaDeiSeiNumeri() {
        QFETCH(int, quanti);
        QFETCH(QString, integrale);
        QFETCH(bool, pronto);
        scegli(1, quanti);
        QCOMPARE(testo("labnumeri"), QStringLiteral("Numeri in gioco [%1]").arg(quanti, 2, 10, QLatin1Char('0')));
        QCOMPARE(testo("lblIntegrale"), integrale);
        QVERIFY(menuAttivo("menuoperazioni") == pronto && menuAttivo("menucondizioni") == pronto);
        QCOMPARE(attivo("cmdCalcolo"), pronto);
        QVERIFY(!attivo("cmdVisualizza") && attivo("cmdCancella") && scelto(quanti));
        QCOMPARE(numero(quanti)->palette().color(QPalette::Window), QColor(0, 0, 192));

        clicca(quanti); // one less
        QCOMPARE(scelto(quanti), false);
        QCOMPARE(numero(quanti)->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(attivo("cmdCalcolo"), quanti - 1 >= 6);

        premi("cmdCancella");
        QCOMPARE(testo("labnumeri"), QStringLiteral("Numeri in gioco [0]"));
        QVERIFY(!menuAttivo("menuoperazioni") && !attivo("cmdCalcolo"));
    }

    void gestiDelMouse() {
        auto* griglia = figlio<GrigliaEtichette>(m_finestra.get(), "grnum");
        // A drag across five numbers toggles each once, however long it stays on one.
        trascina({21, 22, 22, 23, 23, 24, 24, 25, 25});
        for (int n = 21; n <= 25; ++n)
            QVERIFY2(scelto(n), qPrintable(QString::number(n)));
        QCOMPARE(m_corpo->sistema.numeriInGioco, 5);
        // A, then B, then back onto A: A twice, B once.
        trascina({41, 42, 41});
        QVERIFY(!scelto(41) && scelto(42));
        QCOMPARE(m_corpo->sistema.numeriInGioco, 6);
        // The keyboard: Space toggles the focused number.
        griglia->setFocus();
        QTest::keyClick(griglia, Qt::Key_Space);
        QVERIFY(scelto(41));
    }

    // The developed window: SuperStar reprices it, the grid is frozen; pictured for a reviewer's eye.
    void sviluppato() {
        m_finestra->resize(900, 640);
        scegli(1, 10);
        QVERIFY(Fotografa(m_finestra.get(), QStringLiteral("frmMAIN-modifica.png")));
        sviluppa();
        QCOMPARE(testo("StBar_3"), QStringLiteral("€ 210,00"));
        figlio<QCheckBox>(m_finestra.get(), "chkSS")->click();
        QCOMPARE(barraDiStato(), QStringLiteral("nuovo.sec | 210 | € 315,00 | Integrale"));
        // Developed: the grid is frozen, viewing and modifying are on.
        QVERIFY(!attivo("frameNumeri") && !attivo("cmdCalcolo") && !attivo("cmdCancella"));
        // ... and looks it: neither a chosen nor a free number is drawn as in the editing state,
        // and the two still differ.
        const auto sfondo = [this](int n) { return numero(n)->grab().toImage().pixelColor(4, 4); };
        QVERIFY(sfondo(1) != QColor(0, 0, 192) && sfondo(20) != QColor(Qt::white) && sfondo(1) != sfondo(20));
        QVERIFY(attivo("cmdVisualizza") && attivo("menuMescola") && attivo("chkSS"));
        QVERIFY(Fotografa(m_finestra.get(), QStringLiteral("frmMAIN-sviluppato.png")));
        m_finestra->resize(800, 600);
        QVERIFY(Fotografa(m_finestra.get(), QStringLiteral("frmMAIN-800x600.png")));
        // At 800x600 the grid's cells stay square and readable.
        QVERIFY(numero(1)->width() >= 22);
        QCOMPARE(numero(1)->width(), numero(1)->height());
    }

    void elaboraAnnullato() {
        scegli(1, 20); // 38,760 candidates: many pauses for the window system
        bool centrata = false;
        m_ui->durante = [this, &centrata](int) {
            if (m_ui->risposte.empty())
                return;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* annulla = w->findChild<QPushButton*>(QStringLiteral("cmdAnnulla"))) {
                    centrata = Centrata(w); // the progress window, in the middle of the screen
                    return annulla->click();
                }
            QFAIL("no progress window");
        };
        m_ui->rispondi(Risposta::Si);
        sviluppa();
        QVERIFY(m_corpo->sistema.sviluppoAnnullato);
        QCOMPARE(m_corpo->sistema.sistemaSviluppato, 0);
        QCOMPARE(testo("StBar_2"), QStringLiteral("0"));
        QVERIFY(attivo("cmdCalcolo") && attivo("frameNumeri") && m_finestra->isEnabled());
        QVERIFY(m_ui->messaggi.last().testo.endsWith(QStringLiteral("Uscire dallo sviluppo?")));
        QVERIFY(centrata);
    }

    void modificaSistema() {
        scegli(1, 7);
        sviluppa();
        modifica(Risposta::No);
        QCOMPARE(m_ui->messaggi.last().titolo, QStringLiteral("Attenzione"));
        QCOMPARE(m_ui->messaggi.last().testo,
                 QStringLiteral("Questa operazione comporta la perdita \r     di tutte le "
                                "combinazioni del sistema\r\r                    Continuare ?"));
        QCOMPARE(m_corpo->sistema.numeroColonne, 7);
        QVERIFY(m_corpo->sistema.sistemaSviluppato);

        modifica(Risposta::Si);
        QCOMPARE(m_corpo->sistema.numeroColonne, 0);
        QCOMPARE(barraDiStato(), QStringLiteral("nuovo.sec | 0 | € 0,00 | "));
        QCOMPARE(m_corpo->sistema.numeriInGioco, 7);
        QVERIFY(scelto(7) && attivo("cmdCalcolo") && !attivo("cmdModifiche"));
    }

    void salvaEApri() {
        scegli(1, 8);
        sviluppa();
        m_corpo->sistema.fileSistema = QStringLiteral("/altrove/prova.txt");
        comando("menusalva");
        const QString atteso = m_cartella->path() + QStringLiteral("/sistemi/prova.sec");
        QVERIFY(QFile::exists(atteso));
        QCOMPARE(m_corpo->sistema.fileSistema, atteso);
        QCOMPARE(testo("StBar_1"), QStringLiteral("prova.sec"));

        // Salva come proposes the title with .sec; a cancelled dialog does nothing.
        comando("menusalvacome", QString());
        QCOMPARE(richiesta().proposta, QStringLiteral("prova.sec"));
        QCOMPARE(richiesta().cartella, m_cartella->path() + QStringLiteral("/sistemi"));
        QCOMPARE(richiesta().estensione, QStringLiteral("sec"));

        modifica(Risposta::Si);
        comando("menuapri", atteso);
        QCOMPARE(m_corpo->sistema.numeroColonne, 28);
        QVERIFY(!attivo("frameNumeri") && scelto(8) && !scelto(9));
        QCOMPARE(testo("labnumeri"), QStringLiteral("Numeri in gioco [08]"));
        QCOMPARE(testo("StBar_2"), QStringLiteral("28"));
    }

    // The Condizioni marks follow the System wherever its conditions change, not only after an editor.
    void segniDelleCondizioni() {
        scegli(1, 10);
        Sistema& s = m_corpo->sistema;
        s.condSomma = Vero;
        s.sommaDa = 30;
        s.sommaA = 40;
        s.condPariDispari = Vero;
        s.pariAmmessi[3] = Vero;
        sviluppa();
        comando("menusalva");
        const QString file = s.fileSistema;
        const QStringList accese = {"menuPariDispari", "menuSomma"};
        modifica(Risposta::Si);
        QCOMPARE(segnate(), accese); // Modifica keeps the conditions
        premi("cmdCancella");
        QCOMPARE(segnate(), QStringList());
        comando("menuapri", file);
        QCOMPARE(segnate(), accese);
        // A file that cannot be read leaves the System, and the marks, as they were.
        comando("menuapri", m_cartella->filePath(QStringLiteral("manca.sec")));
        m_ui->messaggi.clear();
        QCOMPARE(segnate(), accese);
    }

    void esportaEImporta() {
        scegli(1, 7);
        figlio<QCheckBox>(m_finestra.get(), "chkSS")->click();
        sviluppa();
        comando("menuEsportaColonne");
        QCOMPARE(m_ui->messaggi.last().testo, QStringLiteral("File nuovo.sec esportato"));

        comando("menuEsportaExtrema", m_cartella->filePath(QStringLiteral("extrema/prova.ext")));
        QCOMPARE(richiesta().proposta, QStringLiteral("nuovo.ext"));
        QCOMPARE(richiesta().estensione, QStringLiteral("ext"));
        // Salva then writes a system file where Apri lists it, and Salva come proposes the same.
        comando("menusalva");
        QVERIFY(QFile::exists(m_cartella->filePath(QStringLiteral("sistemi/prova.sec"))));
        QVERIFY(!QFile::exists(m_cartella->filePath(QStringLiteral("sistemi/prova.ext"))));
        comando("menusalvacome", QString());
        QCOMPARE(richiesta().proposta, QStringLiteral("prova.sec"));

        // The txt import replaces the System, priced without SuperStar once the box is off.
        modifica(Risposta::Si);
        premi("cmdCancella");
        figlio<QCheckBox>(m_finestra.get(), "chkSS")->click();
        comando("menuImportaColonne", m_cartella->filePath(QStringLiteral("txt/nuovo.txt")));
        QCOMPARE(richiesta().cartella, m_cartella->path() + QStringLiteral("/txt"));
        QCOMPARE(m_corpo->sistema.numeroColonne, 7);
        QCOMPARE(barraDiStato(), QStringLiteral("nuovo.txt | 7 | € 7,00 | FILE TXT"));
        QVERIFY(scelto(7) && !attivo("frameNumeri"));

        // The Extrema import brings its SuperStar choice back, and the price with it.
        modifica(Risposta::Si);
        comando("menuImportaExtrema", m_cartella->filePath(QStringLiteral("extrema/prova.ext")));
        QVERIFY(figlio<QCheckBox>(m_finestra.get(), "chkSS")->isChecked());
        QCOMPARE(barraDiStato(), QStringLiteral("nuovo.sec | 7 | € 10,50 | FILE EXTREMA"));
        QCOMPARE(m_ui->messaggi.last().titolo, QStringLiteral("Info Sistema"));
    }

    void uscita() {
        m_ui->rispondi(Risposta::No);
        QVERIFY(!m_finestra->close() && m_finestra->isVisible());
        QCOMPARE(m_ui->messaggi.last().testo, QStringLiteral("Uscire dall'applicazione?"));
        QCOMPARE(m_ui->messaggi.last().titolo, m_finestra->windowTitle());
        QVERIFY(!m_corpo->chiusuraInCorso);
        m_ui->rispondi(Risposta::Si);
        QVERIFY(m_finestra->close() && m_corpo->chiusuraInCorso);
    }

    // Each editor from its menu item: the columns developed from the window are those of the
    // literal engine on a System whose condition was set in code.
    void editoriDalMenu_data() {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<UsaEditore>("usa");
        QTest::addColumn<ImpostaCondizione>("imposta");
        const auto clic = [](const QStringList& nomi) {
            return UsaEditore([nomi](QWidget* d) {
                for (const QString& nome : nomi)
                    Clicca(d, nome);
            });
        };
        QTest::newRow("Somma") << "menuSomma" << UsaEditore([](QWidget* d) {
            figlio<QLineEdit>(d, "txtDa")->setText(QStringLiteral("35"));
            figlio<QLineEdit>(d, "txtA")->setText(QStringLiteral("50"));
            Clicca(d, QStringLiteral("optCondSomma_0"));
        }) << ImpostaCondizione([](Sistema& s) {
            s.condSomma = Vero;
            s.sommaDa = 35;
            s.sommaA = 50;
        });
        QTest::newRow("Pari") << "menuPariDispari" << clic({"labPariDispari_2", "labPariDispari_3", "optCondizione_0"})
                              << ImpostaCondizione([](Sistema& s) {
                                     s.condPariDispari = Vero;
                                     s.pariAmmessi[2] = s.pariAmmessi[3] = Vero;
                                 });
        QTest::newRow("Consecutivi") << "menuConsecutivi" << clic({"lbPresenze_1", "lbPresenze_2", "optCond_0"})
                                     << ImpostaCondizione([](Sistema& s) {
                                            s.condConsecutivi = Vero;
                                            s.consecutiviAmmessi = 2 + 4;
                                        });
        QTest::newRow("Fisse") << "menuFisse" << clic({"labGriglia_4", "labGriglia_6", "optCondFisse_0"})
                               << ImpostaCondizione([](Sistema& s) {
                                      s.condFisse = Vero;
                                      s.numeriFissi[5] = s.numeriFissi[7] = 1;
                                      s.quantiFissi = 2;
                                  });
        QTest::newRow("Filtri") << "menuColonnaFiltro"
                                << clic({"labGriglia_0", "labGriglia_1", "labGriglia_2", "labGriglia_3", "lbPresenze_0",
                                         "lbPresenze_1", "optCond_0"})
                                << ImpostaCondizione([](Sistema& s) {
                                       FilterColumn& f = s.colonneFiltro[1];
                                       f.numeri[1] = f.numeri[2] = f.numeri[3] = f.numeri[4] = 1;
                                       f.presenze = 1 + 2;
                                       f.attiva = Vero;
                                       s.numeroFiltri = 1;
                                   });
        QTest::newRow("Ridotto") << "menuRidotto" << clic({"lbRidotto_2", "optCondizione_0"})
                                 << ImpostaCondizione([](Sistema& s) {
                                        s.condRidotto = Vero;
                                        s.livelloRiduzione = 2;
                                    });
    }
    void editoriDalMenu() {
        QFETCH(QString, voce);
        QFETCH(UsaEditore, usa);
        QFETCH(ImpostaCondizione, imposta);
        scegli(1, 12);
        m_modali->quandoAppare([usa](QWidget* editore) {
            usa(editore);
            editore->close();
        });
        comando(qPrintable(voce));
        QVERIFY(m_modali->tuttiGestiti());
        QVERIFY(figlio<QAction>(m_finestra.get(), qPrintable(voce))->isChecked());
        sviluppa();
        QVERIFY(m_corpo->sistema.sistemaSviluppato);

        auto atteso = std::make_unique<Sistema>();
        for (int n = 1; n <= 12; ++n)
            atteso->GrigliaNumeriClick(n - 1);
        AggiornaPronostico(*atteso);
        imposta(*atteso);
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        SviluppoLetterale(*atteso, ui, nessuno);
        const int colonne = atteso->numeroColonne;
        QVERIFY(colonne > 0 && colonne < 924); // the condition really filters
        QCOMPARE(m_corpo->sistema.numeroColonne, colonne);
        QVERIFY(
            std::equal(atteso->colonne.dati(), atteso->colonne.dati() + 6 * colonne, m_corpo->sistema.colonne.dati()));
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
