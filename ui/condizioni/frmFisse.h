#pragma once

#include "DialogoCondizione.h"

class QLabel;

namespace sestina {

// Up to five numbers of the Prediction that every column must hold; written on close.
class frmFisse final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmFisse(Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmFisse)

protected:
    void allaChiusura() override;

private:
    void commuta(int indice);
    int quanti() const;

    GrigliaEtichette* m_griglia = nullptr;
    QLabel* m_conteggio = nullptr;
};

} // namespace sestina
