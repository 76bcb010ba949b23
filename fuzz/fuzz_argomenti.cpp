// The command-line tool's options of sviluppa: the input is the argument list, NUL-separated.
#include "ErroreUso.h"
#include "ListaNumeri.h"
#include "RichiestaSviluppo.h"

#include <QCommandLineParser>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    QStringList argomenti{QStringLiteral("sestinaplan-cli")};
    for (const QByteArray& pezzo : byte.split('\0'))
        argomenti << QString::fromUtf8(pezzo);
    QCommandLineParser parser;
    sestina::cli::AggiungiOpzioniSviluppo(parser);
    if (parser.parse(argomenti)) {
        try {
            const sestina::cli::RichiestaSviluppo r = sestina::cli::LeggiRichiestaSviluppo(parser);
            for (int n : r.numeri)
                if (n < 1 || n > 90)
                    __builtin_trap();
        } catch (const sestina::cli::ErroreUso&) {
        }
    }
    try {
        sestina::cli::LeggiLista(argomenti.last(), 1, 90, QStringLiteral("numeri"));
    } catch (const sestina::cli::ErroreUso&) {
    }
    return 0;
}
