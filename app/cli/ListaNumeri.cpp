#include "ListaNumeri.h"

#include "ErroreUso.h"

#include <QRegularExpression>

#include <set>

namespace sestina::cli {
namespace {

// [0-9] rather than \d: Qt's \d would also take digits of other scripts.
const QRegularExpression& EspressioneElemento() {
    static const QRegularExpression re(QStringLiteral("^([0-9]+)(?:-([0-9]+))?$"));
    return re;
}

[[noreturn]] void Malformato(const QString& opzione, const QString& testo) {
    throw ErroreUso(QStringLiteral("valore non valido per %1: \"%2\"").arg(opzione, testo));
}

int NumeroNeiLimiti(const QString& cifre, int minimo, int massimo, const QString& opzione) {
    bool ok = false;
    const int n = cifre.toInt(&ok);
    if (!ok || n < minimo || n > massimo)
        throw ErroreUso(
            QStringLiteral("%1: %2 fuori dall'intervallo %3-%4").arg(opzione, cifre).arg(minimo).arg(massimo));
    return n;
}

// One element of a list, "n" or "da-a", within the bounds and in order.
Intervallo LeggiElemento(const QString& elemento, const QString& testo, int minimo, int massimo,
                         const QString& opzione) {
    const auto m = EspressioneElemento().match(elemento);
    if (!m.hasMatch())
        Malformato(opzione, testo);
    const int da = NumeroNeiLimiti(m.captured(1), minimo, massimo, opzione);
    const int a = m.hasCaptured(2) ? NumeroNeiLimiti(m.captured(2), minimo, massimo, opzione) : da;
    if (a < da)
        Malformato(opzione, testo);
    return {da, a};
}

} // namespace

std::vector<int> LeggiLista(const QString& testo, int minimo, int massimo, const QString& opzione) {
    std::set<int> valori;
    for (const QString& grezzo : testo.split(QLatin1Char(','))) {
        const Intervallo i = LeggiElemento(grezzo.trimmed(), testo, minimo, massimo, opzione);
        for (int n = i.da; n <= i.a; ++n)
            valori.insert(n);
    }
    return {valori.begin(), valori.end()};
}

std::vector<int> LeggiListaInOrdine(const QString& testo, int minimo, int massimo, const QString& opzione) {
    static const QRegularExpression separatori(QStringLiteral("[,\\s]+"));
    std::vector<int> numeri;
    std::set<int> visti;
    for (const QString& elemento : testo.split(separatori, Qt::SkipEmptyParts)) {
        const Intervallo i = LeggiElemento(elemento, testo, minimo, massimo, opzione);
        for (int n = i.da; n <= i.a; ++n) {
            if (!visti.insert(n).second)
                throw ErroreUso(QStringLiteral("%1: %2 ripetuto").arg(opzione).arg(n));
            numeri.push_back(n);
        }
    }
    return numeri;
}

Intervallo LeggiIntervallo(const QString& testo, int minimo, int massimo, const QString& opzione) {
    const auto m = EspressioneElemento().match(testo.trimmed());
    if (!m.hasMatch() || !m.hasCaptured(2))
        Malformato(opzione, testo);
    const Intervallo i{NumeroNeiLimiti(m.captured(1), minimo, massimo, opzione),
                       NumeroNeiLimiti(m.captured(2), minimo, massimo, opzione)};
    if (i.a < i.da)
        Malformato(opzione, testo);
    return i;
}

int LeggiIntero(const QString& testo, int minimo, int massimo, const QString& opzione) {
    const auto m = EspressioneElemento().match(testo.trimmed());
    if (!m.hasMatch() || m.hasCaptured(2))
        Malformato(opzione, testo);
    return NumeroNeiLimiti(m.captured(1), minimo, massimo, opzione);
}

} // namespace sestina::cli
