#pragma once

#include "Estrazione.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace sestina {

class ColumnStore;
class Interfaccia;

// The numeric value of a check box's text: its leading digits, 0 when it has none ("__").
int ValoreCasella(const QString& testo);

// A check that cannot run: the message, its title, and the box that gets the focus.
struct ColonnaErrata {
    QString testo;
    QString titolo;
    int casella = 0;
};

// The seven boxes (six numbers, then the Jolly): sorts the six in place, then the duplicate and
// Jolly tests, then the range test, in that order. nullopt when the column may be checked.
std::optional<ColonnaErrata> ValidaColonnaSpoglio(std::array<QString, 7>& caselle);

// The winning columns by category: list 0..4 for 6, 5, 4, 3 and 2 matches, list 5 for five plus
// the Jolly; each holds 1-based column indexes in ascending order.
struct EsitoSpoglio {
    static constexpr int CinquePiuUno = 5;
    std::array<std::vector<int>, 6> liste;
    int maxPunti = 0;
};

// Scores columns 1..numeroColonne against colonnaSpoglio(1..7), letting the window system run
// every 1000 columns. The fast form looks each number up in a table of the drawn ones.
EsitoSpoglio SpogliaColonne(const ColumnStore& colonne, int numeroColonne, const ColonnaSpoglio& vincente,
                            Interfaccia& ui);
// Files column number colonna under its score (five with the Jolly in its own list) and raises the best.
void RegistraSpoglio(EsitoSpoglio& esito, int colonna, int punti, bool jolly);

// "Massimo punteggio raggiunto 5"; before any check, without the number.
QString TestoMaxPunti(std::optional<int> maxPunti);
// "C. 12".
QString VoceColonna(int indice);
// The category captions in list order: "Punti 6", "Punti 5", ..., "Punti 2", "Punti 5+1".
QString TitoloCategoria(int lista);

} // namespace sestina
