#include "Console.h"

#include <cstdio>
#include <unistd.h>

namespace sestina::cli {
namespace {

void Scrivi(const QString& testo) {
    const QByteArray byte = testo.toUtf8();
    std::fwrite(byte.constData(), 1, static_cast<std::size_t>(byte.size()), stderr);
    std::fflush(stderr);
}

} // namespace

Console::Console() : m_terminale(isatty(fileno(stderr)) != 0) {}

void Console::messaggio(const QString& testo) {
    chiudiProgresso();
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Scrivi(righe + QLatin1Char('\n'));
}

void Console::progresso(const QString& riga) {
    if (!m_terminale)
        return;
    Scrivi(QLatin1Char('\r') + riga);
    m_rigaAperta = true;
}

void Console::chiudiProgresso() {
    if (!m_rigaAperta)
        return;
    Scrivi(QStringLiteral("\n"));
    m_rigaAperta = false;
}

} // namespace sestina::cli
