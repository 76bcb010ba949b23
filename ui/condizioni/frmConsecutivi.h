#pragma once

#include "DialogoCondizione.h"

namespace sestina {

// The accepted lengths of a column's longest run of consecutive numbers; the mask is
// rebuilt from the labels whenever the dialog closes.
class frmConsecutivi final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmConsecutivi(Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmConsecutivi)

protected:
    void allaChiusura() override;

private:
    GrigliaEtichette* m_lunghezze = nullptr; // index 0..5 = length 1..6
};

} // namespace sestina
