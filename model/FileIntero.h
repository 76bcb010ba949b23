#pragma once

#include "Errore.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace sestina {

// Writes the whole file through QSaveFile: the old file is replaced only when every byte is on
// disk, and a failure leaves it, and nothing beside it, as it was.
bool ScriviFileIntero(const QString& percorso, const QByteArray& byte);

// A file refused for its size: "File troppo grande (limite n MiB)". Readers that judge such a
// file by its head alone catch it apart from the other failures.
class FileTroppoGrande final : public Errore {
public:
    explicit FileTroppoGrande(qint64 limite);
};

// The one way in for a file from outside (the user's or the server's). It opens only a regular
// file (a link is followed; a device, a FIFO or a folder is refused with error 75, without
// blocking on it) and counts the bytes it hands out, so a file that grows while it is read, or
// whose size the file system misreports, never gets past the limit. Failures throw Errore: the
// reason it could not be opened (53, 75, 76), 75 for a failed read, FileTroppoGrande past the limit.
class LettoreLimitato final {
public:
    // creaMancante: a missing file is made, empty, as the archive is on its first reading.
    LettoreLimitato(const QString& percorso, qint64 limite, bool creaMancante = false);
    LettoreLimitato(const LettoreLimitato&) = delete;
    LettoreLimitato& operator=(const LettoreLimitato&) = delete;

    // Up to massimo bytes into destinazione; 0 at the end of the file.
    qint64 leggi(char* destinazione, qint64 massimo);
    // The rest of the file.
    QByteArray tutto();

    qint64 limite() const { return m_limite; }

private:
    QFile m_file;
    qint64 m_limite;
    qint64 m_letti = 0;
};

// The whole file, at most limite bytes (more is refused): LettoreLimitato's rules.
QByteArray LeggiFileLimitato(const QString& percorso, qint64 limite);
// The same, a missing file made empty first.
QByteArray LeggiOCreaFile(const QString& percorso, qint64 limite);
// The first quanti bytes at most of a regular file, the rest left unread; the same refusals
// except for the size.
QByteArray LeggiInizioFile(const QString& percorso, qint64 quanti);

} // namespace sestina
