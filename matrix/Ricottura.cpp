#include "Ricottura.h"

#include "Insiemi.h"
#include "Ottimizzatore.h"
#include "Raffreddamento.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <random>

namespace sestina {
namespace {

using namespace insiemi;
using namespace raffreddamento;

// The annealing state: b columns and, for every 6-subset, how many of them meet it in t or more
// and how much missing it costs.
class Ricottura final {
public:
    Ricottura(const Sottoinsiemi& s, int t, std::vector<Blocco> blocchi)
        : m_s(s), m_t(t), m_blocchi(std::move(blocchi)), m_conta(s.quante(), 0), m_scoperti(s.quante()),
          m_peso(s.quante(), 1) {
        for (const Blocco b : m_blocchi)
            PerOgniVicino(m_s, m_t, b, [&](std::uint32_t r) { ++m_conta[r]; });
        for (std::uint32_t r = 0; r < m_s.quante(); ++r)
            if (m_conta[r] == 0)
                m_scoperti.aggiungi(r);
    }

    std::uint64_t costo() const { return m_scoperti.size(); }
    const std::vector<std::uint32_t>& conteggi() const { return m_conta; }
    std::uint64_t mosse() const { return m_mosse; }
    const std::vector<Blocco>& blocchi() const { return m_blocchi; }

    void esegui(Bilancio& bilancio, std::mt19937_64& caso, const std::atomic<bool>& ferma) {
        Ricuoci(
            *this, ProgrammaColonne, bilancio, caso, [&ferma] { return ferma.load(std::memory_order_relaxed); },
            m_mosse);
    }
    void pesaMancanti() {
        for (const std::uint32_t r : m_scoperti.elenco())
            ++m_peso[r];
    }

    // Moves one position of a column so that a missed subset becomes met, as far as one move can.
    // Returns its work: the columns looked at and the subsets counted.
    std::uint64_t mossa(std::mt19937_64& caso, double temperatura) {
        const Blocco s = m_s.maschera(m_scoperti.elenco()[caso() % m_scoperti.size()]);
        std::size_t scelto = 0;
        std::uint64_t visti = 0;
        for (std::size_t i = 0; i < m_blocchi.size(); ++i)
            if (std::popcount(m_blocchi[i] & s) == m_t - 1 && caso() % ++visti == 0)
                scelto = i;
        if (visti == 0)
            scelto = caso() % m_blocchi.size();
        const Blocco b = m_blocchi[scelto];
        std::uint64_t lavoro = m_blocchi.size();
        if ((b & ~s) == 0 || (s & ~b) == 0)
            return lavoro;
        const Blocco x = ACaso(b & ~s, caso);
        const Blocco y = ACaso(s & ~b, caso);
        preparaScambio(b, x, y);
        lavoro += 2 * m_dentro.size() * m_fuori.size();
        const std::int64_t delta = variazione(x, y);
        if (delta > 0) {
            m_peggioramenti += static_cast<double>(delta);
            ++m_quantiPeggioramenti;
        }
        if (delta > 0 &&
            std::generate_canonical<double, 53>(caso) >=
                std::exp(-static_cast<double>(delta) / (temperatura * Scala(m_peggioramenti, m_quantiPeggioramenti))))
            return lavoro;
        applica(x, y);
        m_blocchi[scelto] = (b & ~x) | y;
        return lavoro + 2 * m_dentro.size() * m_fuori.size();
    }

private:
    // The subsets a swap x -> y in b can change: x or y, t-1 more of b, the rest outside both.
    void preparaScambio(Blocco b, Blocco x, Blocco y) {
        Unioni(Elementi(b & ~x), m_t - 1, m_dentro);
        Unioni(Elementi(Tutti(m_s.v()) & ~b & ~y), m_s.k() - m_t, m_fuori);
    }
    std::int64_t variazione(Blocco x, Blocco y) const {
        std::int64_t delta = 0;
        for (const Blocco a : m_dentro)
            for (const Blocco c : m_fuori) {
                const std::uint32_t perso = m_s.rango(x | a | c);
                const std::uint32_t guadagnato = m_s.rango(y | a | c);
                delta += m_conta[perso] == 1 ? m_peso[perso] : 0;
                delta -= m_conta[guadagnato] == 0 ? m_peso[guadagnato] : 0;
            }
        return delta;
    }
    void applica(Blocco x, Blocco y) {
        for (const Blocco a : m_dentro)
            for (const Blocco c : m_fuori) {
                const std::uint32_t perso = m_s.rango(x | a | c);
                if (--m_conta[perso] == 0)
                    m_scoperti.aggiungi(perso);
                const std::uint32_t guadagnato = m_s.rango(y | a | c);
                if (m_conta[guadagnato]++ == 0)
                    m_scoperti.togli(guadagnato);
            }
    }

    const Sottoinsiemi& m_s;
    int m_t;
    std::vector<Blocco> m_blocchi;
    std::vector<std::uint32_t> m_conta;
    Mancanti m_scoperti;
    std::vector<std::uint32_t> m_peso;
    Maschere m_dentro, m_fuori;
    std::uint64_t m_mosse = 0;
    double m_peggioramenti = 0;
    double m_quantiPeggioramenti = 0;
};

// A cyclic symmetry of the positions: `cicli` cycles of length m on the first cicli * m positions,
// the rest fixed. A design that the symmetry maps onto itself is a few representative columns and
// their images, and a search over the representatives alone has far fewer states to wander through:
// it finds designs that the plain search misses (20 numbers "4 if 6" in 80 columns in a second).
struct Simmetria {
    int m = 1;
    int cicli = 0;
};

class Permutazione final {
public:
    Permutazione(int v, Simmetria g) {
        std::array<int, 8 * Byte> immagine{};
        for (int p = 0; p < static_cast<int>(immagine.size()); ++p)
            immagine[static_cast<std::size_t>(p)] = p;
        for (int c = 0; c < g.cicli; ++c)
            for (int i = 0; i < g.m; ++i)
                immagine[static_cast<std::size_t>(c * g.m + i)] = c * g.m + (i + 1) % g.m;
        for (std::size_t byte = 0; byte < Byte; ++byte)
            for (std::uint32_t valore = 0; valore < 256; ++valore) {
                Blocco b = 0;
                for (int bit = 0; bit < 8; ++bit)
                    if ((valore >> bit) & 1u) {
                        const int p = static_cast<int>(byte) * 8 + bit;
                        if (p < v)
                            b |= Blocco{1} << immagine[static_cast<std::size_t>(p)];
                    }
                m_tabella[byte][valore] = b;
            }
    }
    Blocco operator()(Blocco b) const {
        Blocco immagine = 0;
        for (std::size_t byte = 0; byte < Byte; ++byte)
            immagine |= m_tabella[byte][(b >> (8 * byte)) & 0xFFu];
        return immagine;
    }

private:
    static constexpr std::size_t Byte = (VMassimoDisegno + 7) / 8;
    std::array<std::array<Blocco, 256>, Byte> m_tabella{};
};

// The orbits of the 6-subsets under a symmetry: one counter each instead of one per subset.
struct Orbite {
    Orbite(const Sottoinsiemi& s, const Permutazione& g) : di(s.quante(), Nessuna) {
        for (std::uint32_t r = 0; r < s.quante(); ++r) {
            if (di[r] != Nessuna)
                continue;
            const auto o = static_cast<std::uint32_t>(rappresentante.size());
            rappresentante.push_back(s.maschera(r));
            Blocco b = s.maschera(r);
            do {
                di[s.rango(b)] = o;
                b = g(b);
            } while (b != s.maschera(r));
        }
    }
    static constexpr std::uint32_t Nessuna = ~std::uint32_t{0};
    std::vector<std::uint32_t> di;
    std::vector<Blocco> rappresentante;
};

// The annealing over the representatives. An orbit is met when some representative meets some
// subset of it in t: the images of that column then meet all of it.
class RicotturaSimmetrica final {
public:
    RicotturaSimmetrica(const Sottoinsiemi& s, int t, int m, const Permutazione& g, const Orbite& orbite,
                        std::vector<Blocco> rappresentanti)
        : m_s(s), m_t(t), m_m(m), m_g(g), m_orbite(orbite), m_blocchi(std::move(rappresentanti)),
          m_conta(orbite.rappresentante.size(), 0), m_scoperte(orbite.rappresentante.size()),
          m_peso(orbite.rappresentante.size(), 1), m_variazione(orbite.rappresentante.size(), 0),
          m_visto(orbite.rappresentante.size(), 0) {
        for (const Blocco b : m_blocchi)
            PerOgniVicino(m_s, m_t, b, [&](std::uint32_t r) { ++m_conta[m_orbite.di[r]]; });
        for (std::uint32_t o = 0; o < m_conta.size(); ++o)
            if (m_conta[o] == 0)
                m_scoperte.aggiungi(o);
    }

    std::uint64_t costo() const { return m_scoperte.size(); }
    std::uint64_t mosse() const { return m_mosse; }
    const std::vector<std::uint32_t>& conteggi() const { return m_conta; }
    const std::vector<Blocco>& rappresentanti() const { return m_blocchi; }

    void esegui(Bilancio& bilancio, std::mt19937_64& caso, const std::atomic<bool>& ferma) {
        Ricuoci(
            *this, ProgrammaColonne, bilancio, caso, [&ferma] { return ferma.load(std::memory_order_relaxed); },
            m_mosse);
    }
    void pesaMancanti() {
        for (const std::uint32_t o : m_scoperte.elenco())
            ++m_peso[o];
    }

    bool incontra(Blocco b, std::uint32_t o) const {
        Blocco immagine = m_orbite.rappresentante[o];
        for (int j = 0; j < m_m; ++j, immagine = m_g(immagine))
            if (std::popcount(b & immagine) >= m_t)
                return true;
        return false;
    }

    // As in the plain search, one position of a representative moves so that an image of a missed
    // subset becomes met. The loss is counted last and given up as soon as the move is refused.
    std::uint64_t mossa(std::mt19937_64& caso, double temperatura) {
        const Blocco missed = m_orbite.rappresentante[m_scoperte.elenco()[caso() % m_scoperte.size()]];
        std::size_t scelto = 0;
        Blocco bersaglio = missed;
        std::uint64_t visti = 0;
        Blocco immagine = missed;
        for (int j = 0; j < m_m; ++j, immagine = m_g(immagine))
            for (std::size_t i = 0; i < m_blocchi.size(); ++i)
                if (std::popcount(m_blocchi[i] & immagine) == m_t - 1 && caso() % ++visti == 0) {
                    scelto = i;
                    bersaglio = immagine;
                }
        std::uint64_t lavoro = m_blocchi.size() * static_cast<std::uint64_t>(m_m);
        if (visti == 0)
            scelto = caso() % m_blocchi.size();
        const Blocco b = m_blocchi[scelto];
        if ((b & ~bersaglio) == 0 || (bersaglio & ~b) == 0)
            return lavoro;
        const Blocco x = ACaso(b & ~bersaglio, caso);
        const Blocco y = ACaso(bersaglio & ~b, caso);
        const Blocco nuovo = (b & ~x) | y;
        Unioni(Elementi(b & ~x), m_t - 1, m_dentro);
        Unioni(Elementi(Tutti(m_s.v()) & ~b & ~y), m_s.k() - m_t, m_fuori);
        const std::uint64_t coppie = m_dentro.size() * m_fuori.size();

        const double scala = Scala(m_peggioramenti, m_quantiPeggioramenti);
        const double sorte = std::max(std::generate_canonical<double, 53>(caso), 1e-300);
        const double tollerato = -std::log(sorte) * temperatura * scala;
        const std::int64_t guadagno = guadagnoDi(nuovo, y, lavoro);
        std::int64_t perdita = 0;
        bool rifiutata = false;
        ++m_turno;
        m_toccate.clear();
        for (const Blocco a : m_dentro) {
            for (const Blocco c : m_fuori) {
                const std::uint32_t o = tocca(m_orbite.di[m_s.rango(x | a | c)]);
                if (--m_variazione[o] == -static_cast<std::int32_t>(m_conta[o]) && !incontra(nuovo, o))
                    perdita += m_peso[o];
            }
            lavoro += m_fuori.size();
            if (static_cast<double>(perdita - guadagno) > tollerato) {
                rifiutata = true;
                break;
            }
        }
        for (const std::uint32_t o : m_toccate)
            m_variazione[o] = 0;
        const std::int64_t delta = perdita - guadagno;
        if (delta > 0) {
            m_peggioramenti += static_cast<double>(delta);
            ++m_quantiPeggioramenti;
        }
        if (rifiutata)
            return lavoro;
        applica(x, y);
        m_blocchi[scelto] = nuovo;
        return lavoro + 2 * coppie;
    }

private:
    // The missed orbits that the moved column meets, counted from whichever list is shorter.
    std::int64_t guadagnoDi(Blocco nuovo, Blocco y, std::uint64_t& lavoro) {
        std::int64_t guadagno = 0;
        const std::uint64_t coppie = m_dentro.size() * m_fuori.size();
        if (m_scoperte.size() * static_cast<std::uint64_t>(m_m) <= coppie) {
            for (const std::uint32_t o : m_scoperte.elenco())
                if (incontra(nuovo, o))
                    guadagno += m_peso[o];
            lavoro += m_scoperte.size() * static_cast<std::uint64_t>(m_m);
            return guadagno;
        }
        ++m_turno;
        m_toccate.clear();
        for (const Blocco a : m_dentro)
            for (const Blocco c : m_fuori) {
                const std::uint32_t o = m_orbite.di[m_s.rango(y | a | c)];
                if (m_conta[o] == 0 && m_visto[o] != m_turno) {
                    m_visto[o] = m_turno;
                    guadagno += m_peso[o];
                }
            }
        lavoro += coppie;
        return guadagno;
    }

    std::uint32_t tocca(std::uint32_t o) {
        if (m_visto[o] != m_turno) {
            m_visto[o] = m_turno;
            m_toccate.push_back(o);
        }
        return o;
    }

    // Several subsets of one orbit may change at once: the counts move together, then each orbit
    // is looked at once.
    void applica(Blocco x, Blocco y) {
        ++m_turno;
        m_toccate.clear();
        for (const Blocco a : m_dentro)
            for (const Blocco c : m_fuori) {
                --m_variazione[tocca(m_orbite.di[m_s.rango(x | a | c)])];
                ++m_variazione[tocca(m_orbite.di[m_s.rango(y | a | c)])];
            }
        for (const std::uint32_t o : m_toccate) {
            const std::uint32_t prima = m_conta[o];
            m_conta[o] = static_cast<std::uint32_t>(static_cast<std::int32_t>(prima) + m_variazione[o]);
            m_variazione[o] = 0;
            if (prima > 0 && m_conta[o] == 0)
                m_scoperte.aggiungi(o);
            else if (prima == 0 && m_conta[o] > 0)
                m_scoperte.togli(o);
        }
    }

    const Sottoinsiemi& m_s;
    int m_t;
    int m_m;
    const Permutazione& m_g;
    const Orbite& m_orbite;
    std::vector<Blocco> m_blocchi;
    std::vector<std::uint32_t> m_conta;
    Mancanti m_scoperte;
    std::vector<std::uint32_t> m_peso;
    std::vector<std::int32_t> m_variazione;
    std::vector<std::uint64_t> m_visto;
    std::vector<std::uint32_t> m_toccate;
    std::uint64_t m_turno = 0;
    std::uint64_t m_mosse = 0;
    Maschere m_dentro, m_fuori;
    double m_peggioramenti = 0;
    double m_quantiPeggioramenti = 0;
};

// The design the representatives stand for: every image of each, each column once.
std::vector<Blocco> Espandi(const std::vector<Blocco>& rappresentanti, const Permutazione& g) {
    std::vector<Blocco> colonne;
    for (const Blocco b : rappresentanti) {
        Blocco immagine = b;
        do {
            colonne.push_back(immagine);
            immagine = g(immagine);
        } while (immagine != b);
    }
    std::sort(colonne.begin(), colonne.end());
    colonne.erase(std::unique(colonne.begin(), colonne.end()), colonne.end());
    return colonne;
}

// The column whose removal leaves the fewest subsets missed.
std::size_t MenoUtile(const Sottoinsiemi& s, int t, const std::vector<Blocco>& blocchi) {
    std::vector<std::uint32_t> conta(s.quante(), 0);
    for (const Blocco b : blocchi)
        PerOgniVicino(s, t, b, [&](std::uint32_t r) { ++conta[r]; });
    std::size_t migliore = 0;
    std::uint64_t minimo = ~std::uint64_t{0};
    for (std::size_t i = 0; i < blocchi.size(); ++i) {
        std::uint64_t soli = 0;
        PerOgniVicino(s, t, blocchi[i], [&](std::uint32_t r) { soli += conta[r] == 1; });
        if (soli < minimo) {
            minimo = soli;
            migliore = i;
        }
    }
    return migliore;
}

// A success within 1/PassoRapido of its share doubles the step.
constexpr std::uint64_t PassoRapido = 8;

void Cerca(const Sottoinsiemi& s, int t, Bilancio& bilancio, std::uint64_t seme, const std::atomic<bool>& ferma,
           Corsa& corsa) {
    std::mt19937_64 caso(seme);
    const double totale = static_cast<double>(bilancio.restante());
    int tentativi = 0;
    // Columns taken off at a time: doubled after a success that took little of its share (a start far
    // above what the search can reach, as the first-fit design of a large block), back to one after a failure.
    std::size_t passo = 1;
    while (!bilancio.esaurito() && corsa.migliore.size() > 1 && !ferma.load()) {
        // Fewer columns than the best: first the least useful one, after a failure a random one,
        // so that each try starts from another place.
        std::vector<Blocco> prova = corsa.migliore;
        for (std::size_t k = 0; k < passo && prova.size() > 1; ++k) {
            const std::size_t via = tentativi == 0 && k == 0 ? MenoUtile(s, t, prova) : caso() % prova.size();
            prova.erase(prova.begin() + static_cast<std::ptrdiff_t>(via));
        }
        Ricottura r(s, t, std::move(prova));
        corsa.costoCorrente = r.costo();
        // A third of what is left (less for a longer step), or a fortieth of the whole when little is left.
        const double restante = static_cast<double>(bilancio.restante());
        Bilancio fetta =
            bilancio.parte(std::max(1.0 / 3 / static_cast<double>(passo), (totale / 40 + 1) / std::max(1.0, restante)));
        const std::uint64_t concessa = fetta.restante();
        r.esegui(fetta, caso, ferma);
        bilancio.spendi(fetta.speso());
        corsa.costoCorrente = r.costo();
        if (r.costo() == 0) {
            corsa.tieni(r.blocchi());
            tentativi = 0;
            if (fetta.restante() > concessa - concessa / PassoRapido)
                passo = std::min(passo * 2, corsa.migliore.size() / 8 + 1);
        } else {
            ++tentativi;
            passo = 1;
        }
    }
}

// The symmetries tried: one cycle length m at a time, on as many whole cycles as fit, with at most
// three positions left fixed.
std::vector<Simmetria> SimmetrieProvate(int v) {
    std::vector<Simmetria> simmetrie;
    for (int m = 2; m < v; ++m)
        if (v % m <= 3)
            simmetrie.push_back({m, v / m});
    return simmetrie;
}

Blocco BloccoACaso(int v, std::mt19937_64& caso) {
    Blocco b = 0;
    while (std::popcount(b) < 6)
        b |= Blocco{1} << (caso() % static_cast<unsigned>(v));
    return b;
}

// Searches the symmetric designs below the best design of the run, each symmetry with its share of
// the work; on success it tries one representative fewer.
void CercaSimmetrica(const Sottoinsiemi& s, int t, const std::vector<Simmetria>& simmetrie, Bilancio& bilancio,
                     std::uint64_t seme, const std::atomic<bool>& ferma, Corsa& corsa) {
    std::mt19937_64 caso(seme);
    for (std::size_t k = 0; k < simmetrie.size() && !ferma.load(); ++k) {
        Bilancio fetta = bilancio.parte(1.0 / static_cast<double>(simmetrie.size() - k));
        const Simmetria g = simmetrie[k];
        const Permutazione permutazione(s.v(), g);
        const Orbite orbite(s, permutazione);
        std::vector<Blocco> rappresentanti;
        while (!fetta.esaurito() && !ferma.load()) {
            const std::size_t quanti = (corsa.migliore.size() - 1) / static_cast<std::size_t>(g.m);
            if (quanti == 0)
                break;
            while (rappresentanti.size() > quanti)
                rappresentanti.erase(rappresentanti.begin() +
                                     static_cast<std::ptrdiff_t>(caso() % rappresentanti.size()));
            while (rappresentanti.size() < quanti)
                rappresentanti.push_back(BloccoACaso(s.v(), caso));
            RicotturaSimmetrica r(s, t, g.m, permutazione, orbite, rappresentanti);
            corsa.costoCorrente = r.costo();
            r.esegui(fetta, caso, ferma);
            corsa.costoCorrente = r.costo();
            if (r.costo() != 0)
                break;
            rappresentanti = r.rappresentanti();
            corsa.tieni(Espandi(rappresentanti, permutazione));
        }
        bilancio.spendi(fetta.speso());
    }
}

} // namespace

void Corri(const Sottoinsiemi& s, int t, std::vector<Blocco> partenza, Bilancio bilancio, std::uint64_t seme,
           std::size_t primo, std::size_t passo, const std::atomic<bool>& ferma, Corsa& corsa) {
    corsa.tieni(std::move(partenza));
    const std::vector<Simmetria> tutte = SimmetrieProvate(s.v());
    std::vector<Simmetria> mie;
    for (std::size_t k = primo; k < tutte.size(); k += passo)
        mie.push_back(tutte[k]);
    Bilancio meta = bilancio.parte(0.5);
    CercaSimmetrica(s, t, mie, meta, seme, ferma, corsa);
    bilancio.spendi(meta.speso());
    Cerca(s, t, bilancio, seme, ferma, corsa);
}

EsitoRicottura RicottoADimensioneFissa(const Sottoinsiemi& s, int t, std::vector<Blocco>& blocchi, Bilancio bilancio,
                                       std::uint64_t seme, const std::atomic<bool>& ferma) {
    std::mt19937_64 caso(seme);
    Ricottura r(s, t, blocchi);
    r.esegui(bilancio, caso, ferma);
    blocchi = r.blocchi();
    return {r.costo(), r.mosse()};
}

ConfrontoConteggi ConfrontaConteggi(const Sottoinsiemi& s, int t, std::vector<Blocco> blocchi, int ciclo,
                                    std::uint64_t lavoro, std::uint64_t seme) {
    std::mt19937_64 caso(seme);
    const std::atomic<bool> ferma{false};
    Bilancio bilancio = Bilancio::DiLavoro(lavoro);
    if (ciclo <= 1) {
        Ricottura r(s, t, std::move(blocchi));
        r.esegui(bilancio, caso, ferma);
        const Ricottura rifatta(s, t, r.blocchi());
        return {r.conteggi(), rifatta.conteggi(), r.costo(), rifatta.costo(), r.mosse()};
    }
    const Simmetria g{ciclo, s.v() / ciclo};
    const Permutazione permutazione(s.v(), g);
    const Orbite orbite(s, permutazione);
    RicotturaSimmetrica r(s, t, g.m, permutazione, orbite, std::move(blocchi));
    r.esegui(bilancio, caso, ferma);
    const RicotturaSimmetrica rifatta(s, t, g.m, permutazione, orbite, r.rappresentanti());
    return {r.conteggi(), rifatta.conteggi(), r.costo(), rifatta.costo(), r.mosse()};
}

} // namespace sestina
