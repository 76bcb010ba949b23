#pragma once

#include "Garanzia.h"

#include <QString>

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;
class QWidget;

namespace sestina {

class Interfaccia;
struct Sistema;

// What the windows over the System's guarantee (frmGaranzia, frmProbabilita) have alike: the
// System's description on top, the table, and "Ricalcola" at the bottom right; a window puts its
// own parts between table and button.
struct CorniceGaranzia {
    QLabel* sistema;
    QTableWidget* tabella;
    QPushButton* ricalcola;
    QVBoxLayout* disposizione;
    // Where a window's own parts go in disposizione.
    static constexpr int SottoLaTabella = 2;
};

CorniceGaranzia CreaCorniceGaranzia(QWidget& finestra, const QString& nomeTabella, const QStringList& intestazioni,
                                    int righe);

// "<kind>: <columns> colonne su <numbers> numeri".
QString DescrizioneSistema(const Sistema& s);

// A right-aligned cell that can be selected but not edited.
QTableWidgetItem* CellaNumero(const QString& testo);

// The guarantee under the development's progress window, whose button cancels it; the window is
// off meanwhile. Nothing when memory runs out, which is told in the common box.
std::optional<EsitoGaranzia> GaranziaSottoProgresso(Sistema& s, Interfaccia& ui, QWidget& finestra);

} // namespace sestina
