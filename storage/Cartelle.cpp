#include "Cartelle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

namespace sestina {

QString CartellaDatiPredefinita() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Sestinaplan");
}

bool CreaCartella(const QString& percorso) {
    return !percorso.isEmpty() && QDir().mkpath(percorso);
}

void CreaAlberoCartelle(const QString& cartellaDati) {
    for (const char* nome : {"temp", "txt", "sistemi", "extrema", "archivio", "csv", "matrici"})
        CreaCartella(cartellaDati + QLatin1Char('/') + QLatin1String(nome));
}

QString PercorsoConfigurazione(const QString& cartellaDati) {
    return cartellaDati + QStringLiteral("/impostazioni.cfg");
}

void AttendiMs(int millisecondi) {
    QElapsedTimer orologio;
    orologio.start();
    while (orologio.elapsed() < millisecondi) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        QThread::msleep(4);
    }
}

} // namespace sestina
