#include "Filtri.h"

#include <QLocale>

#include <algorithm>

namespace sestina {

void CompattaFiltri(Sistema& s) {
    auto primo = s.colonneFiltro.begin() + 1; // slot 0 is not a filter column
    const auto accesa = [](const FilterColumn& f) { return f.attiva != 0; };
    const auto fine = std::stable_partition(primo, s.colonneFiltro.end(), accesa);
    s.numeroFiltri = static_cast<std::int16_t>(fine - primo);
}

void CancellaTuttiFiltri(Sistema& s) {
    s.colonneFiltro.fill(FilterColumn{});
    s.numeroFiltri = 0;
}

QString FormattaNumeroFiltri(int n) {
    QString cifre = QLocale().toString(qAbs(qint64{n}));
    if (cifre.size() < 2)
        cifre.prepend(QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + cifre : cifre;
}

} // namespace sestina
