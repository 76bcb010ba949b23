#pragma once

#include "Sviluppo.h"

namespace sestina {

// The contract of Sviluppa, examining every candidate one by one with the plain tests: the
// reference the fast engine is proved against.
void SviluppoLetterale(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

} // namespace sestina
