#include "ErroriFile.h"

#include <QDir>
#include <QFileInfo>

namespace sestina {

namespace {
bool CartellaEsiste(const QString& percorso) {
    return QFileInfo(percorso).absoluteDir().exists();
}
} // namespace

Errore ErroreDiApertura(const QString& percorso) {
    if (QFileInfo::exists(percorso))
        return Errore::comune(numeri_errore::AccessoNegato);
    return Errore::comune(CartellaEsiste(percorso) ? numeri_errore::FileNonTrovato : numeri_errore::PercorsoNonTrovato);
}

Errore ErroreDiScrittura(const QString& percorso) {
    return Errore::comune(CartellaEsiste(percorso) ? numeri_errore::AccessoNegato : numeri_errore::PercorsoNonTrovato);
}

} // namespace sestina
