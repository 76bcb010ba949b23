#pragma once

#include <QString>

namespace sestina {

// Hands a file or folder to the desktop's "open" action; the result is the platform's, unexamined.
int ApriDocumento(const QString& percorso);
// Hands a web address (or a file) to the desktop's default action.
void ApriIndirizzo(const QString& indirizzo);

} // namespace sestina
