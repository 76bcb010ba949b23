#include "Cp1252.h"

#include <array>

namespace sestina {
namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1 control of the same value.
constexpr std::array<char16_t, 32> Alti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t Carattere(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F)
        return Alti[b - 0x80u];
    return b;
}

char Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < Alti.size(); ++i)
        if (Alti[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString DaCp1252(const QByteArray& byte) {
    QString testo(byte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < byte.size(); ++i)
        testo[i] = QChar(Carattere(static_cast<unsigned char>(byte[i])));
    return testo;
}

QByteArray ACp1252(const QString& testo) {
    QByteArray byte(testo.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < testo.size(); ++i)
        byte[i] = Byte(testo[i].unicode());
    return byte;
}

} // namespace sestina
