#include "ProgressoConsole.h"

#include "Console.h"

#include <Formato.h>

namespace sestina::cli {

void ProgressoConsole::passo(std::int32_t passo, double integrale, double elaborate, std::int32_t accettate) {
    m_console.progresso(
        QStringLiteral("%1% colonne elaborate%2 di%3, colonne sistema%4")
            .arg(passo * 5, 4)
            .arg(FormattaContatore(elaborate), FormattaContatore(integrale), FormattaContatore(accettate)));
}

void ProgressoConsole::fine(double, double, std::int32_t) {
    m_console.chiudiProgresso();
}

} // namespace sestina::cli
