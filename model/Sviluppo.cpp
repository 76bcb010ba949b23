#include "Sviluppo.h"

#include "Condizioni.h"
#include "IndiceRiduzione.h"
#include "Interfaccia.h"
#include "SviluppoComune.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace sestina {
namespace {

constexpr int NessunLivello = 7;

// Walks the same tree of candidates as the plain engine, one level per index,
// keeping each test's partial result per level. A subtree in which no
// candidate can pass is counted at once instead of visited; the counters,
// progress steps, pauses for the window system and limit handling come out
// exactly as if every candidate had been examined.
class MotoreVeloce final {
public:
    MotoreVeloce(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);
    void esegui();

private:
    // What the first D numbers of the candidate already give.
    struct Livello {
        int somma = 0;
        int pari = 0;
        int fissi = 0;
        int corsa = 0;
        int corsaMax = 0;
        int ultimo = -10;
        // Colex ranks of the k-subsets of the prefix, k = 0..t-1 (at most C(5, 2) = 10 each).
        std::array<std::array<std::uint32_t, 10>, 5> ranghi{};
        std::array<std::uint8_t, 5> quantiRanghi{};
    };

    void preparaCondizioni();
    void preparaTabelleResidue();

    template <int D> void visita(int primo);
    template <int D> void estendi(int i);
    template <int D> bool impossibile(int i) const;
    template <int D> void rifiutaFigli(int i);
    template <int D> void rifiutaFratelliSuccessivi(int i);
    void foglie(int primo);
    bool passaFoglia(int x) const;
    bool riduzioneCoperta(const Livello& prefisso, int x) const;
    void conserva(int x);

    void entraNodoTerzoIndice();
    void rifiuta(std::int64_t quanti);
    void avanza(std::int64_t quanti);
    std::int64_t sogliaSuccessiva(std::int64_t dopo) const;
    std::uint8_t* contiFiltri(int livello) { return m_contiFiltri.data() + livello * m_numeroFiltri; }
    const std::uint8_t* contiFiltri(int livello) const { return m_contiFiltri.data() + livello * m_numeroFiltri; }

    Sistema& m_s;
    Interfaccia& m_ui;
    OsservatoreSviluppo& m_osservatore;
    const int m_n;
    const std::uint8_t* m_p;

    bool m_fisse = false;
    bool m_somma = false;
    bool m_pari = false;
    bool m_consecutivi = false;
    bool m_riduzione = false;
    std::array<std::uint8_t, 91> m_eFisso{};
    int m_quantiFissi = 0;
    int m_sommaDa = 0;
    int m_sommaA = 0;
    std::array<bool, 7> m_pariAmmessi{};
    TabellaConsecutivi m_consecutiviAmmessi{};
    int m_numeroFiltri = 0;
    std::vector<std::uint8_t> m_inFiltro; // [filtro * 91 + numero]
    std::vector<std::int32_t> m_presenze;
    std::vector<std::uint8_t> m_contiFiltri; // [livello * filtri + filtro]
    int m_t = NessunLivello;
    std::optional<IndiceRiduzione> m_indice;

    // Over positions i..n-1 of the Prediction: fixed and even numbers; prefix sums.
    std::vector<int> m_fissiDa;
    std::vector<int> m_pariDa;
    std::vector<int> m_cumulata;

    std::array<Livello, 6> m_livelli{};
    std::uint8_t m_candidato[6] = {};

    double m_integrale = 0;
    double m_passo = 0;
    std::int64_t m_elaborate = 0;
    std::int32_t m_accettate = 0;
    std::int32_t m_ultimoPasso = 0;
    std::int64_t m_soglia = std::numeric_limits<std::int64_t>::max();
    int m_livelloCoperto = NessunLivello;
    bool m_fermo = false;
};

MotoreVeloce::MotoreVeloce(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore)
    : m_s(s), m_ui(ui), m_osservatore(osservatore), m_n(s.numeriInGioco), m_p(s.pronostico.data()) {
    preparaCondizioni();
    preparaTabelleResidue();
    m_livelli[0].quantiRanghi[0] = 1; // the empty subset, rank 0
}

void MotoreVeloce::preparaCondizioni() {
    const Sistema& s = m_s;
    m_fisse = s.condFisse != 0;
    m_somma = s.condSomma != 0;
    m_pari = s.condPariDispari != 0;
    m_consecutivi = s.condConsecutivi != 0;
    for (std::size_t n = 1; n <= 90; ++n)
        m_eFisso[n] = s.numeriFissi[n] == 1 ? 1 : 0;
    m_quantiFissi = s.quantiFissi;
    m_sommaDa = s.sommaDa;
    m_sommaA = s.sommaA;
    for (std::size_t k = 0; k <= 6; ++k)
        m_pariAmmessi[k] = s.pariAmmessi[k] != 0;
    m_consecutiviAmmessi = TabellaConsecutiviAmmessi(s.consecutiviAmmessi);

    // Filters are tested up to the first one switched off.
    const int numeroFiltri = std::clamp<int>(s.numeroFiltri, 0, MaxFiltri);
    while (m_numeroFiltri < numeroFiltri && s.colonneFiltro[static_cast<std::size_t>(m_numeroFiltri + 1)].attiva)
        ++m_numeroFiltri;
    m_inFiltro.assign(static_cast<std::size_t>(m_numeroFiltri) * 91, 0);
    for (int f = 0; f < m_numeroFiltri; ++f) {
        const FilterColumn& filtro = s.colonneFiltro[static_cast<std::size_t>(f + 1)];
        for (std::size_t n = 1; n <= 90; ++n)
            m_inFiltro[static_cast<std::size_t>(f) * 91 + n] = filtro.numeri[n] == 1 ? 1 : 0;
        m_presenze.push_back(filtro.presenze);
    }
    m_contiFiltri.assign(static_cast<std::size_t>(m_numeroFiltri) * 6, 0);

    // Threshold t = 6 - x. With t = 6 only an identical column would be refused,
    // and candidates are all different; with t <= 0 the first kept column refuses the rest.
    if (s.condRidotto) {
        m_t = 6 - s.livelloRiduzione;
        m_riduzione = m_t <= 5;
        if (m_t >= 1 && m_t <= 5)
            m_indice.emplace(m_t);
    }
}

void MotoreVeloce::preparaTabelleResidue() {
    const auto n = static_cast<std::size_t>(m_n);
    m_fissiDa.assign(n + 1, 0);
    m_pariDa.assign(n + 1, 0);
    m_cumulata.assign(n + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        m_fissiDa[i] = m_fissiDa[i + 1] + m_eFisso[m_p[i]];
        m_pariDa[i] = m_pariDa[i + 1] + ((m_p[i] & 1) == 0 ? 1 : 0);
    }
    for (std::size_t i = 0; i < n; ++i)
        m_cumulata[i + 1] = m_cumulata[i] + m_p[i];
}

void MotoreVeloce::esegui() {
    m_s.sviluppoAnnullato = Falso;
    m_integrale = Combinazioni(m_n, 6);
    m_osservatore.avvio(m_integrale);
    m_passo = m_integrale / 20;
    m_s.oraInizio = QDateTime::currentDateTime();
    m_soglia = sogliaSuccessiva(0);
    if (m_n >= 6)
        visita<1>(0);
    if (m_fermo)
        return;
    ConcludiSviluppo(m_s, m_ui, m_osservatore, m_integrale, static_cast<double>(m_elaborate), m_accettate);
}

template <int D> void MotoreVeloce::visita(int primo) {
    for (int i = primo; i <= m_n - (7 - D); ++i) {
        if constexpr (D == 3)
            entraNodoTerzoIndice();
        estendi<D>(i);
        if (impossibile<D>(i))
            rifiutaFigli<D>(i);
        else if constexpr (D == 5)
            foglie(i + 1);
        else
            visita<D + 1>(i + 1);
        if (m_fermo)
            return;
        // A column kept below covers this prefix from level t down: nothing after it here can pass.
        if (m_livelloCoperto < D) {
            rifiutaFratelliSuccessivi<D>(i);
            return;
        }
        if (m_livelloCoperto == D)
            m_livelloCoperto = NessunLivello;
    }
}

template <int D> void MotoreVeloce::estendi(int i) {
    const Livello& prima = m_livelli[D - 1];
    Livello& l = m_livelli[D];
    const int x = m_p[i];
    m_candidato[D - 1] = static_cast<std::uint8_t>(x);
    l.somma = prima.somma + x;
    l.pari = prima.pari + ((x & 1) == 0 ? 1 : 0);
    l.fissi = prima.fissi + m_eFisso[static_cast<std::size_t>(x)];
    l.corsa = x == prima.ultimo + 1 ? prima.corsa + 1 : 1;
    l.corsaMax = std::max(prima.corsaMax, l.corsa);
    l.ultimo = x;
    if (m_numeroFiltri > 0) {
        const std::uint8_t* da = contiFiltri(D - 1);
        std::uint8_t* a = contiFiltri(D);
        const std::uint8_t* in = m_inFiltro.data() + x;
        for (int f = 0; f < m_numeroFiltri; ++f)
            a[f] = static_cast<std::uint8_t>(da[f] + in[f * 91]);
    }
    if (m_indice) {
        // k-subsets of the longer prefix: the old ones, and the old (k-1)-subsets with x added.
        const int kMax = std::min(D, m_t - 1);
        l.ranghi[0][0] = 0;
        l.quantiRanghi[0] = 1;
        for (int k = 1; k <= kMax; ++k) {
            const auto ku = static_cast<std::size_t>(k);
            std::uint8_t q = prima.quantiRanghi[ku];
            std::copy_n(prima.ranghi[ku].begin(), q, l.ranghi[ku].begin());
            const std::uint32_t aggiunta = Binomiale(x - 1, k);
            for (std::uint8_t j = 0; j < prima.quantiRanghi[ku - 1]; ++j)
                l.ranghi[ku][q++] = prima.ranghi[ku - 1][j] + aggiunta;
            l.quantiRanghi[ku] = q;
        }
    }
}

template <int D> bool MotoreVeloce::impossibile(int i) const {
    const Livello& l = m_livelli[D];
    const int restanti = 6 - D;
    const auto dopo = static_cast<std::size_t>(i + 1);
    const int disponibili = m_n - 1 - i;
    if (m_fisse) {
        const int fissi = m_fissiDa[dopo];
        const int minimo = l.fissi + std::max(0, restanti - (disponibili - fissi));
        const int massimo = l.fissi + std::min(restanti, fissi);
        if (m_quantiFissi < minimo || m_quantiFissi > massimo)
            return true;
    }
    if (m_somma) {
        const int minima = l.somma + m_cumulata[dopo + static_cast<std::size_t>(restanti)] - m_cumulata[dopo];
        const int massima =
            l.somma + m_cumulata[static_cast<std::size_t>(m_n)] - m_cumulata[static_cast<std::size_t>(m_n - restanti)];
        if (massima < m_sommaDa || minima > m_sommaA || m_sommaDa > m_sommaA)
            return true;
    }
    if (m_pari) {
        const int pari = m_pariDa[dopo];
        const int minimo = l.pari + std::max(0, restanti - (disponibili - pari));
        const int massimo = l.pari + std::min(restanti, pari);
        bool qualcuno = false;
        for (int k = minimo; k <= massimo && !qualcuno; ++k)
            qualcuno = m_pariAmmessi[static_cast<std::size_t>(k)];
        if (!qualcuno)
            return true;
    }
    if (m_indice && D >= m_t)
        return riduzioneCoperta(m_livelli[D - 1], m_p[i]);
    return false;
}

bool MotoreVeloce::riduzioneCoperta(const Livello& prefisso, int x) const {
    const auto k = static_cast<std::size_t>(m_t - 1);
    const std::uint32_t aggiunta = Binomiale(x - 1, m_t);
    for (std::uint8_t j = 0; j < prefisso.quantiRanghi[k]; ++j)
        if (m_indice->coperto(prefisso.ranghi[k][j] + aggiunta))
            return true;
    return false;
}

template <int D> void MotoreVeloce::rifiutaFigli(int i) {
    if constexpr (D >= 3) {
        rifiuta(Binomiale(m_n - 1 - i, 6 - D));
    } else {
        for (int j = i + 1; j <= m_n - (6 - D) && !m_fermo; ++j) {
            if constexpr (D + 1 == 3) {
                entraNodoTerzoIndice();
                rifiuta(Binomiale(m_n - 1 - j, 3));
            } else {
                rifiutaFigli<D + 1>(j);
            }
        }
    }
}

template <int D> void MotoreVeloce::rifiutaFratelliSuccessivi(int i) {
    if constexpr (D >= 4) {
        rifiuta(Binomiale(m_n - 1 - i, 7 - D));
    } else {
        for (int j = i + 1; j <= m_n - (7 - D) && !m_fermo; ++j) {
            if constexpr (D == 3) {
                entraNodoTerzoIndice();
                rifiuta(Binomiale(m_n - 1 - j, 3));
            } else {
                rifiutaFigli<D>(j);
            }
        }
    }
}

void MotoreVeloce::foglie(int primo) {
    for (int i = primo; i < m_n; ++i) {
        if (m_s.sviluppoAnnullato) {
            m_fermo = true;
            return;
        }
        const int x = m_p[i];
        if (m_accettate >= LimiteColonne)
            SegnalaLimite(m_s, m_ui, m_osservatore);
        else if (passaFoglia(x) && !(m_indice && riduzioneCoperta(m_livelli[5], x)))
            conserva(x);
        if (++m_elaborate >= m_soglia) {
            --m_elaborate;
            avanza(1);
        }
        if (m_livelloCoperto < 6) {
            rifiuta(m_n - 1 - i);
            return;
        }
    }
}

bool MotoreVeloce::passaFoglia(int x) const {
    const Livello& l = m_livelli[5];
    const auto xu = static_cast<std::size_t>(x);
    if (m_fisse && l.fissi + m_eFisso[xu] != m_quantiFissi)
        return false;
    if (m_somma) {
        const int somma = l.somma + x;
        if (somma < m_sommaDa || somma > m_sommaA)
            return false;
    }
    if (m_pari && !m_pariAmmessi[static_cast<std::size_t>(l.pari + ((x & 1) == 0 ? 1 : 0))])
        return false;
    if (m_numeroFiltri > 0) {
        const std::uint8_t* conti = contiFiltri(5);
        const std::uint8_t* in = m_inFiltro.data() + x;
        for (int f = 0; f < m_numeroFiltri; ++f)
            if ((m_presenze[static_cast<std::size_t>(f)] & (1 << (conti[f] + in[f * 91]))) == 0)
                return false;
    }
    if (m_consecutivi) {
        const int corsa = x == l.ultimo + 1 ? l.corsa + 1 : 1;
        if (!m_consecutiviAmmessi[static_cast<std::size_t>(std::max(l.corsaMax, corsa))])
            return false;
    }
    return true;
}

void MotoreVeloce::conserva(int x) {
    m_candidato[5] = static_cast<std::uint8_t>(x);
    ++m_accettate;
    std::memcpy(m_s.colonne.colonna(m_accettate), m_candidato, 6);
    if (m_riduzione) {
        if (m_indice)
            m_indice->copriColonna(m_candidato);
        m_livelloCoperto = std::max(m_t, 0);
    }
}

void MotoreVeloce::entraNodoTerzoIndice() {
    if (m_elaborate > 0)
        m_osservatore.contatori(static_cast<double>(m_elaborate), m_accettate);
    m_ui.elaboraEventi();
}

// Candidates that all fail, counted as the one-by-one walk would count them.
void MotoreVeloce::rifiuta(std::int64_t quanti) {
    if (quanti <= 0)
        return;
    if (m_s.sviluppoAnnullato) {
        m_fermo = true;
        return;
    }
    if (m_accettate >= LimiteColonne) {
        SegnalaLimite(m_s, m_ui, m_osservatore);
        avanza(1);
        m_fermo = quanti > 1;
        return;
    }
    avanza(quanti);
}

void MotoreVeloce::avanza(std::int64_t quanti) {
    const std::int64_t fine = m_elaborate + quanti;
    while (m_soglia <= fine) {
        m_ultimoPasso = PassoProgresso(static_cast<double>(m_soglia), m_passo);
        m_osservatore.passo(m_ultimoPasso, m_integrale, static_cast<double>(m_soglia), m_accettate);
        m_soglia = sogliaSuccessiva(m_soglia);
    }
    m_elaborate = fine;
}

// The first count after `dopo` at which the progress step changes.
std::int64_t MotoreVeloce::sogliaSuccessiva(std::int64_t dopo) const {
    const auto totale = static_cast<std::int64_t>(m_integrale);
    if (totale <= dopo || PassoProgresso(static_cast<double>(totale), m_passo) == m_ultimoPasso)
        return std::numeric_limits<std::int64_t>::max();
    std::int64_t basso = dopo + 1;
    std::int64_t alto = totale;
    while (basso < alto) {
        const std::int64_t medio = basso + (alto - basso) / 2;
        if (PassoProgresso(static_cast<double>(medio), m_passo) != m_ultimoPasso)
            alto = medio;
        else
            basso = medio + 1;
    }
    return basso;
}

} // namespace

void Sviluppa(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    VerificaPronostico(s);
    MotoreVeloce(s, ui, osservatore).esegui();
}

} // namespace sestina
