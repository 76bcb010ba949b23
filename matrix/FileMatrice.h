#pragma once

#include "Matrice.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace sestina {

// Far above any real matrix (1,850,000 columns of 6 plus the header); larger files are refused
// with "File troppo grande (limite 16 MiB)".
inline constexpr qint64 DimensioneMassimaMatrice = 16 * 1024 * 1024;

// The standard CRC-32 (reflected 0xEDB88320), its table built once.
std::uint32_t GetByteArrayCrc32(const QByteArray& byte);

// OLE Automation dates: days since 30 December 1899.
double DataOle(const QDate& data);
QDate DaDataOle(double giorni);

// The header from offset 0 of the file (path trimmed); a short or missing file leaves the fields it
// does not reach zero or empty.
MATRIX_HEADER LeggiIntestazioneMatrice(const QString& percorso);
MATRIX_HEADER IntestazioneDaByte(const QByteArray& b);
// The header and the columns; nullopt when the file cannot be read or DifettoMatrice finds a fault.
std::optional<MATRIX_STRUCTURE> LeggiMatrice(const QString& percorso);
// True when the last four bytes are the CRC-32 of all the others; a file under 5 bytes fails.
bool VerificaCrcMatrice(const QString& percorso);
bool CrcMatriceValido(const QByteArray& file);

// Why a file cannot be adapted (a short header, k or m not 6, v, t or f out of range, c negative or
// running past the end, a position outside 1..v or twice in a column); empty when it can.
QString DifettoMatrice(const QByteArray& file);

// The whole file of a matrix, with its CRC trailer; texts are padded or cut to their widths.
QByteArray ScriviMatrice(const MATRIX_STRUCTURE& matrice);
bool SalvaMatrice(const MATRIX_STRUCTURE& matrice, const QString& percorso);

struct DescrizioneMatrice {
    QString copertura;
    QString autore;
    QString descrizione;
    QDate validaDal;
    QDate validaAl;
};

// A matrix from columns of positions (six positions from 1 each), with the version tag.
MATRIX_STRUCTURE CreaMatrice(int v, int t, int f, const std::vector<std::array<std::uint8_t, 6>>& colonne,
                             const DescrizioneMatrice& testi);

} // namespace sestina
