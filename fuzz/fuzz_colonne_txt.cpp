// The column list (.txt), imported as the window imports it.
#include "Bersaglio.h"
#include "ColonneTxt.h"
#include "Sistema.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    static sestina::Sistema sistema;
    sestina::fuzz::UtenteMuto ui;
    sestina::ImportaColonneTxt(sistema, sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("c.txt")), ui);
    return 0;
}
