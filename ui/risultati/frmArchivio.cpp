#include "frmArchivio.h"

#include "Archivio.h"
#include "Corpo.h"
#include "DialoghiFile.h"
#include "Download.h"
#include "Finestre.h"
#include "FormatColonna.h"
#include "ImportaEstrazioni.h"
#include "Interfaccia.h"
#include "ZonaAttesa.h"
#include "frmNuovaEstrazione.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace sestina {

frmArchivio::frmArchivio(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, Scaricatore scarica, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi), m_scarica(std::move(scarica)) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmArchivio"));
    setWindowTitle(QStringLiteral("Archivio Estrazioni"));

    auto* intestazione = new QLabel(this);
    intestazione->setObjectName(QStringLiteral("lbIntestazione"));
    m_zonaLista = creaLista(intestazione);
    QGroupBox* ultima = creaUltima();
    QHBoxLayout* piede = creaPiede();
    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(intestazione);
    tutto->addWidget(m_zonaLista, 1);
    tutto->addWidget(ultima);
    tutto->addLayout(piede);

    // The window's load: the working label shows while the file is read.
    m_aggiornamentoInCorso = false;
    m_fileArchivio = PercorsoArchivio(m_corpo.cartellaDati);
    mostraLista(false);
    m_ui.elaboraEventi();
    LoadArchivioEstrazioni(m_corpo.archivioEstrazioni, m_fileArchivio, m_ui);
    PopolaListView();
}

ZonaAttesa* frmArchivio::creaLista(QLabel* intestazione) {
    const QString rigaTipo = QStringLiteral(" 00/00/0000 | 000 | 00 00 00 00 00 00 | 00 | 00 ");
    m_lst = new QListWidget(this);
    m_lst->setObjectName(QStringLiteral("lst"));
    m_lst->setFont(CarattereCourier(10.0));
    m_lst->setToolTip(QStringLiteral("Doppio Click x Colonna di Spoglio"));
    m_lst->setUniformItemSizes(true);
    m_lst->setMinimumWidth(m_lst->fontMetrics().horizontalAdvance(rigaTipo) + 40);
    IntestazioneLista(*intestazione, QStringLiteral("DATA | N. | Colonna Vincente | J. | SS"), rigaTipo, *m_lst);
    m_lst->setMinimumHeight(m_lst->fontMetrics().height() * 16);
    connect(m_lst, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* voce) { lst_DblClick(m_lst->row(voce)); });
    for (const QKeySequence& tasto : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* scorciatoia = new QShortcut(tasto, m_lst, nullptr, nullptr, Qt::WidgetShortcut);
        connect(scorciatoia, &QShortcut::activated, this, [this] { lst_DblClick(m_lst->currentRow()); });
    }
    return new ZonaAttesa(m_lst, QStringLiteral("lbElaborazione"),
                          QStringLiteral("Aggiornamento in corso\r\nAttendere...."), this);
}

QGroupBox* frmArchivio::creaUltima() {
    auto* ultima = new QGroupBox(QStringLiteral("Ultima Estrazione"), this);
    ultima->setObjectName(QStringLiteral("fraUltima"));
    m_lbLast = new QLabel(ultima);
    m_lbLast->setObjectName(QStringLiteral("lbLast"));
    m_lbLast->setTextFormat(Qt::PlainText); // the date comes from the draw list
    m_lbLast->setFont(CarattereCourier(10.0));
    (new QVBoxLayout(ultima))->addWidget(m_lbLast);
    return ultima;
}

QHBoxLayout* frmArchivio::creaPiede() {
    auto* totali = new QLabel(QStringLiteral("Estrazioni Totali"), this);
    m_lbTotale = new QLabel(QStringLiteral("0"), this);
    m_lbTotale->setObjectName(QStringLiteral("lbTotale"));
    m_lbTotale->setFrameShape(QFrame::Panel);
    m_lbTotale->setFrameShadow(QFrame::Sunken);
    m_lbTotale->setMinimumWidth(m_lbTotale->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    const auto pulsante = [this](const char* nome, const QString& testo, const QString& suggerimento,
                                 void (frmArchivio::*azione)()) {
        auto* p = new QPushButton(testo, this);
        p->setObjectName(QString::fromLatin1(nome));
        p->setToolTip(suggerimento);
        connect(p, &QPushButton::clicked, this, azione);
        return p;
    };
    m_cmdUpdate = pulsante("cmdUpdate", QStringLiteral("Aggiorna"),
                           QStringLiteral("Click per iniziare l'aggiornamento"), &frmArchivio::cmdUpdate_Click);
    auto* statistiche =
        pulsante("cmdStatistiche", QStringLiteral("Statistiche"),
                 QStringLiteral("Click per visualizzare le statistiche"), &frmArchivio::cmdStatistiche_Click);
    auto* importa = pulsante("cmdImporta", QStringLiteral("&Importa..."),
                             QStringLiteral("Aggiunge le estrazioni di un file CSV o di una lista di estrazioni"),
                             &frmArchivio::cmdImporta_Click);
    auto* nuova = pulsante("cmdNuova", QStringLiteral("&Nuova estrazione..."),
                           QStringLiteral("Aggiunge un'estrazione scritta a mano"), &frmArchivio::cmdNuova_Click);
    auto* piede = new QHBoxLayout;
    piede->addWidget(totali);
    piede->addWidget(m_lbTotale);
    piede->addStretch(1);
    for (QPushButton* p : {importa, nuova, m_cmdUpdate, statistiche})
        piede->addWidget(p);
    return piede;
}

frmArchivio::~frmArchivio() = default;

void frmArchivio::impostaStatistiche(std::function<void()> aggiorna, std::function<void()> mostra) {
    m_aggiornaStatistiche = std::move(aggiorna);
    m_mostraStatistiche = std::move(mostra);
}

void frmArchivio::impostaSpoglio(std::function<void()> aggiornaSpoglio) {
    m_aggiornaSpoglio = std::move(aggiornaSpoglio);
}

void frmArchivio::impostaArchivioCambiato(std::function<void()> cambiato) {
    m_archivioCambiato = std::move(cambiato);
}

// While the list is hidden the working label shows in its place.
void frmArchivio::mostraLista(bool visibile) {
    m_zonaLista->mostraContenuto(visibile);
}

void frmArchivio::PopolaListView() {
    mostraLista(false);
    m_lst->clear();
    const ArchivioEstrazioni& archivio = m_corpo.archivioEstrazioni;
    m_lst->addItems(RigheArchivio(archivio));
    m_recordDellaRiga.clear();
    for (std::size_t i = archivio.size(); i-- > 0;)
        if (!archivio[i].vuota())
            m_recordDellaRiga.push_back(i);
    if (m_lst->count() > 0) {
        m_lst->setCurrentRow(0);
        m_lbLast->setText(m_lst->item(0)->text());
        m_lbTotale->setText(QString::number(archivio.size()));
    }
    mostraLista(true);
}

void frmArchivio::cmdUpdate_Click() {
    m_cmdUpdate->setEnabled(false);
    m_aggiornamentoInCorso = true;
    EsitoAggiornamento esito;
    {
        Occupato occupato(m_ui);
        mostraLista(false);
        m_ui.elaboraEventi();
        const CartellaPrivata scratch;
        const QString fileDownload = scratch.valida() ? PercorsoDownloadArchivio(scratch.percorso()) : QString();
        esito = AggiornaArchivio(m_corpo.archivioEstrazioni, m_scarica, fileDownload, m_fileArchivio, m_ui);
        if (esito == EsitoAggiornamento::Aggiornato)
            PopolaListView();
    }
    // A refused list or a failed save has already said why.
    if (esito == EsitoAggiornamento::DownloadFallito)
        m_ui.messaggio(QStringLiteral("Errore durante il download dell'aggiornamento"), windowTitle(), Icona::Critica,
                       Pulsanti::Ok);
    if (esito == EsitoAggiornamento::Incompleto)
        m_ui.messaggio(TestoAggiornamentoIncompleto, windowTitle(), Icona::Informazione, Pulsanti::Ok);
    m_cmdUpdate->setEnabled(true);
    m_aggiornamentoInCorso = false;
    mostraLista(true);
    if (esito == EsitoAggiornamento::Aggiornato)
        archivioCambiato();
    else if (m_aggiornaStatistiche)
        m_aggiornaStatistiche();
}

void frmArchivio::archivioCambiato() {
    if (m_aggiornaStatistiche)
        m_aggiornaStatistiche();
    if (m_archivioCambiato)
        m_archivioCambiato();
}

void frmArchivio::riferisciAggiunta(int aggiunte) {
    if (aggiunte > 0) {
        PopolaListView();
        archivioCambiato();
    }
    m_ui.messaggio(TestoEstrazioniAggiunte(aggiunte), windowTitle(), Icona::Informazione, Pulsanti::Ok);
}

void frmArchivio::cmdImporta_Click() {
    const QString file =
        m_dialoghi.apri(this, QDir::homePath(), QStringLiteral("Estrazioni (*.csv *.txt);;Tutti i file (*)"));
    if (file.isEmpty())
        return;
    EsitoAggiunta esito;
    {
        Occupato occupato(m_ui);
        esito = ImportaEstrazioni(m_corpo.archivioEstrazioni, file, m_fileArchivio, m_ui);
    }
    if (esito.riuscita)
        riferisciAggiunta(esito.aggiunte);
}

void frmArchivio::cmdNuova_Click() {
    frmNuovaEstrazione dialogo(m_ui, this);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    const EsitoAggiunta esito =
        AggiungiAllArchivio(m_corpo.archivioEstrazioni, {dialogo.estrazione()}, m_fileArchivio, m_ui);
    if (esito.riuscita)
        riferisciAggiunta(esito.aggiunte);
}

void frmArchivio::cmdStatistiche_Click() {
    if (m_aggiornaStatistiche)
        m_aggiornaStatistiche();
    if (m_mostraStatistiche)
        m_mostraStatistiche();
}

void frmArchivio::lst_DblClick(int riga) {
    if (riga < 0 || static_cast<std::size_t>(riga) >= m_recordDellaRiga.size())
        return;
    const Estrazione& e = m_corpo.archivioEstrazioni[m_recordDellaRiga[static_cast<std::size_t>(riga)]];
    m_ui.messaggio(QStringLiteral("La Colonna \r\n") + FormatColonna(e.estratti.data() + 1, 6, 1) +
                       QStringLiteral("\r\ndel ") + e.data +
                       QStringLiteral(" è stata imposta come nuova colonna di Spoglio"),
                   windowTitle(), Icona::Informazione, Pulsanti::Ok);
    for (std::size_t i = 1; i <= 6; ++i)
        m_corpo.colonnaSpoglio[i] = e.estratti[i];
    m_corpo.colonnaSpoglio[7] = e.jolly;
    if (m_aggiornaSpoglio)
        m_aggiornaSpoglio();
}

void frmArchivio::closeEvent(QCloseEvent* evento) {
    if (m_aggiornamentoInCorso)
        m_ui.messaggio(QStringLiteral("Aggiornamento Archivio in corso...attendere"), windowTitle(),
                       Icona::Informazione, Pulsanti::Ok);
    else
        hide();
    evento->setAccepted(m_corpo.chiusuraInCorso);
}

} // namespace sestina
