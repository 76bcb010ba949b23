#pragma once

#include <QByteArray>
#include <QString>

namespace sestina {

// Writes the whole file through QSaveFile: the old file is replaced only when every byte is on
// disk, and a failure leaves it, and nothing beside it, as it was.
bool ScriviFileIntero(const QString& percorso, const QByteArray& byte);

} // namespace sestina
