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

QFont CarattereCourier(qreal punti) {
    QFont carattere(QStringLiteral("Courier New"));
    carattere.setStyleHint(QFont::TypeWriter);
    carattere.setFixedPitch(true);
    carattere.setPointSizeF(punti);
    return carattere;
}

void MostraModeless(QWidget& finestra) {
    if (finestra.isMinimized())
        finestra.showNormal();
    else
        finestra.show();
    finestra.raise();
    finestra.activateWindow();
}

void ScaricaForm(const QString& salvo) {
    for (QWidget* finestra : QApplication::topLevelWidgets())
        if (finestra->isVisible() && (salvo.isEmpty() || finestra->objectName() != salvo))
            finestra->close();
}

} // namespace sestina
