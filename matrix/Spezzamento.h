#pragma once

#include "Copertura.h"

#include <QByteArray>

#include <vector>

namespace sestina {

// A "t if p" design on the positions 1..v: every p of them meet one of its columns in t.
struct DisegnoBase {
    int v = 0;
    int p = 0;
    int t = 0;
    std::vector<Blocco> colonne;
};

// The table of building blocks kept as text: a line "A numeri, T se P: C colonne", then C lines of six
// positions 1..A; '#' starts a comment. Entries that are malformed, out of range or do not hold
// (checked over every p-subset) are left out; the reader trusts nothing of the text.
std::vector<DisegnoBase> LeggiTabellaBlocchi(const QByteArray& testo);
// The same text back, one entry per (v, p, t), in the order v, t, p.
QByteArray ScriviTabellaBlocchi(const std::vector<DisegnoBase>& disegni);
// The smallest entry of the table for (v, p, t), or nullptr.
const DisegnoBase* MigliorBlocco(const std::vector<DisegnoBase>& tabella, int v, int p, int t);
// Puts d in the table if it has no entry for its (v, p, t) or a larger one; true when it went in.
bool InserisciBlocco(std::vector<DisegnoBase>& tabella, DisegnoBase d);

// The building blocks shipped with the program, read and checked.
std::vector<DisegnoBase> BlocchiDistribuiti();

// "t if p" from smaller designs: split the v positions into A and B and take p1 + p2 = p + 1; fewer
// than p1 drawn in A leave at least p2 in B, so a "t if p1" design on A with a "t if p2" design on B
// is a "t if p" design on all. A part with fewer than p1 positions needs no column, one of six or
// fewer needs one. Gives the smallest such design the table allows (recursively), or empty.
std::vector<Blocco> Spezzamento(int v, int p, int t, const std::vector<DisegnoBase>& tabella);

} // namespace sestina
