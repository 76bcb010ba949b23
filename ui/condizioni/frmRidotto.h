#pragma once

#include "DialogoCondizione.h"

namespace sestina {

class GrigliaEtichette;

// Switches the reduced system on or off and chooses its guarantee. Both are written at
// the moment of each choice; nothing is checked when the window closes.
class frmRidotto final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmRidotto(Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmRidotto)

private:
    // Marks level 1..4 alone; 0 marks none.
    void mostraLivello(int livello);

    GrigliaEtichette* m_livelli;
};

} // namespace sestina
