#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>

namespace sestina::cli {

// The text with every control character (C0, DEL, C1) a blank; TAB kept when tieniTab.
QString SenzaControlli(QString testo, bool tieniTab = false);

// Writes the bytes whole and flushes them; false when either failed.
bool Scrivi(std::FILE* dove, const QByteArray& byte);

// Standard output in large blocks: a listing of the column limit is some
// 35 MB, far too much for one write per line.
class UscitaStandard final {
public:
    UscitaStandard();
    UscitaStandard(const UscitaStandard&) = delete;
    UscitaStandard& operator=(const UscitaStandard&) = delete;

    // A line of text, UTF-8 encoded. Control characters other than TAB (a CR LF inside a date read
    // from a file) become blanks, so no text splits the line.
    void riga(const QString& testo);
    // A line of fields joined by TAB; in each field every control character, TAB too, becomes a
    // blank, so no text of a file moves the columns a script reads.
    void campi(const QStringList& valori);
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
