// The table of building blocks: whatever the text, what is read holds and reads back the same
// from its own writing.
#include "Ottimizzatore.h"
#include "Spezzamento.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QByteArray input(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    const std::vector<sestina::DisegnoBase> tabella = sestina::LeggiTabellaBlocchi(input);
    for (const sestina::DisegnoBase& d : tabella)
        if (!sestina::VerificaGaranzia(d.v, d.p, d.t, d.colonne))
            __builtin_trap();
    const QByteArray scritta = sestina::ScriviTabellaBlocchi(tabella);
    if (sestina::ScriviTabellaBlocchi(sestina::LeggiTabellaBlocchi(scritta)) != scritta)
        __builtin_trap();
    return 0;
}
