#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace sestina::cli {

// A command line the tool cannot run: the reason is printed before the usage text.
class ErroreUso : public std::exception {
public:
    explicit ErroreUso(QString motivo) : m_motivo(std::move(motivo)) {}
    const QString& motivo() const { return m_motivo; }
    const char* what() const noexcept override { return "uso errato"; }

private:
    QString m_motivo;
};

// Exit statuses, stable for scripts.
namespace esito {
inline constexpr int Riuscito = 0;
inline constexpr int UsoErrato = 1;
inline constexpr int FileRifiutato = 2;
inline constexpr int LimiteSuperato = 3;
inline constexpr int Fallito = 4; // a failed save or an unexpected error
inline constexpr int DownloadFallito = 5;
} // namespace esito

} // namespace sestina::cli
