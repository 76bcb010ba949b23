#include "CorpoComando.h"

#include <Cartelle.h>
#include <Corpo.h>

namespace sestina::cli {

std::unique_ptr<Corpo> CorpoDelleCartelle() {
    auto corpo = std::make_unique<Corpo>();
    corpo->cartellaDati = CartellaDatiPredefinita();
    corpo->fileConfigurazione = PercorsoConfigurazione(corpo->cartellaDati);
    return corpo;
}

} // namespace sestina::cli
