// The calibration file of a slip kind: decoded, the defaults applied, encoded and decoded again.
#include "TaraturaScheda.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QByteArray byte =
        QByteArray::fromRawData(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    sestina::TaraturaScheda t = sestina::DecodificaTaratura(byte);
    sestina::ApplicaPredefiniti(t, sestina::TipoScheda::CinqueColonne);
    for (float v : {t.distanzaX, t.distanzaY, t.pannelloTop, t.pannelloLeft, t.intestazioneX, t.intestazioneY, t.nomeX,
                    t.nomeY}) {
        if (!std::isfinite(v))
            __builtin_trap();
        sestina::PosizioneScorrimento(v, 10);
    }
    const sestina::TaraturaScheda riletta = sestina::DecodificaTaratura(sestina::CodificaTaratura(t));
    if (riletta.distanzaX != t.distanzaX || riletta.qualita != t.qualita || riletta.stampante != t.stampante)
        __builtin_trap();
    return 0;
}
