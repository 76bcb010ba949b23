#pragma once

#include "Download.h"

#include <QString>

#include <optional>

namespace sestina {

class Interfaccia;

// The program's own version, "major.minor.revision" without padding.
QString VersioneLocale();

// Reads each part from its leading digits (0 when it has none) and compares part by part, only as
// far as the local version has parts: true when the server's is greater at the first difference.
bool VersioneServerPiuRecente(const QString& locale, const QString& primaRigaServer);

// The first line of a version file, line end removed, at most 4096 bytes; throws Errore when it
// cannot be opened.
QString PrimaRigaVersione(const QString& percorso);

// The start-up check: fetches the version file from the server into a CartellaPrivata, gone with
// the file when the check ends. Returns the server's first line when it announces a newer
// version; otherwise nullopt. A network failure is silent; an unreadable file shows the common
// error of NewVersion. The limits keep start-up moving when the server is silent.
inline constexpr LimitiDownload LimitiVersione{2500, 3000, 64 * 1024, 3};
std::optional<QString> NewVersion(const QString& indirizzoServer, Interfaccia& ui,
                                  const LimitiDownload& limiti = LimitiVersione);

} // namespace sestina
