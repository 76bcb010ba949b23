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
#include "frmGaranzia.h"
#include "frmImpostazioni.h"
#include "frmMatr.h"
#include "frmProbabilita.h"
#include "frmSpoglio.h"
#include "frmSpoglioEstrazioni.h"
#include "frmStampa.h"
#include "frmStatistiche.h"
#include "frmTabulato.h"
#include "frmVisualizza.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>

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
    SegnaSviluppato(m_corpo.sistema);
    applicaStato();
}

void frmMAIN::AggiornaMenuCondizioni() {
    for (const VoceCondizione& v : m_vociCondizioni)
        v.azione->setChecked(CondizioneAccesa(m_corpo.sistema, v.condizione));
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
    CancellaPronostico();
    ViewStatusBar();
    AggiornaMenuCondizioni();
}

void frmMAIN::mostraSpoglioEstrazioni() {
    m_voceSpoglioEstrazioni->setVisible(true);
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

void frmMAIN::applicaStato() {
    for (const Controllo& c : m_controlli) {
        const bool acceso = Soddisfatto(m_corpo.sistema, c.requisito);
        if (c.azione)
            c.azione->setEnabled(acceso);
        else
            c.widget->setEnabled(acceso);
    }
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
    if (!Soddisfatto(s, Requisito::DaSviluppare))
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
        applicaStato();
}

void frmMAIN::GaranziaDelSistema() {
    if (!Soddisfatto(m_corpo.sistema, Requisito::Colonne))
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
    if (!Soddisfatto(m_corpo.sistema, Requisito::Colonne))
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
    const QString domanda = QStringLiteral("Questa operazione comporta la perdita \r     di tutte le combinazioni del "
                                           "sistema\r\r                    Continuare ?");
    if (m_ui.messaggio(domanda, QStringLiteral("Attenzione"), Icona::Domanda, Pulsanti::SiNo) != Risposta::Si)
        return;
    ScartaSviluppo(m_corpo.sistema);
    applicaStato();
    ViewStatusBar();
    AggiornaMenuCondizioni();
}

void frmMAIN::MescolaColonne() {
    m_voceMescola->setEnabled(false);
    ::sestina::MescolaColonne(m_corpo.sistema, m_ui);
    m_voceMescola->setEnabled(true);
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
    if (!Soddisfatto(m_corpo.sistema, Requisito::Sviluppato))
        return;
    MostraModeless(finestraSpoglio());
}

void frmMAIN::ArchivioEstrazioni() {
    MostraModeless(finestraArchivio());
}

void frmMAIN::Schedine() {
    if (!Soddisfatto(m_corpo.sistema, Requisito::Sviluppato))
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
    if (!Soddisfatto(m_corpo.sistema, Requisito::Sviluppato))
        return;
    frmTabulato finestra(m_corpo, m_ui, m_dialoghi, this);
    finestra.exec();
}

ScaricaPagina frmMAIN::scaricaDalServer() {
    return PagineDalServer(IndirizzoServer(m_corpo.fileConfigurazione), m_ui);
}

void frmMAIN::AdattaMatrice() {
    Sistema& s = m_corpo.sistema;
    if (!Soddisfatto(s, Requisito::DaSviluppare))
        return;
    AggiornaPronostico(s);
    CaricaCatalogoMatrici(m_corpo, s.numeriInGioco);
    frmMatr finestra(m_corpo, m_ui, scaricaDalServer(), this);
    finestra.modalitaAdatta();
    finestra.exec();
    AggiornaMenuCondizioni(); // an adaptation clears the conditions, then sets its own
    if (!finestra.adattata())
        return;
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
