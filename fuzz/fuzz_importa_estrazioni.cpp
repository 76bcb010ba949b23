// The draws a user imports (public CSV, spreadsheet CSV, draw list): read, merged into an empty
// archive and merged again, which must add nothing; the archive file written from them must read
// back as the same draws.
#include "Archivio.h"
#include "Bersaglio.h"
#include "Errore.h"
#include "ImportaEstrazioni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    sestina::ArchivioEstrazioni lette;
    try {
        lette = sestina::LeggiEstrazioniDaImportare(
            QByteArray(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione)));
    } catch (const sestina::Errore&) {
        return 0;
    }
    sestina::Unione prima;
    try {
        prima = sestina::UnisciEstrazioni({}, lette);
    } catch (const sestina::Errore&) {
        return 0; // the same date twice with other numbers
    }
    if (sestina::UnisciEstrazioni(prima.archivio, lette).aggiunte != 0)
        __builtin_trap();
    const sestina::ArchivioEstrazioni riletto =
        sestina::LeggiFileArchivioRigoroso(sestina::ByteArchivio(prima.archivio));
    if (sestina::RigheArchivio(riletto) != sestina::RigheArchivio(prima.archivio))
        __builtin_trap();
    return 0;
}
