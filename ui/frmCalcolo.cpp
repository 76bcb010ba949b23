#include "frmCalcolo.h"

#include "Finestre.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "Sistema.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestina {

namespace {

const QString DidascaliaDaElaborare = QStringLiteral("Colonne da elaborare");
const QString DidascaliaElaborate = QStringLiteral("Colonne elaborate");
const QString DidascaliaSistema = QStringLiteral("Colonne Sistema");

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore) {
    auto* e = new QLabel(testo, genitore);
    e->setObjectName(nome);
    return e;
}

QLabel* valore(const QString& nome, QWidget* genitore) {
    QLabel* e = etichetta(nome, QString(), genitore);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(FormattaContatore(9'999'999'999.0)) + 8);
    return e;
}

} // namespace

frmCalcolo::frmCalcolo(Sistema& sistema, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_sistema(sistema), m_ui(ui) {
    setObjectName(QStringLiteral("frmCalcolo"));
    CentraAllaComparsa(*this);
    setWindowTitle(QStringLiteral("Elaborazione in corso..."));

    m_labDaElaborare = valore(QStringLiteral("labDaElaborare"), this);
    m_labElaborate = valore(QStringLiteral("labElaborate"), this);
    m_labSistema = valore(QStringLiteral("labSistema"), this);

    auto* contatori = new QGridLayout;
    contatori->addWidget(etichetta(QStringLiteral("lblDaElaborare"), DidascaliaDaElaborare, this), 0, 0);
    contatori->addWidget(m_labDaElaborare, 0, 1);
    contatori->addWidget(etichetta(QStringLiteral("lblElaborate"), DidascaliaElaborate, this), 1, 0);
    contatori->addWidget(m_labElaborate, 1, 1);
    contatori->addWidget(etichetta(QStringLiteral("lblSistema"), DidascaliaSistema, this), 2, 0);
    contatori->addWidget(m_labSistema, 2, 1);

    m_barra = new QProgressBar(this);
    m_barra->setObjectName(QStringLiteral("ProgressBar1"));
    m_barra->setRange(0, 100);
    m_barra->setValue(0);
    m_barra->setTextVisible(false);

    QLabel* scala = etichetta(QStringLiteral("lblScala"), QStringLiteral("0% 50% 100%"), this);
    scala->setAlignment(Qt::AlignCenter);

    m_lblAllarme = etichetta(QStringLiteral("lblAllarme"), QString(), this);
    m_lblAllarme->setWordWrap(true);
    m_lblAllarme->setAlignment(Qt::AlignCenter);
    // Room for the two-line alarm from the start, so the window does not jump when it appears.
    m_lblAllarme->setMinimumHeight(2 * m_lblAllarme->fontMetrics().lineSpacing() + 4);
    QPalette rosso = m_lblAllarme->palette();
    rosso.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_lblAllarme->setPalette(rosso);

    m_cmdAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    m_cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(m_cmdAnnulla, &QPushButton::clicked, this, [this] { cmdAnnulla_Click(); });

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addLayout(contatori);
    disposizione->addWidget(m_barra);
    disposizione->addWidget(scala);
    disposizione->addWidget(m_lblAllarme);
    disposizione->addWidget(m_cmdAnnulla, 0, Qt::AlignHCenter);
    disposizione->setSizeConstraint(QLayout::SetFixedSize);
}

void frmCalcolo::avvio(double integrale) {
    // The same window may serve several developments: start each from a clean slate.
    m_colonneIntegrale = integrale;
    m_colonneElaborate = 0;
    m_colonneSistema = 0;
    m_inCorso = true;
    m_barra->setValue(0);
    m_lblAllarme->clear();
    m_labDaElaborare->clear();
    m_labElaborate->clear();
    m_labSistema->clear();
    m_cmdAnnulla->setEnabled(true);
    if (!isVisible()) {
        adjustSize();
        show();
    }
}

void frmCalcolo::contatori(double elaborate, std::int32_t accettate) {
    m_colonneElaborate = elaborate;
    m_colonneSistema = accettate;
}

void frmCalcolo::passo(std::int32_t passo, double integrale, double elaborate, std::int32_t accettate) {
    m_barra->setValue(qBound(0, passo * 5, 100));
    scriviContatori(integrale, elaborate, accettate);
}

void frmCalcolo::allarme(const QString& testo) {
    m_lblAllarme->setText(testo);
}

void frmCalcolo::fine(double integrale, double elaborate, std::int32_t accettate) {
    scriviContatori(integrale, elaborate, accettate);
    // Nothing is left to stop: a late click must not mark a finished development as cancelled.
    m_inCorso = false;
    m_cmdAnnulla->setEnabled(false);
}

void frmCalcolo::closeEvent(QCloseEvent* evento) {
    if (!sviluppoInCorso()) {
        evento->accept();
        return;
    }
    // The engine still holds this window: it stays until the caller closes it after the engine returns.
    evento->ignore();
    if (chiediAnnullamento())
        m_sistema.sviluppoAnnullato = Vero;
}

void frmCalcolo::cmdAnnulla_Click() {
    // A second click queued behind the first answer has nothing left to ask.
    if (!sviluppoInCorso())
        return;
    if (chiediAnnullamento())
        m_sistema.sviluppoAnnullato = Vero;
}

bool frmCalcolo::chiediAnnullamento() {
    m_ui.beep();
    const QString domanda = DidascaliaDaElaborare + FormattaContatore(m_colonneIntegrale) + QStringLiteral("\r\n") +
                            DidascaliaElaborate + FormattaContatore(m_colonneElaborate) + QStringLiteral("\r\n") +
                            DidascaliaSistema + FormattaContatore(m_colonneSistema) + QStringLiteral("\r\n") +
                            QStringLiteral("Uscire dallo sviluppo?");
    return m_ui.messaggio(domanda, windowTitle(), Icona::Domanda, Pulsanti::SiNo) == Risposta::Si;
}

bool frmCalcolo::sviluppoInCorso() const {
    return m_inCorso && m_sistema.sviluppoAnnullato == 0;
}

void frmCalcolo::scriviContatori(double integrale, double elaborate, std::int32_t accettate) {
    m_labDaElaborare->setText(FormattaContatore(integrale));
    m_labElaborate->setText(FormattaContatore(elaborate));
    m_labSistema->setText(FormattaContatore(accettate));
}

} // namespace sestina
