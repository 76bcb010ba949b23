#pragma once

#include "Sistema.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace sestina {

// The sums of the six smallest and the six largest numbers of the Prediction.
struct LimitiSomma {
    int minimo = 0;
    int massimo = 0;
};

// From pronostico in ascending order (AggiornaPronostico); with fewer than six
// numbers in play the numbers there are summed.
LimitiSomma CalcolaLimitiSomma(const Sistema& s);

// What a bound field shows on opening: the stored bound when it is set and within the
// limits, otherwise ripiego (the minimum for DA, the maximum for A).
int SommaProposta(int memorizzata, int ripiego, LimitiSomma limiti);

// A bound field read as a number: leading digits, then decimals after a point or a
// comma; anything else ends the number, and an empty text is 0.
double ValoreCampoSomma(const QString& testo);

enum class ErroreSomma { DaMaggioreDiA, DaSottoMinimo, ASopraMassimo };

// The checks of the two bound fields, every one that fails, in the order they are reported.
QList<ErroreSomma> ControllaSomma(const QString& da, const QString& a, LimitiSomma limiti);

// Stores the typed bounds, rounded half to even; an empty field keeps its stored bound.
void ScriviSomma(Sistema& s, const QString& da, const QString& a);

// The longest run of consecutive numbers in the Prediction, from 1 up to 6.
int SequenzaPiuLunga(const Sistema& s);

// The accepted-run mask from the chosen lengths (index 1..6; index 0 unused).
std::int32_t MascheraConsecutivi(const std::array<bool, 7>& scelte);

inline constexpr int MassimoFissi = 5;
// The fixed-number editor's note on the limit: "Numeri fissi (al massimo 5)".
QString TestoMassimoFissi();
// True when at most MassimoFissi of the fixed numbers are in play (those out of play are dropped
// before a development), so the System is one the editor could have made.
bool FissiEntroIlLimite(const Sistema& s);

// The fixed numbers an editor shows: marked in numeriFissi and still in play (index 0..89).
std::array<bool, 90> FissiVisibili(const Sistema& s);

// Writes the fixed numbers chosen in the editor (index 0..89) and their count.
void ScriviFissi(Sistema& s, const std::array<bool, 90>& fissi);

} // namespace sestina
