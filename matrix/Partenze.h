#pragma once

#include "Bilancio.h"
#include "Ottimizzatore.h"

#include <vector>

namespace sestina {

// Three if six from 10 to 30 numbers: takes columns off the ring construction while its triples can
// still be covered; the same seed and work give the same design.
std::vector<Blocco> RiduciSullAnello(int v, Bilancio& bilancio, std::uint64_t seme,
                                     OsservatoreOttimizzazione& osservatore);

} // namespace sestina
