// The system file (.sec), opened as the window opens it, into a fresh model: what an input finds
// depends on that input alone, so every finding replays on its own.
#include "Bersaglio.h"
#include "FileSistema.h"
#include "Sistema.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    auto sistema = std::make_unique<sestina::Sistema>();
    sestina::fuzz::UtenteMuto ui;
    sestina::ApriSistema(*sistema, sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("s.sec")), ui);
    return 0;
}
