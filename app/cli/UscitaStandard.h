#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace sestina::cli {

// Standard output in large blocks: a listing of the column limit is some
// 35 MB, far too much for one write per line.
class UscitaStandard final {
public:
    UscitaStandard();
    UscitaStandard(const UscitaStandard&) = delete;
    UscitaStandard& operator=(const UscitaStandard&) = delete;

    // A line of text, UTF-8 encoded.
    void riga(const QString& testo);
    // The column-list line of one stored column: " 01 05 17 23 44 90 ".
    void rigaColonna(const std::uint8_t* colonna);
    // Writes what is pending; false once any write failed (a full disk). Call it last.
    bool svuota();

private:
    void forseSvuota();

    QByteArray m_blocco;
    bool m_riuscito = true;
};

} // namespace sestina::cli
