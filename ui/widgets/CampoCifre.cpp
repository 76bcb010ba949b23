#include "CampoCifre.h"

#include "Interfaccia.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace sestina {
namespace {

// Keys that edit or move without typing: they keep their usual meaning.
bool TastoDiModifica(int tasto) {
    switch (tasto) {
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
        return true;
    default:
        return false;
    }
}

} // namespace

CampoCifre::CampoCifre(Cifre cifre, Interfaccia& ui, QWidget* parent) : QLineEdit(parent), m_cifre(cifre), m_ui(ui) {
    const QString regola = cifre == Cifre::Intere ? QStringLiteral("[0-9]*") : QStringLiteral("[0-9.,]*");
    setValidator(new QRegularExpressionValidator(QRegularExpression(regola), this));
}

bool CampoCifre::ammesso(QChar c) const {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    return m_cifre == Cifre::Decimali && (c == QLatin1Char(',') || c == QLatin1Char('.'));
}

void CampoCifre::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        evento->accept();
        Q_EMIT invio();
        return;
    }
    // Shortcuts (copy, paste, undo) and keys that type nothing pass; the validator guards paste.
    const QString testo = evento->text();
    if (TastoDiModifica(evento->key()) || testo.isEmpty() ||
        (evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || (testo.size() == 1 && ammesso(testo[0]))) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    evento->accept();
    m_ui.beep();
}

} // namespace sestina
