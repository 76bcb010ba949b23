#pragma once

#include <QString>

class QWidget;

namespace sestina {

// For the end-to-end test, which clicks with a real pointer: one line "<objectName> <x> <y> <width>
// <height>" in screen coordinates for every visible named widget inside finestra, written whole.
bool ScriviMappaWidget(const QWidget& finestra, const QString& percorso);

} // namespace sestina
