#pragma once

#include "GrigliaEtichette.h"

#include <QDialog>

class QGroupBox;

namespace sestina {

struct Sistema;

// The look of the editors' toggling labels: red with white text when chosen, white with black otherwise.
ColoriGriglia ColoriCondizione();

// What every condition editor shares: shown modal (exec), centred on the screen when shown, one
// outer frame that is read-only while the System is developed, and one door that
// every way of closing passes (close box, Escape, code), so a check can keep the
// dialog open and what is written on close is written exactly once.
class DialogoCondizione : public QDialog {
    Q_OBJECT
public:
    DialogoCondizione(Sistema& sistema, const QString& titolo, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(DialogoCondizione)

    void done(int risultato) override;

protected:
    // False keeps the dialog open.
    virtual bool puoChiudere() { return true; }
    // Writes into the System what the dialog keeps until it closes.
    virtual void allaChiusura() {}

    // The outer frame, created once; enabled only while the System is not developed.
    QGroupBox* frameEsterno(const QString& nome, const QString& titolo = QString());
    bool sviluppato() const;

    Sistema& m_sistema;

private:
    QGroupBox* m_frame = nullptr;
};

} // namespace sestina
