#include "Premi.h"

#include "classINI.h"

#include <QLocale>

#include <cmath>

namespace sestina {
namespace {

const QString Sezione = QStringLiteral("Impostazioni");
const std::array<QString, 6> Chiavi = {QStringLiteral("premio_6"), QStringLiteral("premio_5piu1"),
                                       QStringLiteral("premio_5"), QStringLiteral("premio_4"),
                                       QStringLiteral("premio_3"), QStringLiteral("premio_2")};
// Larger than any jackpot paid, small enough that cents times columns stay exact.
constexpr double MassimoEuro = 1e12;

} // namespace

PremiUtente LeggiPremi(const QString& fileConfigurazione) {
    classINI ini;
    ini.FileINI(fileConfigurazione);
    PremiUtente premi;
    for (std::size_t i = 0; i < Chiavi.size(); ++i) {
        bool ok = false;
        const qint64 centesimi = ini.getProperty(Sezione, Chiavi[i], QString()).toLongLong(&ok);
        if (ok && centesimi >= 0 && centesimi <= static_cast<qint64>(MassimoEuro) * 100)
            premi[i] = centesimi;
    }
    return premi;
}

void SalvaPremi(const QString& fileConfigurazione, const PremiUtente& premi) {
    classINI ini;
    ini.FileINI(fileConfigurazione);
    for (std::size_t i = 0; i < Chiavi.size(); ++i)
        ini.setProperty(Sezione, Chiavi[i], premi[i] ? QString::number(*premi[i]) : QString());
}

std::optional<qint64> PremioDaTesto(const QString& testo, bool* ok) {
    *ok = true;
    const QString pulito = testo.trimmed();
    if (pulito.isEmpty())
        return std::nullopt;
    const double euro = QLocale().toDouble(pulito, ok);
    if (!*ok || !std::isfinite(euro) || euro < 0 || euro > MassimoEuro) {
        *ok = false;
        return std::nullopt;
    }
    return std::llround(euro * 100);
}

QString TestoPremio(const std::optional<qint64>& centesimi) {
    if (!centesimi)
        return {};
    return QLocale().toString(static_cast<double>(*centesimi) / 100, 'f', 2);
}

} // namespace sestina
