#pragma once

#include "Ottimizzatore.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace sestina {

class Interfaccia;

// Generates a matrix for v numbers with the program's optimiser: the guarantee and the time are
// asked here, the search shows its progress and "&Interrompi" keeps the best design already found.
// The verified matrix is written into the matrix folder.
class frmGeneraMatrice final : public QDialog, public OsservatoreOttimizzazione {
    Q_OBJECT
public:
    frmGeneraMatrice(int v, QString cartellaMatrici, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmGeneraMatrice)

    void cmdGenera_Click();
    // The file written, empty when none.
    QString fileScritto() const { return m_fileScritto; }

    void progresso(int colonne, std::uint64_t costo) override;
    bool annullato() override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    int m_v;
    QString m_cartella;
    Interfaccia& m_ui;
    bool m_inCorso = false;
    bool m_interrotta = false;
    QString m_fileScritto;

    QSpinBox* m_garanzia;
    QSpinBox* m_secondi;
    QLabel* m_lblColonne;
    QLabel* m_lblScoperte;
    QPushButton* m_cmdGenera;
    QPushButton* m_cmdInterrompi;
};

} // namespace sestina
