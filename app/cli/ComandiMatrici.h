#pragma once

#include <QStringList>

namespace sestina::cli {

// matrici aggiorna | elenca: the matrix window's download, and its catalogue lines.
int EseguiMatrici(const QStringList& argomenti);
// adatta FILE.mspl --numeri LISTA [--fisse LISTA] -o OUT.sec: the adaptation of the matrix window.
int EseguiAdatta(const QStringList& argomenti);

} // namespace sestina::cli
