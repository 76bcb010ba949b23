#include "RichiestaSviluppo.h"

#include "ErroreUso.h"

#include <QCommandLineParser>

#include <Sistema.h>

namespace sestina::cli {
namespace {

// The lowest and highest sum of six distinct numbers 1..90.
constexpr int SommaMinima = 1 + 2 + 3 + 4 + 5 + 6;
constexpr int SommaMassima = 85 + 86 + 87 + 88 + 89 + 90;

const QStringList& NomiOpzioni() {
    static const QStringList nomi{QStringLiteral("numeri"),  QStringLiteral("somma"),       QStringLiteral("pari"),
                                  QStringLiteral("fisse"),   QStringLiteral("consecutivi"), QStringLiteral("filtro"),
                                  QStringLiteral("ridotto"), QStringLiteral("superstar"),   QStringLiteral("o")};
    return nomi;
}

// The single value of an option that may appear at most once.
std::optional<QString> ValoreUnico(const QCommandLineParser& parser, const QString& nome) {
    const QStringList valori = parser.values(nome);
    if (valori.size() > 1)
        throw ErroreUso(QStringLiteral("--%1 indicata piu' volte").arg(nome));
    if (valori.isEmpty())
        return std::nullopt;
    return valori.front();
}

std::vector<int> ListaFacoltativa(const QCommandLineParser& parser, const QString& nome, int minimo, int massimo) {
    const auto valore = ValoreUnico(parser, nome);
    return valore ? LeggiLista(*valore, minimo, massimo, QStringLiteral("--") + nome) : std::vector<int>{};
}

Filtro LeggiFiltro(const QString& testo) {
    const QString opzione = QStringLiteral("--filtro");
    const QStringList parti = testo.split(QLatin1Char(':'));
    if (parti.size() != 2)
        throw ErroreUso(QStringLiteral("--filtro vuole NUMERI:PRESENZE, non \"%1\"").arg(testo));
    return {LeggiLista(parti[0], 1, NumeriGioco, opzione), LeggiLista(parti[1], 0, 6, opzione)};
}

std::vector<Filtro> LeggiFiltri(const QCommandLineParser& parser) {
    const QStringList valori = parser.values(QStringLiteral("filtro"));
    if (valori.size() > MaxFiltri)
        throw ErroreUso(QStringLiteral("al massimo %1 colonne filtro").arg(MaxFiltri));
    std::vector<Filtro> filtri;
    filtri.reserve(static_cast<std::size_t>(valori.size()));
    for (const QString& v : valori)
        filtri.push_back(LeggiFiltro(v));
    return filtri;
}

std::int32_t Maschera(const std::vector<int>& bit) {
    std::int32_t m = 0;
    for (int k : bit)
        m |= potenzeDiDue[static_cast<std::size_t>(k)];
    return m;
}

void ApplicaNumeri(Sistema& s, const std::vector<int>& numeri) {
    // Through the grid's own operation, so numeriInGioco stays in step.
    for (int n : numeri)
        if (!s.selezionati[static_cast<std::size_t>(n - 1)])
            s.GrigliaNumeriClick(n - 1);
}

void ApplicaSomma(Sistema& s, const Intervallo& somma) {
    s.condSomma = Vero;
    s.sommaDa = static_cast<std::int16_t>(somma.da);
    s.sommaA = static_cast<std::int16_t>(somma.a);
}

void ApplicaPari(Sistema& s, const std::vector<int>& pari) {
    s.condPariDispari = Vero;
    for (int k : pari)
        s.pariAmmessi[static_cast<std::size_t>(k)] = Vero;
}

void ApplicaFisse(Sistema& s, const std::vector<int>& fisse) {
    s.condFisse = Vero;
    for (int n : fisse)
        s.numeriFissi[static_cast<std::size_t>(n)] = 1;
    s.quantiFissi = static_cast<std::uint8_t>(fisse.size());
}

void ApplicaConsecutivi(Sistema& s, const std::vector<int>& lunghezze) {
    s.condConsecutivi = Vero;
    s.consecutiviAmmessi = Maschera(lunghezze);
}

void ApplicaFiltri(Sistema& s, const std::vector<Filtro>& filtri) {
    for (const Filtro& f : filtri) {
        FilterColumn& colonna = s.colonneFiltro[static_cast<std::size_t>(++s.numeroFiltri)];
        for (int n : f.numeri)
            colonna.numeri[static_cast<std::size_t>(n)] = 1;
        colonna.presenze = Maschera(f.presenze);
        colonna.attiva = Vero;
    }
}

void ApplicaRiduzione(Sistema& s, int livello) {
    s.condRidotto = Vero;
    s.livelloRiduzione = static_cast<std::uint8_t>(livello);
}

void ApplicaSuperStar(Sistema& s) {
    s.superStar = Vero;
    s.scegliCosto();
}

} // namespace

void AggiungiOpzioniSviluppo(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("numeri"), QString(), QStringLiteral("LISTA")},
        {QStringLiteral("somma"), QString(), QStringLiteral("DA-A")},
        {QStringLiteral("pari"), QString(), QStringLiteral("LISTA")},
        {QStringLiteral("fisse"), QString(), QStringLiteral("LISTA")},
        {QStringLiteral("consecutivi"), QString(), QStringLiteral("LISTA")},
        {QStringLiteral("filtro"), QString(), QStringLiteral("NUMERI:PRESENZE")},
        {QStringLiteral("ridotto"), QString(), QStringLiteral("X")},
        {QStringLiteral("superstar"), QString()},
        {QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("FILE")},
    });
}

bool HaOpzioniSviluppo(const QCommandLineParser& parser) {
    for (const QString& nome : NomiOpzioni())
        if (parser.isSet(nome))
            return true;
    return false;
}

bool HaCondizioniSviluppo(const QCommandLineParser& parser) {
    for (const QString& nome : NomiOpzioni())
        if (nome != QStringLiteral("o") && parser.isSet(nome))
            return true;
    return false;
}

RichiestaSviluppo LeggiRichiestaSviluppo(const QCommandLineParser& parser) {
    RichiestaSviluppo r;
    if (!parser.isSet(QStringLiteral("numeri")))
        throw ErroreUso(QStringLiteral("sviluppa vuole --numeri"));
    r.numeri = ListaFacoltativa(parser, QStringLiteral("numeri"), 1, NumeriGioco);
    if (const auto somma = ValoreUnico(parser, QStringLiteral("somma")))
        r.somma = LeggiIntervallo(*somma, SommaMinima, SommaMassima, QStringLiteral("--somma"));
    r.pari = ListaFacoltativa(parser, QStringLiteral("pari"), 0, 6);
    r.fisse = ListaFacoltativa(parser, QStringLiteral("fisse"), 1, NumeriGioco);
    r.consecutivi = ListaFacoltativa(parser, QStringLiteral("consecutivi"), 1, 6);
    r.filtri = LeggiFiltri(parser);
    if (const auto livello = ValoreUnico(parser, QStringLiteral("ridotto")))
        r.livelloRiduzione = LeggiIntero(*livello, 1, 4, QStringLiteral("--ridotto"));
    r.superStar = parser.isSet(QStringLiteral("superstar"));
    if (const auto file = ValoreUnico(parser, QStringLiteral("o"))) {
        if (file->isEmpty())
            throw ErroreUso(QStringLiteral("-o vuole il nome di un file"));
        r.fileUscita = *file;
    }
    return r;
}

void ApplicaRichiesta(Sistema& s, const RichiestaSviluppo& r) {
    ApplicaNumeri(s, r.numeri);
    if (r.somma)
        ApplicaSomma(s, *r.somma);
    if (!r.pari.empty())
        ApplicaPari(s, r.pari);
    if (!r.fisse.empty())
        ApplicaFisse(s, r.fisse);
    if (!r.consecutivi.empty())
        ApplicaConsecutivi(s, r.consecutivi);
    ApplicaFiltri(s, r.filtri);
    if (r.livelloRiduzione)
        ApplicaRiduzione(s, *r.livelloRiduzione);
    if (r.superStar)
        ApplicaSuperStar(s);
}

} // namespace sestina::cli
