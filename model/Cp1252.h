#pragma once

#include <QByteArray>
#include <QString>

namespace sestina {

// Text on disk is in the Windows ANSI code page; these convert at the file boundary.
QString DaCp1252(const QByteArray& byte);
// Characters the code page lacks become '?'.
QByteArray ACp1252(const QString& testo);

} // namespace sestina
