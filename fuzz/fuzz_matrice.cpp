// The matrix file (.mspl): the checks the catalogue and the adaptation make, then the whole reading.
#include "Bersaglio.h"
#include "FileMatrice.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QByteArray byte =
        QByteArray::fromRawData(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    sestina::IntestazioneDaByte(byte);
    sestina::CrcMatriceValido(byte);
    const bool adattabile = sestina::DifettoMatrice(byte).isEmpty();
    const QString percorso = sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("m.mspl"));
    const auto matrice = sestina::LeggiMatrice(percorso);
    // The reader and the check must agree: what the check refuses is never handed on.
    if (matrice.has_value() != adattabile)
        __builtin_trap();
    return 0;
}
