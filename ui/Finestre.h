#pragma once

#include <QFont>

class QString;
class QWidget;

namespace sestina {

// Places a window at the centre of the screen it is on.
void CentraForm(QWidget& finestra);

// "Courier New" (a metric-compatible face where the platform lacks it), for lists whose columns
// must line up.
QFont CarattereCourier(qreal punti = 10.0);

// Shows a modeless window, or brings it back to the front when it is already open.
void MostraModeless(QWidget& finestra);

// Closes every top-level window whose object name differs from salvo; an empty name closes them all.
void ScaricaForm(const QString& salvo);

} // namespace sestina
