#pragma once

#include "DialogoCondizione.h"

class QLabel;

namespace sestina {

// The accepted counts of even numbers in a column; each row is written into the System at once.
class frmPari final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmPari(Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmPari)

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void commuta(int pari);
    void allineaIntestazioni();

    GrigliaEtichette* m_righe = nullptr;
    QWidget* m_intestazioni = nullptr;
    QLabel* m_pari = nullptr;
    QLabel* m_dispari = nullptr;
};

} // namespace sestina
