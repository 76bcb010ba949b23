#include "frmSomma.h"

#include "CampoCifre.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sestina {

namespace {

QLabel* etichetta(const QString& testo, QWidget* genitore, const char* nome = nullptr) {
    auto* l = new QLabel(testo, genitore);
    if (nome)
        l->setObjectName(QLatin1String(nome));
    return l;
}

CampoCifre* campoSomma(const char* nome, Interfaccia& ui, QWidget* genitore) {
    auto* campo = new CampoCifre(CampoCifre::Cifre::Decimali, ui, genitore);
    campo->setObjectName(QLatin1String(nome));
    campo->setMaxLength(7); // the largest sum is 525; room for a decimal or two
    campo->setAlignment(Qt::AlignRight);
    const int larghezza = campo->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 16;
    campo->setMinimumWidth(larghezza);
    campo->setMaximumWidth(larghezza * 2);
    return campo;
}

} // namespace

frmSomma::frmSomma(Sistema& sistema, Interfaccia& ui, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral("  Somma"), parent), m_ui(ui) {
    setObjectName(QStringLiteral("frmSomma"));
    AggiornaPronostico(m_sistema);
    m_limiti = CalcolaLimitiSomma(m_sistema);

    QGroupBox* frame = frameEsterno(QStringLiteral("frameSomma"));
    m_txtDa = campoSomma("txtDa", m_ui, frame);
    m_txtA = campoSomma("txtA", m_ui, frame);
    auto* optCondSomma = new InterruttoreOnOff(QStringLiteral("optCondSomma"), frame);

    auto* griglia = new QGridLayout(frame);
    auto* lblDa = etichetta(QStringLiteral("DA"), frame);
    auto* lblA = etichetta(QStringLiteral("A"), frame);
    lblDa->setBuddy(m_txtDa);
    lblA->setBuddy(m_txtA);
    griglia->addWidget(lblDa, 0, 0);
    griglia->addWidget(m_txtDa, 0, 1);
    griglia->addWidget(lblA, 0, 2);
    griglia->addWidget(m_txtA, 0, 3);
    griglia->addWidget(etichetta(QStringLiteral("Minimo"), frame), 1, 0);
    griglia->addWidget(etichetta(QString::number(m_limiti.minimo), frame, "labMin"), 1, 1);
    griglia->addWidget(etichetta(QStringLiteral("Massimo"), frame), 1, 2);
    griglia->addWidget(etichetta(QString::number(m_limiti.massimo), frame, "labMax"), 1, 3);
    griglia->addWidget(optCondSomma, 2, 0, 1, 4);

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addWidget(frame);
    disposizione->setSizeConstraint(QLayout::SetFixedSize);

    m_txtDa->setText(QString::number(SommaProposta(m_sistema.sommaDa, m_limiti.minimo, m_limiti)));
    m_txtA->setText(QString::number(SommaProposta(m_sistema.sommaA, m_limiti.massimo, m_limiti)));
    for (CampoCifre* campo : {m_txtDa, m_txtA})
        campo->installEventFilter(this);
    // Enter goes from one bound to the other.
    connect(m_txtDa, &CampoCifre::invio, this, [this] { m_txtA->setFocus(Qt::TabFocusReason); });
    connect(m_txtA, &CampoCifre::invio, this, [this] { m_txtDa->setFocus(Qt::TabFocusReason); });
    setTabOrder(m_txtDa, m_txtA);
    setTabOrder(m_txtA, optCondSomma->opzione(0));
    optCondSomma->collegaFlag(m_sistema.condSomma);
}

bool frmSomma::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(oggetto);
    if (campo && evento->type() == QEvent::FocusIn) {
        // After the line edit's own focus handling, which would select everything on Tab.
        QTimer::singleShot(0, campo, [campo] {
            campo->deselect();
            campo->setCursorPosition(0);
        });
    }
    return DialogoCondizione::eventFilter(oggetto, evento);
}

void frmSomma::segnala(ErroreSomma errore) {
    m_ui.beep();
    switch (errore) {
    case ErroreSomma::DaMaggioreDiA:
        m_ui.messaggio(QStringLiteral("'DA' è maggiore di 'A'"), QStringLiteral(" !!! E R R O R E !!! "),
                       Icona::Esclamazione, Pulsanti::Ok);
        m_txtA->setFocus();
        break;
    case ErroreSomma::DaSottoMinimo:
        m_ui.messaggio(QStringLiteral("'DA' è minore del minimo"), QStringLiteral("!!! E R R O R E !!!"),
                       Icona::Esclamazione, Pulsanti::Ok);
        m_txtDa->setFocus();
        break;
    case ErroreSomma::ASopraMassimo:
        m_ui.messaggio(QStringLiteral("'A' è maggiore del massimo"), QStringLiteral("!!! E R R O R E !!!"),
                       Icona::Esclamazione, Pulsanti::Ok);
        m_txtA->setFocus();
        break;
    }
}

bool frmSomma::puoChiudere() {
    if (sviluppato())
        return true;
    const QList<ErroreSomma> errori = ControllaSomma(m_txtDa->text(), m_txtA->text(), m_limiti);
    for (ErroreSomma errore : errori)
        segnala(errore);
    return errori.isEmpty();
}

void frmSomma::allaChiusura() {
    // Only bounds that passed every check reach the System, so a rejected pair can never linger.
    if (!sviluppato())
        ScriviSomma(m_sistema, m_txtDa->text(), m_txtA->text());
}

} // namespace sestina
