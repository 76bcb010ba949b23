#pragma once

#include <QStringList>

namespace sestina::cli {

// A command that reads its own options: it gets the arguments after its name and returns the
// exit status. It throws ErroreUso for a command line it cannot run.
struct ComandoProprio {
    const char* nome;
    const char* uso; // its lines of the usage text
    int (*esegui)(const QStringList& argomenti);
};

// Every such command, in the order of the usage text; defined in main.cpp.
const QList<ComandoProprio>& ComandiPropri();

} // namespace sestina::cli
