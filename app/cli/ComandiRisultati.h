#pragma once

#include <QStringList>

namespace sestina::cli {

// verifica FILE.sec --vincente "N1 N2 N3 N4 N5 N6 J" [--colonne]: the check window's scoring.
int EseguiVerifica(const QStringList& argomenti);
// archivio aggiorna | elenca: the archive window's update, and its list newest first.
int EseguiArchivio(const QStringList& argomenti);
// pubblica --archivio FILE --versione X.Y.Z [--matrici CARTELLA] -o CARTELLA: the folder a publisher serves.
int EseguiPubblica(const QStringList& argomenti);

} // namespace sestina::cli
