#include "FileMatrice.h"

#include "Cp1252.h"
#include "FileIntero.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace sestina {
namespace {

constexpr int ColonnaK = 6;

const std::array<std::uint32_t, 256>& TabellaCrc() {
    static const std::array<std::uint32_t, 256> tabella = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return tabella;
}

// The whole file, empty when it cannot be read or is over the limit (then nothing is adaptable).
QByteArray LeggiFile(const QString& percorso) {
    try {
        return LeggiFileLimitato(percorso.trimmed(), DimensioneMassimaMatrice);
    } catch (const Errore&) {
        return {};
    }
}

double Doppio(const char* p) {
    const auto bit = qFromLittleEndian<std::uint64_t>(p);
    double d = 0;
    std::memcpy(&d, &bit, sizeof d);
    return d;
}

void AggiungiDoppio(QByteArray& b, double d) {
    std::uint64_t bit = 0;
    std::memcpy(&bit, &d, sizeof d);
    char c[8];
    qToLittleEndian(bit, c);
    b.append(c, 8);
}

void AggiungiTesto(QByteArray& b, const QByteArray& testo, qsizetype larghezza) {
    b.append(testo.left(larghezza).leftJustified(larghezza, ' '));
}

qint64 ByteColonne(const MATRIX_HEADER& h) {
    return qint64{ColonnaK} * h.COLUMNS_OF_MATRIX_C;
}

// Whether a column names one position twice; position-major, so column j is p[j], p[c + j], ...
bool PosizioneRipetuta(const std::uint8_t* p, std::int32_t c) {
    constexpr auto k = static_cast<std::size_t>(ColonnaK);
    const auto colonne = static_cast<std::size_t>(c);
    for (std::size_t j = 0; j < colonne; ++j)
        for (std::size_t a = 0; a + 1 < k; ++a)
            for (std::size_t b = a + 1; b < k; ++b)
                if (p[a * colonne + j] == p[b * colonne + j])
                    return true;
    return false;
}

} // namespace

std::uint32_t GetByteArrayCrc32(const QByteArray& byte) {
    const auto& tabella = TabellaCrc();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : byte)
        crc = (crc >> 8) ^ tabella[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFu];
    return ~crc;
}

double DataOle(const QDate& data) {
    return data.isValid() ? static_cast<double>(QDate(1899, 12, 30).daysTo(data)) : 0.0;
}

QDate DaDataOle(double giorni) {
    if (!std::isfinite(giorni) || std::fabs(giorni) > 3'000'000)
        return {};
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(giorni)));
}

MATRIX_HEADER IntestazioneDaByte(const QByteArray& b) {
    MATRIX_HEADER h;
    const auto byte = [&](qsizetype i) { return i < b.size() ? static_cast<std::uint8_t>(b[i]) : std::uint8_t{0}; };
    h.NUMBERS_OF_MATRIX_V = byte(0);
    h.LENGTH_OF_COLUMN_K = byte(1);
    h.GARANTY_T = byte(2);
    h.PICK_UP_NUMBERS_M = byte(3);
    h.FIXED_NUMBERS_OF_MATRIX_F = byte(4);
    if (b.size() >= 9)
        h.COLUMNS_OF_MATRIX_C = qFromLittleEndian<std::int32_t>(b.constData() + 5);
    h.PERCENTAGE_COVER = b.mid(9, 10);
    h.AUTHOR = b.mid(19, 30);
    h.DESCRIPTION = b.mid(49, 60);
    if (b.size() >= 117)
        h.VALID_FROM = Doppio(b.constData() + 109);
    if (b.size() >= 125)
        h.VALID_TO = Doppio(b.constData() + 117);
    h.RESERVED = {byte(125), byte(126)};
    h.VERSION_TAG = b.mid(127, 15);
    return h;
}

MATRIX_HEADER LeggiIntestazioneMatrice(const QString& percorso) {
    try {
        return IntestazioneDaByte(LeggiInizioFile(percorso.trimmed(), DimensioneIntestazioneMatrice));
    } catch (const Errore&) {
        return {};
    }
}

QString DifettoMatrice(const QByteArray& file) {
    if (file.size() < DimensioneIntestazioneMatrice)
        return QStringLiteral("Intestazione incompleta");
    const MATRIX_HEADER h = IntestazioneDaByte(file);
    if (h.LENGTH_OF_COLUMN_K != ColonnaK || h.PICK_UP_NUMBERS_M != ColonnaK)
        return QStringLiteral("Lunghezza colonna o numeri estratti diversi da 6");
    if (h.NUMBERS_OF_MATRIX_V < ColonnaK || h.NUMBERS_OF_MATRIX_V > 90)
        return QStringLiteral("Numeri della matrice fuori intervallo");
    if (h.GARANTY_T < 1 || h.GARANTY_T > ColonnaK)
        return QStringLiteral("Garanzia fuori intervallo");
    if (h.FIXED_NUMBERS_OF_MATRIX_F > 5)
        return QStringLiteral("Numero fisse fuori intervallo");
    if (h.COLUMNS_OF_MATRIX_C < 0 || DimensioneIntestazioneMatrice + ByteColonne(h) > file.size())
        return QStringLiteral("Colonne oltre la fine del file");
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + DimensioneIntestazioneMatrice;
    for (qint64 i = 0; i < ByteColonne(h); ++i)
        if (p[i] < 1 || p[i] > h.NUMBERS_OF_MATRIX_V)
            return QStringLiteral("Posizione fuori intervallo");
    if (PosizioneRipetuta(p, h.COLUMNS_OF_MATRIX_C))
        return QStringLiteral("Posizione ripetuta in una colonna");
    return {};
}

std::optional<MATRIX_STRUCTURE> LeggiMatrice(const QString& percorso) {
    const QByteArray file = LeggiFile(percorso);
    if (!DifettoMatrice(file).isEmpty())
        return std::nullopt;
    MATRIX_STRUCTURE m;
    m.intestazione = IntestazioneDaByte(file);
    const auto* inizio = reinterpret_cast<const std::uint8_t*>(file.constData()) + DimensioneIntestazioneMatrice;
    m.COLUMS.assign(inizio, inizio + ByteColonne(m.intestazione));
    return m;
}

bool CrcMatriceValido(const QByteArray& file) {
    if (file.size() < 5)
        return false;
    const qsizetype n = file.size() - 4;
    return GetByteArrayCrc32(file.first(n)) == qFromLittleEndian<std::uint32_t>(file.constData() + n);
}

bool VerificaCrcMatrice(const QString& percorso) {
    return CrcMatriceValido(LeggiFile(percorso));
}

QByteArray ScriviMatrice(const MATRIX_STRUCTURE& m) {
    const MATRIX_HEADER& h = m.intestazione;
    QByteArray b;
    b.reserve(DimensioneIntestazioneMatrice + static_cast<qsizetype>(m.COLUMS.size()) + 4);
    for (const std::uint8_t v :
         {h.NUMBERS_OF_MATRIX_V, h.LENGTH_OF_COLUMN_K, h.GARANTY_T, h.PICK_UP_NUMBERS_M, h.FIXED_NUMBERS_OF_MATRIX_F})
        b.append(static_cast<char>(v));
    char c[4];
    qToLittleEndian(h.COLUMNS_OF_MATRIX_C, c);
    b.append(c, 4);
    AggiungiTesto(b, h.PERCENTAGE_COVER, 10);
    AggiungiTesto(b, h.AUTHOR, 30);
    AggiungiTesto(b, h.DESCRIPTION, 60);
    AggiungiDoppio(b, h.VALID_FROM);
    AggiungiDoppio(b, h.VALID_TO);
    b.append(static_cast<char>(h.RESERVED[0]));
    b.append(static_cast<char>(h.RESERVED[1]));
    AggiungiTesto(b, h.VERSION_TAG, 15);
    b.append(reinterpret_cast<const char*>(m.COLUMS.data()), static_cast<qsizetype>(m.COLUMS.size()));
    qToLittleEndian(GetByteArrayCrc32(b), c);
    b.append(c, 4);
    return b;
}

bool SalvaMatrice(const MATRIX_STRUCTURE& matrice, const QString& percorso) {
    return ScriviFileIntero(percorso, ScriviMatrice(matrice));
}

MATRIX_STRUCTURE CreaMatrice(int v, int t, int f, const std::vector<std::array<std::uint8_t, 6>>& colonne,
                             const DescrizioneMatrice& testi) {
    MATRIX_STRUCTURE m;
    MATRIX_HEADER& h = m.intestazione;
    h.NUMBERS_OF_MATRIX_V = static_cast<std::uint8_t>(v);
    h.LENGTH_OF_COLUMN_K = ColonnaK;
    h.GARANTY_T = static_cast<std::uint8_t>(t);
    h.PICK_UP_NUMBERS_M = ColonnaK;
    h.FIXED_NUMBERS_OF_MATRIX_F = static_cast<std::uint8_t>(f);
    h.COLUMNS_OF_MATRIX_C = static_cast<std::int32_t>(colonne.size());
    h.PERCENTAGE_COVER = ACp1252(testi.copertura).left(10).leftJustified(10, ' ');
    h.AUTHOR = ACp1252(testi.autore).left(30).leftJustified(30, ' ');
    h.DESCRIPTION = ACp1252(testi.descrizione).left(60).leftJustified(60, ' ');
    h.VALID_FROM = DataOle(testi.validaDal);
    h.VALID_TO = DataOle(testi.validaAl);
    h.VERSION_TAG = EtichettaVersioneMatrice;
    const std::size_t c = colonne.size();
    m.COLUMS.resize(ColonnaK * c);
    for (std::size_t j = 0; j < c; ++j)
        for (std::size_t p = 0; p < ColonnaK; ++p)
            m.COLUMS[p * c + j] = colonne[j][p];
    return m;
}

} // namespace sestina
