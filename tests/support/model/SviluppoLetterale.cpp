#include "SviluppoLetterale.h"

#include "CondizioniLetterali.h"
#include "Interfaccia.h"
#include "SviluppoComune.h"

#include <algorithm>

namespace sestina {
namespace {

bool PassaFiltri(const std::uint8_t* candidato, const Sistema& s) {
    const int numeroFiltri = std::min<int>(s.numeroFiltri, MaxFiltri);
    for (int k = 1; k <= numeroFiltri; ++k) {
        const FilterColumn& filtro = s.colonneFiltro[static_cast<std::size_t>(k)];
        if (filtro.attiva == 0)
            break;
        if (!TestFiltro(candidato, filtro))
            return false;
    }
    return true;
}

bool PassaTutti(const std::uint8_t* candidato, const Sistema& s, const TabellaConsecutivi& consecutivi, int accettate,
                TabellaMarche& marche) {
    if (s.condFisse && !TestFisse(candidato, s))
        return false;
    if (s.condSomma && !TestSomma(candidato, s))
        return false;
    if (s.condPariDispari && !TestPariDispari(candidato, s))
        return false;
    if (!PassaFiltri(candidato, s))
        return false;
    if (s.condConsecutivi && !TestConsecutivi(candidato, consecutivi))
        return false;
    if (s.condRidotto && !TestRiduzione(candidato, s.colonne, accettate, s.livelloRiduzione, marche))
        return false;
    return true;
}

} // namespace

void SviluppoLetterale(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    VerificaPronostico(s);
    s.sviluppoAnnullato = Falso;
    const TabellaConsecutivi consecutivi = TabellaConsecutiviAmmessi(s.consecutiviAmmessi);
    TabellaMarche marche{};

    const int n = s.numeriInGioco;
    const double integrale = Combinazioni(n, 6);
    osservatore.avvio(integrale);
    const double passo = integrale / 20;
    s.oraInizio = QDateTime::currentDateTime();
    double elaborate = 0;
    std::int32_t accettate = 0;
    std::int32_t ultimoPasso = 0;

    const auto& p = s.pronostico;
    std::uint8_t c[6];
    for (int i1 = 0; i1 <= n - 6; ++i1) {
        for (int i2 = i1 + 1; i2 <= n - 5; ++i2) {
            for (int i3 = i2 + 1; i3 <= n - 4; ++i3) {
                ui.elaboraEventi();
                for (int i4 = i3 + 1; i4 <= n - 3; ++i4) {
                    for (int i5 = i4 + 1; i5 <= n - 2; ++i5) {
                        for (int i6 = i5 + 1; i6 <= n - 1; ++i6) {
                            if (s.sviluppoAnnullato)
                                return;
                            if (accettate >= LimiteColonne) {
                                SegnalaLimite(s, ui, osservatore);
                            } else {
                                const int indici[6] = {i1, i2, i3, i4, i5, i6};
                                for (int k = 0; k < 6; ++k)
                                    c[k] = p[static_cast<std::size_t>(indici[k])];
                                if (PassaTutti(c, s, consecutivi, accettate, marche)) {
                                    ++accettate;
                                    std::copy(c, c + 6, s.colonne.colonna(accettate));
                                }
                            }
                            elaborate += 1;
                            osservatore.contatori(elaborate, accettate);
                            const std::int32_t st = PassoProgresso(elaborate, passo);
                            if (st != ultimoPasso) {
                                ultimoPasso = st;
                                osservatore.passo(st, integrale, elaborate, accettate);
                            }
                        }
                    }
                }
            }
        }
    }
    ConcludiSviluppo(s, ui, osservatore, integrale, elaborate, accettate);
}

} // namespace sestina
