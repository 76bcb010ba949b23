// The configuration file and the INI reader under it: the prices and texts of the program's own
// section, then every way of asking a key.
#include "Bersaglio.h"
#include "Configurazione.h"
#include "Corpo.h"
#include "classINI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    static sestina::Corpo corpo;
    sestina::fuzz::UtenteMuto ui;
    const QString percorso = sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("impostazioni.cfg"));
    corpo.fileConfigurazione = percorso;
    sestina::LeggiConfigurazione(corpo, ui);

    sestina::classINI ini;
    ini.FileINI(percorso);
    try {
        ini.carica();
    } catch (const std::exception&) {
        return 0;
    }
    volatile qsizetype somma = ini.getProperty(QStringLiteral("Generale"), QStringLiteral("Nome"), QString()).size();
    ini.perOgniVoce("Combinazioni", [&](QByteArrayView chiave, std::optional<QByteArrayView> valore) {
        somma = somma + chiave.size() + (valore ? valore->size() : 0);
    });
    return 0;
}
