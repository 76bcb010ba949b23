// The calibration file of a slip kind, read from its file as a print job reads it: every position
// from 0 to 300 mm; encoded and decoded again, the same.
#include "Bersaglio.h"
#include "TaraturaScheda.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    sestina::fuzz::FileDaInput(dati, dimensione, QStringLiteral("NewScheda5colSS.cfg"));
    const sestina::TaraturaScheda t =
        sestina::LeggiTaratura(sestina::fuzz::Cartella(), sestina::TipoScheda::CinqueColonne);
    for (float v : {t.distanzaX, t.distanzaY, t.pannelloTop, t.pannelloLeft, t.intestazioneX, t.intestazioneY, t.nomeX,
                    t.nomeY}) {
        if (!std::isfinite(v) || v <= 0.0f || v > 300.0f)
            __builtin_trap();
        sestina::PosizioneScorrimento(v, 10);
    }
    const sestina::TaraturaScheda riletta = sestina::DecodificaTaratura(sestina::CodificaTaratura(t));
    if (riletta.distanzaX != t.distanzaX || riletta.qualita != t.qualita || riletta.stampante != t.stampante)
        __builtin_trap();
    return 0;
}
