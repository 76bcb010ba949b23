#pragma once

#include <QString>

#include <array>
#include <optional>

namespace sestina {

// The user's own prizes for the odds window, best category first (6, 5+1, 5, 4, 3, 2), in whole
// cents; a category left empty has none. Kept in section "Impostazioni" of the configuration.
using PremiUtente = std::array<std::optional<qint64>, 6>;

// Missing, empty or unreadable keys give empty prizes; nothing is written.
PremiUtente LeggiPremi(const QString& fileConfigurazione);
// Writes the six keys, leaving every other line of the file as it was; throws Errore on failure.
void SalvaPremi(const QString& fileConfigurazione, const PremiUtente& premi);

// A prize as the user types it in the locale ("1.000.000,50"): its cents, nothing for an empty
// text; false in ok for text that is no amount.
std::optional<qint64> PremioDaTesto(const QString& testo, bool* ok);
// Cents as the field shows them: "1.000.000,50"; empty for none.
QString TestoPremio(const std::optional<qint64>& centesimi);

} // namespace sestina
