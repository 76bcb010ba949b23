// The version file: its first line against the program's own version.
#include "Bersaglio.h"
#include "Versione.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QString riga =
        sestina::PrimaRigaVersione(sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("ver.txt")));
    const bool piuRecente = sestina::VersioneServerPiuRecente(sestina::VersioneLocale(), riga);
    // A version is never newer than itself.
    if (piuRecente && riga == sestina::VersioneLocale())
        __builtin_trap();
    return 0;
}
