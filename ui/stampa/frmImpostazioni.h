#pragma once

#include <QDialog>

class QLineEdit;

namespace sestina {

class CampoCifre;
struct Corpo;
class Interfaccia;
class SceltaStampante;

// "Impostazioni": prices, heading and listing printer, written to the configuration file by
// "&Salva". It never changes the System: its opener reads the configuration again.
class frmImpostazioni final : public QDialog {
    Q_OBJECT
public:
    frmImpostazioni(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmImpostazioni)

    void cmdSalva_Click();

private:
    Corpo& m_corpo;
    Interfaccia& m_ui;
    QLineEdit* m_mskIntestazione = nullptr;
    CampoCifre* m_txtCostoCol = nullptr;
    CampoCifre* m_txtCostoColSS = nullptr;
    SceltaStampante* m_cmbStampante = nullptr;
};

} // namespace sestina
