#pragma once

#include "SpoglioColonna.h"

#include <QWidget>

#include <array>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QVBoxLayout;

namespace sestina {

struct Corpo;
class Interfaccia;
class ModelloColonneVincenti;

// The check of the System's columns against one winning column ("Spoglio"): modeless, it reads
// the columns and colonnaSpoglio directly.
class frmSpoglio final : public QWidget {
    Q_OBJECT
public:
    frmSpoglio(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmSpoglio)
    ~frmSpoglio() override;

    // Empties the results and shows colonnaSpoglio: the window's load, and the archive's request.
    void aggiorna();
    void cmdSpoglio_Click();
    void cmdCancella_Click();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The seven boxes of the winning column, the Jolly last.
    QGroupBox* creaColonna();
    QVBoxLayout* creaComandi();
    // A list per prize category, best first, with its title and count.
    QGridLayout* creaRisultati();
    void svuotaRisultati();
    void mostraEsito(const EsitoSpoglio& esito);
    void lasciaCasella(int indice);

    Corpo& m_corpo;
    Interfaccia& m_ui;
    std::array<QLineEdit*, 7> m_caselle{};
    std::array<ModelloColonneVincenti*, 6> m_modelli{};
    std::array<QListView*, 6> m_liste{};
    std::array<QLabel*, 6> m_contatori{};
    QLabel* m_labMaxPunti = nullptr;
    QPushButton* m_cmdSpoglio = nullptr;
};

} // namespace sestina
