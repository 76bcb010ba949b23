#pragma once

#include <QString>

#include <functional>

namespace sestina {

// Writes a whole folder: scrivi fills a new folder made beside cartella, which takes cartella's
// place by renames only once scrivi succeeded and every entry of the old folder that scrivi did not
// write has been copied into it. A failure leaves cartella as it was and nothing beside it. A
// cartella that is a link is written where the link leads.
bool ScriviCartellaIntera(const QString& cartella, const std::function<bool(const QString& nuova)>& scrivi);

} // namespace sestina
