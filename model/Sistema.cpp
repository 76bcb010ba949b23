#include "Sistema.h"

#include <algorithm>
#include <cstring>

namespace sestina {

ColumnStore::ColumnStore() : m_celle(new std::uint8_t[6 * static_cast<std::size_t>(LimiteColonne)]()) {}

void ColumnStore::scrivi(int indice, const Colonna& c) {
    std::memcpy(colonna(indice), c.data(), 6);
}

Colonna ColumnStore::leggi(int indice) const {
    Colonna c;
    std::memcpy(c.data(), colonna(indice), 6);
    return c;
}

void ColumnStore::azzera(int quante) {
    quante = std::clamp(quante, 0, LimiteColonne);
    std::memset(m_celle.get(), 0, 6 * static_cast<std::size_t>(quante));
}

Sistema::Sistema() {
    scegliCosto();
}

void Sistema::GrigliaNumeriClick(int indice) {
    if (indice < 0 || indice >= NumeriGioco)
        return;
    auto& sel = selezionati[static_cast<std::size_t>(indice)];
    sel = !sel;
    if (sel)
        ++numeriInGioco;
    else
        --numeriInGioco;
}

void Sistema::CancellaPronostico() {
    selezionati.fill(false);
    numeriInGioco = 0;
}

void Sistema::scegliCosto() {
    costoColonna = superStar ? costoColonnaSS : costoColonnaSE;
}

void AzzeraSistema(Sistema& s, bool mantieniPronostico) {
    if (!mantieniPronostico)
        s.CancellaPronostico();
    s.colonne.azzera();
    s.numeroColonne = 0;
    s.tipoSistema.clear();
    static_cast<SystemConditions&>(s) = SystemConditions{};
    static_cast<ConsecutiveCondition&>(s) = ConsecutiveCondition{};
    s.colonneFiltro.fill(FilterColumn{});
    s.numeroFiltri = 0;
    s.sistemaSviluppato = 0;
}

void AggiornaPronostico(Sistema& s) {
    std::size_t k = 0;
    for (int n = 1; n <= NumeriGioco; ++n)
        if (s.selezionati[static_cast<std::size_t>(n - 1)])
            s.pronostico[k++] = static_cast<std::uint8_t>(n);
    std::fill(s.pronostico.begin() + static_cast<std::ptrdiff_t>(k), s.pronostico.end(), std::uint8_t{0});
}

} // namespace sestina
