#pragma once

#include "Centesimi.h"
#include "Combinatoria.h"

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace sestina {

// Flags are 16-bit: true is -1, false 0; any non-zero value reads as true.
using Flag = std::int16_t;
inline constexpr Flag Vero = -1;
inline constexpr Flag Falso = 0;

inline constexpr int LimiteColonne = 1'850'000;
inline constexpr int MaxFiltri = 2000;
inline constexpr int NumeriGioco = 90;

// 2^k for k = 0..30, to test bit k of a mask.
inline constexpr std::array<std::int32_t, 31> potenzeDiDue = [] {
    std::array<std::int32_t, 31> p{};
    for (int k = 0; k < 31; ++k)
        p[static_cast<std::size_t>(k)] = std::int32_t{1} << k;
    return p;
}();

struct SystemHeader {
    std::uint8_t numeriInGioco = 0;
    std::int32_t numeroColonne = 0;
    QString tipoSistema;
    std::array<std::uint8_t, 90> pronostico{}; // entries 0..numeriInGioco-1 are the numbers in play
};

// The columns a System holds: its count kept to 0..LimiteColonne, whatever a file or a caller put there.
inline int ColonneValide(const SystemHeader& h) {
    return std::clamp<int>(h.numeroColonne, 0, LimiteColonne);
}

struct SystemConditions {
    Flag condPariDispari = Falso;
    Flag condSomma = Falso;
    Flag condFisse = Falso;
    std::array<Flag, 7> pariAmmessi{}; // entry k: exactly k even numbers accepted
    std::int16_t sommaDa = 0;
    std::int16_t sommaA = 0;
    std::array<std::uint8_t, 91> numeriFissi{}; // index 1..90; entry 0 unused
    std::uint8_t quantiFissi = 0;
    Flag condRidotto = Falso;
    std::uint8_t livelloRiduzione = 0;
};

struct ConsecutiveCondition {
    std::int32_t consecutiviAmmessi = 0; // bit k (1..6): longest run k accepted
    Flag condConsecutivi = Falso;
};

struct FilterColumn {
    std::array<std::uint8_t, 91> numeri{}; // index 1..90; entry 0 unused
    std::int32_t presenze = 0;             // bit k (0..6): exactly k numbers in common accepted
    Flag attiva = Falso;
};

using Colonna = std::array<std::uint8_t, 6>;

// Room for the whole column limit, reserved once and never reallocated.
// Columns are indexed from 1, as everywhere else in the program.
class ColumnStore final {
public:
    ColumnStore();
    ColumnStore(const ColumnStore&) = delete;
    ColumnStore& operator=(const ColumnStore&) = delete;

    std::uint8_t* colonna(int indice) { return m_celle.get() + 6 * static_cast<std::ptrdiff_t>(indice - 1); }
    const std::uint8_t* colonna(int indice) const {
        return m_celle.get() + 6 * static_cast<std::ptrdiff_t>(indice - 1);
    }
    std::uint8_t* dati() { return m_celle.get(); }
    const std::uint8_t* dati() const { return m_celle.get(); }

    void scrivi(int indice, const Colonna& c);
    Colonna leggi(int indice) const;
    // Zeroes columns 1..quante.
    void azzera(int quante = LimiteColonne);

private:
    std::unique_ptr<std::uint8_t[]> m_celle;
};

// The one System of the program. The records keep their own names because the
// system file stores them record by record; inheriting keeps field access flat.
struct Sistema : SystemHeader, SystemConditions, ConsecutiveCondition {
    Sistema();
    Sistema(const Sistema&) = delete;
    Sistema& operator=(const Sistema&) = delete;

    // The grid's 90 selections (index 0..89 = number 1..90); numeriInGioco counts them.
    std::array<bool, 90> selezionati{};

    std::array<FilterColumn, MaxFiltri + 1> colonneFiltro{}; // index 1..2000
    std::int16_t numeroFiltri = 0;

    ColumnStore colonne;

    Centesimi costoColonnaSE{100};
    Centesimi costoColonnaSS{150};
    Centesimi costoColonna{100};
    Flag superStar = Falso;

    QString fileSistema;
    QString nomeSistema;

    std::int32_t sistemaSviluppato = 0;
    Flag sviluppoAnnullato = Falso;
    QDateTime oraInizio;

    // The grid's own selection operation: toggles number (indice+1), keeping numeriInGioco.
    void GrigliaNumeriClick(int indice);
    // Empties the Prediction on the grid.
    void CancellaPronostico();
    // Chooses costoColonna from superStar.
    void scegliCosto();
    // costoColonna × numeroColonne, to the cent.
    Centesimi costoSistema() const { return costoColonna * (numeroColonne > 0 ? numeroColonne : 0); }
};

// Empties the System; with mantieniPronostico the grid and the Prediction stay.
void AzzeraSistema(Sistema& s, bool mantieniPronostico);

// Rebuilds pronostico from the grid in ascending order; later entries become 0.
void AggiornaPronostico(Sistema& s);

} // namespace sestina
