#pragma once

#include "Condizioni.h"
#include "Sistema.h"

#include <array>
#include <cstdint>

namespace sestina {

// The column tests, one candidate of six numbers each. These are the plain definitions the
// reference engine applies; the fast engine must agree with them on every column.

using TabellaMarche = std::array<std::uint8_t, 91>; // index 1..90, all 0 between tests

int LunghezzaMassimaConsecutivi(const std::uint8_t* candidato);

bool TestFisse(const std::uint8_t* candidato, const SystemConditions& c);
bool TestSomma(const std::uint8_t* candidato, const SystemConditions& c);
bool TestPariDispari(const std::uint8_t* candidato, const SystemConditions& c);
bool TestFiltro(const std::uint8_t* candidato, const FilterColumn& filtro);
bool TestConsecutivi(const std::uint8_t* candidato, const TabellaConsecutivi& ammessi);
// Scans the stored columns from the newest back; marks are set and restored.
bool TestRiduzione(const std::uint8_t* candidato, const ColumnStore& colonne, int memorizzate,
                   std::uint8_t livelloRiduzione, TabellaMarche& marche);

} // namespace sestina
