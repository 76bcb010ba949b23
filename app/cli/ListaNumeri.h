#pragma once

#include <QString>

#include <vector>

namespace sestina::cli {

struct Intervallo {
    int da = 0;
    int a = 0;
};

// "1-10,15,20": numbers and ranges separated by commas, each within minimo..massimo.
// Returns the distinct values in ascending order; throws ErroreUso when malformed.
std::vector<int> LeggiLista(const QString& testo, int minimo, int massimo, const QString& opzione);

// The same numbers and ranges, separated by commas or blanks, in the order written (a range in
// ascending order); a number written twice throws ErroreUso.
std::vector<int> LeggiListaInOrdine(const QString& testo, int minimo, int massimo, const QString& opzione);

// "DA-A" with minimo <= DA <= A <= massimo.
Intervallo LeggiIntervallo(const QString& testo, int minimo, int massimo, const QString& opzione);

// One whole number within minimo..massimo.
int LeggiIntero(const QString& testo, int minimo, int massimo, const QString& opzione);

} // namespace sestina::cli
