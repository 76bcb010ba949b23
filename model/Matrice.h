#pragma once

#include "Sistema.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace sestina {

// The fixed-size head of a matrix file, field by field in file order. Texts keep their raw
// single-byte characters, blanks included; readers trim them for display.
struct MATRIX_HEADER {
    std::uint8_t NUMBERS_OF_MATRIX_V = 0;
    std::uint8_t LENGTH_OF_COLUMN_K = 0;
    std::uint8_t GARANTY_T = 0;
    std::uint8_t PICK_UP_NUMBERS_M = 0;
    std::uint8_t FIXED_NUMBERS_OF_MATRIX_F = 0;
    std::int32_t COLUMNS_OF_MATRIX_C = 0;
    QByteArray PERCENTAGE_COVER; // 10 bytes
    QByteArray AUTHOR;           // 30 bytes
    QByteArray DESCRIPTION;      // 60 bytes
    double VALID_FROM = 0.0;     // OLE Automation dates
    double VALID_TO = 0.0;
    std::array<std::uint8_t, 2> RESERVED{};
    QByteArray VERSION_TAG; // 15 bytes
};

inline constexpr int DimensioneIntestazioneMatrice = 142;
inline const QByteArray EtichettaVersioneMatrice = QByteArrayLiteral("matricesplv0001");

// A whole matrix: COLUMS is position-major as on disk, entry (j, p) at (p - 1) * c + (j - 1).
struct MATRIX_STRUCTURE {
    MATRIX_HEADER intestazione;
    std::vector<std::uint8_t> COLUMS;
};

// One matrix file found on disk. `difetto` says why it cannot be adapted (empty when it can,
// as far as the header and the file size tell).
struct VoceCatalogo {
    QString nomeFile;
    Flag versioneValida = Falso;
    Flag crcValido = Falso;
    MATRIX_HEADER intestazione;
    QString difetto;
};

} // namespace sestina
