#pragma once

#include "AnteprimaStampa.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace sestina {

struct Corpo;
class DialoghiFile;
class Interfaccia;
struct OpzioniTabulato;

// "Stampa Tabulato": the sections, the copies and the logo of the listing; modal.
class frmTabulato final : public QDialog {
    Q_OBJECT
public:
    frmTabulato(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmTabulato)

    void impostaStampante(Stampante stampante) { m_stampante = std::move(stampante); }

    void cmdStampa_Click();
    void cmdImpostazioni_Click();
    void cmdAnteprima_Click();
    void cmdPdf_Click();

private:
    OpzioniTabulato opzioni() const;
    LavoroStampa lavoro();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;
    Stampante m_stampante;
    QCheckBox* m_chkCol = nullptr;
    QCheckBox* m_chkProno = nullptr;
    QCheckBox* m_chkColor = nullptr;
    QScrollBar* m_vsCopie = nullptr;
    QLabel* m_labCopie = nullptr;
};

} // namespace sestina
