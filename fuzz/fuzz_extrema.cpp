// The Extrema file (.ext), imported as the window imports it.
#include "Bersaglio.h"
#include "Extrema.h"
#include "Sistema.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    static sestina::Sistema sistema;
    sestina::fuzz::UtenteMuto ui;
    sestina::ImportaExtrema(sistema, sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("e.ext")), ui);
    return 0;
}
