#pragma once

#include <QString>

namespace sestina {

// The progress window of a slip job, as the job sees it: the GUI shows frmPrnInCorso, the
// command line a progress line.
class ProgressoStampa {
public:
    virtual ~ProgressoStampa() = default;
    virtual void apri() = 0;
    virtual void scheda(const QString& etichetta) = 0; // "Scheda n. 00001"
    virtual void chiudi() = 0;
};

} // namespace sestina
