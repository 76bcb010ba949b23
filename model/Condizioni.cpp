#include "Condizioni.h"

namespace sestina {

TabellaConsecutivi TabellaConsecutiviAmmessi(std::int32_t consecutiviAmmessi) {
    TabellaConsecutivi t{};
    for (std::size_t k = 1; k <= 6; ++k)
        t[k] = (consecutiviAmmessi & potenzeDiDue[k]) != 0;
    return t;
}

} // namespace sestina
