#pragma once

namespace sestina {

struct Corpo;
class Interfaccia;

// Reads the configuration file (corpo.fileConfigurazione, section "Impostazioni") into the prices,
// the print heading and the listing printer, choosing costoColonna from superStar. Prices are
// cents, whole or a decimal (CentesimiDaTesto). Missing keys or a missing file give the defaults;
// nothing is ever written. A price that is not a number shows the common error of
// ReadConfiguration and returns false, keeping what was read before it. The caller refreshes its
// status bar afterwards.
bool LeggiConfigurazione(Corpo& corpo, Interfaccia& ui);

} // namespace sestina
