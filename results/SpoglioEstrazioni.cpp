#include "SpoglioEstrazioni.h"

#include "Combinatoria.h"
#include "Errore.h"
#include "FormatColonna.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "Sistema.h"

#include <QSet>

#include <algorithm>
#include <bit>

namespace sestina {
namespace {

constexpr int PassoEventi = 10000;
constexpr int PassoEventiEstrazioni = 256;
constexpr int CinquePiuUno = 7;

bool NumeroDelGioco(int n) {
    return n >= 1 && n <= NumeriGioco;
}

// The grid's category of a score (6, 5+1, 5, 4, 3, 2 are 0..5); -1 below 2.
int Categoria(int punti) {
    switch (punti) {
    case 6:
        return 0;
    case CinquePiuUno:
        return 1;
    case 5:
    case 4:
    case 3:
    case 2:
        return 7 - punti;
    default:
        return -1;
    }
}

// A draw as two look-up tables; 0 and numbers above 90 are neither drawn nor the Jolly.
struct Tavola {
    std::array<std::uint8_t, 256> estratto{};
    std::array<std::uint8_t, 256> jolly{};
};

Tavola TavolaDi(const Estrazione& e) {
    Tavola t;
    for (int i = 1; i <= 6; ++i)
        if (NumeroDelGioco(e.estratti[static_cast<std::size_t>(i)]))
            t.estratto[e.estratti[static_cast<std::size_t>(i)]] = 1;
    if (NumeroDelGioco(e.jolly))
        t.jolly[e.jolly] = 1;
    return t;
}

int Punti(const std::uint8_t* c, const Tavola& t) {
    int punti = 0;
    int jolly = 0;
    for (int k = 0; k < 6; ++k) {
        punti += t.estratto[c[k]];
        jolly |= t.jolly[c[k]];
    }
    return punti == 5 && jolly ? CinquePiuUno : punti;
}

int Base(const Sistema& s, const Tavola& t) {
    int base = 0;
    for (int k = 0; k < std::min<int>(s.numeriInGioco, NumeriGioco); ++k)
        base += t.estratto[s.pronostico[static_cast<std::size_t>(k)]];
    return base;
}

int Colonne(const Sistema& s) {
    return ColonneValide(s);
}

// The draw's row joins the totals.
void Concludi(EsitoSpoglioEstrazioni& esito, const Sistema& s, const Tavola& t, RigaSpoglio riga) {
    riga.base = Base(s, t);
    for (std::size_t c = 0; c < riga.vincenti.size(); ++c)
        esito.totali[c] += riga.vincenti[c];
    if (RangoPunti(riga.max) > RangoPunti(esito.migliore))
        esito.migliore = riga.max;
    if (RangoPunti(riga.min) < RangoPunti(esito.peggiore))
        esito.peggiore = riga.min;
    ++esito.estrazioni;
    const int categoria = Categoria(riga.max);
    ++esito.conMax[static_cast<std::size_t>(categoria < 0 ? 6 : categoria)];
    esito.righe.push_back(riga);
}

// The non-empty records of the range.
std::vector<std::size_t> Estrazioni(const ArchivioEstrazioni& archivio, IntervalloSpoglio intervallo) {
    std::vector<std::size_t> quali;
    for (std::size_t i = intervallo.primo; i <= intervallo.ultimo && i < archivio.size(); ++i)
        if (!archivio[i].vuota())
            quali.push_back(i);
    return quali;
}

// How many columns scored 0..6 and 7 (five plus the Jolly) against one draw.
using Istogramma = std::array<std::int64_t, 8>;

RigaSpoglio RigaDa(std::size_t record, const Istogramma& h) {
    RigaSpoglio riga;
    riga.record = record;
    for (const int punti : {6, CinquePiuUno, 5, 4, 3, 2})
        riga.vincenti[static_cast<std::size_t>(Categoria(punti))] =
            static_cast<std::int32_t>(h[static_cast<std::size_t>(punti)]);
    // By rank, lowest first: 0, 1, ... 5, five plus the Jolly, 6.
    constexpr std::array<int, 8> perRango = {0, 1, 2, 3, 4, 5, CinquePiuUno, 6};
    for (const int punti : perRango)
        if (h[static_cast<std::size_t>(punti)] > 0) {
            riga.min = punti;
            break;
        }
    for (std::size_t i = perRango.size(); i-- > 0;)
        if (h[static_cast<std::size_t>(perRango[i])] > 0) {
            riga.max = perRango[i];
            break;
        }
    return riga;
}

void SpogliaUnaAUna(Istogramma& h, const ColumnStore& colonne, const std::vector<int>& quali, const Tavola& t,
                    Interfaccia& ui) {
    int fatte = 0;
    for (const int c : quali) {
        ++h[static_cast<std::size_t>(Punti(colonne.colonna(c), t))];
        if (++fatte % PassoEventi == 0)
            ui.elaboraEventi();
    }
}

// Colex rank of ascending positions.
std::uint32_t Rango(const int* q, int quanti) {
    std::uint32_t r = 0;
    for (int i = 0; i < quanti; ++i)
        r += BinomialeInTabella(q[i], i + 1);
    return r;
}

// Six distinct numbers of 1..90, sorted into ordinati; false otherwise.
bool Regolare(const std::uint8_t* c, std::uint8_t* ordinati) {
    for (int k = 0; k < 6; ++k) {
        const std::uint8_t n = c[k];
        if (!NumeroDelGioco(n))
            return false;
        int j = k;
        for (; j > 0 && ordinati[j - 1] > n; --j)
            ordinati[j] = ordinati[j - 1];
        if (j > 0 && ordinati[j - 1] == n)
            return false;
        ordinati[j] = n;
    }
    return true;
}

// Counts of the four-, five- and six-sets the draws ask about; every other set is passed over.
// A column's sets are mostly not asked for: a filter of one bit per hash, small enough to stay in
// the cache, turns them away before the table is read.
class Richieste final {
public:
    static std::uint64_t Chiave(int dimensione, std::uint32_t rango) {
        return std::uint64_t{rango} << 3 | static_cast<unsigned>(dimensione);
    }

    void prepara(std::size_t quante) {
        const int bit = std::max(4, static_cast<int>(std::bit_width(quante * 2)));
        m_spostamento = 64 - bit;
        m_chiavi.assign(std::size_t{1} << bit, Vuota);
        m_conteggi.assign(m_chiavi.size(), 0);
        const int bitFiltro = std::max(12, static_cast<int>(std::bit_width(quante * 16)));
        m_spostamentoFiltro = 64 - bitFiltro;
        m_filtro.assign((std::size_t{1} << bitFiltro) / 64, 0);
    }
    void richiedi(std::uint64_t chiave) {
        m_chiavi[posizione(chiave)] = chiave;
        const std::size_t f = bitFiltro(chiave);
        m_filtro[f >> 6] |= std::uint64_t{1} << (f & 63);
    }
    void incrementa(std::uint64_t chiave) {
        const std::size_t f = bitFiltro(chiave);
        if (!((m_filtro[f >> 6] >> (f & 63)) & 1))
            return;
        const std::size_t i = posizione(chiave);
        if (m_chiavi[i] == chiave)
            ++m_conteggi[i];
    }
    std::uint32_t conteggio(std::uint64_t chiave) const {
        const std::size_t i = posizione(chiave);
        return m_chiavi[i] == chiave ? m_conteggi[i] : 0;
    }

private:
    static constexpr std::uint64_t Vuota = ~std::uint64_t{0};
    std::size_t posizione(std::uint64_t chiave) const {
        const std::size_t maschera = m_chiavi.size() - 1;
        std::size_t i = static_cast<std::size_t>((chiave * 0x9E3779B97F4A7C15ull) >> m_spostamento);
        while (m_chiavi[i] != chiave && m_chiavi[i] != Vuota)
            i = (i + 1) & maschera;
        return i;
    }
    std::size_t bitFiltro(std::uint64_t chiave) const {
        return static_cast<std::size_t>((chiave * 0xC2B2AE3D27D4EB4Full) >> m_spostamentoFiltro);
    }
    int m_spostamento = 60;
    int m_spostamentoFiltro = 52;
    std::vector<std::uint64_t> m_chiavi;
    std::vector<std::uint32_t> m_conteggi;
    std::vector<std::uint64_t> m_filtro;
};

// A regular draw in the positions of the numbers the columns use: the drawn ones that some column
// holds, ascending, and the Jolly's position (-1 when no column holds it).
struct DrawCompatta {
    int d[6]{};
    int quanti = 0;
    int jolly = -1;
};

// The counts of a System's regular columns: every subset of one to three numbers by direct tables,
// the larger ones through Richieste. Numbers are renumbered 0..m-1 over those the columns
// use, so the tables are as small as the System.
class Conteggi final {
public:
    Conteggi(const ColumnStore& colonne, int quante) {
        std::array<bool, 256> usato{};
        for (int c = 1; c <= quante; ++c) {
            const std::uint8_t* x = colonne.colonna(c);
            for (int k = 0; k < 6; ++k)
                usato[x[k]] = true;
        }
        m_posizione.fill(-1);
        for (int n = 1; n <= NumeriGioco; ++n)
            if (usato[static_cast<std::size_t>(n)])
                m_posizione[static_cast<std::size_t>(n)] = m_usati++;
        for (int k = 1; k <= 3; ++k)
            m_tavole[static_cast<std::size_t>(k)].assign(BinomialeInTabella(m_usati, k), 0);
    }

    bool compatta(const Estrazione& e, DrawCompatta& dc) const {
        std::uint8_t ordinati[6];
        if (!Regolare(e.estratti.data() + 1, ordinati) || !NumeroDelGioco(e.jolly) ||
            std::find(ordinati, ordinati + 6, e.jolly) != ordinati + 6)
            return false;
        dc.quanti = 0;
        for (const std::uint8_t n : ordinati)
            if (m_posizione[n] >= 0)
                dc.d[dc.quanti++] = m_posizione[n];
        dc.jolly = m_posizione[e.jolly];
        return true;
    }

    // What one draw will ask: its four- and five-sets, itself, and each five-set with the Jolly.
    template <typename F> static void PerRichiesta(const DrawCompatta& dc, F&& f) {
        PerOgniSottoinsieme(dc.d, dc.quanti, 4,
                            [&](const int* quattro) { f(Richieste::Chiave(4, Rango(quattro, 4))); });
        if (dc.quanti == 6)
            f(Richieste::Chiave(6, Rango(dc.d, 6)));
        PerOgniSottoinsieme(dc.d, dc.quanti, 5, [&](const int* cinque) {
            f(Richieste::Chiave(5, Rango(cinque, 5)));
            if (dc.jolly >= 0) {
                int sei[6];
                std::merge(cinque, cinque + 5, &dc.jolly, &dc.jolly + 1, sei);
                f(Richieste::Chiave(6, Rango(sei, 6)), true);
            }
        });
    }

    Richieste& richieste() { return m_richieste; }

    void aggiungi(const std::uint8_t* ordinati) {
        int a[6];
        for (int k = 0; k < 6; ++k)
            a[k] = m_posizione[ordinati[k]];
        auto& t1 = m_tavole[1];
        auto& t2 = m_tavole[2];
        auto& t3 = m_tavole[3];
        for (int i = 0; i < 6; ++i) {
            const std::uint32_t r1 = BinomialeInTabella(a[i], 1);
            ++t1[r1];
            for (int j = i + 1; j < 6; ++j) {
                const std::uint32_t r2 = r1 + BinomialeInTabella(a[j], 2);
                ++t2[r2];
                for (int l = j + 1; l < 6; ++l) {
                    const std::uint32_t r3 = r2 + BinomialeInTabella(a[l], 3);
                    ++t3[r3];
                    for (int n = l + 1; n < 6; ++n) {
                        const std::uint32_t r4 = r3 + BinomialeInTabella(a[n], 4);
                        m_richieste.incrementa(Richieste::Chiave(4, r4));
                        for (int o = n + 1; o < 6; ++o) {
                            const std::uint32_t r5 = r4 + BinomialeInTabella(a[o], 5);
                            m_richieste.incrementa(Richieste::Chiave(5, r5));
                            if (o == 4)
                                m_richieste.incrementa(Richieste::Chiave(6, r5 + BinomialeInTabella(a[5], 6)));
                        }
                    }
                }
            }
        }
    }

    // How many regular columns scored each number of matches, and five plus the Jolly, against the draw.
    Istogramma istogramma(const DrawCompatta& dc, std::int64_t regolari) const {
        std::array<std::int64_t, 7> somme{}; // somme[j]: sum over the columns of C(matches, j)
        somme[0] = regolari;
        for (int k = 1; k <= dc.quanti; ++k)
            PerOgniSottoinsieme(dc.d, dc.quanti, k, [&](const int* scelti) {
                const std::uint32_t r = Rango(scelti, k);
                somme[static_cast<std::size_t>(k)] +=
                    k <= 3 ? m_tavole[static_cast<std::size_t>(k)][r] : m_richieste.conteggio(Richieste::Chiave(k, r));
            });
        Istogramma h{};
        for (int k = 0; k <= 6; ++k) {
            std::int64_t esatte = 0;
            for (int j = k; j <= 6; ++j) {
                const std::int64_t termine =
                    std::int64_t{BinomialeInTabella(j, k)} * somme[static_cast<std::size_t>(j)];
                esatte += (j - k) % 2 == 0 ? termine : -termine;
            }
            h[static_cast<std::size_t>(k)] = esatte;
        }
        std::int64_t conJolly = 0;
        PerRichiesta(dc, [&](std::uint64_t chiave, bool jolly = false) {
            if (jolly)
                conJolly += m_richieste.conteggio(chiave);
        });
        h[5] -= conJolly;
        h[CinquePiuUno] = conJolly;
        return h;
    }

private:
    std::array<int, 256> m_posizione{};
    int m_usati = 0;
    std::array<std::vector<std::uint32_t>, 4> m_tavole;
    Richieste m_richieste;
};

} // namespace

QString TestoArchivioTroppoGrande() {
    return QStringLiteral("Error : Archivio superiore alla dimensione massima...Spoglio Estrazioni non disponibile");
}

QString TitoloArchivioTroppoGrande() {
    return QStringLiteral("Errore dimensione archivio");
}

QStringList DateEstrazioni(const ArchivioEstrazioni& archivio) {
    QStringList date;
    QSet<QString> viste;
    QString ultima;
    for (const Estrazione& e : archivio) {
        if (e.vuota() || (!date.isEmpty() && e.data == ultima))
            continue;
        ultima = e.data;
        const QString chiave = e.data.toCaseFolded();
        if (viste.contains(chiave))
            continue;
        viste.insert(chiave);
        date << e.data;
        if (date.size() > LimiteDateSpoglio)
            break;
    }
    return date;
}

QDate DataEstrazione(const QString& testo) {
    const QString t = testo.trimmed();
    for (const QString& forma : {QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy")}) {
        const QDate d = QDate::fromString(t, forma);
        if (d.isValid())
            return d;
    }
    throw Errore::comune(numeri_errore::TipoNonCorrispondente);
}

QString TestoDataAssente(const QString& data) {
    return QStringLiteral("Nessuna estrazione del %1 nell'archivio").arg(data.trimmed());
}

IntervalloSpoglio TrovaIntervallo(const ArchivioEstrazioni& archivio, const QString& dal, const QString& al) {
    if (DataEstrazione(al) < DataEstrazione(dal))
        throw Errore::applicazione(QStringLiteral("'DA' è maggiore di 'A'"));
    // A date as the lists show it, or as typed on the command line without the padding.
    auto datata = [&](std::size_t i, const QString& data) {
        const Estrazione& e = archivio[i];
        return !e.vuota() && e.data.trimmed().compare(data.trimmed(), Qt::CaseInsensitive) == 0;
    };
    auto trova = [&](std::size_t da, const QString& data) {
        std::size_t i = da;
        while (i < archivio.size() && !datata(i, data))
            ++i;
        return i;
    };
    IntervalloSpoglio intervallo;
    intervallo.primo = trova(0, dal);
    if (intervallo.primo == archivio.size())
        throw Errore::applicazione(TestoDataAssente(dal));
    intervallo.ultimo = trova(intervallo.primo, al);
    if (intervallo.ultimo == archivio.size()) {
        if (trova(0, al) == archivio.size())
            throw Errore::applicazione(TestoDataAssente(al));
        intervallo.ultimo = archivio.size() - 1;
    }
    return intervallo;
}

int RangoPunti(int punti) {
    if (punti == 6)
        return 7;
    if (punti == CinquePiuUno)
        return 6;
    return punti;
}

int CategoriaSpoglio(int punti) {
    return Categoria(punti);
}

void AggiungiRigaSpoglio(EsitoSpoglioEstrazioni& esito, const Sistema& s, const Estrazione& estrazione,
                         const RigaSpoglio& riga) {
    Concludi(esito, s, TavolaDi(estrazione), riga);
}

EsitoSpoglioEstrazioni SpogliaEstrazioni(const Sistema& s, const ArchivioEstrazioni& archivio,
                                         IntervalloSpoglio intervallo, Interfaccia& ui) {
    EsitoSpoglioEstrazioni esito;
    const int colonne = Colonne(s);
    const std::vector<std::size_t> estrazioni = Estrazioni(archivio, intervallo);
    if (estrazioni.empty())
        return esito;

    Conteggi conteggi(s.colonne, colonne);
    std::vector<DrawCompatta> compatte(estrazioni.size());
    std::vector<bool> regolare(estrazioni.size());
    std::size_t richieste = 0;
    for (std::size_t i = 0; i < estrazioni.size(); ++i) {
        regolare[i] = conteggi.compatta(archivio[estrazioni[i]], compatte[i]);
        if (regolare[i])
            Conteggi::PerRichiesta(compatte[i], [&](std::uint64_t, bool = false) { ++richieste; });
    }
    conteggi.richieste().prepara(richieste);
    for (std::size_t i = 0; i < estrazioni.size(); ++i)
        if (regolare[i])
            Conteggi::PerRichiesta(compatte[i],
                                   [&](std::uint64_t chiave, bool = false) { conteggi.richieste().richiedi(chiave); });

    std::vector<int> irregolari;
    std::int64_t regolari = 0;
    std::uint8_t ordinati[6];
    for (int c = 1; c <= colonne; ++c) {
        if (Regolare(s.colonne.colonna(c), ordinati)) {
            conteggi.aggiungi(ordinati);
            ++regolari;
        } else {
            irregolari.push_back(c);
        }
        if (c % PassoEventi == 0)
            ui.elaboraEventi();
    }

    std::vector<int> tutte;
    for (std::size_t i = 0; i < estrazioni.size(); ++i) {
        const Tavola t = TavolaDi(archivio[estrazioni[i]]);
        Istogramma h{};
        if (regolare[i]) {
            h = conteggi.istogramma(compatte[i], regolari);
            SpogliaUnaAUna(h, s.colonne, irregolari, t, ui);
        } else {
            if (tutte.empty()) {
                tutte.resize(static_cast<std::size_t>(colonne));
                for (int c = 0; c < colonne; ++c)
                    tutte[static_cast<std::size_t>(c)] = c + 1;
            }
            SpogliaUnaAUna(h, s.colonne, tutte, t, ui);
        }
        Concludi(esito, s, t, RigaDa(estrazioni[i], h));
        if ((i + 1) % PassoEventiEstrazioni == 0)
            ui.elaboraEventi();
    }
    return esito;
}

QStringList IntestazioneSpoglio() {
    return {QStringLiteral("Date "), QStringLiteral("Estr. "), QStringLiteral("Col "), QStringLiteral("Base"),
            QStringLiteral("Max"),   QStringLiteral("Min"),    QStringLiteral("Pt.6"), QStringLiteral("Pt.5+1"),
            QStringLiteral("Pt.5"),  QStringLiteral("Pt.4"),   QStringLiteral("Pt.3"), QStringLiteral("Pt.2")};
}

QStringList CelleTotaleSpoglio(const EsitoSpoglioEstrazioni& esito) {
    QStringList celle = {
        QStringLiteral("TOTALE"),       QString(), QString(), QString(), QString::number(esito.migliore),
        QString::number(esito.peggiore)};
    for (const qint64 totale : esito.totali)
        celle << QString::number(totale);
    return celle;
}

QStringList CelleRigaSpoglio(const Estrazione& e, const RigaSpoglio& riga) {
    // The draw number as "###": nothing for 0.
    QStringList celle = {e.data,
                         e.concorso == 0 ? QString() : QString::number(e.concorso),
                         FormatColonna(e.estratti.data() + 1, 6, 1).replace(QLatin1Char(' '), QLatin1Char('.')),
                         QString::number(riga.base),
                         QString::number(riga.max),
                         QString::number(riga.min)};
    for (const std::int32_t v : riga.vincenti)
        celle << QString::number(v);
    return celle;
}

QStringList CelleGrigliaSpoglio(const ArchivioEstrazioni& archivio, const EsitoSpoglioEstrazioni& esito, int riga) {
    if (riga == 0)
        return IntestazioneSpoglio();
    if (riga == 1)
        return CelleTotaleSpoglio(esito);
    const RigaSpoglio& r = esito.righe.at(static_cast<std::size_t>(riga - RigheFisseSpoglio));
    return CelleRigaSpoglio(archivio.at(r.record), r);
}

QList<std::pair<QString, QString>> RiepilogoSpoglio(const EsitoSpoglioEstrazioni& esito) {
    const QString con = QStringLiteral("Estrazioni con max pt.");
    const std::array<QString, 6> punti = {QStringLiteral("6"), QStringLiteral("5+1"), QStringLiteral("5"),
                                          QStringLiteral("4"), QStringLiteral("3"),   QStringLiteral("2")};
    QList<std::pair<QString, QString>> righe = {
        {QStringLiteral("Totale Estrazioni"), FormattaIntero(esito.estrazioni)}};
    for (std::size_t c = 0; c < punti.size(); ++c)
        righe.append({con + punti[c], FormattaIntero(esito.conMax[c])});
    righe.append({QStringLiteral("Estrazioni non vincenti"), FormattaIntero(esito.conMax[6])});
    return righe;
}

} // namespace sestina
