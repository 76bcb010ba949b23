#include "MappaWidget.h"

#include "FileIntero.h"

#include <QWidget>

namespace sestina {

bool ScriviMappaWidget(const QWidget& finestra, const QString& percorso) {
    QByteArray mappa;
    for (const QWidget* w : finestra.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisible())
            continue;
        const QPoint origine = w->mapToGlobal(QPoint(0, 0));
        mappa += w->objectName().toUtf8() + ' ' + QByteArray::number(origine.x()) + ' ' +
                 QByteArray::number(origine.y()) + ' ' + QByteArray::number(w->width()) + ' ' +
                 QByteArray::number(w->height()) + '\n';
    }
    return ScriviFileIntero(percorso, mappa);
}

} // namespace sestina
