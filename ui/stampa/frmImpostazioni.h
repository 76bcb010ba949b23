#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace sestina {

struct Corpo;
class Interfaccia;

// "Impostazioni": prices, heading and listing printer, written to the configuration file by
// "&Salva". It never changes the System: its opener reads the configuration again.
class frmImpostazioni final : public QDialog {
    Q_OBJECT
public:
    frmImpostazioni(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmImpostazioni)

    void cmdSalva_Click();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    Corpo& m_corpo;
    Interfaccia& m_ui;
    QLineEdit* m_mskIntestazione = nullptr;
    QLineEdit* m_txtCostoCol = nullptr;
    QLineEdit* m_txtCostoColSS = nullptr;
    QComboBox* m_cmbStampante = nullptr;
};

} // namespace sestina
