#include "Sviluppo.h"

namespace sestina {

void Sviluppa(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) { SviluppoLetterale(s, ui, osservatore); }

} // namespace sestina
