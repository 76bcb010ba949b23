#include "Bersaglio.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace sestina::fuzz {

Risposta UtenteMuto::messaggio(const QString& testo, const QString& titolo, Icona, Pulsanti pulsanti) {
    // Touch the texts so a dangling or malformed string is read, not only passed along.
    volatile qsizetype lunghezza = testo.size() + titolo.size();
    (void)lunghezza;
    switch (pulsanti) {
    case Pulsanti::Ok:
    case Pulsanti::OkAnnulla:
        return Risposta::Ok;
    case Pulsanti::SiNo:
    case Pulsanti::SiNoAnnulla:
        return Risposta::Si;
    }
    return Risposta::Ok;
}

const QString& Cartella() {
    static QTemporaryDir cartella;
    static const QString percorso = [] {
        if (!cartella.isValid())
            std::abort();
        return cartella.path();
    }();
    return percorso;
}

QString FileDaInput(const std::uint8_t* dati, std::size_t dimensione, const QString& nome) {
    const QString percorso = Cartella() + QLatin1Char('/') + nome;
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    if (file.write(reinterpret_cast<const char*>(dati), static_cast<qint64>(dimensione)) !=
        static_cast<qint64>(dimensione))
        std::abort();
    return percorso;
}

} // namespace sestina::fuzz
