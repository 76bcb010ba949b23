#pragma once

#include "Estrazione.h"

#include <QDialog>

#include <array>

class QDateEdit;
class QLineEdit;

namespace sestina {

class Interfaccia;

// "Nuova Estrazione": a draw typed in (date, draw number, six numbers, Jolly, SuperStar), checked
// with the check window's messages before the dialog closes.
class frmNuovaEstrazione final : public QDialog {
    Q_OBJECT
public:
    explicit frmNuovaEstrazione(Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmNuovaEstrazione)
    ~frmNuovaEstrazione() override;

    // The draw once the dialog was accepted.
    const Estrazione& estrazione() const { return m_estrazione; }
    // Checks the fields: accepts the dialog, or says why not and leaves it open.
    void conferma();

private:
    Interfaccia& m_ui;
    Estrazione m_estrazione;
    QDateEdit* m_data = nullptr;
    QLineEdit* m_concorso = nullptr;
    std::array<QLineEdit*, 7> m_caselle{}; // six numbers, then the Jolly
    QLineEdit* m_superstar = nullptr;
};

} // namespace sestina
