#pragma once

#include "Sistema.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace sestina {

class Interfaccia;

// Writes columns 1..numeroColonne as a column list to cartellaDati/txt/<nomeSistema with ".sec"
// replaced by ".txt">, creating the folder. A name that would leave that folder is refused. Returns
// the path written, or nullopt after showing the common error of SalvaColonneTxt; a failed export
// leaves any previous file whole.
std::optional<QString> SalvaColonneTxt(const Sistema& s, const QString& cartellaDati, Interfaccia& ui);

// The same list written to a path of the caller's choice (the command-line tool). An empty path
// does nothing and returns false.
bool EsportaColonneTxt(const Sistema& s, const QString& percorso, Interfaccia& ui);

// Replaces the System with the columns of a column list: a line's first six blank-separated fields
// are a column, later fields are ignored, blank lines are skipped. The whole file is read and
// checked first; a refused file shows its message and leaves the System exactly as it was.
// finestraAggiornata runs once the System holds the new columns. An empty path does nothing.
bool ImportaColonneTxt(Sistema& s, const QString& percorso, Interfaccia& ui,
                       const std::function<void()>& finestraAggiornata = {});

// ---- shared by the importers

// The columns of a file, read and checked, before the System is touched.
struct ColonneLette {
    std::vector<std::uint8_t> celle;           // six numbers per column
    std::array<bool, NumeriGioco + 1> visto{}; // index = number
    int quante() const { return static_cast<int>(celle.size() / 6); }
    void aggiungi(const std::array<std::uint8_t, 6>& colonna);
};

// Empties the System, stores the columns, selects every number seen on the grid in ascending order,
// rebuilds the Prediction and sets numeroColonne and the developed state. The caller sets the rest.
void SostituisciColonne(Sistema& s, const ColonneLette& lette, Interfaccia& ui);

// A file with more columns than the program holds: told with the limit message, nothing is stored.
struct ColonneOltreLimite {};
void AvvisaColonneOltreLimite(Interfaccia& ui);

} // namespace sestina
