#pragma once

#include "Sistema.h"

#include <array>
#include <cstdint>

namespace sestina {

// The runs of consecutive numbers a System accepts, as the engine looks them up.
using TabellaConsecutivi = std::array<bool, 7>; // index 1..6: longest run accepted

TabellaConsecutivi TabellaConsecutiviAmmessi(std::int32_t consecutiviAmmessi);

} // namespace sestina
