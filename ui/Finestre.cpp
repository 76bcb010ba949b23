#include "Finestre.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace sestina {

void CentraForm(QWidget& finestra) {
    QScreen* schermo = finestra.screen() ? finestra.screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect cornice = finestra.frameGeometry();
    cornice.moveCenter(schermo->availableGeometry().center());
    finestra.move(cornice.topLeft());
}

void ScaricaForm(const QString& salvo) {
    for (QWidget* finestra : QApplication::topLevelWidgets())
        if (finestra->isVisible() && (salvo.isEmpty() || finestra->objectName() != salvo))
            finestra->close();
}

} // namespace sestina
