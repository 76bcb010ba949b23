#include "frmSpoglioEstrazioni.h"

#include "Corpo.h"
#include "Errore.h"
#include "Finestre.h"
#include "GrigliaSpoglio.h"
#include "Interfaccia.h"
#include "ModelloSpoglio.h"
#include "SpoglioEstrazioni.h"
#include "ZonaAttesa.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestina {
namespace {

const QString NomeFinestra = QStringLiteral("frmSpoglioEstrazioni");
const QString Procedura = QStringLiteral("SpoglioArchivioEstrazioni");
// What is added to the widest text of a column: 230 twips.
constexpr double MargineColonnaTwip = 230;

} // namespace

frmSpoglioEstrazioni::frmSpoglioEstrazioni(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui), m_modello(new ModelloSpoglio(this)) {
    setObjectName(NomeFinestra);
    setWindowTitle(QStringLiteral("Spoglio Estrazioni"));

    m_cmbDal = new QComboBox(this);
    m_cmbDal->setObjectName(QStringLiteral("cmbDal"));
    m_cmbAl = new QComboBox(this);
    m_cmbAl->setObjectName(QStringLiteral("cmbAl"));
    for (QComboBox* lista : {m_cmbDal, m_cmbAl}) {
        lista->setFont(CarattereCourier(10.0));
        lista->setMaxVisibleItems(20);
        lista->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        lista->setMinimumContentsLength(11);
    }
    m_cmdSpoglio = new QPushButton(QStringLiteral("&Spoglio"), this);
    m_cmdSpoglio->setObjectName(QStringLiteral("cmdSpoglioEstrazioni"));
    connect(m_cmdSpoglio, &QPushButton::clicked, this, &frmSpoglioEstrazioni::cmdSpoglioEstrazioni_Click);

    auto* intervallo = new QHBoxLayout;
    intervallo->addWidget(new QLabel(QStringLiteral("Dal"), this));
    intervallo->addWidget(m_cmbDal);
    intervallo->addWidget(new QLabel(QStringLiteral("Al"), this));
    intervallo->addWidget(m_cmbAl);
    intervallo->addStretch(1);
    intervallo->addWidget(m_cmdSpoglio);

    m_flexGrid = new GrigliaSpoglio(this);
    m_flexGrid->setObjectName(QStringLiteral("flexGrid"));
    m_flexGrid->setModel(m_modello);
    m_flexGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_flexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_flexGrid->installEventFilter(this);
    m_zonaGriglia = new ZonaAttesa(m_flexGrid, QStringLiteral("lblElaborazione"),
                                   QStringLiteral("Elaborazione in corso\r\n...."), this);

    auto* riepilogo = new QGroupBox(QStringLiteral("Riepilogo"), this);
    riepilogo->setObjectName(QStringLiteral("fraRiepilogo"));
    auto* griglia = new QGridLayout(riepilogo);
    const QStringList didascalie = {
        QStringLiteral("Totale Estrazioni"),         QStringLiteral("Estrazioni con max pt.6"),
        QStringLiteral("Estrazioni con max pt.5+1"), QStringLiteral("Estrazioni con max pt.5"),
        QStringLiteral("Estrazioni con max pt.4"),   QStringLiteral("Estrazioni con max pt.3"),
        QStringLiteral("Estrazioni con max pt.2"),   QStringLiteral("Estrazioni non vincenti")};
    for (int i = 0; i < didascalie.size(); ++i) {
        auto* valore = new QLabel(QStringLiteral("0"), riepilogo);
        valore->setObjectName(QStringLiteral("lblRiepilogo_%1").arg(i));
        valore->setTextFormat(Qt::PlainText); // dates come from the archive
        valore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        valore->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        valore->setMinimumWidth(valore->fontMetrics().horizontalAdvance(QStringLiteral("999.999.999.999")) + 8);
        griglia->addWidget(new QLabel(didascalie[i], riepilogo), i % 4, (i / 4) * 2);
        griglia->addWidget(valore, i % 4, (i / 4) * 2 + 1);
        m_riepilogo << valore;
    }

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(intervallo);
    tutto->addWidget(m_zonaGriglia, 1);
    tutto->addWidget(riepilogo);
    resize(900, 600);

    // The window's load: the working label, and the empty grid.
    m_modello->svuota();
    mostraGriglia(true);
}

frmSpoglioEstrazioni::~frmSpoglioEstrazioni() = default;

void frmSpoglioEstrazioni::mostraGriglia(bool visibile) {
    m_zonaGriglia->mostraContenuto(visibile);
    m_flexGrid->setUpdatesEnabled(visibile);
}

bool frmSpoglioEstrazioni::populateCmbEstrazioni() {
    setEnabled(false);
    for (QComboBox* lista : {m_cmbDal, m_cmbAl}) {
        lista->hide();
        lista->setEnabled(false);
        lista->clear();
    }
    m_ui.elaboraEventi();
    const QStringList date = DateEstrazioni(m_corpo.archivioEstrazioni);
    if (date.size() > LimiteDateSpoglio) {
        m_ui.messaggio(TestoArchivioTroppoGrande(), TitoloArchivioTroppoGrande(), Icona::Critica, Pulsanti::Ok);
        setEnabled(true);
        return false;
    }
    m_cmbDal->addItems(date);
    m_cmbAl->addItems(date);
    m_cmbDal->setCurrentIndex(date.isEmpty() ? -1 : 0);
    m_cmbAl->setCurrentIndex(static_cast<int>(date.size()) - 1);
    for (QComboBox* lista : {m_cmbDal, m_cmbAl}) {
        lista->show();
        lista->setEnabled(true);
    }
    setEnabled(true);
    return true;
}

void frmSpoglioEstrazioni::aggiornaDate() {
    const QString dal = m_cmbDal->currentText();
    const QString al = m_cmbAl->currentText();
    if (!populateCmbEstrazioni())
        return;
    for (const auto& [lista, data] : {std::pair{m_cmbDal, dal}, std::pair{m_cmbAl, al}})
        if (const int indice = lista->findText(data, Qt::MatchFixedString); !data.isEmpty() && indice >= 0)
            lista->setCurrentIndex(indice);
}

void frmSpoglioEstrazioni::cmdSpoglioEstrazioni_Click() {
    m_modello->svuota();
    SpoglioArchivioEstrazioni();
}

void frmSpoglioEstrazioni::SpoglioArchivioEstrazioni() {
    // Lists that are off (too large an archive) offer no selection either.
    if (m_cmbDal->currentIndex() >= 0 && m_cmbDal->isEnabled()) {
        try {
            // A copy: an update of the archive while the window system runs must not pull it away.
            const ArchivioEstrazioni archivio = m_corpo.archivioEstrazioni;
            const IntervalloSpoglio intervallo =
                TrovaIntervallo(archivio, m_cmbDal->currentText(), m_cmbAl->currentText());
            mostraGriglia(false);
            Occupato occupato(m_ui);
            m_cmdSpoglio->setEnabled(false);
            m_ui.elaboraEventi();
            m_modello->imposta(archivio, SpogliaEstrazioni(m_corpo.sistema, archivio, intervallo, m_ui));
        } catch (const Errore& e) {
            mostraGriglia(true);
            m_cmdSpoglio->setEnabled(true);
            MostraErrore(m_ui, e, Procedura, NomeFinestra);
            return;
        }
        mostraGriglia(true);
    }
    m_cmdSpoglio->setEnabled(true);
    scriviRiepilogo();
    dimensionaColonne();
}

void frmSpoglioEstrazioni::scriviRiepilogo() {
    const auto voci = RiepilogoSpoglio(m_modello->esito());
    for (qsizetype i = 0; i < voci.size() && i < m_riepilogo.size(); ++i)
        m_riepilogo[i]->setText(voci[i].second);
}

void frmSpoglioEstrazioni::dimensionaColonne() {
    const QFontMetrics normale(font());
    QFont grassetto = font();
    grassetto.setBold(true);
    const QFontMetrics misuraGrassetto(grassetto);
    const int margine = qRound(MargineColonnaTwip / 1440.0 * logicalDpiX());
    const int righe = m_modello->rowCount();
    for (int c = 0; c < m_modello->columnCount(); ++c) {
        int larga = 0;
        for (int r = 0; r < righe; ++r) {
            const QString testo = m_modello->index(r, c).data().toString();
            larga = std::max(larga, (r == 1 ? misuraGrassetto : normale).horizontalAdvance(testo));
        }
        m_flexGrid->setColumnWidth(c, larga + margine);
    }
}

void frmSpoglioEstrazioni::CopyMSHFlexGridToClipBoard() {
    const QModelIndexList scelte = m_flexGrid->selectionModel()->selectedIndexes();
    if (scelte.isEmpty())
        return;
    int primaRiga = scelte.front().row();
    int ultimaRiga = primaRiga;
    int primaColonna = scelte.front().column();
    int ultimaColonna = primaColonna;
    for (const QModelIndex& i : scelte) {
        primaRiga = std::min(primaRiga, i.row());
        ultimaRiga = std::max(ultimaRiga, i.row());
        primaColonna = std::min(primaColonna, i.column());
        ultimaColonna = std::max(ultimaColonna, i.column());
    }
    Occupato occupato(m_ui);
    QString testo;
    for (int r = primaRiga; r <= ultimaRiga; ++r) {
        const QStringList celle = m_modello->celle(r);
        testo +=
            celle.mid(primaColonna, ultimaColonna - primaColonna + 1).join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    QClipboard* appunti = QApplication::clipboard();
    appunti->clear();
    appunti->setText(testo);
}

// Every key press the window receives copies the selection, whichever control has the focus.
bool frmSpoglioEstrazioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == m_flexGrid && evento->type() == QEvent::KeyPress)
        QMetaObject::invokeMethod(
            this, [this] { CopyMSHFlexGridToClipBoard(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(oggetto, evento);
}

void frmSpoglioEstrazioni::keyPressEvent(QKeyEvent* evento) {
    CopyMSHFlexGridToClipBoard();
    QWidget::keyPressEvent(evento);
}

} // namespace sestina
