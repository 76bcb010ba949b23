#include "Probabilita.h"

#include "Combinatoria.h"

#include <QLocale>

namespace sestina {
QString NomeCategoria(Categoria c) {
    switch (c) {
    case Categoria::Sei:
        return QStringLiteral("6");
    case Categoria::CinquePiuUno:
        return QStringLiteral("5+1");
    case Categoria::Cinque:
        return QStringLiteral("5");
    case Categoria::Quattro:
        return QStringLiteral("4");
    case Categoria::Tre:
        return QStringLiteral("3");
    case Categoria::Due:
        break;
    }
    return QStringLiteral("2");
}

// A column's six numbers against the six drawn: C(6, k) ways to hit k of them times C(84, 6 - k)
// for the rest; of the five-hit draws, those whose Jolly is the column's sixth number are 5+1, and
// the Jolly is one of the 84 numbers left, so one in 84 of them.
qint64 EstrazioniVincentiPerColonna(Categoria c) {
    switch (c) {
    case Categoria::Sei:
        return 1;
    case Categoria::CinquePiuUno:
        return Binomiale(6, 5);
    case Categoria::Cinque:
        return Binomiale(6, 5) * (Binomiale(84, 1) - 1);
    case Categoria::Quattro:
        return Binomiale(6, 4) * Binomiale(84, 2);
    case Categoria::Tre:
        return Binomiale(6, 3) * Binomiale(84, 3);
    case Categoria::Due:
        break;
    }
    return Binomiale(6, 2) * Binomiale(84, 4);
}

ProbabilitaSistema CalcolaProbabilita(const EsitoGaranzia& garanzia, qint64 colonne, int universo) {
    ProbabilitaSistema p;
    p.colonne = colonne;
    const int v = garanzia.numeri;
    for (const RigaGaranzia& riga : garanzia.righe) {
        const qint64 estrazioniPerSottoinsieme = Binomiale(universo - v, 6 - riga.p);
        for (int migliore = 2; migliore <= 6; ++migliore)
            for (int k = 2; k <= migliore; ++k)
                p.estrazioniAlmeno[static_cast<std::size_t>(k)] +=
                    riga.migliori[static_cast<std::size_t>(migliore)] * estrazioniPerSottoinsieme;
    }
    return p;
}

std::optional<qint64> UnoSu(qint64 estrazioni) {
    if (estrazioni <= 0)
        return std::nullopt;
    return (EstrazioniPossibili + estrazioni / 2) / estrazioni;
}

QString TestoUnoSu(qint64 estrazioni) {
    const std::optional<qint64> n = UnoSu(estrazioni);
    return n ? QStringLiteral("1 su ") + QLocale().toString(*n) : QStringLiteral("-");
}

QString ColonneAtteseTesto(qint64 colonne, Categoria c) {
    // colonne × n fits in 64 bits (1,850,000 × 28,942,515); the decimals come from the remainder.
    const qint64 numeratore = colonne * EstrazioniVincentiPerColonna(c);
    qint64 intera = numeratore / EstrazioniPossibili;
    qint64 decimali = ((numeratore % EstrazioniPossibili) * 1'000'000 + EstrazioniPossibili / 2) / EstrazioniPossibili;
    if (decimali == 1'000'000) {
        ++intera;
        decimali = 0;
    }
    return QStringLiteral("%1.%2").arg(intera).arg(decimali, 6, 10, QLatin1Char('0'));
}

double ColonneAttese(qint64 colonne, Categoria c) {
    return static_cast<double>(colonne) * static_cast<double>(EstrazioniVincentiPerColonna(c)) /
           static_cast<double>(EstrazioniPossibili);
}

double PremioAtteso(qint64 colonne, const std::array<double, 6>& premi) {
    double atteso = 0;
    for (std::size_t i = 0; i < TutteLeCategorie.size(); ++i)
        atteso += premi[i] * ColonneAttese(colonne, TutteLeCategorie[i]);
    return atteso;
}

std::optional<double> RendimentoAtteso(double premioAtteso, Centesimi costo) {
    if (costo.valore() <= 0)
        return std::nullopt;
    return 100 * premioAtteso / costo.euro();
}

} // namespace sestina
