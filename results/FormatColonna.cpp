#include "FormatColonna.h"

namespace sestina {

QString FormatColonna(const std::uint8_t* numeri, int quanti, int spazi) {
    QString testo;
    testo.reserve(quanti * (3 + spazi));
    const QString blanchi(spazi, QLatin1Char(' '));
    for (int i = 0; i < quanti; ++i) {
        testo += QStringLiteral("%1").arg(numeri[i], 2, 10, QLatin1Char('0'));
        testo += blanchi;
    }
    return testo.trimmed();
}

} // namespace sestina
