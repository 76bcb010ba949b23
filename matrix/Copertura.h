#pragma once

#include "Combinatoria.h"

#include <cstdint>

namespace sestina {

// A column over the positions 1..v of a matrix: bit p-1 stands for position p.
using Blocco = MascheraBit;

inline constexpr int VMinimoDisegno = 7;
inline constexpr int VMassimoDisegno = PosizioniMassimeRango;
// Past 32 numbers a "5 if 6" design has tens of thousands of columns, and checking it over every
// 6-subset takes many minutes: generation stops there for that guarantee.
inline constexpr int VMassimoCinqueSeSei = 32;
inline constexpr int VMassimoPerGaranzia(int t) {
    return t >= 5 ? VMassimoCinqueSeSei : VMassimoDisegno;
}

// The p-subsets a column of six meets in at least t positions: sum over i >= t of C(6,i) C(v-6,p-i).
std::uint64_t CoperteDaUnBlocco(int v, int t, int p = 6);

// The columns of six that meet a given p-subset in at least t: sum over i >= t of C(p,i) C(v-p,6-i).
std::uint64_t ColonneCheIncontrano(int v, int t, int p);

} // namespace sestina
