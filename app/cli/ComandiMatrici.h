#pragma once

#include <QStringList>

namespace sestina::cli {

// matrici (aggiorna | elenca) [--numeri V]: the matrix window's download, and its catalogue lines
// (only the matrices of V numbers with --numeri).
int EseguiMatrici(const QStringList& argomenti);
// matrice FILE.mspl: every header field as "<FIELD><TAB><value>", then versioneValida and crcValido.
int EseguiMatrice(const QStringList& argomenti);
// adatta FILE.mspl --numeri LISTA [--fisse LISTA] -o OUT.sec: the adaptation of the matrix window.
int EseguiAdatta(const QStringList& argomenti);

// matrice-genera --numeri V --garanzia T [--secondi S] [--seme N] -o FILE.mspl: the optimiser.
int EseguiMatriceGenera(const QStringList& argomenti);

} // namespace sestina::cli
