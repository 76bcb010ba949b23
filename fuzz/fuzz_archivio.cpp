// The draw archive file (sestinaplan.dat), 20-byte records.
#include "Archivio.h"
#include "Bersaglio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    sestina::ArchivioEstrazioni archivio;
    sestina::fuzz::UtenteMuto ui;
    sestina::LoadArchivioEstrazioni(archivio, sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("a.dat")),
                                    ui);
    sestina::RigheArchivio(archivio);
    return 0;
}
