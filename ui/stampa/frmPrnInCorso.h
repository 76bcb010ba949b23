#pragma once

#include <QDialog>

class QLabel;

namespace sestina {

struct Corpo;
class Interfaccia;

// "Stampa in corso...": names the slip being laid out; "&Interrompi" asks, then sets stampaAnnullata,
// which the job reads before its next slip.
class frmPrnInCorso final : public QDialog {
    Q_OBJECT
public:
    frmPrnInCorso(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmPrnInCorso)

    void impostaScheda(const QString& testo);
    void cmdInterrompi_Click();

private:
    Corpo& m_corpo;
    Interfaccia& m_ui;
    QLabel* m_label = nullptr;
};

} // namespace sestina
