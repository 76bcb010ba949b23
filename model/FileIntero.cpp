#include "FileIntero.h"

#include <QSaveFile>

namespace sestina {

bool ScriviFileIntero(const QString& percorso, const QByteArray& byte) {
    QSaveFile file(percorso);
    // Unbuffered, because a short write hidden in the buffer would be lost inside commit(), which
    // would then replace the old file with a cut one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(byte) == byte.size() && file.commit())
        return true;
    file.cancelWriting();
    return false;
}

} // namespace sestina
