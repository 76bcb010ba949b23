#include "SpoglioColonna.h"

#include "Interfaccia.h"
#include "Sistema.h"

#include <algorithm>

namespace sestina {
namespace {

constexpr int PassoEventi = 1000;
const QString TitoloColonnaErrata = QStringLiteral("Colonna Errata");

} // namespace

void RegistraSpoglio(EsitoSpoglio& esito, int colonna, int punti, bool jolly) {
    if (punti == 5 && jolly) {
        esito.liste[EsitoSpoglio::CinquePiuUno].push_back(colonna);
        esito.maxPunti = std::max(esito.maxPunti, 6);
        return;
    }
    if (punti >= 2)
        esito.liste[static_cast<std::size_t>(6 - punti)].push_back(colonna);
    esito.maxPunti = std::max(esito.maxPunti, punti);
}

int ValoreCasella(const QString& testo) {
    int valore = 0;
    for (const QChar c : testo) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        valore = valore * 10 + (c.unicode() - u'0');
        if (valore > 99'999)
            break;
    }
    return valore;
}

std::optional<ColonnaErrata> ValidaColonnaSpoglio(std::array<QString, 7>& caselle) {
    for (std::size_t i = 0; i < 6; ++i)
        for (std::size_t j = i + 1; j < 6; ++j)
            if (ValoreCasella(caselle[i]) > ValoreCasella(caselle[j]))
                std::swap(caselle[i], caselle[j]);
    for (std::size_t i = 0; i < 6; ++i) {
        if (ValoreCasella(caselle[i + 1]) == ValoreCasella(caselle[i]))
            return ColonnaErrata{QStringLiteral("Duplicazione di numeri"), TitoloColonnaErrata, static_cast<int>(i)};
        if (ValoreCasella(caselle[6]) == ValoreCasella(caselle[i]))
            return ColonnaErrata{QStringLiteral("Combinazione errata"), QStringLiteral("!!! E R R O R E !!!"), 0};
    }
    for (std::size_t i = 0; i < 7; ++i) {
        const int valore = ValoreCasella(caselle[i]);
        if (valore == 0 || valore > 90)
            return ColonnaErrata{QStringLiteral("Valore %1 non ammesso").arg(valore), TitoloColonnaErrata,
                                 static_cast<int>(i)};
    }
    return std::nullopt;
}

EsitoSpoglio SpogliaColonne(const ColumnStore& colonne, int numeroColonne, const ColonnaSpoglio& vincente,
                            Interfaccia& ui) {
    // estratto[n] is 1 for a drawn number, jolly[n] for the Jolly; 0 (an empty cell) is neither.
    std::array<std::uint8_t, 256> estratto{};
    std::array<std::uint8_t, 256> jolly{};
    for (int i = 1; i <= 6; ++i)
        estratto[vincente[static_cast<std::size_t>(i)]] = 1;
    jolly[vincente[7]] = 1;
    estratto[0] = 0;
    jolly[0] = 0;

    EsitoSpoglio esito;
    const std::uint8_t* c = colonne.dati();
    for (int indice = 1; indice <= numeroColonne; ++indice, c += 6) {
        const int punti =
            estratto[c[0]] + estratto[c[1]] + estratto[c[2]] + estratto[c[3]] + estratto[c[4]] + estratto[c[5]];
        if (punti >= 2)
            RegistraSpoglio(esito, indice, punti,
                            punti == 5 &&
                                (jolly[c[0]] | jolly[c[1]] | jolly[c[2]] | jolly[c[3]] | jolly[c[4]] | jolly[c[5]]));
        else if (punti > esito.maxPunti)
            esito.maxPunti = punti;
        if (indice % PassoEventi == 0)
            ui.elaboraEventi();
    }
    return esito;
}

QString TestoMaxPunti(std::optional<int> maxPunti) {
    const QString testo = QStringLiteral("Massimo punteggio raggiunto");
    return maxPunti ? testo + QLatin1Char(' ') + QString::number(*maxPunti) : testo;
}

QString VoceColonna(int indice) {
    return QStringLiteral("C. ") + QString::number(indice);
}

QString TitoloCategoria(int lista) {
    return lista == EsitoSpoglio::CinquePiuUno ? QStringLiteral("Punti 5+1")
                                               : QStringLiteral("Punti ") + QString::number(6 - lista);
}

} // namespace sestina
