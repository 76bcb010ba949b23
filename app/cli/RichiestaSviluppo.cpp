#include "RichiestaSviluppo.h"

#include "ErroreUso.h"

#include <Sistema.h>

namespace sestina::cli {
namespace {

// The lowest and highest sum of six distinct numbers 1..90.
constexpr int SommaMinima = 1 + 2 + 3 + 4 + 5 + 6;
constexpr int SommaMassima = 85 + 86 + 87 + 88 + 89 + 90;

std::vector<int> ListaFacoltativa(const Argomenti& argomenti, const QString& nome, int minimo, int massimo) {
    const auto valore = Unico(argomenti, nome);
    return valore ? LeggiLista(*valore, minimo, massimo, QStringLiteral("--") + nome) : std::vector<int>{};
}

Filtro LeggiFiltro(const QString& testo) {
    const QString opzione = QStringLiteral("--filtro");
    const QStringList parti = testo.split(QLatin1Char(':'));
    if (parti.size() != 2)
        throw ErroreUso(QStringLiteral("--filtro vuole NUMERI:PRESENZE, non \"%1\"").arg(testo));
    return {LeggiLista(parti[0], 1, NumeriGioco, opzione), LeggiLista(parti[1], 0, 6, opzione)};
}

std::vector<Filtro> LeggiFiltri(const Argomenti& argomenti) {
    const QStringList valori = argomenti.valori(QStringLiteral("filtro"));
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

RichiestaSviluppo LeggiRichiestaSviluppo(const Argomenti& argomenti) {
    RichiestaSviluppo r;
    if (!argomenti.presente(QStringLiteral("numeri")))
        throw ErroreUso(QStringLiteral("sviluppa vuole --numeri"));
    r.numeri = ListaFacoltativa(argomenti, QStringLiteral("numeri"), 1, NumeriGioco);
    if (const auto somma = Unico(argomenti, QStringLiteral("somma")))
        r.somma = LeggiIntervallo(*somma, SommaMinima, SommaMassima, QStringLiteral("--somma"));
    r.pari = ListaFacoltativa(argomenti, QStringLiteral("pari"), 0, 6);
    r.fisse = ListaFacoltativa(argomenti, QStringLiteral("fisse"), 1, NumeriGioco);
    r.consecutivi = ListaFacoltativa(argomenti, QStringLiteral("consecutivi"), 1, 6);
    r.filtri = LeggiFiltri(argomenti);
    if (const auto livello = Unico(argomenti, QStringLiteral("ridotto")))
        r.livelloRiduzione = LeggiIntero(*livello, 1, 4, QStringLiteral("--ridotto"));
    r.superStar = argomenti.presente(QStringLiteral("superstar"));
    if (const auto file = Unico(argomenti, QStringLiteral("o"))) {
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
