#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace sestina {

struct Sistema;
class Interfaccia;
struct EsitoGaranzia;

// What the System in memory still guarantees: a row per p (6 down to 2) with the count of
// p-subsets of the Prediction by best score and the lowest best score. Modeless; the work runs
// under the development's progress window, whose button cancels it.
class frmGaranzia final : public QWidget {
    Q_OBJECT

public:
    frmGaranzia(Sistema& sistema, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmGaranzia)

    // Computes and shows the table; false when the user cancelled (the table is then empty).
    bool calcola();

private:
    void mostra(const EsitoGaranzia& esito);

    Sistema& m_sistema;
    Interfaccia& m_ui;
    QLabel* m_lblSistema;
    QTableWidget* m_griglia;
    QLabel* m_lblEsito;
};

} // namespace sestina
