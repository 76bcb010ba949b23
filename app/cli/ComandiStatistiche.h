#pragma once

#include <QStringList>

namespace sestina::cli {

// spoglio FILE.sec [--archivio FILE.dat] [--dal DATA --al DATA]: the scrutiny window's grid and summary.
int EseguiSpoglioEstrazioni(const QStringList& argomenti);
// statistiche [--archivio FILE.dat] --csv OUT.csv: the statistics file and the six charts' bars.
int EseguiStatistiche(const QStringList& argomenti);

} // namespace sestina::cli
