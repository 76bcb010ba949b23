#include "CondizioniLetterali.h"

namespace sestina {

int LunghezzaMassimaConsecutivi(const std::uint8_t* candidato) {
    int corrente = 1;
    int massima = 1;
    for (int p = 0; p < 5; ++p) {
        corrente = (candidato[p + 1] == candidato[p] + 1) ? corrente + 1 : 1;
        if (corrente > massima)
            massima = corrente;
    }
    return massima;
}

bool TestFisse(const std::uint8_t* candidato, const SystemConditions& c) {
    int fissi = 0;
    for (int p = 0; p < 6; ++p)
        if (candidato[p] <= NumeriGioco && c.numeriFissi[candidato[p]] == 1)
            ++fissi;
    return fissi == c.quantiFissi;
}

bool TestSomma(const std::uint8_t* candidato, const SystemConditions& c) {
    int somma = 0;
    for (int p = 0; p < 6; ++p)
        somma += candidato[p];
    return c.sommaDa <= somma && somma <= c.sommaA;
}

bool TestPariDispari(const std::uint8_t* candidato, const SystemConditions& c) {
    int pari = 0;
    for (int p = 0; p < 6; ++p)
        if ((candidato[p] & 1) == 0)
            ++pari;
    return c.pariAmmessi[static_cast<std::size_t>(pari)] != 0;
}

bool TestFiltro(const std::uint8_t* candidato, const FilterColumn& filtro) {
    int presenti = 0;
    for (int p = 0; p < 6; ++p)
        if (candidato[p] <= NumeriGioco && filtro.numeri[candidato[p]] == 1)
            ++presenti;
    return (filtro.presenze & potenzeDiDue[static_cast<std::size_t>(presenti)]) != 0;
}

bool TestConsecutivi(const std::uint8_t* candidato, const TabellaConsecutivi& ammessi) {
    return ammessi[static_cast<std::size_t>(LunghezzaMassimaConsecutivi(candidato))];
}

bool TestRiduzione(const std::uint8_t* candidato, const ColumnStore& colonne, int memorizzate,
                   std::uint8_t livelloRiduzione, TabellaMarche& marche) {
    const int soglia = 6 - livelloRiduzione;
    for (int p = 0; p < 6; ++p)
        marche[candidato[p]] = 1;
    bool accettato = true;
    for (int i = memorizzate; i >= 1 && accettato; --i) {
        const std::uint8_t* col = colonne.colonna(i);
        int comuni = 0;
        for (int p = 0; p < 6; ++p)
            comuni += marche[col[p]] == 1 ? 1 : 0;
        if (comuni >= soglia)
            accettato = false;
    }
    for (int p = 0; p < 6; ++p)
        marche[candidato[p]] = 0;
    return accettato;
}

} // namespace sestina
