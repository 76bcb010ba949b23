#pragma once

#include "DialogoCondizione.h"
#include "RegoleEditori.h"

namespace sestina {

class CampoCifre;
class Interfaccia;
class InterruttoreOnOff;

// The sum range of the columns: two bound fields checked against the smallest and
// largest sums the Prediction allows, stored only once the dialog may close.
class frmSomma final : public DialogoCondizione {
    Q_OBJECT
public:
    frmSomma(Sistema& sistema, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmSomma)

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    bool puoChiudere() override;
    void allaChiusura() override;

private:
    void segnala(ErroreSomma errore);

    Interfaccia& m_ui;
    LimitiSomma m_limiti;
    CampoCifre* m_txtDa = nullptr;
    CampoCifre* m_txtA = nullptr;
};

} // namespace sestina
