#include "Garanzia.h"

#include "IndiceRiduzione.h"
#include "Interfaccia.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <vector>

namespace sestina {
namespace {

constexpr int PassoEventiColonne = 10000;
constexpr std::int64_t PassoEventiSottoinsiemi = std::int64_t{1} << 14;

// Positions 0..v-1 of the Prediction stand for the numbers 1..v of the index, so the ranks of a
// small Prediction stay at the start of each bit table, which keeps the walk in cache. The walk asks
// for C(position, k) billions of times: straight from the table, unchecked.

// For each mask of six positions: its size, its highest position, and the mask without it.
struct Maschera {
    std::uint8_t dimensione;
    std::uint8_t alto;
    std::uint8_t resto;
};
constexpr auto Maschere = [] {
    std::array<Maschera, 64> m{};
    for (unsigned i = 1; i < 64; ++i) {
        const int alto = 31 - std::countl_zero(i);
        m[i] = {static_cast<std::uint8_t>(std::popcount(i)), static_cast<std::uint8_t>(alto),
                static_cast<std::uint8_t>(i & ~(1u << alto))};
    }
    return m;
}();

// The marked t-subsets for t = 1..6: the development's index for 1..5, a table of C(v, 6) bits for 6.
class Coperture final {
public:
    explicit Coperture(int v) : m_sei((Binomiale(v, 6) + 63) / 64, 0) {
        for (int t = 1; t <= 5; ++t)
            m_indici[static_cast<std::size_t>(t)] = std::make_unique<IndiceRiduzione>(t);
    }
    bool coperto(int t, std::uint32_t rango) const {
        if (t == 6)
            return (m_sei[rango >> 6] >> (rango & 63)) & 1u;
        return m_indici[static_cast<std::size_t>(t)]->coperto(rango);
    }
    void copri(int t, std::uint32_t rango) {
        if (t == 6)
            m_sei[rango >> 6] |= std::uint64_t{1} << (rango & 63);
        else
            m_indici[static_cast<std::size_t>(t)]->copri(rango);
    }
    // Every non-empty subset of a column's ascending positions.
    void copriPosizioni(const int* posizioni, int quante) {
        std::array<std::uint32_t, 64> rango{};
        for (unsigned maschera = 1; maschera < (1u << quante); ++maschera) {
            const Maschera& m = Maschere[maschera];
            rango[maschera] = rango[m.resto] + BinomialeInTabella(posizioni[m.alto], m.dimensione);
            copri(m.dimensione, rango[maschera]);
        }
    }

private:
    std::array<std::unique_ptr<IndiceRiduzione>, 6> m_indici;
    std::vector<std::uint64_t> m_sei;
};

// The p-subsets of the Prediction, depth first. At depth d the ranks of every subset of the chosen
// prefix are kept by size, with the best score the prefix already reaches; a new element only adds
// the subsets that contain it.
class Cammino final {
public:
    Cammino(const Coperture& coperture, int v, Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore,
            double integrale)
        : m_coperture(coperture), m_v(v), m_s(s), m_ui(ui), m_osservatore(osservatore), m_integrale(integrale) {}

    bool percorri(RigaGaranzia& riga) {
        m_riga = &riga;
        m_p = riga.p;
        m_quanti[0] = {};
        m_quanti[0][0] = 1;
        m_sotto[0][0][0] = 0;
        m_migliore[0] = 0;
        if (m_p <= m_v)
            estendi<0>(0);
        return !m_annullata;
    }
    double elaborate() const { return static_cast<double>(m_elaborate); }

private:
    // The depth is a template argument so that the compiler sees it never passes five.
    template <int d> void estendi(int primo) {
        const auto& sotto = m_sotto[static_cast<std::size_t>(d)];
        const auto& quanti = m_quanti[static_cast<std::size_t>(d)];
        for (int x = primo; x <= m_v - (m_p - d) && !m_annullata; ++x) {
            if (d + 1 == m_p) {
                int migliore = m_migliore[static_cast<std::size_t>(d)];
                // Only a subset larger than the prefix's best can change it: largest first.
                for (int k = d; k >= migliore && migliore < k + 1; --k) {
                    const std::uint32_t termine = BinomialeInTabella(x, k + 1);
                    for (int i = 0; i < quanti[static_cast<std::size_t>(k)]; ++i)
                        if (m_coperture.coperto(k + 1, sotto[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)] +
                                                           termine)) {
                            migliore = k + 1;
                            break;
                        }
                }
                ++m_riga->migliori[static_cast<std::size_t>(migliore)];
                if (++m_elaborate % PassoEventiSottoinsiemi == 0)
                    avanza();
                continue;
            }
            auto& nuovi = m_sotto[static_cast<std::size_t>(d + 1)];
            auto& nuoviQuanti = m_quanti[static_cast<std::size_t>(d + 1)];
            int migliore = m_migliore[static_cast<std::size_t>(d)];
            for (int k = 0; k <= d + 1; ++k) {
                int n = 0;
                if (k <= d)
                    for (int i = 0; i < quanti[static_cast<std::size_t>(k)]; ++i)
                        nuovi[static_cast<std::size_t>(k)][static_cast<std::size_t>(n++)] =
                            sotto[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
                if (k >= 1) {
                    const std::uint32_t termine = BinomialeInTabella(x, k);
                    for (int i = 0; i < quanti[static_cast<std::size_t>(k - 1)]; ++i) {
                        const std::uint32_t r =
                            sotto[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(i)] + termine;
                        nuovi[static_cast<std::size_t>(k)][static_cast<std::size_t>(n++)] = r;
                        if (k > migliore && m_coperture.coperto(k, r))
                            migliore = k;
                    }
                }
                nuoviQuanti[static_cast<std::size_t>(k)] = n;
            }
            m_migliore[static_cast<std::size_t>(d + 1)] = migliore;
            if constexpr (d + 1 < 6)
                estendi<d + 1>(x + 1);
        }
    }

    void avanza() {
        m_osservatore.contatori(static_cast<double>(m_elaborate), m_s.numeroColonne);
        const std::int32_t passo = PassoProgresso(static_cast<double>(m_elaborate), m_integrale / 20);
        if (passo != m_ultimoPasso) {
            m_ultimoPasso = passo;
            m_osservatore.passo(passo, m_integrale, static_cast<double>(m_elaborate), m_s.numeroColonne);
        }
        m_ui.elaboraEventi();
        m_annullata = m_s.sviluppoAnnullato != 0;
    }

    const Coperture& m_coperture;
    int m_v;
    Sistema& m_s;
    Interfaccia& m_ui;
    OsservatoreSviluppo& m_osservatore;
    double m_integrale;
    RigaGaranzia* m_riga = nullptr;
    int m_p = 0;
    // m_sotto[d][k]: ranks of the k-subsets of the prefix of length d; at most C(5, 2) of a size.
    std::array<std::array<std::array<std::uint32_t, 20>, 7>, 7> m_sotto{};
    std::array<std::array<int, 7>, 7> m_quanti{};
    std::array<int, 7> m_migliore{};
    std::int64_t m_elaborate = 0;
    std::int32_t m_ultimoPasso = 0;
    bool m_annullata = false;
};

EsitoGaranzia Calcola(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

} // namespace

EsitoGaranzia CalcolaGaranzia(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    s.sviluppoAnnullato = Falso;
    EsitoGaranzia esito = Calcola(s, ui, osservatore);
    // The flag belongs to the development: a cancelled guarantee must not leave it raised.
    s.sviluppoAnnullato = Falso;
    return esito;
}

namespace {

EsitoGaranzia Calcola(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    EsitoGaranzia esito;

    // The Prediction's distinct numbers of 1..90 in ascending order, and each number's position.
    std::array<int, 91> posizione{};
    posizione.fill(-1);
    const int inGioco = std::min<int>(s.numeriInGioco, NumeriGioco);
    for (int i = 0; i < inGioco; ++i) {
        const int n = s.pronostico[static_cast<std::size_t>(i)];
        if (n >= 1 && n <= NumeriGioco)
            posizione[static_cast<std::size_t>(n)] = 0;
    }
    int v = 0;
    for (int n = 1; n <= NumeriGioco; ++n)
        if (posizione[static_cast<std::size_t>(n)] == 0)
            posizione[static_cast<std::size_t>(n)] = v++;

    esito.numeri = v;
    double integrale = 0;
    for (std::size_t r = 0; r < esito.righe.size(); ++r) {
        RigaGaranzia& riga = esito.righe[r];
        riga.p = 6 - static_cast<int>(r);
        riga.sottoinsiemi = static_cast<qint64>(Binomiale(v, riga.p));
        integrale += static_cast<double>(riga.sottoinsiemi);
    }
    osservatore.avvio(integrale);

    Coperture coperture(v);
    const int colonne = ColonneValide(s);
    for (int c = 1; c <= colonne; ++c) {
        const std::uint8_t* numeri = s.colonne.colonna(c);
        int posizioni[6];
        int quante = 0;
        for (int k = 0; k < 6; ++k) {
            const int pos = posizione[numeri[k] <= NumeriGioco ? numeri[k] : 0];
            if (pos < 0 || std::find(posizioni, posizioni + quante, pos) != posizioni + quante)
                continue;
            int j = quante++;
            for (; j > 0 && posizioni[j - 1] > pos; --j)
                posizioni[j] = posizioni[j - 1];
            posizioni[j] = pos;
        }
        coperture.copriPosizioni(posizioni, quante);
        if (c % PassoEventiColonne == 0) {
            ui.elaboraEventi();
            if (s.sviluppoAnnullato != 0) {
                esito.annullata = true;
                return esito;
            }
        }
    }

    Cammino cammino(coperture, v, s, ui, osservatore, integrale);
    for (RigaGaranzia& riga : esito.righe) {
        if (!cammino.percorri(riga)) {
            esito.annullata = true;
            return esito;
        }
        for (int k = 0; k <= 6; ++k)
            if (riga.migliori[static_cast<std::size_t>(k)] > 0) {
                riga.garanzia = k;
                break;
            }
    }
    osservatore.fine(integrale, cammino.elaborate(), s.numeroColonne);
    return esito;
}

} // namespace

QString TestoGaranzia(const RigaGaranzia& riga) {
    if (riga.garanzia < 0)
        return QStringLiteral("-");
    return QStringLiteral("%1 se %2").arg(riga.garanzia).arg(riga.p);
}

QString RigaTestoGaranzia(const RigaGaranzia& riga) {
    QStringList celle = {QString::number(riga.p), QString::number(riga.sottoinsiemi)};
    for (const qint64 n : riga.migliori)
        celle << QString::number(n);
    celle << (riga.garanzia < 0 ? QStringLiteral("-") : QString::number(riga.garanzia));
    return celle.join(QLatin1Char('\t'));
}

} // namespace sestina
