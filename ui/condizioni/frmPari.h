#pragma once

#include "DialogoCondizione.h"

namespace sestina {

// The accepted counts of even numbers in a column; each row is written into the System at once.
class frmPari final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmPari(Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmPari)

private:
    void commuta(int pari);

    GrigliaEtichette* m_righe = nullptr;
};

} // namespace sestina
