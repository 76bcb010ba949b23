#include "CorpoComando.h"

#include <Cartelle.h>
#include <Corpo.h>
#include <Errore.h>
#include <FileSistema.h>

namespace sestina::cli {

std::unique_ptr<Corpo> CorpoDelleCartelle() {
    auto corpo = std::make_unique<Corpo>();
    corpo->cartellaDati = CartellaDatiPredefinita();
    corpo->fileConfigurazione = PercorsoConfigurazione(corpo->cartellaDati);
    return corpo;
}

bool ApriFileSistema(Sistema& s, const QString& percorso, Interfaccia& ui) {
    try {
        return ApriSistema(s, percorso, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ApriSistema"));
        return false;
    }
}

std::unique_ptr<Corpo> CorpoConSistema(const QString& percorso, bool superStar, Interfaccia& ui) {
    auto corpo = CorpoDelleCartelle();
    if (!ApriFileSistema(corpo->sistema, percorso, ui))
        return nullptr;
    corpo->sistema.superStar = superStar ? Vero : Falso;
    return corpo;
}

} // namespace sestina::cli
