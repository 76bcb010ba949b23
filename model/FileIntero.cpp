#include "FileIntero.h"

#include <QSaveFile>

namespace sestina {

bool ScriviFileIntero(const QString& percorso, const QByteArray& byte) {
    QSaveFile file(percorso);
    if (file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size() && file.commit())
        return true;
    file.cancelWriting();
    return false;
}

} // namespace sestina
