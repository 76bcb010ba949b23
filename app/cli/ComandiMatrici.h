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

// matrice-genera --numeri V --garanzia T [--secondi S | --lavoro N] [--seme N] -o FILE.mspl: the optimiser.
int EseguiMatriceGenera(const QStringList& argomenti);
// matrice-blocco --numeri A --garanzia T --su P [--secondi S | --lavoro N] [--seme N] --tabella FILE: a
// building block of the split construction, put in the table when it is smaller than the table's.
int EseguiMatriceBlocco(const QStringList& argomenti);

} // namespace sestina::cli
