#include "CartellaIntera.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace sestina {
namespace {

const QDir::Filters TutteLeVoci = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// A link stays a link, a folder is copied entry by entry; anything but a plain file fails.
bool CopiaVoce(const QFileInfo& da, const QString& a) {
    if (da.isSymLink())
        return QFile::link(da.symLinkTarget(), a);
    if (da.isDir()) {
        if (!QDir().mkdir(a))
            return false;
        const QDir sorgente(da.filePath());
        for (const QFileInfo& voce : sorgente.entryInfoList(TutteLeVoci))
            if (!CopiaVoce(voce, QDir(a).filePath(voce.fileName())))
                return false;
        return QFile::setPermissions(a, da.permissions()); // last: a read-only folder is filled first
    }
    return da.isFile() && QFile::copy(da.filePath(), a);
}

bool CopiaMancanti(const QString& vecchia, const QString& nuova) {
    const QDir destinazione(nuova);
    for (const QFileInfo& voce : QDir(vecchia).entryInfoList(TutteLeVoci)) {
        const QString a = destinazione.filePath(voce.fileName());
        if (!QFileInfo(a).exists() && !QFileInfo(a).isSymLink() && !CopiaVoce(voce, a))
            return false;
    }
    return true;
}

// The old folder goes into the work folder, the new one into its place; should that fail, the
// old one comes back.
bool Scambia(const QString& cartella, const QString& nuova, const QString& lavoro, bool esiste) {
    if (!esiste)
        return QDir().rename(nuova, cartella);
    const QString vecchia = lavoro + QStringLiteral("/vecchia");
    if (!QDir().rename(cartella, vecchia))
        return false;
    if (QDir().rename(nuova, cartella))
        return true;
    QDir().rename(vecchia, cartella);
    return false;
}

} // namespace

bool ScriviCartellaIntera(const QString& cartella, const std::function<bool(const QString& nuova)>& scrivi) {
    const QFileInfo bersaglio(cartella);
    const QString reale = bersaglio.isSymLink() ? bersaglio.canonicalFilePath() : bersaglio.absoluteFilePath();
    const QFileInfo info(reale);
    const bool esiste = info.exists();
    if (reale.isEmpty() || (esiste && !info.isDir()) || !QDir().mkpath(info.absolutePath()))
        return false;
    // Beside the folder, so that the renames stay on one file system; removed with what it holds.
    QTemporaryDir lavoro(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-XXXXXX"));
    const QString nuova = lavoro.path() + QStringLiteral("/nuova");
    if (!lavoro.isValid() || !QDir().mkdir(nuova) || !scrivi(nuova))
        return false;
    if (esiste && (!CopiaMancanti(reale, nuova) || !QFile::setPermissions(nuova, info.permissions())))
        return false;
    return Scambia(reale, nuova, lavoro.path(), esiste);
}

} // namespace sestina
