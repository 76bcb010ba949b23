#pragma once

#include "Matrice.h"

#include <QString>

#include <optional>
#include <vector>

namespace sestina {

struct Sistema;
class Interfaccia;

// Exchanges numero with pronostico(posizione); false when numero is not in the Prediction.
bool PortaInTesta(Sistema& s, int numero, int posizione);

// Asks for the f fixed numbers, each brought to the front in the order named, and returns their
// names as "17   05   ". nullopt when the user cancels; the Prediction is then put back as it was.
std::optional<QString> ChiediFisse(Sistema& s, int f, Interfaccia& ui, std::vector<int>& fisse);

// "Error -2147211504 (Colonne superiori ...)" with its title and icon.
void MostraErroreMatrice(Interfaccia& ui, const QString& descrizione, const QString& dopo = {});

// The matrix's positions replaced by the Prediction in its current order: matrix position n is
// pronostico(n-1). False, with the System as it was, when the user cancels, the matrix needs more
// numbers than are in play, or it has more columns than the store holds (with its message).
bool AdattaMatrice(Sistema& s, const MATRIX_STRUCTURE& matrice, Interfaccia& ui, std::vector<int>& fisse);

// The whole adaptation of a read matrix: AdattaMatrice, then the System's kind, its fixed numbers
// and its reduction from the header.
bool AdattaVoce(Sistema& s, const MATRIX_STRUCTURE& matrice, Interfaccia& ui);

} // namespace sestina
