#pragma once

#include <QString>

namespace sestina {

// The program's own line on every slip and listing.
inline const QString RigaCrediti = QStringLiteral("Sestinaplan - sistemi per il SuperEnalotto");
inline const QString CarattereSchede = QStringLiteral("Arial");
inline const QString CarattereTabulato = QStringLiteral("Courier New");

} // namespace sestina
