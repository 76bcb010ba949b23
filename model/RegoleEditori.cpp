#include "RegoleEditori.h"

#include <algorithm>
#include <cmath>

namespace sestina {

LimitiSomma CalcolaLimitiSomma(const Sistema& s) {
    const int n = s.numeriInGioco;
    const int quanti = std::min(6, n);
    LimitiSomma limiti;
    for (int i = 0; i < quanti; ++i) {
        limiti.minimo += s.pronostico[static_cast<std::size_t>(i)];
        limiti.massimo += s.pronostico[static_cast<std::size_t>(n - 1 - i)];
    }
    return limiti;
}

int SommaProposta(int memorizzata, int ripiego, LimitiSomma limiti) {
    const bool valida = memorizzata != 0 && memorizzata >= limiti.minimo && memorizzata <= limiti.massimo;
    return valida ? memorizzata : ripiego;
}

double ValoreCampoSomma(const QString& testo) {
    double valore = 0;
    double peso = 0; // 0 before the decimal separator, then 0.1, 0.01...
    for (const QChar c : testo.trimmed()) {
        if (c.isDigit() && c.unicode() < 128) {
            const int cifra = c.unicode() - '0';
            if (peso == 0) {
                valore = valore * 10 + cifra;
            } else {
                valore += cifra * peso;
                peso /= 10;
            }
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && peso == 0) {
            peso = 0.1;
        } else {
            break;
        }
    }
    return valore;
}

QList<ErroreSomma> ControllaSomma(const QString& da, const QString& a, LimitiSomma limiti) {
    const double valoreDa = ValoreCampoSomma(da);
    const double valoreA = ValoreCampoSomma(a);
    QList<ErroreSomma> errori;
    if (valoreDa > valoreA)
        errori << ErroreSomma::DaMaggioreDiA;
    if (!da.isEmpty() && valoreDa < limiti.minimo)
        errori << ErroreSomma::DaSottoMinimo;
    if (!a.isEmpty() && valoreA > limiti.massimo)
        errori << ErroreSomma::ASopraMassimo;
    return errori;
}

namespace {
std::int16_t ArrotondaInt16(double valore) {
    // Half to even, as the bounds were always rounded; the fields hold at most three digits.
    const double arrotondato = std::nearbyint(std::clamp(valore, -32768.0, 32767.0));
    return static_cast<std::int16_t>(arrotondato);
}
} // namespace

void ScriviSomma(Sistema& s, const QString& da, const QString& a) {
    if (!da.isEmpty())
        s.sommaDa = ArrotondaInt16(ValoreCampoSomma(da));
    if (!a.isEmpty())
        s.sommaA = ArrotondaInt16(ValoreCampoSomma(a));
}

int SequenzaPiuLunga(const Sistema& s) {
    int corsa = 1;
    int massimo = 1;
    for (int i = 0; i + 1 < s.numeriInGioco; ++i) {
        if (s.pronostico[static_cast<std::size_t>(i)] + 1 == s.pronostico[static_cast<std::size_t>(i + 1)]) {
            corsa = std::min(corsa + 1, 6);
            massimo = std::max(massimo, corsa);
        } else {
            corsa = 1;
        }
    }
    return massimo;
}

std::int32_t MascheraConsecutivi(const std::array<bool, 7>& scelte) {
    std::int32_t maschera = 0;
    for (std::size_t k = 1; k <= 6; ++k)
        if (scelte[k])
            maschera += potenzeDiDue[k];
    return maschera;
}

std::array<bool, 90> FissiVisibili(const Sistema& s) {
    std::array<bool, 90> visibili{};
    for (std::size_t i = 0; i < visibili.size(); ++i)
        visibili[i] = s.numeriFissi[i + 1] != 0 && s.selezionati[i];
    return visibili;
}

QString TestoMassimoFissi() {
    return QStringLiteral("Numeri fissi (al massimo %1)").arg(MassimoFissi);
}

bool FissiEntroIlLimite(const Sistema& s) {
    const std::array<bool, 90> visibili = FissiVisibili(s);
    return std::count(visibili.begin(), visibili.end(), true) <= MassimoFissi;
}

void ScriviFissi(Sistema& s, const std::array<bool, 90>& fissi) {
    int quanti = 0;
    for (std::size_t i = 0; i < fissi.size(); ++i) {
        s.numeriFissi[i + 1] = fissi[i] ? 1 : 0;
        quanti += fissi[i] ? 1 : 0;
    }
    s.quantiFissi = static_cast<std::uint8_t>(quanti);
}

} // namespace sestina
