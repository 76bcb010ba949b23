// The system file (.sec), opened as the window opens it.
#include "Bersaglio.h"
#include "FileSistema.h"
#include "Sistema.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    static sestina::Sistema sistema; // large: made once, and a refused file leaves it as it was
    sestina::fuzz::UtenteMuto ui;
    sestina::ApriSistema(sistema, sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("s.sec")), ui);
    return 0;
}
