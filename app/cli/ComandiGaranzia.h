#pragma once

#include <QStringList>

namespace sestina::cli {

// garanzia FILE.sec: for p = 6 down to 2, the subsets, the count of each best score and the guarantee.
int EseguiGaranzia(const QStringList& argomenti);
// probabilita FILE.sec [--premi "P6 P51 P5 P4 P3 P2"]: the odds of each prize and the expected return.
int EseguiProbabilita(const QStringList& argomenti);

} // namespace sestina::cli
