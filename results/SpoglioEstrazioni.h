#pragma once

#include "Estrazione.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace sestina {

struct Sistema;
class Interfaccia;

// More distinct dates than this and the range lists stay off: no scrutiny can run.
inline constexpr int LimiteDateSpoglio = 32000;
QString TestoArchivioTroppoGrande();
QString TitoloArchivioTroppoGrande();

// Every distinct date of the archive's draws once (whole text, ignoring case), in archive order.
// Empty records are never shown, so they offer no date. Stops after LimiteDateSpoglio + 1 dates.
QStringList DateEstrazioni(const ArchivioEstrazioni& archivio);

// A draw date as the archive writes it (dd/mm/yyyy); throws a type mismatch for other text.
QDate DataEstrazione(const QString& testo);

// The draws of a scrutiny, as 0-based archive indexes, both included.
struct IntervalloSpoglio {
    std::size_t primo = 0;
    std::size_t ultimo = 0;
};

// From the first draw dated dal to the first draw dated al at or after it (the last draw of the
// archive when there is none). Throws the application error "'DA' è maggiore di 'A'" when al is an
// earlier date than dal, a type mismatch when either is no date, and an application error
// (TestoDataAssente) when no draw carries one of them.
IntervalloSpoglio TrovaIntervallo(const ArchivioEstrazioni& archivio, const QString& dal, const QString& al);
QString TestoDataAssente(const QString& data);

// Scores rank 6 above 5 plus the Jolly (stored as 7) above 5, 4, ... 0.
int RangoPunti(int punti);

// One draw of the scrutiny. Categories in the grid's order: 6, 5+1, 5, 4, 3, 2.
struct RigaSpoglio {
    std::size_t record = 0;
    int base = 0; // drawn numbers that are in the Prediction
    int max = 0;  // best score by rank, 7 for five plus the Jolly
    int min = 6;  // lowest score by rank
    std::array<std::int32_t, 6> vincenti{};
};

struct EsitoSpoglioEstrazioni {
    std::vector<RigaSpoglio> righe;
    int migliore = 0;
    int peggiore = 6;
    std::array<qint64, 6> totali{}; // winning columns per category over every draw
    qint64 estrazioni = 0;
    std::array<qint64, 7> conMax{}; // draws whose best is 6, 5+1, 5, 4, 3, 2, below 2
};

// Scores columns 1..numeroColonne against every draw of the range (empty records skipped). The
// columns' subsets of one to three numbers are counted once, and so are the larger sets the draws
// will ask about; each draw then reads the counts of its own subsets, so its cost does not depend
// on the size of the System. Columns that repeat a number or hold one outside 1..90, and
// draws that do, are scored one by one.
EsitoSpoglioEstrazioni SpogliaEstrazioni(const Sistema& s, const ArchivioEstrazioni& archivio,
                                         IntervalloSpoglio intervallo, Interfaccia& ui);

// The grid's category of a score by rank (6, 5+1, 5, 4, 3, 2 are 0..5); -1 below 2.
int CategoriaSpoglio(int punti);
// One draw's row joins the result: its base is counted, its winners join the totals, its best and
// worst the range's.
void AggiungiRigaSpoglio(EsitoSpoglioEstrazioni& esito, const Sistema& s, const Estrazione& estrazione,
                         const RigaSpoglio& riga);

// The grid's cells: the header (row 0), the totals (row 1), and one draw.
inline constexpr int ColonneGrigliaSpoglio = 12;
inline constexpr int RigheFisseSpoglio = 2;
QStringList IntestazioneSpoglio();
QStringList CelleTotaleSpoglio(const EsitoSpoglioEstrazioni& esito);
QStringList CelleRigaSpoglio(const Estrazione& estrazione, const RigaSpoglio& riga);
// Row r of the grid as the window fills it.
QStringList CelleGrigliaSpoglio(const ArchivioEstrazioni& archivio, const EsitoSpoglioEstrazioni& esito, int riga);

// The eight summary captions with their values, as the window shows them.
QList<std::pair<QString, QString>> RiepilogoSpoglio(const EsitoSpoglioEstrazioni& esito);

} // namespace sestina
