#pragma once

#include "ListaNumeri.h"
#include "OpzioniComando.h"

#include <QString>

#include <optional>
#include <vector>

namespace sestina {
struct Sistema;
}

namespace sestina::cli {

struct Filtro {
    std::vector<int> numeri;   // 1..90
    std::vector<int> presenze; // 0..6
};

// What the sviluppa command was asked for, already validated.
struct RichiestaSviluppo {
    std::vector<int> numeri;
    std::optional<Intervallo> somma;
    std::vector<int> pari;        // empty: condition off
    std::vector<int> fisse;       // empty: condition off
    std::vector<int> consecutivi; // empty: condition off
    std::vector<Filtro> filtri;
    std::optional<int> livelloRiduzione;
    bool superStar = false;
    QString fileUscita; // empty: nothing is saved
};

// The options of sviluppa.
inline constexpr OpzioniDi OpzioniSviluppo{
    UnValore("numeri"),  UnValore("somma"),         UnValore("pari"),
    UnValore("fisse"),   UnValore("consecutivi"),   PiuValori("filtro"),
    UnValore("ridotto"), Interruttore("superstar"), UnValore("o", "output"),
};
// Throws ErroreUso on a missing, repeated or malformed option.
RichiestaSviluppo LeggiRichiestaSviluppo(const Argomenti& argomenti);

// Sets exactly the fields of the System that the request names.
void ApplicaRichiesta(Sistema& s, const RichiestaSviluppo& r);

} // namespace sestina::cli
