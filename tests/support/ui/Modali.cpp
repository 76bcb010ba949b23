#include "Modali.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace sestina {

Modali::Modali() {
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { controlla(); });
    m_timer.start();
}

Modali::~Modali() = default;

void Modali::quandoAppare(std::function<void(QWidget*)> gestore) {
    m_gestori.push_back(std::move(gestore));
}

void Modali::controlla() {
    QWidget* modale = QApplication::activeModalWidget();
    if (!modale || !modale->isVisible() || modale == m_ultimo)
        return;
    if (m_gestori.empty())
        qFatal("Unexpected modal window: %s \"%s\"", qPrintable(modale->objectName()),
               qPrintable(modale->windowTitle()));
    m_ultimo = modale;
    auto gestore = std::move(m_gestori.front());
    m_gestori.pop_front();
    // Let the window finish showing before the handler closes it.
    QTimer::singleShot(0, modale, [gestore = std::move(gestore), modale, this] {
        gestore(modale);
        m_ultimo = nullptr;
    });
}

bool Fotografa(QWidget* w, const QString& nome) {
    const QDir cartella(QCoreApplication::applicationDirPath() + QStringLiteral("/finestre"));
    return cartella.mkpath(QStringLiteral(".")) && w->grab().save(cartella.filePath(nome));
}

} // namespace sestina
