#pragma once

#include <QStringList>

namespace sestina::cli {

// garanzia FILE.sec: for p = 6 down to 2, the subsets, the count of each best score and the guarantee.
int EseguiGaranzia(const QStringList& argomenti);

} // namespace sestina::cli
