#pragma once

#include <QString>

namespace sestina::cli {

// Standard error, shared by the messages and the progress line so that a
// message never lands in the middle of a half-written progress line.
class Console final {
public:
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // One message, each line break of the program's texts turned into a newline.
    void messaggio(const QString& testo);
    // Rewrites the progress line in place.
    void progresso(const QString& riga);
    void chiudiProgresso();

private:
    bool m_terminale;
    bool m_rigaAperta = false;
};

} // namespace sestina::cli
