#pragma once

#include <QImage>

namespace sestina {

struct Corpo;
class Interfaccia;
class SuperficieStampa;

struct OpzioniTabulato {
    bool colonne = true;
    bool pronostico = true;
    int copie = 1; // 1 to 20
};

inline constexpr int ColonnePerBlocco = 19;

// The listing: on the listing printer when installed, every copy its own document starting at
// page 1. False when nothing was chosen or the printer failed (both told to the user).
bool StampaTabulato(Corpo& corpo, const OpzioniTabulato& opzioni, const QImage& logo, SuperficieStampa& superficie,
                    Interfaccia& ui);

// The listing's logo, drawn by the program: colours or black and white, 40 mm wide.
QImage LogoTabulato(bool colori);

} // namespace sestina
