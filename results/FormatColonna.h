#pragma once

#include <QString>

#include <cstdint>

namespace sestina {

// Each number with at least two digits followed by `spazi` blanks, the whole trimmed:
// 1..6 with one blank gives "01 02 03 04 05 06".
QString FormatColonna(const std::uint8_t* numeri, int quanti, int spazi);

} // namespace sestina
