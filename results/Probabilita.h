#pragma once

#include "Centesimi.h"
#include "Garanzia.h"

#include <QString>

#include <array>
#include <optional>

namespace sestina {

// Every draw of six numbers out of 90.
inline constexpr qint64 EstrazioniPossibili = 622'614'630;

// The prize categories, best first; 5+1 is five drawn numbers and the Jolly as the sixth.
enum class Categoria { Sei, CinquePiuUno, Cinque, Quattro, Tre, Due };
inline constexpr std::array<Categoria, 6> TutteLeCategorie = {
    Categoria::Sei, Categoria::CinquePiuUno, Categoria::Cinque, Categoria::Quattro, Categoria::Tre, Categoria::Due};
QString NomeCategoria(Categoria c); // "6", "5+1", "5", "4", "3", "2"

// Of the EstrazioniPossibili draws, in how many one column wins a category: the same for every column.
qint64 EstrazioniVincentiPerColonna(Categoria c);

// What a System gives, from its guarantee's counts: a draw that meets the Prediction in the
// j-subset S is one of C(90 - v, 6 - j) draws, and the System's best score on it is S's best.
// Exact as long as the columns lie within the Prediction.
struct ProbabilitaSistema {
    std::array<qint64, 7> estrazioniAlmeno{}; // k = 2..6: draws where some column holds k or more
    qint64 colonne = 0;
};
// universo is the game's 90; a smaller one lets every draw be counted by hand.
ProbabilitaSistema CalcolaProbabilita(const EsitoGaranzia& garanzia, qint64 colonne, int universo = 90);

// N of "1 su N": the draws per winning draw, rounded; nothing when no draw wins.
std::optional<qint64> UnoSu(qint64 estrazioni);
QString TestoUnoSu(qint64 estrazioni); // "1 su 1.233.196" in the locale; "-" when none

// Expected winning columns of a category per draw, as the exact fraction colonne × n / C(90, 6)
// written with six decimal places ("0.000003", '.' as the decimal mark).
QString ColonneAtteseTesto(qint64 colonne, Categoria c);
double ColonneAttese(qint64 colonne, Categoria c);

// The expected prize of one play, in euro, for the prizes of the six categories (best first).
double PremioAtteso(qint64 colonne, const std::array<double, 6>& premi);
// That prize in percent of what the play costs; nothing when it costs nothing.
std::optional<double> RendimentoAtteso(double premioAtteso, Centesimi costo);

} // namespace sestina
