#include "Partenze.h"

#include "Insiemi.h"
#include "Raffreddamento.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <random>

namespace sestina {
namespace {

using namespace insiemi;
using namespace raffreddamento;

// How often, in moves of the ring's search, the observer hears of it.
constexpr std::uint64_t PeriodoProgresso = 65'536;

// Max-gain greedy with the gains in a bucket queue: a list per gain, updated as subsets get covered.
class CodaGuadagni final {
public:
    CodaGuadagni(std::uint32_t candidati, std::uint32_t guadagnoIniziale)
        : m_guadagno(candidati, guadagnoIniziale), m_prossimo(candidati), m_precedente(candidati),
          m_testa(guadagnoIniziale + 1, Nessuno), m_massimo(guadagnoIniziale) {
        for (std::uint32_t c = 0; c < candidati; ++c)
            inserisci(c);
    }
    std::uint32_t guadagno(std::uint32_t c) const { return m_guadagno[c]; }
    void diminuisci(std::uint32_t c) {
        togli(c);
        --m_guadagno[c];
        inserisci(c);
    }
    // The candidate of highest gain (the most recently lowered among equals); Nessuno when all are 0.
    std::uint32_t migliore() {
        while (m_massimo > 0 && m_testa[m_massimo] == Nessuno)
            --m_massimo;
        return m_massimo == 0 ? Nessuno : m_testa[m_massimo];
    }
    static constexpr std::uint32_t Nessuno = ~std::uint32_t{0};

private:
    void inserisci(std::uint32_t c) {
        const std::uint32_t g = m_guadagno[c];
        m_prossimo[c] = m_testa[g];
        m_precedente[c] = Nessuno;
        if (m_testa[g] != Nessuno)
            m_precedente[m_testa[g]] = c;
        m_testa[g] = c;
    }
    void togli(std::uint32_t c) {
        const std::uint32_t g = m_guadagno[c];
        if (m_precedente[c] != Nessuno)
            m_prossimo[m_precedente[c]] = m_prossimo[c];
        else
            m_testa[g] = m_prossimo[c];
        if (m_prossimo[c] != Nessuno)
            m_precedente[m_prossimo[c]] = m_precedente[c];
    }

    std::vector<std::uint32_t> m_guadagno, m_prossimo, m_precedente, m_testa;
    std::uint32_t m_massimo;
};

// The parts of size k of a group, the last one short when k does not divide it.
Maschere Parti(const Maschere& gruppo, int k) {
    Maschere parti;
    for (std::size_t i = 0; i < gruppo.size(); i += static_cast<std::size_t>(k)) {
        Blocco parte = 0;
        for (std::size_t j = i; j < std::min(gruppo.size(), i + static_cast<std::size_t>(k)); ++j)
            parte |= gruppo[j];
        parti.push_back(parte);
    }
    return parti;
}

// The columns of group g followed by group h, when h holds at least one drawn number: g whole
// with a part of h (or, for a group of six, each of its three pairs of pairs with a pair of h, and g
// itself for three or more in g).
void ColonneDelGruppo(const Maschere& g, const Maschere& h, std::vector<Blocco>& blocchi) {
    Blocco tutto = 0;
    for (const Blocco p : g)
        tutto |= p;
    if (g.size() < 6) {
        for (const Blocco parte : Parti(h, 6 - static_cast<int>(g.size())))
            blocchi.push_back(RiempitoASei(tutto | parte));
        return;
    }
    blocchi.push_back(tutto);
    const Maschere coppie = Parti(g, 2);
    for (const Blocco fuori : coppie)
        for (const Blocco parte : Parti(h, 2))
            blocchi.push_back(RiempitoASei((tutto & ~fuori) | parte));
}

// Six drawn in five groups of at most six with no group holding three: some group holds two and
// the next one at least one (else the d groups holding two, the 6 - 2d holding one and the d empty
// ones after the pairs would make six groups), and a column of the group meets those three.
std::vector<Blocco> ColonneDellAnello(const std::vector<Maschere>& anello) {
    std::vector<Blocco> blocchi;
    for (std::size_t i = 0; i < anello.size(); ++i)
        ColonneDelGruppo(anello[i], anello[(i + 1) % anello.size()], blocchi);
    return blocchi;
}

// The five groups (positions mod 5) in the ring order that gives the fewest columns: the groups
// differ in size by one at most, and the order changes the count.
std::vector<Maschere> AnelloMigliore(int v) {
    std::vector<Maschere> gruppi(5);
    for (int p = 0; p < v; ++p)
        gruppi[static_cast<std::size_t>(p % 5)].push_back(Blocco{1} << p);
    std::array<std::size_t, 5> ordine{0, 1, 2, 3, 4};
    std::vector<Maschere> migliore;
    std::size_t colonne = 0;
    do {
        std::vector<Maschere> anello(ordine.size());
        for (std::size_t i = 0; i < ordine.size(); ++i)
            anello[i] = gruppi[ordine[i]];
        const std::size_t n = ColonneDellAnello(anello).size();
        if (migliore.empty() || n < colonne) {
            migliore = std::move(anello);
            colonne = n;
        }
    } while (std::next_permutation(ordine.begin() + 1, ordine.end()));
    return migliore;
}

// The pigeonhole argument above needs only the triples it names: two drawn in a group and a third
// in that group or the next. A design holding every such triple in some column meets every six in
// three, and covering about 550 triples is a far easier search than covering 593,775 subsets.
class TerneDellAnello final {
public:
    TerneDellAnello(int v, const std::vector<Maschere>& anello, std::vector<Blocco> blocchi)
        : m_blocchi(std::move(blocchi)), m_richiesta(Terne, false), m_conta(Terne, 0), m_scoperte(Terne) {
        std::array<int, 32> gruppo{};
        for (std::size_t g = 0; g < anello.size(); ++g)
            for (const Blocco p : anello[g])
                gruppo[static_cast<std::size_t>(std::countr_zero(p))] = static_cast<int>(g);
        const int n = static_cast<int>(anello.size());
        const auto segue = [&](int g, int h) { return h == g || h == (g + 1) % n; };
        for (int a = 0; a < v; ++a)
            for (int b = a + 1; b < v; ++b)
                for (int c = b + 1; c < v; ++c) {
                    const int ga = gruppo[static_cast<std::size_t>(a)];
                    const int gb = gruppo[static_cast<std::size_t>(b)];
                    const int gc = gruppo[static_cast<std::size_t>(c)];
                    m_richiesta[Indice(a, b, c)] =
                        (ga == gb && segue(ga, gc)) || (ga == gc && segue(ga, gb)) || (gb == gc && segue(gb, ga));
                }
        for (const Blocco b : m_blocchi)
            PerOgniTerna(b, [&](std::size_t i) { ++m_conta[i]; });
        for (int a = 0; a < v; ++a)
            for (int b = a + 1; b < v; ++b)
                for (int c = b + 1; c < v; ++c)
                    if (m_richiesta[Indice(a, b, c)] && m_conta[Indice(a, b, c)] == 0)
                        scopri(Indice(a, b, c));
    }

    std::size_t costo() const { return m_scoperte.size(); }
    // The triples are few and each weighs one: nothing to weigh more.
    void pesaMancanti() {}
    const std::vector<Blocco>& blocchi() const { return m_blocchi; }

    void togliColonna(std::size_t i) {
        PerOgniTerna(m_blocchi[i], [&](std::size_t t) {
            if (--m_conta[t] == 0 && m_richiesta[t])
                scopri(t);
        });
        m_blocchi.erase(m_blocchi.begin() + static_cast<std::ptrdiff_t>(i));
    }

    // One move: a column takes the missing number of a missed triple whose other two it holds.
    // Returns its work, counted like the search's: the columns looked at and the triples counted.
    std::uint64_t mossa(std::mt19937_64& caso, double temperatura) {
        const std::size_t terna = m_scoperte.elenco()[caso() % m_scoperte.size()];
        const Blocco s = Maschera(terna);
        std::size_t scelto = 0;
        std::uint64_t visti = 0;
        for (std::size_t i = 0; i < m_blocchi.size(); ++i)
            if (std::popcount(m_blocchi[i] & s) == 2 && caso() % ++visti == 0)
                scelto = i;
        if (visti == 0)
            scelto = caso() % m_blocchi.size();
        const std::uint64_t lavoro = m_blocchi.size() + 20;
        const Blocco b = m_blocchi[scelto];
        const Blocco x = ACaso(b & ~s, caso);
        const Blocco y = ACaso(s & ~b, caso);
        const Maschere resto = Elementi(b & ~x);
        const int px = std::countr_zero(x);
        const int py = std::countr_zero(y);
        int delta = 0;
        PerOgniCoppia(resto, [&](int i, int j) {
            const std::size_t perso = IndiceOrdinato(i, j, px);
            const std::size_t preso = IndiceOrdinato(i, j, py);
            delta += m_richiesta[perso] && m_conta[perso] == 1;
            delta -= m_richiesta[preso] && m_conta[preso] == 0;
        });
        if (delta > 0 && std::generate_canonical<double, 53>(caso) >= std::exp(-delta / temperatura))
            return lavoro;
        PerOgniCoppia(resto, [&](int i, int j) {
            const std::size_t perso = IndiceOrdinato(i, j, px);
            if (--m_conta[perso] == 0 && m_richiesta[perso])
                scopri(perso);
            const std::size_t preso = IndiceOrdinato(i, j, py);
            if (m_conta[preso]++ == 0 && m_richiesta[preso])
                copri(preso);
        });
        m_blocchi[scelto] = (b & ~x) | y;
        return lavoro;
    }

private:
    static constexpr std::size_t Terne = 32 * 32 * 32;

    static std::size_t Indice(int a, int b, int c) {
        return (static_cast<std::size_t>(a) * 32 + static_cast<std::size_t>(b)) * 32 + static_cast<std::size_t>(c);
    }
    static std::size_t IndiceOrdinato(int a, int b, int c) {
        std::array<int, 3> p{a, b, c};
        std::sort(p.begin(), p.end());
        return Indice(p[0], p[1], p[2]);
    }
    static Blocco Maschera(std::size_t i) {
        return (Blocco{1} << (i / 1024)) | (Blocco{1} << (i / 32 % 32)) | (Blocco{1} << (i % 32));
    }
    template <typename F> static void PerOgniCoppia(const Maschere& e, F&& f) {
        for (std::size_t i = 0; i < e.size(); ++i)
            for (std::size_t j = i + 1; j < e.size(); ++j)
                f(std::countr_zero(e[i]), std::countr_zero(e[j]));
    }
    template <typename F> static void PerOgniTerna(Blocco b, F&& f) {
        const Maschere e = Elementi(b);
        for (std::size_t i = 0; i < e.size(); ++i)
            for (std::size_t j = i + 1; j < e.size(); ++j)
                for (std::size_t k = j + 1; k < e.size(); ++k)
                    f(Indice(std::countr_zero(e[i]), std::countr_zero(e[j]), std::countr_zero(e[k])));
    }

    void scopri(std::size_t t) { m_scoperte.aggiungi(static_cast<std::uint32_t>(t)); }
    void copri(std::size_t t) { m_scoperte.togli(static_cast<std::uint32_t>(t)); }

    std::vector<Blocco> m_blocchi;
    std::vector<bool> m_richiesta;
    std::vector<std::uint32_t> m_conta;
    Mancanti m_scoperte;
};

} // namespace

std::vector<Blocco> GreedyMassimoGuadagno(const Sottoinsiemi& s, int t, OsservatoreOttimizzazione* osservatore) {
    // The candidates are the columns of six; for p = 6 they are the subsets themselves.
    std::optional<Sottoinsiemi> proprie;
    if (s.k() != 6)
        proprie.emplace(s.v(), 6);
    const Sottoinsiemi& colonne = proprie ? *proprie : s;
    const auto iniziale = static_cast<std::uint32_t>(CoperteDaUnBlocco(s.v(), t, s.k()));
    CodaGuadagni coda(colonne.quante(), iniziale);
    std::vector<bool> coperto(s.quante(), false);
    std::uint64_t scoperte = s.quante();
    std::vector<Blocco> blocchi;
    for (std::uint32_t c = coda.migliore(); c != CodaGuadagni::Nessuno; c = coda.migliore()) {
        if (osservatore != nullptr) {
            if (osservatore->annullato())
                return {};
            osservatore->progresso(0, scoperte);
        }
        blocchi.push_back(colonne.maschera(c));
        PerOgniVicino(s, t, colonne.maschera(c), [&](std::uint32_t r) {
            if (coperto[r])
                return;
            coperto[r] = true;
            --scoperte;
            PerOgniVicino(colonne, t, s.maschera(r), [&](std::uint32_t candidato) { coda.diminuisci(candidato); });
        });
    }
    return blocchi;
}

std::vector<Blocco> GreedyPrimoAdatto(const Sottoinsiemi& s, int t) {
    std::vector<bool> coperto(s.quante(), false);
    std::vector<Blocco> blocchi;
    for (std::uint32_t r = 0; r < s.quante(); ++r) {
        if (coperto[r])
            continue;
        blocchi.push_back(RiempitoASei(s.maschera(r)));
        PerOgniVicino(s, t, blocchi.back(), [&](std::uint32_t q) { coperto[q] = true; });
    }
    return blocchi;
}

std::vector<Blocco> RiduciSullAnello(int v, Bilancio& bilancio, std::uint64_t seme,
                                     OsservatoreOttimizzazione& osservatore) {
    const std::vector<Maschere> anello = AnelloMigliore(v);
    std::vector<Blocco> migliore = ColonneDellAnello(anello);
    TerneDellAnello stato(v, anello, migliore);
    std::mt19937_64 caso(seme);
    std::uint64_t mosse = 0;
    bool fermato = false;
    const auto interrompi = [&] {
        if (mosse % PeriodoProgresso == 0)
            osservatore.progresso(static_cast<int>(migliore.size()), stato.costo());
        fermato = fermato || osservatore.annullato();
        return fermato;
    };
    while (!bilancio.esaurito() && stato.blocchi().size() > 1 && !fermato) {
        if (stato.costo() == 0) {
            migliore = stato.blocchi();
            stato.togliColonna(caso() % stato.blocchi().size());
            continue;
        }
        Ricuoci(stato, ProgrammaTerne, bilancio, caso, interrompi, mosse);
        if (!interrompi() && stato.costo() > 0)
            break; // the budget ran out
    }
    return migliore;
}

std::vector<Blocco> Costruzione(int v, int t) {
    std::vector<Blocco> blocchi;
    // Six drawn among g <= 5 groups of at most six: two of them share a group, and its column.
    if (t == 2 && (v + 5) / 6 <= 5) {
        const int gruppi = (v + 5) / 6;
        for (int g = 0; g < gruppi; ++g) {
            Blocco b = 0;
            for (int p = g; p < v; p += gruppi)
                b |= Blocco{1} << p;
            // A short group is filled with positions of the others: a column always has six.
            blocchi.push_back(RiempitoASei(b));
        }
    }
    if (t == 3 && v >= 10 && v <= 30)
        blocchi = ColonneDellAnello(AnelloMigliore(v));
    return blocchi;
}

} // namespace sestina
