#pragma once

#include "Estrazione.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

namespace sestina {

// The statistics, in the order of the window's options: the six of the archive, then the delays.
enum class TipoStatistica { Consecutivi, Ripetuti, Pari, Dispari, Somma, Frequenza, Ritardi, RitardoMassimo };
inline constexpr std::array<TipoStatistica, 8> TutteLeStatistiche = {
    TipoStatistica::Consecutivi, TipoStatistica::Ripetuti,  TipoStatistica::Pari,    TipoStatistica::Dispari,
    TipoStatistica::Somma,       TipoStatistica::Frequenza, TipoStatistica::Ritardi, TipoStatistica::RitardoMassimo};

struct FrequenzaNumero {
    int numero = 0;
    int conteggio = 0;
    bool operator==(const FrequenzaNumero&) const = default;
};

struct TabelleStatistiche {
    std::array<int, 6> consecutivi{}; // longest run 1..6
    std::array<int, 7> ripetuti{};    // 0..6, every draw but the first
    std::array<int, 7> pari{};
    std::array<int, 7> dispari{};
    std::array<int, 6> somma{}; // the six sum bands
    // Every number with its count, largest count first (the exchange sort's order on ties).
    std::array<FrequenzaNumero, 90> frequenza{};
    // Draws since each number was last drawn, and its longest absence (the current one included);
    // largest first, ties by number.
    std::array<FrequenzaNumero, 90> ritardi{};
    std::array<FrequenzaNumero, 90> ritardoMassimo{};
};

// The delays of every number over the draws of the archive (empty records are no draws): a number
// in the newest draw has delay 0, one never drawn the number of draws. Index 0 is number 1.
struct Ritardi {
    std::array<int, 90> attuale{};
    std::array<int, 90> massimo{};
};
Ritardi CalcolaRitardi(const ArchivioEstrazioni& archivio);

// The derived values of one draw, from its six numbers as stored. An empty record has none: all 0.
struct ValoriEstrazione {
    int pari = 0;
    int dispari = 0;
    int somma = 0;
    int consecutivi = 0; // longest run, in stored order, of numbers each one above the one before
};
ValoriEstrazione ValoriDi(const Estrazione& e);
// How many of the draw's numbers were among the previous draw's.
int Ripetuti(const Estrazione& e, const Estrazione& precedente);
// The band of a sum: 0 for 21..105, ... 5 for 446..525; -1 outside 21..525.
int FasciaSomma(int somma);

// One pass over the archive: the six tables and the statistics file's text (the header, then one
// line per record from the newest to the oldest, CR LF). Empty records get a line of zeros and
// are counted nowhere.
struct Statistiche {
    TabelleStatistiche tabelle;
    QByteArray csv;
};
Statistiche CalcolaStatistiche(const ArchivioEstrazioni& archivio);

// A chart: its title and one labelled bar per table entry, in table order.
struct Barra {
    QString etichetta; // "01 -->      5", "0021-0105 -->     12"
    int valore = 0;
};
QString TitoloStatistica(TipoStatistica tipo);
std::vector<Barra> BarreStatistica(const TabelleStatistiche& tabelle, TipoStatistica tipo);

// cartellaTemp (with its trailing separator) + "sestinaplan_yyyymmdd_hhmmss.csv".
QString PercorsoFileStatistiche(const QString& cartellaTemp, const QDateTime& quando);
// Deletes the statistics files of earlier runs (sestinaplan_*.csv) from cartellaTemp.
void PulisciFileStatistiche(const QString& cartellaTemp);
// Through QSaveFile; false when the file could not be written whole.
bool ScriviFileStatistiche(const QString& percorso, const QByteArray& csv);

} // namespace sestina
