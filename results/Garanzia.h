#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace sestina {

class Interfaccia;
class OsservatoreSviluppo;
struct Sistema;

// What the System still guarantees when exactly p of the six drawn numbers are in the Prediction:
// over every p-subset of the Prediction, how many have each best score 0..6 in some column, and
// the lowest best score ("t se p"). Rows for p = 6 down to 2.
struct RigaGaranzia {
    int p = 0;
    qint64 sottoinsiemi = 0;
    std::array<qint64, 7> migliori{}; // entry k: subsets whose best column holds k of them
    int garanzia = -1;                // -1 when the Prediction has fewer than p numbers
};

struct EsitoGaranzia {
    int numeri = 0; // the Prediction's distinct numbers
    std::array<RigaGaranzia, 5> righe{};
    bool annullata = false;
};

// Marks, for t = 1..6, the t-subsets of the Prediction that some column holds, then walks the
// p-subsets of the Prediction depth first: a subset's best score is the largest t such that one of
// its t-subsets is marked, and the subsets of a prefix are shared by all its extensions. Numbers
// of a column outside the Prediction, or repeated, play no part. Reports to the development's
// progress window and stops, with annullata, as soon as sviluppoAnnullato is set.
EsitoGaranzia CalcolaGaranzia(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

// "5 se 6"; "-" without subsets.
QString TestoGaranzia(const RigaGaranzia& riga);
// The command's line: p, subsets, the seven counts and the guarantee, TAB-separated.
QString RigaTestoGaranzia(const RigaGaranzia& riga);

} // namespace sestina
