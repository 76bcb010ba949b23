#pragma once

#include "AnteprimaStampa.h"
#include "TaraturaScheda.h"

#include <QWidget>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace sestina {

class CampoCifre;
struct Corpo;
class DialoghiFile;
class Interfaccia;

// "Stampa Schedine": the slip kind, the range 'DA'..'A', printing, calibration, preview and PDF.
// Modeless; it tells its opener when it closes.
class frmStampa final : public QWidget {
    Q_OBJECT
public:
    frmStampa(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmStampa)
    ~frmStampa() override;

    void impostaStampante(Stampante stampante) { m_stampante = std::move(stampante); }
    // The calibration windows print their test slip with the same printer.
    const Stampante& stampante() const { return m_stampante; }

    void optTipoScheda_Click(int indice);
    void cmdStampa_Click();
    void cmdTaratura_Click();
    void cmdAnteprima_Click();
    void cmdPdf_Click();

Q_SIGNALS:
    void chiusa();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // The slip kind's options and, beside them, the picture of each kind.
    QGroupBox* creaTipoScheda(QHBoxLayout* immagini);
    QGridLayout* creaIntervallo();
    QVBoxLayout* creaComandi();
    TipoScheda tipo() const;
    LavoroStampa lavoro(class ProgressoStampa* progresso);

    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;
    Stampante m_stampante;
    QRadioButton* m_opt[2] = {};
    QLabel* m_img[2] = {};
    QLabel* m_labSchede = nullptr;
    CampoCifre* m_txtDa = nullptr;
    CampoCifre* m_txtA = nullptr;
    QPushButton* m_cmdStampa = nullptr;
};

} // namespace sestina
