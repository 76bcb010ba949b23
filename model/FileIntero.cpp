#include "FileIntero.h"

#include "ErroriFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sestina {
namespace {

constexpr qint64 ByteBlocco = qint64{1} << 20;

#ifdef SESTINA_LETTURA_MASSIMA_FUZZ
// A fuzzing build lowers every limit to this, so inputs of a few hundred KiB reach each check.
constexpr qint64 LetturaMassima = SESTINA_LETTURA_MASSIMA_FUZZ;
#else
constexpr qint64 LetturaMassima = qint64{1} << 62;
#endif

Errore NonRegolare() {
    return Errore::comune(numeri_errore::AccessoNegato);
}

#ifdef Q_OS_UNIX
// Opened without blocking, so a FIFO with no writer is refused instead of waiting for one; the
// check is made on what was opened, so nothing can be swapped in between.
void Apri(QFile& file, const QString& percorso, bool creaMancante) {
    const int modo = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (creaMancante ? O_CREAT : 0);
    const int fd = ::open(QFile::encodeName(percorso).constData(), modo, 0666);
    if (fd < 0)
        throw ErroreDiApertura(percorso);
    struct stat stato {};
    if (::fstat(fd, &stato) != 0 || !S_ISREG(stato.st_mode)) {
        ::close(fd);
        throw NonRegolare();
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw Errore::comune(numeri_errore::AccessoNegato);
    }
}
#else
void Apri(QFile& file, const QString& percorso, bool creaMancante) {
    const QFileInfo info(percorso);
    if (info.exists() && !info.isFile())
        throw NonRegolare();
    file.setFileName(percorso);
    if (!file.open(creaMancante && !info.exists() ? QIODevice::ReadWrite : QIODevice::ReadOnly))
        throw ErroreDiApertura(percorso);
}
#endif

} // namespace

bool ScriviFileIntero(const QString& percorso, const QByteArray& byte) {
    QSaveFile file(percorso);
    // Unbuffered, because a short write hidden in the buffer would be lost inside commit(), which
    // would then replace the old file with a cut one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(byte) == byte.size() && file.commit())
        return true;
    file.cancelWriting();
    return false;
}

FileTroppoGrande::FileTroppoGrande(qint64 limite)
    : Errore(numeri_errore::Applicazione, QStringLiteral("File troppo grande (limite %1 MiB)").arg(limite >> 20)) {}

LettoreLimitato::LettoreLimitato(const QString& percorso, qint64 limite, bool creaMancante)
    : m_limite(std::min<qint64>(std::max<qint64>(limite, 0), LetturaMassima)) {
    Apri(m_file, percorso, creaMancante);
}

qint64 LettoreLimitato::leggi(char* destinazione, qint64 massimo) {
    // One byte past the limit is asked for, to tell a file of exactly the limit from a longer one.
    const qint64 quanti = std::min(massimo, m_limite + 1 - m_letti);
    if (quanti <= 0)
        return 0;
    const qint64 letti = m_file.read(destinazione, quanti);
    if (letti < 0)
        throw Errore::comune(numeri_errore::AccessoNegato);
    m_letti += letti;
    if (m_letti > m_limite)
        throw FileTroppoGrande(m_limite);
    return letti;
}

QByteArray LettoreLimitato::tutto() {
    QByteArray dati;
    // Grown a block at a time from what arrives, never from the size the file system reports.
    for (;;) {
        const qsizetype prima = dati.size();
        dati.resize(prima + static_cast<qsizetype>(std::min(ByteBlocco, m_limite + 1 - m_letti)));
        const qint64 letti = leggi(dati.data() + prima, dati.size() - prima);
        dati.resize(prima + static_cast<qsizetype>(letti));
        if (letti == 0)
            return dati;
    }
}

QByteArray LeggiFileLimitato(const QString& percorso, qint64 limite) {
    LettoreLimitato lettore(percorso, limite);
    return lettore.tutto();
}

QByteArray LeggiOCreaFile(const QString& percorso, qint64 limite) {
    LettoreLimitato lettore(percorso, limite, true);
    return lettore.tutto();
}

QByteArray LeggiInizioFile(const QString& percorso, qint64 quanti) {
    LettoreLimitato lettore(percorso, quanti);
    // Never more than the limit is asked for, so the size is never refused.
    QByteArray dati(static_cast<qsizetype>(lettore.limite()), Qt::Uninitialized);
    qsizetype pieni = 0;
    while (pieni < dati.size()) {
        const qint64 letti = lettore.leggi(dati.data() + pieni, dati.size() - pieni);
        if (letti == 0)
            break;
        pieni += static_cast<qsizetype>(letti);
    }
    dati.resize(pieni);
    return dati;
}

} // namespace sestina
