#include "Console.h"

#include "UscitaStandard.h"

#include <unistd.h>

namespace sestina::cli {

Console::Console() : m_terminale(isatty(fileno(stderr)) != 0) {}

void Console::messaggio(const QString& testo) {
    chiudiProgresso();
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Scrivi(stderr, (righe + QLatin1Char('\n')).toUtf8());
}

void Console::progresso(const QString& riga) {
    if (!m_terminale)
        return;
    Scrivi(stderr, (QLatin1Char('\r') + riga).toUtf8());
    m_rigaAperta = true;
}

void Console::chiudiProgresso() {
    if (!m_rigaAperta)
        return;
    Scrivi(stderr, "\n");
    m_rigaAperta = false;
}

} // namespace sestina::cli
