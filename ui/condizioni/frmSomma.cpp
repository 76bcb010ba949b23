#include "frmSomma.h"

#include "Interfaccia.h"
#include "InterruttoreOnOff.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
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

QLineEdit* campoSomma(const char* nome, QWidget* genitore) {
    auto* campo = new QLineEdit(genitore);
    campo->setObjectName(QLatin1String(nome));
    campo->setMaxLength(7); // the largest sum is 525; room for a decimal or two
    campo->setAlignment(Qt::AlignRight);
    // The key filter beeps on a wrong key; the validator also keeps pasted text clean.
    campo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.,]*")), campo));
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
    m_txtDa = campoSomma("txtDa", frame);
    m_txtA = campoSomma("txtA", frame);
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
    for (QLineEdit* campo : {m_txtDa, m_txtA})
        campo->installEventFilter(this);
    setTabOrder(m_txtDa, m_txtA);
    setTabOrder(m_txtA, optCondSomma->opzione(0));
    optCondSomma->collegaFlag(m_sistema.condSomma);
}

bool frmSomma::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(oggetto);
    if (!campo)
        return DialogoCondizione::eventFilter(oggetto, evento);
    if (evento->type() == QEvent::KeyPress)
        return filtraTasto(*campo, *static_cast<QKeyEvent*>(evento));
    if (evento->type() == QEvent::FocusIn) {
        // After the line edit's own focus handling, which would select everything on Tab.
        QTimer::singleShot(0, campo, [campo] {
            campo->deselect();
            campo->setCursorPosition(0);
        });
    }
    return DialogoCondizione::eventFilter(oggetto, evento);
}

// True when the key is consumed here.
bool frmSomma::filtraTasto(QLineEdit& campo, const QKeyEvent& tasto) {
    switch (tasto.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        (&campo == m_txtDa ? m_txtA : m_txtDa)->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    // Shortcuts (copy, paste, undo) and keys that type nothing pass; the validator guards paste.
    if (tasto.text().isEmpty() || (tasto.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar c = tasto.text().at(0);
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') || c == QLatin1Char('.'))
        return false;
    m_ui.beep();
    return true;
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
