#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace sestina {

// One past draw, as the publisher lists it.
struct Estrazione {
    std::int16_t concorso = 0;
    QString data;                           // exactly 10 characters, padded with blanks
    std::array<std::uint8_t, 7> estratti{}; // index 1..6; entry 0 unused
    std::uint8_t jolly = 0;
    std::uint8_t superstar = 0;

    // A record whose first number is 0 is never shown and never kept by the file loader.
    bool vuota() const { return estratti[1] == 0; }
};

// The archive in memory, oldest draw first. Record i of the program's lists (1..n) is
// element i-1; the size is the archive's upper bound, empty records included.
using ArchivioEstrazioni = std::vector<Estrazione>;

// The winning column being checked: index 1..6 the drawn numbers, 7 the Jolly, 0 empty.
using ColonnaSpoglio = std::array<std::uint8_t, 8>;

} // namespace sestina
