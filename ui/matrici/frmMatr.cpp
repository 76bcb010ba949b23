#include "frmMatr.h"

#include "Adattamento.h"
#include "Corpo.h"
#include "Cp1252.h"
#include "Desktop.h"
#include "Download.h"
#include "FileMatrice.h"
#include "Finestre.h"
#include "Interfaccia.h"
#include "frmGeneraMatrice.h"
#include "frmOrdinaPronostico.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sestina {
namespace {

const QString NomeFinestra = QStringLiteral("frmMatr");
const QString ErroreLista = QStringLiteral("Errore durante il download dell'aggiornamento");

QString Decimale(int n) {
    return QString::number(n);
}

} // namespace

frmMatr::frmMatr(Corpo& corpo, Interfaccia& ui, ScaricaPagina scarica, QWidget* parent)
    : QDialog(parent), m_corpo(corpo), m_ui(ui), m_scarica(std::move(scarica)) {
    setObjectName(NomeFinestra);

    m_flSPL = new QListWidget(this);
    m_flSPL->setObjectName(QStringLiteral("flSPL"));
    m_flSPL->setFont(CarattereCourier(10.0));
    m_flSPL->setMinimumWidth(m_flSPL->fontMetrics().horizontalAdvance(QString(52, QLatin1Char('0'))));
    connect(m_flSPL, &QListWidget::currentRowChanged, this, &frmMatr::flSPL_Click);
    auto* intestazione = new QLabel(this);
    intestazione->setObjectName(QStringLiteral("lblIntestazione"));
    IntestazioneLista(*intestazione, QStringLiteral(" V  | K  | T  | M  | F  |   C    | Copertura"),
                      QStringLiteral(" 00 | 00 | 00 | 00 | 00 | 000000 | 0000000000"), *m_flSPL);

    creaDettagli();
    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(intestazione);
    sinistra->addWidget(m_flSPL, 1);
    creaComandi(sinistra);
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra, 1);
    tutto->addWidget(m_frameInfo);

    RiempiLista();
}

void frmMatr::creaDettagli() {
    m_frameInfo = new QGroupBox(this);
    m_frameInfo->setObjectName(QStringLiteral("frameInfo"));
    auto* dettagli = new QGridLayout(m_frameInfo);
    m_frameInfo->setLayout(dettagli);
    m_txtNumMatrix = casella("txtNumMatrix", QStringLiteral("Numeri della Matrice"), 0, 0);
    m_txtLenCol = casella("txtLenCol", QStringLiteral("Lunghezza Colonna"), 1, 0);
    m_txtGaranty = casella("txtGaranty", QStringLiteral("Garanzia della Matrice"), 2, 0);
    m_txtPickUp = casella("txtPickUp", QStringLiteral("Numeri Estratti per la Garanzia"), 3, 0);
    m_txtFixedNum = casella("txtFixedNum", QStringLiteral("Numero Fisse"), 4, 0);
    m_txtColMatrix = casella("txtColMatrix", QStringLiteral("Colonne della Matrice"), 5, 0);
    m_txtPercentage = casella("txtPercentage", QStringLiteral("Copertura"), 6, 0);
    m_txtAuthor = casella("txtAuthor", QStringLiteral("Autore Matrice"), 7, 0);
    m_txtDescription = casella("txtDescription", QStringLiteral("Descrizione Matrice"), 8, 0);
    m_txtFileName = casella("txtFileName", QStringLiteral("File Matrice"), 9, 0);
    m_lblChkVersion = new QLabel(m_frameInfo);
    m_lblChkVersion->setObjectName(QStringLiteral("lblChkVersion"));
    m_lblOK = new QLabel(m_frameInfo);
    m_lblOK->setObjectName(QStringLiteral("lblOK"));
    for (QLabel* l : {m_lblChkVersion, m_lblOK}) {
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Versione non valida")) + 12);
    }
    m_lblDifetto = new QLabel(m_frameInfo);
    m_lblDifetto->setObjectName(QStringLiteral("lblDifetto"));
    m_lblDifetto->setWordWrap(true);
    auto* stati = new QHBoxLayout;
    stati->addWidget(m_lblChkVersion);
    stati->addWidget(m_lblOK);
    dettagli->addLayout(stati, 10, 0, 1, 2);
    dettagli->addWidget(m_lblDifetto, 11, 0, 1, 2);
}

void frmMatr::creaComandi(QBoxLayout* sinistra) {
    m_cmdAdattaMatrice = new QPushButton(QStringLiteral("Adatta"), this);
    m_cmdAdattaMatrice->setObjectName(QStringLiteral("cmdAdattaMatrice"));
    m_cmdAdattaMatrice->setToolTip(QStringLiteral("Adatta la Matrice"));
    m_cmdAdattaMatrice->setVisible(false);
    m_cmdAdattaMatrice->setEnabled(false);
    m_cmdUpdateMatrix = new QPushButton(QStringLiteral("A&ggiorna Matrici"), this);
    m_cmdUpdateMatrix->setObjectName(QStringLiteral("cmdUpdateMatrix"));
    m_cmdUpdateMatrix->setToolTip(QStringLiteral("Scarica le matrici pubblicate"));
    m_cmdOpenDir = new QPushButton(QStringLiteral("Apri &Cartella"), this);
    m_cmdOpenDir->setObjectName(QStringLiteral("cmdOpenDir"));
    m_cmdOpenDir->setToolTip(QStringLiteral("Apre la cartella delle matrici"));
    m_cmdGenera = new QPushButton(QStringLiteral("&Genera matrice..."), this);
    m_cmdGenera->setObjectName(QStringLiteral("cmdGenera"));
    m_cmdGenera->setToolTip(QStringLiteral("Genera una matrice per i numeri in gioco"));
    m_prgAggiornamento = new QProgressBar(this);
    m_prgAggiornamento->setObjectName(QStringLiteral("prgAggiornamento"));
    m_prgAggiornamento->setFormat(QStringLiteral("%v di %m"));
    m_prgAggiornamento->setVisible(false);
    m_cmdInterrompi = new QPushButton(QStringLiteral("&Interrompi"), this);
    m_cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    m_cmdInterrompi->setToolTip(QStringLiteral("Interrompe lo scaricamento"));
    m_cmdInterrompi->setVisible(false);
    for (QPushButton* p : {m_cmdAdattaMatrice, m_cmdUpdateMatrix, m_cmdOpenDir, m_cmdGenera, m_cmdInterrompi})
        p->setAutoDefault(false);
    connect(m_cmdInterrompi, &QPushButton::clicked, this, [this] { m_interrotto = true; });
    connect(m_cmdGenera, &QPushButton::clicked, this, &frmMatr::cmdGenera_Click);
    connect(m_cmdAdattaMatrice, &QPushButton::clicked, this, &frmMatr::cmdAdattaMatrice_Click);
    connect(m_cmdUpdateMatrix, &QPushButton::clicked, this, &frmMatr::cmdUpdateMatrix_Click);
    connect(m_cmdOpenDir, &QPushButton::clicked, this, &frmMatr::cmdOpenDir_Click);

    auto* pulsanti = new QHBoxLayout;
    for (QPushButton* p : {m_cmdAdattaMatrice, m_cmdUpdateMatrix, m_cmdOpenDir, m_cmdGenera})
        pulsanti->addWidget(p);
    pulsanti->addStretch(1);
    auto* aggiornamento = new QHBoxLayout;
    aggiornamento->addWidget(m_prgAggiornamento, 1);
    aggiornamento->addWidget(m_cmdInterrompi);
    sinistra->addLayout(pulsanti);
    sinistra->addLayout(aggiornamento);
}

QLineEdit* frmMatr::casella(const char* nome, const QString& didascalia, int riga, int colonna) {
    auto* griglia = static_cast<QGridLayout*>(m_frameInfo->layout());
    auto* testo = new QLineEdit(m_frameInfo);
    testo->setObjectName(QString::fromLatin1(nome));
    testo->setReadOnly(true);
    testo->installEventFilter(this);
    auto* etichetta = new QLabel(didascalia, m_frameInfo);
    etichetta->setBuddy(testo);
    griglia->addWidget(etichetta, riga, colonna);
    griglia->addWidget(testo, riga, colonna + 1);
    m_caselle.push_back(testo);
    return testo;
}

bool frmMatr::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* testo = qobject_cast<QLineEdit*>(oggetto);
    if (testo && evento->type() == QEvent::FocusIn) {
        // After the focus settles, or the mouse press would undo the selection.
        QTimer::singleShot(0, testo, &QLineEdit::selectAll);
    } else if (testo && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void frmMatr::modalitaAdatta() {
    m_modalitaAdatta = true;
    m_cmdAdattaMatrice->setVisible(true);
    m_cmdUpdateMatrix->setVisible(false);
    m_cmdOpenDir->setVisible(false);
    flSPL_Click(m_flSPL->currentRow());
}

void frmMatr::RiempiLista() {
    const QSignalBlocker silenzio(m_flSPL);
    m_flSPL->clear();
    for (const VoceCatalogo& voce : m_corpo.catalogoMatrici)
        if (!voce.nomeFile.isEmpty())
            m_flSPL->addItem(RigaCatalogo(voce));
    setWindowTitle(QStringLiteral("Matrici Disponibili (%1)").arg(m_flSPL->count()));
    if (m_flSPL->count() > 0)
        m_flSPL->setCurrentRow(0);
    flSPL_Click(m_flSPL->currentRow());
}

void frmMatr::mostraStato(QLabel* etichetta, bool valido, const QString& testo) {
    etichetta->setText(valido ? QString() : testo);
    QPalette colori = palette();
    if (!valido)
        colori.setColor(QPalette::Window, Qt::red);
    etichetta->setPalette(colori);
}

void frmMatr::svuotaDettagli() {
    for (QLineEdit* c : m_caselle)
        c->clear();
    mostraStato(m_lblChkVersion, true, {});
    mostraStato(m_lblOK, true, {});
    m_lblDifetto->clear();
    m_cmdAdattaMatrice->setEnabled(false);
}

void frmMatr::flSPL_Click(int indice) {
    if (indice < 0 || static_cast<std::size_t>(indice) >= m_corpo.catalogoMatrici.size()) {
        svuotaDettagli();
        return;
    }
    const VoceCatalogo& voce = m_corpo.catalogoMatrici[static_cast<std::size_t>(indice)];
    const MATRIX_HEADER& h = voce.intestazione;
    m_txtNumMatrix->setText(Decimale(h.NUMBERS_OF_MATRIX_V));
    m_txtLenCol->setText(Decimale(h.LENGTH_OF_COLUMN_K));
    m_txtGaranty->setText(Decimale(h.GARANTY_T));
    m_txtPickUp->setText(Decimale(h.PICK_UP_NUMBERS_M));
    m_txtFixedNum->setText(Decimale(h.FIXED_NUMBERS_OF_MATRIX_F));
    m_txtColMatrix->setText(Decimale(h.COLUMNS_OF_MATRIX_C));
    m_txtPercentage->setText(DaCp1252(h.PERCENTAGE_COVER).trimmed());
    m_txtAuthor->setText(DaCp1252(h.AUTHOR).trimmed());
    m_txtDescription->setText(DaCp1252(h.DESCRIPTION).trimmed());
    m_txtFileName->setText(voce.nomeFile);
    mostraStato(m_lblChkVersion, voce.versioneValida != 0, QStringLiteral("Versione non valida"));
    mostraStato(m_lblOK, voce.crcValido != 0, QStringLiteral("Matrice Corrotta"));
    m_lblDifetto->setText(voce.difetto.isEmpty() ? QString() : QStringLiteral("Non adattabile: ") + voce.difetto);
    m_cmdAdattaMatrice->setEnabled(m_modalitaAdatta && voce.versioneValida != 0 && voce.crcValido != 0 &&
                                   voce.difetto.isEmpty());
}

void frmMatr::cmdAdattaMatrice_Click() {
    const int indice = m_flSPL->currentRow();
    if (!m_cmdAdattaMatrice->isEnabled() || indice < 0 ||
        static_cast<std::size_t>(indice) >= m_corpo.catalogoMatrici.size())
        return;
    {
        frmOrdinaPronostico ordine(m_corpo, this);
        ordine.exec();
    }
    setEnabled(false);
    const QString percorso = QDir(CartellaMatrici(m_corpo.cartellaDati))
                                 .filePath(m_corpo.catalogoMatrici[static_cast<std::size_t>(indice)].nomeFile);
    const std::optional<MATRIX_STRUCTURE> matrice = LeggiMatrice(percorso);
    if (!matrice)
        m_ui.messaggio(QStringLiteral("Matrice Corrotta"), windowTitle(), Icona::Esclamazione, Pulsanti::Ok);
    else
        m_adattata = AdattaVoce(m_corpo.sistema, *matrice, m_ui);
    setEnabled(true);
    if (m_adattata)
        accept();
}

void frmMatr::cmdUpdateMatrix_Click() {
    if (m_aggiornamentoInCorso)
        return;
    mostraAggiornamento(true);
    const EsitoMatrici esito = AggiornaMatrici(m_scarica, CartellaMatrici(m_corpo.cartellaDati), this);
    mostraAggiornamento(false);
    if (esito.listaScaricata) {
        CaricaCatalogoMatrici(m_corpo, 0);
        RiempiLista();
        m_ui.messaggio(TestoEsitoMatrici(esito), windowTitle(), Icona::Informazione, Pulsanti::Ok);
    } else if (!esito.interrotto) {
        m_ui.messaggio(ErroreLista, windowTitle(), Icona::Critica, Pulsanti::Ok);
    }
}

// While the update runs the details and the other commands give way to its progress and stop.
void frmMatr::mostraAggiornamento(bool inCorso) {
    m_aggiornamentoInCorso = inCorso;
    m_interrotto = false;
    if (inCorso)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
    m_frameInfo->setVisible(!inCorso);
    for (QWidget* w : std::initializer_list<QWidget*>{m_flSPL, m_cmdUpdateMatrix, m_cmdOpenDir, m_cmdGenera})
        w->setEnabled(!inCorso);
    m_prgAggiornamento->setRange(0, 0);
    m_prgAggiornamento->setVisible(inCorso);
    m_cmdInterrompi->setVisible(inCorso);
    if (inCorso)
        m_cmdInterrompi->setFocus();
    repaint();
}

void frmMatr::avanzamento(int fatte, int totale) {
    m_prgAggiornamento->setRange(0, totale);
    m_prgAggiornamento->setValue(fatte);
    m_ui.elaboraEventi();
}

void frmMatr::reject() {
    if (m_aggiornamentoInCorso) {
        m_interrotto = true;
        return;
    }
    QDialog::reject();
}

void frmMatr::cmdGenera_Click() {
    const int v = m_corpo.sistema.numeriInGioco;
    if (v < VMinimoDisegno || v > VMassimoDisegno) {
        m_ui.messaggio(QStringLiteral("Per generare una matrice servono da %1 a %2 numeri in gioco")
                           .arg(VMinimoDisegno)
                           .arg(VMassimoDisegno),
                       windowTitle(), Icona::Informazione, Pulsanti::Ok);
        return;
    }
    frmGeneraMatrice genera(v, CartellaMatrici(m_corpo.cartellaDati), m_ui, this);
    if (genera.exec() != QDialog::Accepted)
        return;
    CaricaCatalogoMatrici(m_corpo, m_modalitaAdatta ? v : 0);
    RiempiLista();
    const QString nome = QFileInfo(genera.fileScritto()).fileName();
    for (std::size_t i = 0; i < m_corpo.catalogoMatrici.size(); ++i)
        if (m_corpo.catalogoMatrici[i].nomeFile == nome)
            m_flSPL->setCurrentRow(static_cast<int>(i));
}

void frmMatr::cmdOpenDir_Click() {
    const QString cartella = CartellaMatrici(m_corpo.cartellaDati);
    QDir().mkpath(cartella);
    ApriDocumento(cartella);
}

} // namespace sestina
