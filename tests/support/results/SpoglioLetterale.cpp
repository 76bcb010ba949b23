#include "SpoglioLetterale.h"

#include "Interfaccia.h"
#include "Sistema.h"

#include <algorithm>
#include <array>

namespace sestina {
namespace {

constexpr int CinquePiuUno = 7; // as RigaSpoglio stores five plus the Jolly

// A draw's numbers marked for look-up; 0 and numbers above 90 match nothing.
struct Segni {
    explicit Segni(const Estrazione& e) {
        for (int v = 1; v <= 6; ++v) {
            const int n = e.estratti[static_cast<std::size_t>(v)];
            estratto[static_cast<std::size_t>(n)] = n >= 1 && n <= NumeriGioco;
        }
        jolly = e.jolly >= 1 && e.jolly <= NumeriGioco ? e.jolly : -1;
    }

    int punti(const std::uint8_t* c) const {
        int presi = 0;
        bool conJolly = false;
        for (int p = 0; p < 6; ++p) {
            presi += estratto[c[p]] ? 1 : 0;
            conJolly = conJolly || c[p] == jolly;
        }
        return presi == 5 && conJolly ? CinquePiuUno : presi;
    }

    std::array<bool, 256> estratto{};
    int jolly = -1;
};

} // namespace

EsitoSpoglio SpogliaColonneLetterale(const ColumnStore& colonne, int numeroColonne, const ColonnaSpoglio& vincente,
                                     Interfaccia& ui) {
    EsitoSpoglio esito;
    for (int indice = 1; indice <= numeroColonne; ++indice) {
        const std::uint8_t* c = colonne.colonna(indice);
        int punti = 0;
        for (int p = 0; p < 6; ++p)
            for (int v = 1; v <= 6; ++v)
                if (c[p] == vincente[static_cast<std::size_t>(v)]) {
                    ++punti;
                    break;
                }
        bool conJolly = false;
        for (int p = 0; p < 6; ++p)
            conJolly = conJolly || c[p] == vincente[7];
        RegistraSpoglio(esito, indice, punti, punti == 5 && conJolly);
        if (indice % 1000 == 0)
            ui.elaboraEventi();
    }
    return esito;
}

EsitoSpoglioEstrazioni SpogliaEstrazioniLetterale(const Sistema& s, const ArchivioEstrazioni& archivio,
                                                  IntervalloSpoglio intervallo, Interfaccia& ui) {
    EsitoSpoglioEstrazioni esito;
    const int colonne = std::clamp<int>(s.numeroColonne, 0, LimiteColonne);
    for (std::size_t d = intervallo.primo; d <= intervallo.ultimo && d < archivio.size(); ++d) {
        if (archivio[d].vuota())
            continue;
        const Segni segni(archivio[d]);
        RigaSpoglio riga;
        riga.record = d;
        for (int c = 1; c <= colonne; ++c) {
            const int punti = segni.punti(s.colonne.colonna(c));
            if (c % 10000 == 0)
                ui.elaboraEventi();
            if (punti >= 2)
                ++riga.vincenti[static_cast<std::size_t>(CategoriaSpoglio(punti))];
            if (riga.max != 6 && punti > riga.max)
                riga.max = punti;
            if (RangoPunti(punti) < RangoPunti(riga.min))
                riga.min = punti;
            if (riga.max == CinquePiuUno && punti == 6)
                riga.max = 6;
        }
        AggiungiRigaSpoglio(esito, s, archivio[d], riga);
    }
    return esito;
}

} // namespace sestina
