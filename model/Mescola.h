#pragma once

#include "Sistema.h"

#include <random>

namespace sestina {

class Interfaccia;

// Exchanges columns in place as the index table dictates; the columns keep their numbers.
void PermutaColonne(ColumnStore& colonne, int numeroColonne, std::mt19937& generatore);

// Asks first; on Yes permutes columns 1..numeroColonne with a generator seeded
// from the seconds since midnight. Returns whether it shuffled.
bool MescolaColonne(Sistema& s, Interfaccia& ui);

} // namespace sestina
