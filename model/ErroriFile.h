#pragma once

#include "Errore.h"

namespace sestina {

// Why a file could not be opened for reading: 75 when it exists, else 53 when its folder does, else 76.
Errore ErroreDiApertura(const QString& percorso);

// Why a file could not be written: 75 when its folder exists, 76 when it does not.
Errore ErroreDiScrittura(const QString& percorso);

} // namespace sestina
