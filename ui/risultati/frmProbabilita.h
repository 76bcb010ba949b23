#pragma once

#include "Premi.h"
#include "Probabilita.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace sestina {

struct Corpo;
class Interfaccia;

// "Probabilità del Sistema": for each prize category the draws in which the System wins it,
// as "1 su N", and the winning columns to expect per draw; with the user's prizes, the expected
// prize and return of one play, recomputed as they are typed. Modeless; the work runs under the
// development's progress window, whose button cancels it.
class frmProbabilita final : public QWidget {
    Q_OBJECT

public:
    frmProbabilita(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmProbabilita)
    ~frmProbabilita() override;

    // Computes and shows the table; false when the user cancelled (the table is then empty).
    bool calcola();

private:
    void creaPremi();
    void mostra(const ProbabilitaSistema& p);
    void aggiornaRendimento();
    void salvaPremi();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    qint64 m_colonne = 0;
    bool m_calcolata = false;
    QLabel* m_lblSistema;
    QTableWidget* m_griglia;
    std::array<QLineEdit*, 6> m_premi{};
    QLabel* m_lblCosto;
    QLabel* m_lblPremioAtteso;
    QLabel* m_lblRendimento;
};

} // namespace sestina
