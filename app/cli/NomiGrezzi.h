#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace sestina::cli {

// Qt carries a file name in a QString, which on this platform holds only valid UTF-8: a name in
// the local 8-bit encoding (an "è" in Latin-1, say) would reach the file system changed. Each such
// argument naming a file is handed to the command as a stand-in inside the same folder: a hard
// link to the file when it exists, so it is read as it is; whatever the command leaves under the
// stand-in is renamed to the real name at the end, so a file saved under the name gets that name.
class NomiGrezzi final {
public:
    NomiGrezzi(int argc, char* argv[]);
    ~NomiGrezzi();
    NomiGrezzi(const NomiGrezzi&) = delete;
    NomiGrezzi& operator=(const NomiGrezzi&) = delete;

    const QStringList& argomenti() const { return m_argomenti; }
    // Gives each stand-in back its real name, or removes it when the command left the file as it was.
    void concludi();

private:
    struct Sostituto {
        int cartella = -1;     // the folder, opened by its real name
        QByteArray nome;       // the real name inside it
        QByteArray sostituto;  // the stand-in's name inside it
        bool esisteva = false; // the real file was there before the command
        unsigned long long inode = 0;
    };

    QString sostituisci(const QByteArray& argomento);

    QStringList m_argomenti;
    QList<Sostituto> m_sostituti;
};

} // namespace sestina::cli
