#pragma once

// Steps both engines share, so the fast one cannot drift from the plain one
// anywhere but in how it walks the candidates.

#include "Sviluppo.h"

namespace sestina {

struct Sistema;
class Interfaccia;

// Throws unless pronostico[0..n-1] is strictly ascending within 1..90.
void VerificaPronostico(const Sistema& s);

// Shows the limit alarm and message and asks the loops to stop.
void SegnalaLimite(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

// The loops ended: stores the count, names the System, shows the elapsed time.
void ConcludiSviluppo(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore, double integrale, double elaborate,
                      std::int32_t accettate);

} // namespace sestina
