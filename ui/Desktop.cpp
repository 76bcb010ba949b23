#include "Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace sestina {

int ApriDocumento(const QString& percorso) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(percorso)) ? 0 : 1;
}

void ApriIndirizzo(const QString& indirizzo) {
    QDesktopServices::openUrl(QUrl::fromUserInput(indirizzo));
}

} // namespace sestina
