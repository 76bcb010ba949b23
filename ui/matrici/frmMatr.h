#pragma once

#include "Catalogo.h"

#include <QDialog>

#include <vector>

class QBoxLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace sestina {

struct Corpo;
class Interfaccia;

// The matrices found in the matrix folder, the details of the one selected, the download of the
// published ones and the adaptation of one to the Prediction. Browse mode as built; the main
// window calls modalitaAdatta() before showing it for an adaptation.
class frmMatr final : public QDialog, private OsservatoreMatrici {
    Q_OBJECT
public:
    frmMatr(Corpo& corpo, Interfaccia& ui, ScaricaPagina scarica, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmMatr)

    void modalitaAdatta();
    // True once the System holds the columns of a matrix.
    bool adattata() const { return m_adattata; }

    void RiempiLista();
    void flSPL_Click(int indice);
    void cmdAdattaMatrice_Click();
    void cmdUpdateMatrix_Click();
    void cmdOpenDir_Click();
    void cmdGenera_Click();

    // During an update Esc and closing the window stop it instead.
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The details of the selected matrix, read-only, with its version and checksum flags.
    void creaDettagli();
    // The commands under the list, and under them the update's progress bar and stop.
    void creaComandi(QBoxLayout* sinistra);
    void avanzamento(int fatte, int totale) override;
    bool interrotto() override { return m_interrotto; }
    void mostraAggiornamento(bool inCorso);
    QLineEdit* casella(const char* nome, const QString& didascalia, int riga, int colonna);
    void mostraStato(QLabel* etichetta, bool valido, const QString& testo);
    void svuotaDettagli();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    ScaricaPagina m_scarica;
    bool m_adattata = false;
    bool m_modalitaAdatta = false;
    bool m_aggiornamentoInCorso = false;
    bool m_interrotto = false;

    QListWidget* m_flSPL = nullptr;
    QGroupBox* m_frameInfo = nullptr;
    std::vector<QLineEdit*> m_caselle;
    QLineEdit* m_txtNumMatrix = nullptr;
    QLineEdit* m_txtLenCol = nullptr;
    QLineEdit* m_txtGaranty = nullptr;
    QLineEdit* m_txtPickUp = nullptr;
    QLineEdit* m_txtFixedNum = nullptr;
    QLineEdit* m_txtColMatrix = nullptr;
    QLineEdit* m_txtPercentage = nullptr;
    QLineEdit* m_txtAuthor = nullptr;
    QLineEdit* m_txtDescription = nullptr;
    QLineEdit* m_txtFileName = nullptr;
    QLabel* m_lblChkVersion = nullptr;
    QLabel* m_lblOK = nullptr;
    QLabel* m_lblDifetto = nullptr;
    QPushButton* m_cmdAdattaMatrice = nullptr;
    QPushButton* m_cmdUpdateMatrix = nullptr;
    QPushButton* m_cmdOpenDir = nullptr;
    QPushButton* m_cmdGenera = nullptr;
    QProgressBar* m_prgAggiornamento = nullptr;
    QPushButton* m_cmdInterrompi = nullptr;
};

} // namespace sestina
