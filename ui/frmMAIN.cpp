#include "frmMAIN.h"

#include "Catalogo.h"
#include "ColonneTxt.h"
#include "Configurazione.h"
#include "Corpo.h"
#include "DialoghiFile.h"
#include "Download.h"
#include "Errore.h"
#include "Extrema.h"
#include "FileSistema.h"
#include "Finestre.h"
#include "Formato.h"
#include "GrigliaEtichette.h"
#include "Interfaccia.h"
#include "Mescola.h"
#include "Sviluppo.h"
#include "frmAbout.h"
#include "frmArchivio.h"
#include "frmCalcolo.h"
#include "frmConsecutivi.h"
#include "frmFiltri.h"
#include "frmFisse.h"
#include "frmGaranzia.h"
#include "frmImpostazioni.h"
#include "frmMatr.h"
#include "frmPari.h"
#include "frmProbabilita.h"
#include "frmRidotto.h"
#include "frmSomma.h"
#include "frmSpoglio.h"
#include "frmSpoglioEstrazioni.h"
#include "frmStampa.h"
#include "frmStatistiche.h"
#include "frmTabulato.h"
#include "frmVisualizza.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace sestina {

namespace {

const QString NomeFinestra = QStringLiteral("frmMAIN");

QString Versione() {
    return QStringLiteral("%1.%2.%3")
        .arg(SESTINA_VERSIONE_MAJOR)
        .arg(SESTINA_VERSIONE_MINOR)
        .arg(SESTINA_VERSIONE_REVISION);
}

} // namespace

frmMAIN::frmMAIN(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent)
    : QMainWindow(parent), m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi) {
    setObjectName(NomeFinestra);
    auto* centrale = new QWidget(this);
    setCentralWidget(centrale);
    creaMenu();
    creaComandi(centrale);
    creaBarraStato();
    resize(900, 640);

    // The window's load, in its order.
    setWindowTitle(TitoloApplicazione + QStringLiteral(" - Ver. ") + Versione() + QStringLiteral(" - ") +
                   m_corpo.edizione);
    ReadConfiguration();
    Azzera();
    Sistema& s = m_corpo.sistema;
    s.fileSistema = m_corpo.cartellaDati + QStringLiteral("/sistemi/nuovo.sec");
    s.nomeSistema = QFileInfo(s.fileSistema).fileName().toLower();
    ViewStatusBar();
}

frmMAIN::~frmMAIN() = default;

QAction* frmMAIN::voce(QMenu* menu, const char* nome, const QString& testo) {
    QAction* azione = menu->addAction(testo);
    azione->setObjectName(QString::fromLatin1(nome));
    return azione;
}

void frmMAIN::creaMenu() {
    auto menu = [this](const char* nome, const QString& titolo) {
        QMenu* m = menuBar()->addMenu(titolo);
        m->setObjectName(QString::fromLatin1(nome));
        m->menuAction()->setObjectName(QString::fromLatin1(nome) + QStringLiteral("_voce"));
        return m;
    };

    QMenu* file = menu("menufile", QStringLiteral("&File"));
    connect(voce(file, "menuapri", QStringLiteral("&Apri")), &QAction::triggered, this, &frmMAIN::Apri);
    connect(voce(file, "menuImportaColonne", QStringLiteral("I&mporta Colonne")), &QAction::triggered, this,
            &frmMAIN::ImportaColonne);
    connect(voce(file, "menuImportaExtrema", QStringLiteral("Importa E&xtrema")), &QAction::triggered, this,
            &frmMAIN::ImportaExtrema);
    file->addSeparator();
    connect(voce(file, "menusalva", QStringLiteral("&Salva")), &QAction::triggered, this, &frmMAIN::Salva);
    connect(voce(file, "menusalvacome", QStringLiteral("Salva &come...")), &QAction::triggered, this,
            &frmMAIN::SalvaCome);
    connect(voce(file, "menuEsportaColonne", QStringLiteral("Esporta Colonne")), &QAction::triggered, this,
            &frmMAIN::EsportaColonne);
    connect(voce(file, "menuEsportaExtrema", QStringLiteral("Esporta Extre&ma")), &QAction::triggered, this,
            &frmMAIN::EsportaExtrema);
    file->addSeparator();
    connect(voce(file, "mnu_Elenco", QStringLiteral("&Elenco Sistemi Immediati")), &QAction::triggered, this,
            &frmMAIN::ElencoSistemiImmediati);
    connect(voce(file, "menuImpostazioni", QStringLiteral("&Impostazioni")), &QAction::triggered, this,
            &frmMAIN::Impostazioni);
    file->addSeparator();
    QAction* uscita = voce(file, "menuuscita", QStringLiteral("&Uscita"));
    connect(uscita, &QAction::triggered, this, &QWidget::close);

    m_menuCondizioni = menu("menucondizioni", QStringLiteral("&Condizioni"));
    // Each item opens its editor; the check mark then tells whether the condition is on.
    Sistema& s = m_corpo.sistema;
    struct Condizione {
        const char* nome;
        QString testo;
        std::function<std::unique_ptr<QDialog>()> editore;
        std::function<bool()> acceso;
    };
    const Condizione condizioni[] = {
        {"menuColonnaFiltro", QStringLiteral("&Colonne Filtro"),
         [this, &s] { return std::make_unique<frmFiltri>(s, m_ui, this); }, [&s] { return s.numeroFiltri >= 1; }},
        {"menuConsecutivi", QStringLiteral("C&onsecutivi"),
         [this, &s] { return std::make_unique<frmConsecutivi>(s, this); }, [&s] { return s.condConsecutivi != 0; }},
        {"menuFisse", QStringLiteral("&Fisse"), [this, &s] { return std::make_unique<frmFisse>(s, this); },
         [&s] { return s.condFisse != 0; }},
        {"menuPariDispari", QStringLiteral("&Pari e Dispari"),
         [this, &s] { return std::make_unique<frmPari>(s, this); }, [&s] { return s.condPariDispari != 0; }},
        {"menuSomma", QStringLiteral("&Somma"), [this, &s] { return std::make_unique<frmSomma>(s, m_ui, this); },
         [&s] { return s.condSomma != 0; }},
        {"menuRidotto", QStringLiteral("&Ridotto"), [this, &s] { return std::make_unique<frmRidotto>(s, this); },
         [&s] { return s.condRidotto != 0; }}};
    for (const Condizione& c : condizioni) {
        if (qstrcmp(c.nome, "menuRidotto") == 0)
            m_menuCondizioni->addSeparator();
        QAction* azione = voce(m_menuCondizioni, c.nome, c.testo);
        azione->setCheckable(true);
        m_vociCondizioni.push_back({azione, c.acceso});
        connect(azione, &QAction::triggered, this, [this, c] {
            // The menu is off below six numbers: a shortcut opens nothing, and the marks stay the model's.
            if (m_corpo.sistema.numeriInGioco >= 6)
                c.editore()->exec();
            AggiornaMenuCondizioni();
        });
    }

    m_menuOperazioni = menu("menuoperazioni", QStringLiteral("&Operazioni"));
    connect(voce(m_menuOperazioni, "menuadattamatrice", QStringLiteral("&Adatta matrice")), &QAction::triggered, this,
            &frmMAIN::AdattaMatrice);
    m_menuOperazioni->addSeparator();
    connect(voce(m_menuOperazioni, "menuMescola", QStringLiteral("&Mescola Colonne")), &QAction::triggered, this,
            &frmMAIN::MescolaColonne);
    m_menuOperazioni->addSeparator();
    connect(voce(m_menuOperazioni, "menucalcolo", QStringLiteral("&Elabora")), &QAction::triggered, this,
            &frmMAIN::Elabora);
    connect(voce(m_menuOperazioni, "menuspoglio", QStringLiteral("&Spoglio")), &QAction::triggered, this,
            &frmMAIN::Spoglio);
    QAction* spoglioEstrazioni = voce(m_menuOperazioni, "menuSpoglioEstrazioni", QStringLiteral("Spoglio Estrazion&i"));
    spoglioEstrazioni->setVisible(false);
    connect(spoglioEstrazioni, &QAction::triggered, this, &frmMAIN::SpoglioEstrazioni);
    connect(voce(m_menuOperazioni, "menuvisualizza", QStringLiteral("&Visualizza")), &QAction::triggered, this,
            [this] { Visualizza(false); });
    connect(voce(m_menuOperazioni, "menuEstrazioni", QStringLiteral("&Archivio Estrazioni")), &QAction::triggered, this,
            &frmMAIN::ArchivioEstrazioni);
    connect(voce(m_menuOperazioni, "menuStatistiche", QStringLiteral("S&tatistiche")), &QAction::triggered, this,
            &frmMAIN::Statistiche);
    QAction* garanzia = voce(m_menuOperazioni, "menuGaranzia", QStringLiteral("&Garanzia del Sistema"));
    connect(garanzia, &QAction::triggered, this, &frmMAIN::GaranziaDelSistema);
    // Columns also go without a change of the developed state (Modifiche empties them after it).
    QAction* probabilita = voce(m_menuOperazioni, "menuProbabilita", QStringLiteral("&Probabilità del Sistema..."));
    connect(probabilita, &QAction::triggered, this, &frmMAIN::ProbabilitaDelSistema);
    connect(m_menuOperazioni, &QMenu::aboutToShow, this, [this, garanzia, probabilita] {
        garanzia->setEnabled(m_corpo.sistema.numeroColonne > 0);
        probabilita->setEnabled(m_corpo.sistema.numeroColonne > 0);
    });
    m_menuOperazioni->addSeparator();
    connect(voce(m_menuOperazioni, "menumodifiche", QStringLiteral("&Modifiche")), &QAction::triggered, this,
            &frmMAIN::ModificaSistema);

    m_menuStampa = menu("menustampa", QStringLiteral("&Stampa"));
    connect(voce(m_menuStampa, "menutabulato", QStringLiteral("Stampa &Tabulato")), &QAction::triggered, this,
            &frmMAIN::Tabulato);
    connect(voce(m_menuStampa, "menuschedine", QStringLiteral("Stampa &Schedine")), &QAction::triggered, this,
            &frmMAIN::Schedine);

    QAction* info = menuBar()->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("menuinfo"));
    connect(info, &QAction::triggered, this, &frmMAIN::Info);
}

QPushButton* frmMAIN::pulsante(const char* nome, const QString& testo) {
    auto* p = new QPushButton(testo);
    p->setObjectName(QString::fromLatin1(nome));
    p->setMinimumHeight(34);
    return p;
}

void frmMAIN::creaComandi(QWidget* centrale) {
    m_frameNumeri = new QGroupBox(centrale);
    m_frameNumeri->setObjectName(QStringLiteral("frameNumeri"));
    m_griglia = new GrigliaEtichette(QStringLiteral("grnum"), NumeriDueCifre(1, NumeriGioco), 10, m_frameNumeri);
    m_griglia->setAccessibleName(QStringLiteral("Griglia dei numeri"));
    connect(m_griglia, &GrigliaEtichette::commutata, this, &frmMAIN::GrigliaNumeriClick);

    m_labnumeri = new QLabel(QStringLiteral("Numeri in gioco [00]"), m_frameNumeri);
    m_labnumeri->setObjectName(QStringLiteral("labnumeri"));
    auto* didascalia = new QLabel(QStringLiteral("Colonne Integrali"), m_frameNumeri);
    didascalia->setObjectName(QStringLiteral("lblCaptionColonneIntegrali"));
    m_lblIntegrale = new QLabel(QStringLiteral("0"), m_frameNumeri);
    m_lblIntegrale->setObjectName(QStringLiteral("lblIntegrale"));
    m_lblIntegrale->setToolTip(QStringLiteral("Colonne Integrali"));
    m_lblIntegrale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont grassetto = m_labnumeri->font();
    grassetto.setBold(true);
    grassetto.setPointSizeF(grassetto.pointSizeF() * 1.2);
    m_labnumeri->setFont(grassetto);
    m_lblIntegrale->setFont(grassetto);
    // Room for the widest texts, so a count is never clipped.
    const QFontMetrics misura(grassetto);
    m_labnumeri->setMinimumWidth(misura.horizontalAdvance(QStringLiteral("Numeri in gioco [00]")) + 8);
    m_lblIntegrale->setMinimumWidth(misura.horizontalAdvance(QStringLiteral("622.614.630")) + 8);

    auto* riepilogo = new QHBoxLayout;
    riepilogo->addWidget(m_labnumeri);
    riepilogo->addStretch();
    riepilogo->addWidget(didascalia);
    riepilogo->addWidget(m_lblIntegrale);
    auto* numeri = new QVBoxLayout(m_frameNumeri);
    numeri->addWidget(m_griglia, 1);
    numeri->addLayout(riepilogo);

    m_chkSS = new QCheckBox(centrale);
    m_chkSS->setAccessibleName(QStringLiteral("SuperStar"));
    m_chkSS->setObjectName(QStringLiteral("chkSS"));
    m_chkSS->setIcon(QIcon(QStringLiteral(":/immagini/superstar_off.svg")));
    m_chkSS->setIconSize(QSize(96, 40));
    m_chkSS->setToolTip(QStringLiteral("SuperStar"));
    connect(m_chkSS, &QCheckBox::toggled, this, &frmMAIN::chkSS_Click);

    auto* operazioni = new QGroupBox(QStringLiteral("Operazioni"), centrale);
    operazioni->setObjectName(QStringLiteral("frameOperazioni"));
    auto* colonna = new QVBoxLayout(operazioni);
    QPushButton* archivio = pulsante("cmdArchivio", QStringLiteral("Archivio Estrazioni"));
    QPushButton* modifiche = pulsante("cmdModifiche", QStringLiteral("Modifica Sistema"));
    QPushButton* adatta = pulsante("cmdAdatta", QStringLiteral("Adatta Matrice"));
    QPushButton* spoglio = pulsante("cmdSpoglio", QStringLiteral("Spoglio Sistema"));
    QPushButton* visualizza = pulsante("cmdVisualizza", QStringLiteral("Visualizza Sistema"));
    QPushButton* cancella = pulsante("cmdCancella", QStringLiteral("Cancella Sistema"));
    QPushButton* calcolo = pulsante("cmdCalcolo", QStringLiteral("Elabora Sistema"));
    QPushButton* tabulato = pulsante("cmdTabulato", QStringLiteral("Stampa Tabulato"));
    QPushButton* schedine = pulsante("cmdSchedine", QStringLiteral("Stampa Schedine"));
    for (QPushButton* p : {archivio, modifiche, adatta, spoglio, visualizza, cancella, calcolo, tabulato, schedine})
        colonna->addWidget(p);
    colonna->addStretch();
    connect(adatta, &QPushButton::clicked, this, &frmMAIN::AdattaMatrice);
    connect(tabulato, &QPushButton::clicked, this, &frmMAIN::Tabulato);
    connect(schedine, &QPushButton::clicked, this, &frmMAIN::Schedine);
    connect(archivio, &QPushButton::clicked, this, &frmMAIN::ArchivioEstrazioni);
    connect(spoglio, &QPushButton::clicked, this, &frmMAIN::Spoglio);
    connect(modifiche, &QPushButton::clicked, this, &frmMAIN::ModificaSistema);
    connect(visualizza, &QPushButton::clicked, this, [this] { Visualizza(true); });
    connect(cancella, &QPushButton::clicked, this, &frmMAIN::Azzera);
    connect(calcolo, &QPushButton::clicked, this, &frmMAIN::Elabora);

    auto* destra = new QVBoxLayout;
    destra->addWidget(m_chkSS, 0, Qt::AlignHCenter);
    destra->addWidget(operazioni, 1);
    auto* principale = new QHBoxLayout(centrale);
    principale->addWidget(m_frameNumeri, 1);
    principale->addLayout(destra);

    for (QObject* o : m_nonDisponibili)
        if (auto* w = qobject_cast<QWidget*>(o))
            w->setToolTip(QStringLiteral("Non disponibile in questa versione"));
}

void frmMAIN::creaBarraStato() {
    statusBar()->setObjectName(QStringLiteral("StBar"));
    const QString suggerimenti[4] = {QStringLiteral("Nome Sistema"), QStringLiteral("Numero Combinazioni"),
                                     QStringLiteral("Costo Sistema"), QStringLiteral("Tipo Sistema")};
    const int allunga[4] = {3, 2, 2, 2};
    for (int i = 0; i < 4; ++i) {
        m_pannelli[i] = new QLabel(statusBar());
        m_pannelli[i]->setObjectName(QStringLiteral("StBar_%1").arg(i + 1));
        m_pannelli[i]->setToolTip(suggerimenti[i]);
        m_pannelli[i]->setTextFormat(Qt::PlainText); // names and kinds come from files
        m_pannelli[i]->setFrameShape(QFrame::StyledPanel);
        m_pannelli[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(m_pannelli[i], allunga[i]);
    }
}

// ---- public operations ---------------------------------------------------------------

void frmMAIN::GrigliaNumeriClick(int indice) {
    if (indice < 0 || indice >= NumeriGioco)
        return;
    Sistema& s = m_corpo.sistema;
    s.GrigliaNumeriClick(indice);
    m_griglia->setScelta(indice, s.selezionati[static_cast<std::size_t>(indice)]);
    scriviNumeriInGioco(true);
    applicaStato();
    scriviIntegrale();
}

void frmMAIN::CancellaPronostico() {
    m_corpo.sistema.CancellaPronostico();
    for (int i = 0; i < NumeriGioco; ++i)
        m_griglia->setScelta(i, false);
    scriviNumeriInGioco(false);
    applicaStato();
    m_lblIntegrale->setText(QStringLiteral("0"));
}

void frmMAIN::ViewStatusBar() {
    const Sistema& s = m_corpo.sistema;
    m_pannelli[3]->setText(s.tipoSistema);
    m_pannelli[2]->setText(FormattaEuro(s.costoSistema()));
    m_pannelli[1]->setText(FormattaIntero(s.numeroColonne));
    m_pannelli[0]->setText(s.nomeSistema);
}

void frmMAIN::LockGUI() {
    m_corpo.sistema.sistemaSviluppato = Vero;
    applicaStato();
}

void frmMAIN::UnlockGUI() {
    m_corpo.sistema.sistemaSviluppato = 0;
    applicaStato();
}

void frmMAIN::UnlockMenuConditions() {
    for (const VoceCondizione& v : m_vociCondizioni)
        v.azione->setChecked(false);
}

void frmMAIN::AggiornaMenuCondizioni() {
    for (const VoceCondizione& v : m_vociCondizioni)
        v.azione->setChecked(v.accesa());
}

void frmMAIN::chkSS_Click() {
    m_corpo.sistema.superStar = m_chkSS->isChecked() ? Vero : Falso;
    aggiornaLogoSS();
    ReadConfiguration();
}

void frmMAIN::ReadConfiguration() {
    if (LeggiConfigurazione(m_corpo, m_ui))
        ViewStatusBar();
}

void frmMAIN::Azzera() {
    AzzeraSistema(m_corpo.sistema, false);
    UnlockGUI();
    UnlockMenuConditions();
    CancellaPronostico();
    ViewStatusBar();
    AggiornaMenuCondizioni();
}

void frmMAIN::mostraSpoglioEstrazioni() {
    if (auto* azione = findChild<QAction*>(QStringLiteral("menuSpoglioEstrazioni")))
        azione->setVisible(true);
}

// ---- rendering ---------------------------------------------------------------------

void frmMAIN::aggiornaLogoSS() {
    m_chkSS->setIcon(QIcon(m_chkSS->isChecked() ? QStringLiteral(":/immagini/superstar_on.svg")
                                                : QStringLiteral(":/immagini/superstar_off.svg")));
}

void frmMAIN::scriviNumeriInGioco(bool dueCifre) {
    const int n = m_corpo.sistema.numeriInGioco;
    m_labnumeri->setText(QStringLiteral("Numeri in gioco [%1]").arg(dueCifre ? DueCifre(n) : QString::number(n)));
}

void frmMAIN::scriviIntegrale() {
    const int n = m_corpo.sistema.numeriInGioco;
    m_lblIntegrale->setToolTip(QStringLiteral("Colonne Integrali"));
    m_lblIntegrale->setText(n >= 6 ? FormattaIntero(static_cast<qint64>(Combinazioni(n, 6))) : QStringLiteral("0"));
}

// Every command's enabled state, from the numbers in play and the developed flag.
void frmMAIN::applicaStato() {
    const Sistema& s = m_corpo.sistema;
    const bool pronto = s.numeriInGioco >= 6;
    const bool sviluppato = s.sistemaSviluppato != 0;
    auto imposta = [this](const char* nome, bool acceso) {
        QObject* o = findChild<QObject*>(QString::fromLatin1(nome));
        if (!o)
            return;
        acceso = acceso && !m_nonDisponibili.contains(o);
        if (auto* azione = qobject_cast<QAction*>(o))
            azione->setEnabled(acceso);
        else if (auto* w = qobject_cast<QWidget*>(o))
            w->setEnabled(acceso);
    };
    m_menuOperazioni->menuAction()->setEnabled(pronto);
    m_menuCondizioni->menuAction()->setEnabled(pronto);
    imposta("cmdAdatta", pronto && !sviluppato);
    imposta("cmdCalcolo", pronto && !sviluppato);
    imposta("cmdCancella", !sviluppato);
    for (const char* nome : {"cmdModifiche", "cmdSchedine", "cmdSpoglio", "cmdTabulato", "cmdVisualizza"})
        imposta(nome, sviluppato);
    m_frameNumeri->setEnabled(!sviluppato);
    imposta("menuadattamatrice", !sviluppato);
    imposta("menucalcolo", !sviluppato);
    for (const char* nome : {"menuMescola", "menumodifiche", "menuspoglio", "menuvisualizza"})
        imposta(nome, sviluppato);
    imposta("menuGaranzia", s.numeroColonne > 0);
    imposta("menuProbabilita", s.numeroColonne > 0);
    m_menuStampa->menuAction()->setEnabled(sviluppato);
    for (QObject* o : m_nonDisponibili)
        if (auto* azione = qobject_cast<QAction*>(o))
            azione->setEnabled(false);
        else if (auto* w = qobject_cast<QWidget*>(o))
            w->setEnabled(false);
}

void frmMAIN::mostraSistema() {
    const Sistema& s = m_corpo.sistema;
    for (int i = 0; i < NumeriGioco; ++i)
        m_griglia->setScelta(i, s.selezionati[static_cast<std::size_t>(i)]);
    scriviNumeriInGioco(s.numeriInGioco > 0);
    scriviIntegrale();
    {
        const QSignalBlocker silenzio(m_chkSS);
        m_chkSS->setChecked(s.superStar != 0);
    }
    aggiornaLogoSS();
    applicaStato();
    ViewStatusBar();
    AggiornaMenuCondizioni();
}

// ---- commands ----------------------------------------------------------------------

void frmMAIN::Elabora() {
    Sistema& s = m_corpo.sistema;
    if (s.sistemaSviluppato != 0 || s.numeriInGioco < 6)
        return;
    // Busy over this window only: the progress window's button must still look pressable.
    setCursor(Qt::WaitCursor);
    setEnabled(false);
    bool sviluppato = false;
    {
        frmCalcolo calcolo(s, m_ui);
        calcolo.show();
        try {
            sviluppato = ::sestina::Elabora(s, m_ui, calcolo);
        } catch (const Errore& e) {
            MostraErrore(m_ui, e, QStringLiteral("menucalcolo_Click"), NomeFinestra);
        }
        ViewStatusBar();
        calcolo.hide();
    }
    setEnabled(true);
    unsetCursor();
    if (sviluppato)
        LockGUI();
}

void frmMAIN::GaranziaDelSistema() {
    if (m_corpo.sistema.numeroColonne <= 0)
        return;
    auto* finestra = findChild<frmGaranzia*>(QStringLiteral("frmGaranzia"), Qt::FindDirectChildrenOnly);
    if (!finestra)
        finestra = new frmGaranzia(m_corpo.sistema, m_ui, this);
    MostraModeless(*finestra);
    // As while developing: nothing may change the System under the walk.
    setEnabled(false);
    finestra->calcola();
    setEnabled(true);
}

void frmMAIN::ProbabilitaDelSistema() {
    if (m_corpo.sistema.numeroColonne <= 0)
        return;
    auto* finestra = findChild<frmProbabilita*>(QStringLiteral("frmProbabilita"), Qt::FindDirectChildrenOnly);
    if (!finestra)
        finestra = new frmProbabilita(m_corpo, m_ui, this);
    MostraModeless(*finestra);
    setEnabled(false);
    finestra->calcola();
    setEnabled(true);
}

void frmMAIN::ModificaSistema() {
    Sistema& s = m_corpo.sistema;
    const QString domanda = QStringLiteral("Questa operazione comporta la perdita \r     di tutte le combinazioni del "
                                           "sistema\r\r                    Continuare ?");
    if (m_ui.messaggio(domanda, QStringLiteral("Attenzione"), Icona::Domanda, Pulsanti::SiNo) != Risposta::Si)
        return;
    UnlockGUI();
    s.colonne.azzera(s.numeroColonne);
    s.numeroColonne = 0;
    s.tipoSistema.clear();
    ViewStatusBar();
    AggiornaMenuCondizioni();
}

void frmMAIN::MescolaColonne() {
    QAction* mescola = findChild<QAction*>(QStringLiteral("menuMescola"));
    mescola->setEnabled(false);
    ::sestina::MescolaColonne(m_corpo.sistema, m_ui);
    mescola->setEnabled(true);
}

void frmMAIN::Salva() {
    Sistema& s = m_corpo.sistema;
    s.fileSistema = m_corpo.cartellaDati + QStringLiteral("/sistemi/") + TitoloFileSistema(s.fileSistema);
    SalvaFile(s, s.fileSistema, m_ui);
    ViewStatusBar();
}

void frmMAIN::SalvaCome() {
    Sistema& s = m_corpo.sistema;
    const QString scelto =
        m_dialoghi.salva(this, m_corpo.cartellaDati + QStringLiteral("/sistemi"), TitoloFileSistema(s.fileSistema),
                         QStringLiteral("File Sestinaplan (*.sec)"), QStringLiteral("sec"));
    if (scelto.isEmpty())
        return;
    s.fileSistema = scelto;
    SalvaFile(s, s.fileSistema, m_ui);
    ViewStatusBar();
}

void frmMAIN::Apri() {
    const QString scelto = m_dialoghi.apri(this, m_corpo.cartellaDati + QStringLiteral("/sistemi"),
                                           QStringLiteral("File Sestinaplan (*.sec)"));
    if (!scelto.isEmpty())
        ApriFile(scelto);
}

void frmMAIN::ApriFile(const QString& percorso) {
    if (!ApriSistema(m_corpo.sistema, percorso, m_ui))
        return;
    mostraSistema();
}

void frmMAIN::ImportaColonne() {
    const QString scelto =
        m_dialoghi.apri(this, m_corpo.cartellaDati + QStringLiteral("/txt"), QStringLiteral("File TXT (*.txt)"));
    if (scelto.isEmpty())
        return;
    ImportaColonneTxt(m_corpo.sistema, scelto, m_ui, [this] { mostraSistema(); });
}

void frmMAIN::ImportaExtrema() {
    const QString scelto =
        m_dialoghi.apri(this, m_corpo.cartellaDati + QStringLiteral("/extrema"), QStringLiteral("File EXT (*.ext)"));
    if (scelto.isEmpty())
        return;
    ::sestina::ImportaExtrema(m_corpo.sistema, scelto, m_ui, [this] {
        mostraSistema();
        ReadConfiguration(); // the SuperStar box's own handling
    });
}

void frmMAIN::EsportaColonne() {
    if (!SalvaColonneTxt(m_corpo.sistema, m_corpo.cartellaDati, m_ui))
        return;
    m_ui.messaggio(QStringLiteral("File ") + m_corpo.sistema.nomeSistema + QStringLiteral(" esportato"),
                   TitoloApplicazione, Icona::Informazione, Pulsanti::Ok);
}

void frmMAIN::EsportaExtrema() {
    Sistema& s = m_corpo.sistema;
    const QString scelto =
        m_dialoghi.salva(this, m_corpo.cartellaDati + QStringLiteral("/extrema"), TitoloFileExtrema(s.fileSistema),
                         QStringLiteral("File EXT (*.ext)"), QStringLiteral("ext"));
    if (scelto.isEmpty())
        return;
    s.fileSistema = scelto;
    SalvaExtrema(s, scelto, m_ui);
}

void frmMAIN::Visualizza(bool soloSeSviluppato) {
    const Sistema& s = m_corpo.sistema;
    if (soloSeSviluppato ? s.sistemaSviluppato == 0 : s.numeroColonne <= 0)
        return;
    frmVisualizza finestra(s, this);
    finestra.exec();
}

void frmMAIN::Info() {
    frmAbout finestra(m_ui, m_corpo.edizione, this);
    finestra.exec();
}

void frmMAIN::caricaFinestreNascoste() {
    finestraArchivio();
    finestraStatistiche();
}

frmArchivio& frmMAIN::finestraArchivio() {
    if (!m_archivio) {
        auto scarica = [this](const QString& percorso) {
            return DownloadFile(IndirizzoServer(m_corpo.fileConfigurazione) + PaginaArchivio, percorso, true, m_ui);
        };
        m_archivio = std::make_unique<frmArchivio>(m_corpo, m_ui, m_dialoghi, scarica);
        m_archivio->impostaSpoglio([this] { finestraSpoglio().aggiorna(); });
        m_archivio->impostaArchivioCambiato([this] {
            if (m_spoglioEstrazioni)
                m_spoglioEstrazioni->aggiornaDate();
        });
        m_archivio->impostaStatistiche([this] { finestraStatistiche().refreshStat(); },
                                       [this] { MostraModeless(finestraStatistiche()); });
    }
    return *m_archivio;
}

frmSpoglio& frmMAIN::finestraSpoglio() {
    if (!m_spoglio)
        m_spoglio = std::make_unique<frmSpoglio>(m_corpo, m_ui);
    return *m_spoglio;
}

frmStatistiche& frmMAIN::finestraStatistiche() {
    if (!m_statistiche)
        m_statistiche = std::make_unique<frmStatistiche>(m_corpo, m_ui);
    return *m_statistiche;
}

frmSpoglioEstrazioni& frmMAIN::finestraSpoglioEstrazioni() {
    if (!m_spoglioEstrazioni)
        m_spoglioEstrazioni = std::make_unique<frmSpoglioEstrazioni>(m_corpo, m_ui);
    return *m_spoglioEstrazioni;
}

void frmMAIN::SpoglioEstrazioni() {
    if (m_corpo.sistema.numeroColonne <= 0)
        return;
    finestraSpoglioEstrazioni().populateCmbEstrazioni();
    MostraModeless(finestraSpoglioEstrazioni());
}

void frmMAIN::Statistiche() {
    finestraStatistiche().refreshStat();
    MostraModeless(finestraStatistiche());
}

void frmMAIN::Spoglio() {
    if (m_corpo.sistema.sistemaSviluppato == 0)
        return;
    MostraModeless(finestraSpoglio());
}

void frmMAIN::ArchivioEstrazioni() {
    MostraModeless(finestraArchivio());
}

void frmMAIN::Schedine() {
    if (m_corpo.sistema.sistemaSviluppato == 0)
        return;
    setEnabled(false);
    if (!m_stampa) {
        m_stampa = std::make_unique<frmStampa>(m_corpo, m_ui, m_dialoghi);
        connect(m_stampa.get(), &frmStampa::chiusa, this, [this] { setEnabled(true); });
    } else {
        m_stampa->optTipoScheda_Click(0); // each opening starts again from the two-column slip
    }
    MostraModeless(*m_stampa);
}

void frmMAIN::Tabulato() {
    if (m_corpo.sistema.sistemaSviluppato == 0)
        return;
    frmTabulato finestra(m_corpo, m_ui, m_dialoghi, this);
    finestra.exec();
}

ScaricaPagina frmMAIN::scaricaDalServer() {
    return PagineDalServer(IndirizzoServer(m_corpo.fileConfigurazione), m_ui);
}

void frmMAIN::AdattaMatrice() {
    Sistema& s = m_corpo.sistema;
    if (s.sistemaSviluppato != 0 || s.numeriInGioco < 6)
        return;
    AggiornaPronostico(s);
    CaricaCatalogoMatrici(m_corpo, s.numeriInGioco);
    frmMatr finestra(m_corpo, m_ui, scaricaDalServer(), this);
    finestra.modalitaAdatta();
    finestra.exec();
    AggiornaMenuCondizioni(); // an adaptation clears the conditions, then sets its own
    if (!finestra.adattata())
        return;
    if (s.numeroColonne > 0)
        LockGUI();
    ViewStatusBar();
}

void frmMAIN::ElencoSistemiImmediati() {
    CaricaCatalogoMatrici(m_corpo, 0);
    frmMatr finestra(m_corpo, m_ui, scaricaDalServer(), this);
    finestra.exec();
}

void frmMAIN::Impostazioni() {
    {
        frmImpostazioni finestra(m_corpo, m_ui, this);
        finestra.exec();
    }
    ReadConfiguration();
}

void frmMAIN::closeEvent(QCloseEvent* evento) {
    if (!m_corpo.chiusuraInCorso && m_ui.messaggio(QStringLiteral("Uscire dall'applicazione?"), windowTitle(),
                                                   Icona::Domanda, Pulsanti::SiNo) != Risposta::Si) {
        evento->ignore();
        return;
    }
    m_corpo.chiusuraInCorso = true;
    ScaricaForm(NomeFinestra);
    evento->accept();
}

} // namespace sestina
