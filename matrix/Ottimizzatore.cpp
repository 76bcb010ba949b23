#include "Ottimizzatore.h"

#include "Bilancio.h"
#include "Partenze.h"
#include "Ricottura.h"
#include "Spezzamento.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace sestina {
namespace {

// One unit of a budget of work (columns looked at and subsets counted): about a second of this
// machine's pace when the unit was fixed, and fixed since, so that a budget means the same work everywhere.
constexpr double LavoroPerUnita = 60e6;

// The user's stop, or the end of the budget's time.
class OsservatoreABilancio final : public OsservatoreOttimizzazione {
public:
    OsservatoreABilancio(OsservatoreOttimizzazione& osservatore, const Bilancio& bilancio)
        : m_osservatore(osservatore), m_bilancio(bilancio) {}
    void progresso(int colonne, std::uint64_t costo) override { m_osservatore.progresso(colonne, costo); }
    bool annullato() override { return m_osservatore.annullato() || m_bilancio.esaurito(); }

private:
    OsservatoreOttimizzazione& m_osservatore;
    const Bilancio& m_bilancio;
};

// The greedy's work grows with C(v,6) times the subsets a column meets. Past the first limit it
// is left out where a construction exists; past the second (30 numbers "4 if 6", about half a
// minute here, is within) search starts from the first-fit design instead.
constexpr double LimiteGreedyConCostruzione = 6e8;
constexpr double LimiteGreedy = 3e9;

// The budget asked for. The clock starts before the tables are built: the user waits for them too.
Bilancio BilancioRichiesto(const RichiestaOttimizzazione& richiesta) {
    if (richiesta.lavoro > 0)
        return Bilancio::DiLavoro(static_cast<std::uint64_t>(richiesta.lavoro * LavoroPerUnita));
    return Bilancio::DiTempo(std::chrono::duration_cast<Bilancio::Orologio::duration>(
        std::chrono::duration<double>(std::clamp(richiesta.secondi, 0.0, 1e7))));
}

// The design the search starts from: the smallest of the construction, the split and the greedy,
// or the first-fit design. The greedy's work is taken from a budget of work.
std::vector<Blocco> Partenza(const Sottoinsiemi& s, int t, Bilancio& bilancio, OsservatoreOttimizzazione& osservatore) {
    const int v = s.v();
    const int p = s.k();
    std::vector<Blocco> partenza = p == 6 ? Costruzione(v, t) : std::vector<Blocco>{};
    // The split into smaller designs: often the best start there is, and a result by itself.
    std::vector<Blocco> spezzata = Spezzamento(v, p, t, BlocchiDistribuiti());
    if (!spezzata.empty() && (partenza.empty() || spezzata.size() < partenza.size()))
        partenza = std::move(spezzata);
    const double lavoroGreedy = static_cast<double>(s.quante()) * static_cast<double>(ColonneCheIncontrano(v, t, p));
    bool greedyPossibile = lavoroGreedy <= (partenza.empty() ? LimiteGreedy : LimiteGreedyConCostruzione);
    // Against the clock the greedy runs only when it leaves half the time to the search, and stops at
    // the end of the time.
    if (bilancio.aTempo())
        greedyPossibile =
            greedyPossibile && lavoroGreedy / LavoroPerUnita * 1e9 <= 0.5 * static_cast<double>(bilancio.restante());
    if (greedyPossibile) {
        OsservatoreABilancio entro(osservatore, bilancio);
        std::vector<Blocco> greedy = GreedyMassimoGuadagno(s, t, &entro);
        if (!greedy.empty() && (partenza.empty() || greedy.size() < partenza.size()))
            partenza = std::move(greedy);
    }
    // Too large for the greedy, or stopped in it: the first-fit design takes a moment.
    if (partenza.empty())
        partenza = GreedyPrimoAdatto(s, t);
    // The greedy's work counts in a budget of work as the clock counts its time; the search keeps at
    // least half of it.
    if (greedyPossibile && !bilancio.aTempo())
        bilancio.spendi(std::min(static_cast<std::uint64_t>(lavoroGreedy), bilancio.restante() / 2));
    return partenza;
}

// The searches from the start, one a thread; this one reports their progress and passes on a stop.
std::vector<Blocco> CercaInParallelo(const Sottoinsiemi& s, int t, const std::vector<Blocco>& partenza,
                                     const Bilancio& bilancio, const RichiestaOttimizzazione& richiesta,
                                     OsservatoreOttimizzazione& osservatore) {
    const int ricerche = std::max(1, richiesta.ricerche);
    std::vector<Corsa> corse(static_cast<std::size_t>(ricerche));
    std::atomic<bool> ferma{false};
    std::vector<std::thread> altre;
    for (int i = 1; i < ricerche; ++i)
        altre.emplace_back([&, i] {
            Corri(s, t, partenza, bilancio, richiesta.seme + static_cast<std::uint64_t>(i), static_cast<std::size_t>(i),
                  static_cast<std::size_t>(ricerche), ferma, corse[static_cast<std::size_t>(i)]);
        });
    std::atomic<bool> finita{false};
    std::thread prima([&] {
        Corri(s, t, partenza, bilancio, richiesta.seme, 0, static_cast<std::size_t>(ricerche), ferma, corse[0]);
        finita = true;
    });
    while (!finita.load()) {
        if (osservatore.annullato())
            ferma = true;
        std::size_t minimo = partenza.size();
        for (const Corsa& c : corse)
            if (c.colonne.load() > 0)
                minimo = std::min(minimo, c.colonne.load());
        osservatore.progresso(static_cast<int>(minimo), corse[0].costoCorrente);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    prima.join();
    for (std::thread& a : altre)
        a.join();

    std::vector<Blocco> migliore = partenza;
    for (const Corsa& c : corse)
        if (!c.migliore.empty() && c.migliore.size() < migliore.size())
            migliore = c.migliore;
    return migliore;
}

} // namespace

std::vector<Blocco> OttimizzaMatrice(const RichiestaOttimizzazione& richiesta, OsservatoreOttimizzazione& osservatore) {
    const int v = richiesta.v;
    const int t = richiesta.t;
    const int p = richiesta.p;
    if (v < VMinimoDisegno || v > VMassimoPerGaranzia(t) || t < 2 || t > 5 || p < t || p > 6)
        return {};
    Bilancio bilancio = BilancioRichiesto(richiesta);
    const Sottoinsiemi s(v, p);
    std::vector<Blocco> partenza = Partenza(s, t, bilancio, osservatore);
    if (osservatore.annullato())
        return partenza;
    osservatore.progresso(static_cast<int>(partenza.size()), 0);
    if (p == 6 && t == 3 && v >= 10 && v <= 30) {
        // A quarter of the budget goes to the ring's triples, the rest to the search proper.
        Bilancio quarto = bilancio.parte(0.25);
        std::vector<Blocco> ridotta = RiduciSullAnello(v, quarto, richiesta.seme, osservatore);
        bilancio.spendi(quarto.speso());
        if (ridotta.size() < partenza.size())
            partenza = std::move(ridotta);
        if (osservatore.annullato())
            return partenza;
        osservatore.progresso(static_cast<int>(partenza.size()), 0);
    }
    return CercaInParallelo(s, t, partenza, bilancio, richiesta, osservatore);
}

} // namespace sestina
