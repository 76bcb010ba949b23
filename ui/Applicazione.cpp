#include "Applicazione.h"

#include "Errore.h"
#include "Interfaccia.h"

#include <QWidget>

#include <new>

namespace sestina {

bool ConsegnaProtetta(const std::function<bool()>& consegna, const QObject* destinatario, Interfaccia& ui) {
    try {
        return consegna();
    } catch (const std::bad_alloc&) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        const auto* widget = qobject_cast<const QWidget*>(destinatario);
        const QString finestra = widget ? widget->window()->objectName() : QString();
        MostraErrore(ui, Errore::comune(numeri_errore::MemoriaEsaurita),
                     destinatario ? destinatario->objectName() : QString(), finestra);
        return true;
    }
}

Applicazione::Applicazione(int& argc, char** argv) : QApplication(argc, argv) {}

bool Applicazione::notify(QObject* destinatario, QEvent* evento) {
    if (!m_ui)
        return QApplication::notify(destinatario, evento);
    return ConsegnaProtetta([&] { return QApplication::notify(destinatario, evento); }, destinatario, *m_ui);
}

} // namespace sestina
