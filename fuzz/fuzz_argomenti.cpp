// The command-line tool's options of sviluppa: the input is the argument list, NUL-separated.
#include "ErroreUso.h"
#include "ListaNumeri.h"
#include "RichiestaSviluppo.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    QStringList argomenti;
    for (const QByteArray& pezzo : byte.split('\0'))
        argomenti << QString::fromUtf8(pezzo);
    try {
        const sestina::cli::Argomenti letti(sestina::cli::OpzioniSviluppo, argomenti);
        const sestina::cli::RichiestaSviluppo r = sestina::cli::LeggiRichiestaSviluppo(letti);
        for (int n : r.numeri)
            if (n < 1 || n > 90)
                __builtin_trap();
    } catch (const sestina::cli::ErroreUso&) {
    }
    try {
        sestina::cli::LeggiLista(argomenti.last(), 1, 90, QStringLiteral("numeri"));
    } catch (const sestina::cli::ErroreUso&) {
    }
    return 0;
}
