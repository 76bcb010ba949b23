#pragma once

class QString;
class QWidget;

namespace sestina {

// Places a window at the centre of the screen it is on.
void CentraForm(QWidget& finestra);

// Closes every top-level window whose object name differs from salvo; an empty name closes them all.
void ScaricaForm(const QString& salvo);

} // namespace sestina
