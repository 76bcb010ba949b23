#include "Ottimizzatore.h"

#include "Bilancio.h"
#include "Spezzamento.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <random>
#include <thread>

namespace sestina {
namespace {

using Maschere = std::vector<Blocco>;

// The positions of a mask, one bit each.
Maschere Elementi(Blocco m) {
    Maschere e;
    while (m) {
        e.push_back(m & (~m + 1));
        m &= m - 1;
    }
    return e;
}

// Every union of k of the given bits.
void Unioni(const Maschere& elementi, int k, Maschere& uscita) {
    uscita.clear();
    const int n = static_cast<int>(elementi.size());
    if (k < 0 || k > n)
        return;
    std::array<int, 6> i{};
    for (int j = 0; j < k; ++j)
        i[static_cast<std::size_t>(j)] = j;
    for (;;) {
        Blocco m = 0;
        for (int j = 0; j < k; ++j)
            m |= elementi[static_cast<std::size_t>(i[static_cast<std::size_t>(j)])];
        uscita.push_back(m);
        int j = k - 1;
        while (j >= 0 && i[static_cast<std::size_t>(j)] == n - k + j)
            --j;
        if (j < 0)
            return;
        ++i[static_cast<std::size_t>(j)];
        for (int l = j + 1; l < k; ++l)
            i[static_cast<std::size_t>(l)] = i[static_cast<std::size_t>(l - 1)] + 1;
    }
}

// One bit of a mask, drawn at random.
Blocco ACaso(Blocco m, std::mt19937_64& caso) {
    for (auto k = caso() % static_cast<unsigned>(std::popcount(m)); k > 0; --k)
        m &= m - 1;
    return m & (~m + 1);
}

// Six positions: the mask itself, or filled up with the lowest positions it lacks.
Blocco RiempitoASei(Blocco b) {
    for (Blocco p = 1; std::popcount(b) < 6; p <<= 1)
        b |= p;
    return b;
}

Blocco Tutti(int v) {
    return v >= 64 ? ~Blocco{0} : (Blocco{1} << v) - 1;
}

// Calls f(rank) for every subset of s meeting b in at least t positions: the p-subsets a column
// meets, or, with s the columns, the columns that meet a p-subset b.
template <typename F> void PerOgniVicino(const Sottoinsiemi& s, int t, Blocco b, F&& f) {
    const Maschere dentro = Elementi(b);
    const Maschere fuori = Elementi(Tutti(s.v()) & ~b);
    Maschere x, y;
    for (int i = t; i <= std::min(s.k(), static_cast<int>(dentro.size())); ++i) {
        Unioni(dentro, i, x);
        Unioni(fuori, s.k() - i, y);
        for (const Blocco a : x)
            for (const Blocco c : y)
                f(s.rango(a | c));
    }
}

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

// The missed subsets (or orbits): a list with each one's place in it, so that one comes in or goes
// out in a step and a move can draw one at random.
class Mancanti final {
public:
    explicit Mancanti(std::size_t quanti) : m_posizione(quanti, Fuori) {}
    std::size_t size() const { return m_elenco.size(); }
    const std::vector<std::uint32_t>& elenco() const { return m_elenco; }
    void aggiungi(std::uint32_t r) {
        m_posizione[r] = static_cast<std::uint32_t>(m_elenco.size());
        m_elenco.push_back(r);
    }
    void togli(std::uint32_t r) {
        const std::uint32_t p = m_posizione[r];
        const std::uint32_t ultimo = m_elenco.back();
        m_elenco[p] = ultimo;
        m_posizione[ultimo] = p;
        m_elenco.pop_back();
        m_posizione[r] = Fuori;
    }

private:
    static constexpr std::uint32_t Fuori = ~std::uint32_t{0};
    std::vector<std::uint32_t> m_posizione;
    std::vector<std::uint32_t> m_elenco;
};

constexpr double TemperaturaIniziale = 0.6;
constexpr double TemperaturaMinima = 0.05;
constexpr double Raffreddamento = 0.99995;
constexpr std::uint64_t Riscaldo = 200'000;
// Every so many moves the subsets still missed weigh one more in the cost: the few that stay out
// on a plateau grow expensive until some move takes them in (4 and 5 if 6 gain several columns).
constexpr std::uint64_t PeriodoPesi = 20'000;

// Where one move changes hundreds of subsets (three if six on many numbers) the temperature
// grows with them, or every worsening move is refused and the search stays where it starts.
double Scala(double peggioramenti, double quanti) {
    constexpr double PeggioramentoTipico = 10;
    return quanti == 0 ? 1.0 : std::max(1.0, peggioramenti / quanti / PeggioramentoTipico);
}

// Whether a budget is spent. The clock is read every few moves only: a move can be cheaper than
// reading it.
bool Finito(const Bilancio& bilancio, std::uint64_t mossa) {
    return bilancio.aTempo() ? (mossa & 15) == 0 && bilancio.esaurito() : bilancio.esaurito();
}

// The schedule both annealings share: cooling, heating again after a long stretch without progress,
// the missed ones weighed more every PeriodoPesi moves. Anneals until nothing is missed, the budget
// runs out or a stop.
template <typename Stato>
void Ricuoci(Stato& stato, Bilancio& bilancio, std::mt19937_64& caso, const std::atomic<bool>& ferma,
             std::uint64_t& mosse) {
    double temperatura = TemperaturaIniziale;
    std::uint64_t migliore = stato.costo();
    std::uint64_t senzaProgressi = 0;
    for (std::uint64_t m = 0; !Finito(bilancio, m) && stato.costo() > 0; ++m) {
        if ((m & 255) == 0 && ferma.load(std::memory_order_relaxed))
            break;
        bilancio.spendi(stato.mossa(caso, temperatura));
        if (++mosse % PeriodoPesi == 0)
            stato.pesaMancanti();
        temperatura = std::max(TemperaturaMinima, temperatura * Raffreddamento);
        if (stato.costo() < migliore) {
            migliore = stato.costo();
            senzaProgressi = 0;
        } else if (++senzaProgressi > Riscaldo) {
            temperatura = TemperaturaIniziale;
            senzaProgressi = 0;
        }
    }
}

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
    std::uint64_t mosse() const { return m_mosse; }
    const std::vector<Blocco>& blocchi() const { return m_blocchi; }

    void esegui(Bilancio& bilancio, std::mt19937_64& caso, const std::atomic<bool>& ferma) {
        Ricuoci(*this, bilancio, caso, ferma, m_mosse);
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
    const std::vector<Blocco>& rappresentanti() const { return m_blocchi; }

    void esegui(Bilancio& bilancio, std::mt19937_64& caso, const std::atomic<bool>& ferma) {
        std::uint64_t mosse = 0;
        Ricuoci(*this, bilancio, caso, ferma, mosse);
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

// One run's best design, and what the reporting thread reads of it while the run goes on.
struct Corsa {
    std::vector<Blocco> migliore;
    std::atomic<std::size_t> colonne{0};
    std::atomic<std::uint64_t> costoCorrente{0};

    void tieni(std::vector<Blocco> design) {
        migliore = std::move(design);
        colonne = migliore.size();
    }
};

void Cerca(const Sottoinsiemi& s, int t, Bilancio& bilancio, std::uint64_t seme, const std::atomic<bool>& ferma,
           Corsa& corsa) {
    std::mt19937_64 caso(seme);
    const double totale = static_cast<double>(bilancio.restante());
    int tentativi = 0;
    while (!bilancio.esaurito() && corsa.migliore.size() > 1 && !ferma.load()) {
        // One column fewer than the best: first the least useful one, after a failure a random one,
        // so that each try starts from another place.
        std::vector<Blocco> prova = corsa.migliore;
        const std::size_t via = tentativi == 0 ? MenoUtile(s, t, prova) : caso() % prova.size();
        prova.erase(prova.begin() + static_cast<std::ptrdiff_t>(via));
        Ricottura r(s, t, std::move(prova));
        corsa.costoCorrente = r.costo();
        // A third of what is left, or a fortieth of the whole when little is left.
        const double restante = static_cast<double>(bilancio.restante());
        Bilancio fetta = bilancio.parte(std::max(1.0 / 3, (totale / 40 + 1) / std::max(1.0, restante)));
        r.esegui(fetta, caso, ferma);
        bilancio.spendi(fetta.speso());
        corsa.costoCorrente = r.costo();
        if (r.costo() == 0) {
            corsa.tieni(r.blocchi());
            tentativi = 0;
        } else {
            ++tentativi;
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

// One run: half its work on symmetric designs, then the plain search from the best of them.
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

namespace {

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
        : m_blocchi(std::move(blocchi)), m_richiesta(Terne, false), m_conta(Terne, 0), m_posizione(Terne, Fuori) {
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
        const std::size_t terna = m_scoperte[caso() % m_scoperte.size()];
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
    static constexpr std::size_t Fuori = ~std::size_t{0};

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

    void scopri(std::size_t t) {
        m_posizione[t] = m_scoperte.size();
        m_scoperte.push_back(t);
    }
    void copri(std::size_t t) {
        const std::size_t p = m_posizione[t];
        m_scoperte[p] = m_scoperte.back();
        m_posizione[m_scoperte[p]] = p;
        m_scoperte.pop_back();
        m_posizione[t] = Fuori;
    }

    std::vector<Blocco> m_blocchi;
    std::vector<bool> m_richiesta;
    std::vector<std::uint32_t> m_conta;
    std::vector<std::size_t> m_posizione;
    std::vector<std::size_t> m_scoperte;
};

// Takes columns off the ring construction while its triples can still be covered; the same seed and
// work give the same design.
std::vector<Blocco> RiduciSullAnello(int v, Bilancio& bilancio, std::uint64_t seme,
                                     OsservatoreOttimizzazione& osservatore) {
    const std::vector<Maschere> anello = AnelloMigliore(v);
    std::vector<Blocco> migliore = ColonneDellAnello(anello);
    TerneDellAnello stato(v, anello, migliore);
    std::mt19937_64 caso(seme);
    double temperatura = 1.0;
    std::size_t costoMinimo = 0;
    std::uint64_t senzaProgressi = 0;
    for (std::uint64_t m = 0; !Finito(bilancio, m) && stato.blocchi().size() > 1; ++m) {
        if ((m & 0xFFFF) == 0) {
            if (osservatore.annullato())
                break;
            osservatore.progresso(static_cast<int>(migliore.size()), stato.costo());
        }
        if (stato.costo() == 0) {
            migliore = stato.blocchi();
            stato.togliColonna(caso() % stato.blocchi().size());
            costoMinimo = stato.costo();
            continue;
        }
        bilancio.spendi(stato.mossa(caso, temperatura));
        temperatura = std::max(0.05, temperatura * 0.99999);
        if (stato.costo() < costoMinimo) {
            costoMinimo = stato.costo();
            senzaProgressi = 0;
        } else if (++senzaProgressi > 2'000'000) {
            temperatura = 1.0;
            senzaProgressi = 0;
        }
    }
    return migliore;
}

} // namespace

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

EsitoRicottura RicottoADimensioneFissa(const Sottoinsiemi& s, int t, std::vector<Blocco>& blocchi, Bilancio bilancio,
                                       std::uint64_t seme, const std::atomic<bool>& ferma) {
    std::mt19937_64 caso(seme);
    Ricottura r(s, t, blocchi);
    r.esegui(bilancio, caso, ferma);
    blocchi = r.blocchi();
    return {r.costo(), r.mosse()};
}

std::vector<Blocco> OttimizzaMatrice(const RichiestaOttimizzazione& richiesta, OsservatoreOttimizzazione& osservatore) {
    const int v = richiesta.v;
    const int t = richiesta.t;
    const int p = richiesta.p;
    if (v < VMinimoDisegno || v > VMassimoDisegno || t < 2 || t > 5 || p < t || p > 6)
        return {};
    // The clock starts before the tables are built: the user waits for them too.
    Bilancio bilancio = richiesta.lavoro > 0
                            ? Bilancio::DiLavoro(static_cast<std::uint64_t>(richiesta.lavoro * LavoroPerUnita))
                            : Bilancio::DiTempo(std::chrono::duration_cast<Bilancio::Orologio::duration>(
                                  std::chrono::duration<double>(std::clamp(richiesta.secondi, 0.0, 1e7))));
    const Sottoinsiemi s(v, p);
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
    if (osservatore.annullato())
        return partenza;
    osservatore.progresso(static_cast<int>(partenza.size()), 0);

    const int ricerche = std::max(1, richiesta.ricerche);
    // The greedy's work counts in a budget of work as the clock counts its time; the search keeps at
    // least half of it.
    if (greedyPossibile && !bilancio.aTempo())
        bilancio.spendi(std::min(static_cast<std::uint64_t>(lavoroGreedy), bilancio.restante() / 2));
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
    std::vector<Corsa> corse(static_cast<std::size_t>(ricerche));
    std::atomic<bool> ferma{false};
    std::vector<std::thread> altre;
    for (int i = 1; i < ricerche; ++i)
        altre.emplace_back([&, i] {
            Corri(s, t, partenza, bilancio, richiesta.seme + static_cast<std::uint64_t>(i), static_cast<std::size_t>(i),
                  static_cast<std::size_t>(ricerche), ferma, corse[static_cast<std::size_t>(i)]);
        });
    // The runs go on their own threads; this one reports their progress and passes on a stop.
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

bool VerificaGaranzia(int v, int t, const std::vector<Blocco>& blocchi) {
    return VerificaGaranzia(v, 6, t, blocchi);
}

bool VerificaGaranzia(int v, int p, int t, const std::vector<Blocco>& blocchi) {
    if (v < 6 || v > VMassimoDisegno || p < 1 || p > 6 || p > v || blocchi.empty())
        return false;
    const Blocco fuori = ~((Blocco{1} << v) - 1);
    for (const Blocco colonna : blocchi)
        if (std::popcount(colonna) != 6 || (colonna & fuori) != 0)
            return false;
    // Every p-subset as p ascending positions, with no table shared with the search.
    std::array<int, 6> x{};
    for (int j = 0; j < p; ++j)
        x[static_cast<std::size_t>(j)] = j;
    std::size_t ultima = 0;
    for (;;) {
        Blocco estratti = 0;
        for (int j = 0; j < p; ++j)
            estratti |= Blocco{1} << x[static_cast<std::size_t>(j)];
        // Neighbouring subsets share all numbers but one: the last column that met one often meets
        // the next, so it is tried first.
        if (std::popcount(estratti & blocchi[ultima]) < t) {
            bool incontrata = false;
            for (std::size_t i = 0; i < blocchi.size() && !incontrata; ++i)
                if (std::popcount(estratti & blocchi[i]) >= t) {
                    incontrata = true;
                    ultima = i;
                }
            if (!incontrata)
                return false;
        }
        int j = p - 1;
        while (j >= 0 && x[static_cast<std::size_t>(j)] == v - p + j)
            --j;
        if (j < 0)
            return true;
        ++x[static_cast<std::size_t>(j)];
        for (int l = j + 1; l < p; ++l)
            x[static_cast<std::size_t>(l)] = x[static_cast<std::size_t>(l - 1)] + 1;
    }
}

} // namespace sestina
