// The downloaded draw list: read, then written back as the publisher writes it and read again,
// which must give the same draws.
#include "Archivio.h"
#include "Bersaglio.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    sestina::ArchivioEstrazioni archivio;
    sestina::fuzz::UtenteMuto ui;
    const QString percorso = sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("lista.txt"));
    if (sestina::LoadArchivioTMP(archivio, percorso, ui) != sestina::EsitoLista::Letta)
        return 0;
    const QByteArray lista = sestina::ScriviListaEstrazioni(archivio);
    sestina::ArchivioEstrazioni riletto;
    const QString secondo =
        sestina::fuzz::FileDaInput(reinterpret_cast<const std::uint8_t*>(lista.constData()),
                                   static_cast<std::size_t>(lista.size()), QStringLiteral("lista2.txt"));
    sestina::LoadArchivioTMP(riletto, secondo, ui);
    if (sestina::RigheArchivio(riletto) != sestina::RigheArchivio(archivio))
        __builtin_trap();
    return 0;
}
