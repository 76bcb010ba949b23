#include "Centesimi.h"

#include "Errore.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace sestina {
namespace {

Centesimi NeiLimiti(double centesimi) {
    if (!std::isfinite(centesimi) || std::fabs(centesimi) > static_cast<double>(PrezzoMassimo))
        throw Errore::comune(numeri_errore::Overflow);
    return Centesimi(std::llround(centesimi));
}

// The user's locale first; a point as the decimal mark too, which the price fields accept and
// earlier versions wrote whatever the locale.
double Decimale(const QString& testo) {
    bool ok = false;
    double valore = QLocale().toDouble(testo, &ok);
    if (!ok)
        valore = QLocale::c().toDouble(testo, &ok);
    if (!ok)
        throw Errore::comune(numeri_errore::TipoNonCorrispondente);
    return valore;
}

} // namespace

Centesimi CentesimiDaTesto(const QString& testo) {
    const QString pulito = testo.trimmed();
    static const QRegularExpression intero(QStringLiteral("^[+-]?[0-9]+$"));
    if (intero.match(pulito).hasMatch()) {
        bool ok = false;
        const qint64 centesimi = pulito.toLongLong(&ok);
        if (!ok || centesimi > PrezzoMassimo || centesimi < -PrezzoMassimo)
            throw Errore::comune(numeri_errore::Overflow);
        return Centesimi(centesimi);
    }
    return NeiLimiti(Decimale(pulito));
}

Centesimi CentesimiDaEuro(const QString& testo) {
    return NeiLimiti(Decimale(testo.trimmed()) * 100);
}

} // namespace sestina
