#pragma once

#include "AnteprimaStampa.h"
#include "TaraturaScheda.h"

#include <QDialog>

#include <array>

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QVBoxLayout;

namespace sestina {

struct Corpo;
class DialoghiFile;
class Interfaccia;
class SceltaStampante;

// The calibration of one slip kind: frmTaratura2SS ("Taratura Scheda 2 Colonne", 0.1 mm steps) or
// frmTaratura5SS ("Taratura Scheda 5 Colonne", 0.01 mm steps). The two windows differ only in
// these, so one class builds both. Nothing reaches the file before "Salva Taratura".
class frmTaratura final : public QDialog {
    Q_OBJECT
public:
    frmTaratura(TipoScheda tipo, Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmTaratura)
    ~frmTaratura() override;

    void impostaStampante(Stampante stampante) { m_stampante = std::move(stampante); }
    const TaraturaScheda& taratura() const { return m_taratura; }

    void optColor_Click(int indice);
    void cmdSalva_Click();
    void cmdTest_Click();
    void cmdAnteprima_Click();
    void cmdPdf_Click();

private:
    enum Campo { X, Y, Top, Left, WebX, WebY, NomeX, NomeY, Campi };
    // The four frames of two values each.
    QGridLayout* creaCoppie();
    // One value of a frame: its "X :" or "Y :", its field and its scroll bar on row riga.
    void creaValore(Campo c, int riga, const char* barra, const char* testo, QGroupBox* frame);
    void creaQualitaEStampante(QGridLayout* griglia);
    QVBoxLayout* creaComandi();
    // The window's load: the saved calibration, the printers, the fields.
    void carica();
    float& valore(Campo c);
    void scorri(Campo c, int posizione);
    // A value typed in a field, in millimetres: taken to the scroll bar's step, or refused.
    void scrivi(Campo c);
    TaraturaScheda perStampa() const;
    LavoroStampa lavoro(const TaraturaScheda& t);

    TipoScheda m_tipo;
    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;
    Stampante m_stampante;
    TaraturaScheda m_taratura;
    int m_scala;
    std::array<QScrollBar*, Campi> m_barre{};
    std::array<QLineEdit*, Campi> m_campi{};
    QRadioButton* m_opt[2] = {};
    SceltaStampante* m_cmbStampante = nullptr;
};

} // namespace sestina
