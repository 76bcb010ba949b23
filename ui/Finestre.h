#pragma once

#include <QFont>

class QLabel;
class QListView;
class QString;
class QWidget;

namespace sestina {

// Places a window at the centre of the screen it is on.
void CentraForm(QWidget& finestra);

// Centres a window as it appears: on its first showing only, or on every showing for a window
// that is opened again and again (never when it comes back from the task bar).
void CentraAllaComparsa(QWidget& finestra, bool ogniVolta = false);

// "Courier New" (a metric-compatible face where the platform lacks it), for lists whose columns
// must line up.
QFont CarattereCourier(qreal punti = 10.0);

// The header of a list of fixed-pitch rows: each of its fields (between '|') centred over the field
// in the same place of riga, a sample row, and indented as the list indents its rows' text, so every
// '|' of the header stands over the '|' of the rows.
void IntestazioneLista(QLabel& intestazione, const QString& testo, const QString& riga, const QListView& lista);

// Shows a modeless window, or brings it back to the front when it is already open.
void MostraModeless(QWidget& finestra);

// Closes every top-level window whose object name differs from salvo; an empty name closes them all.
void ScaricaForm(const QString& salvo);

} // namespace sestina
