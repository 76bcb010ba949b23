#pragma once

#include <QLineEdit>

namespace sestina {

class Interfaccia;

// A field for a number typed by hand: digits only, or digits and the decimal marks for amounts.
// A wrong key beeps and types nothing; the editing keys and the shortcuts pass, and a validator
// holds pasted text to the same rule. Enter does not reach the window: it is told by invio(), so
// each window moves the focus its own way.
class CampoCifre final : public QLineEdit {
    Q_OBJECT

public:
    enum class Cifre { Intere, Decimali };

    CampoCifre(Cifre cifre, Interfaccia& ui, QWidget* parent = nullptr);

Q_SIGNALS:
    void invio();

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    bool ammesso(QChar c) const;

    Cifre m_cifre;
    Interfaccia& m_ui;
};

} // namespace sestina
