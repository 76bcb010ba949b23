#include "Applicazione.h"

#include "Errore.h"
#include "Interfaccia.h"

#include <QLibraryInfo>
#include <QWidget>

#include <memory>

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

QTranslator* CaricaTraduzioniQt(QCoreApplication& app, const QLocale& lingua) {
    const QString cartella = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto traduttore = std::make_unique<QTranslator>(&app);
    if (!traduttore->load(lingua, QStringLiteral("qtbase"), QStringLiteral("_"), cartella) &&
        !traduttore->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          cartella))
        return nullptr;
    QCoreApplication::installTranslator(traduttore.get());
    return traduttore.release();
}

Applicazione::Applicazione(int& argc, char** argv) : QApplication(argc, argv) {}

bool Applicazione::notify(QObject* destinatario, QEvent* evento) {
    if (!m_ui)
        return QApplication::notify(destinatario, evento);
    return ConsegnaProtetta([&] { return QApplication::notify(destinatario, evento); }, destinatario, *m_ui);
}

} // namespace sestina
