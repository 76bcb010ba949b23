#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>

namespace sestina {

// An amount of money in whole euro cents. Prices and costs are kept exact: a price times
// 1,850,000 columns must not lose a cent, which a binary fraction of a euro would.
class Centesimi final {
public:
    constexpr Centesimi() = default;
    constexpr explicit Centesimi(qint64 centesimi) : m_valore(centesimi) {}

    constexpr qint64 valore() const { return m_valore; }
    // Only for ratios such as a return in percent, never for an amount shown or kept.
    constexpr double euro() const { return static_cast<double>(m_valore) / 100; }

    friend constexpr Centesimi operator*(Centesimi prezzo, qint64 quante) {
        return Centesimi(prezzo.m_valore * quante);
    }
    friend constexpr auto operator<=>(Centesimi, Centesimi) = default;

private:
    qint64 m_valore = 0;
};

// A price of one column is at most this many cents: far above any real price, and any price
// times any count of columns stays exact.
inline constexpr qint64 PrezzoMassimo = 2'147'483'647;

// A price as the configuration keeps it, in cents: a whole number ("120"), or, as earlier versions
// wrote it, a decimal in the user's locale or with a point ("80,5", "120.00001"), rounded to the
// nearest cent. Throws Errore 13 for text that is no number, 6 beyond PrezzoMassimo.
Centesimi CentesimiDaTesto(const QString& testo);

// A price typed in euro, in the user's locale or with a point ("1,20", "1.20"): its cents,
// rounded to the nearest. The same errors.
Centesimi CentesimiDaEuro(const QString& testo);

} // namespace sestina
