#pragma once

#include <Sviluppo.h>

namespace sestina::cli {

class Console;

// The progress window's twentieths as one line rewritten on a terminal.
class ProgressoConsole final : public OsservatoreSviluppo {
public:
    explicit ProgressoConsole(Console& console) : m_console(console) {}

    void passo(std::int32_t passo, double integrale, double elaborate, std::int32_t accettate) override;
    void fine(double integrale, double elaborate, std::int32_t accettate) override;

private:
    Console& m_console;
};

} // namespace sestina::cli
