#include "Statistiche.h"

#include "Cp1252.h"
#include "FileIntero.h"
#include "Formato.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <utility>

namespace sestina {
namespace {

constexpr int SommaMinima = 21;
constexpr int SommaMassima = 525;
constexpr int AmpiezzaFascia = 85;
const QByteArray IntestazioneCsv =
    "Data;Concorso;P1;P2;P3;P4;P5;P6;Jolly;SuperStar;Ripetuti;Pari;Dispari;Consecutivi;Somma";

std::uint8_t Numero(const Estrazione& e, int i) {
    return e.estratti[static_cast<std::size_t>(i)];
}

template <std::size_t N> void Conta(std::array<int, N>& tabella, int valore) {
    if (valore >= 0 && static_cast<std::size_t>(valore) < N)
        ++tabella[static_cast<std::size_t>(valore)];
}

void AggiungiCampo(QByteArray& riga, int valore) {
    riga += ';';
    riga += QByteArray::number(valore);
}

// Swaps i and j (i < j) whenever count(i) <= count(j): equal counts change places too.
void OrdinaFrequenze(std::array<FrequenzaNumero, 90>& f) {
    for (std::size_t i = 0; i + 1 < f.size(); ++i)
        for (std::size_t j = i + 1; j < f.size(); ++j)
            if (f[i].conteggio <= f[j].conteggio)
                std::swap(f[i], f[j]);
}

// Largest value first, ties by number ascending.
std::array<FrequenzaNumero, 90> PerValore(const std::array<int, 90>& valori) {
    std::array<FrequenzaNumero, 90> voci{};
    for (int n = 1; n <= 90; ++n)
        voci[static_cast<std::size_t>(n - 1)] = {n, valori[static_cast<std::size_t>(n - 1)]};
    std::stable_sort(voci.begin(), voci.end(),
                     [](const FrequenzaNumero& a, const FrequenzaNumero& b) { return a.conteggio > b.conteggio; });
    return voci;
}

QString Etichetta(const QString& valore, int conteggio) {
    return valore + QStringLiteral(" -->      ") + QString::number(conteggio);
}

template <std::size_t N> std::vector<Barra> Barre(const std::array<int, N>& tabella, int primoValore) {
    std::vector<Barra> barre;
    for (std::size_t i = 0; i < N; ++i)
        barre.push_back({Etichetta(DueCifre(primoValore + static_cast<int>(i)), tabella[i]), tabella[i]});
    return barre;
}

std::vector<Barra> BarrePerNumero(const std::array<FrequenzaNumero, 90>& voci) {
    std::vector<Barra> barre;
    barre.reserve(voci.size());
    for (const FrequenzaNumero& f : voci)
        barre.push_back({Etichetta(DueCifre(f.numero), f.conteggio), f.conteggio});
    return barre;
}

} // namespace

Ritardi CalcolaRitardi(const ArchivioEstrazioni& archivio) {
    Ritardi r;
    std::array<int, 90> ultima{};
    ultima.fill(-1);
    int estrazioni = 0;
    for (const Estrazione& e : archivio) {
        if (e.vuota())
            continue;
        for (int k = 1; k <= 6; ++k) {
            const int n = Numero(e, k);
            if (n < 1 || n > 90)
                continue;
            const auto i = static_cast<std::size_t>(n - 1);
            r.massimo[i] = std::max(r.massimo[i], estrazioni - ultima[i] - 1);
            ultima[i] = estrazioni;
        }
        ++estrazioni;
    }
    for (std::size_t i = 0; i < 90; ++i) {
        r.attuale[i] = estrazioni - ultima[i] - 1;
        r.massimo[i] = std::max(r.massimo[i], r.attuale[i]);
    }
    return r;
}

ValoriEstrazione ValoriDi(const Estrazione& e) {
    ValoriEstrazione v;
    if (e.vuota())
        return v;
    int corsa = 1;
    v.consecutivi = 1;
    for (int i = 1; i <= 6; ++i) {
        const int n = Numero(e, i);
        v.pari += n % 2 == 0 ? 1 : 0;
        v.somma += n;
        if (i > 1) {
            corsa = n == Numero(e, i - 1) + 1 ? corsa + 1 : 1;
            v.consecutivi = std::max(v.consecutivi, corsa);
        }
    }
    v.dispari = 6 - v.pari;
    return v;
}

int Ripetuti(const Estrazione& e, const Estrazione& precedente) {
    int quanti = 0;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            if (Numero(e, i) == Numero(precedente, j)) {
                ++quanti;
                break;
            }
    return quanti;
}

int FasciaSomma(int somma) {
    if (somma < SommaMinima || somma > SommaMassima)
        return -1;
    return (somma - SommaMinima) / AmpiezzaFascia;
}

Statistiche CalcolaStatistiche(const ArchivioEstrazioni& archivio) {
    Statistiche st;
    TabelleStatistiche& t = st.tabelle;
    std::array<int, 91> frequenze{};
    st.csv.reserve(static_cast<qsizetype>(archivio.size() + 1) * 64);
    st.csv += IntestazioneCsv + "\r\n";
    for (std::size_t i = archivio.size(); i-- > 0;) {
        const Estrazione& e = archivio[i];
        const ValoriEstrazione v = ValoriDi(e);
        // The oldest draw has no draw before it, and an empty record is no draw: neither counts.
        int ripetuti = 0;
        if (!e.vuota() && i > 0 && !archivio[i - 1].vuota()) {
            ripetuti = Ripetuti(e, archivio[i - 1]);
            Conta(t.ripetuti, ripetuti);
        }
        if (!e.vuota()) {
            Conta(t.consecutivi, v.consecutivi - 1);
            Conta(t.pari, v.pari);
            Conta(t.dispari, v.dispari);
            Conta(t.somma, FasciaSomma(v.somma));
            for (int k = 1; k <= 6; ++k)
                if (Numero(e, k) >= 1 && Numero(e, k) <= 90)
                    ++frequenze[Numero(e, k)];
        }

        st.csv += ACp1252(e.data.left(10).leftJustified(10, QLatin1Char(' ')));
        AggiungiCampo(st.csv, e.concorso);
        for (int k = 1; k <= 6; ++k) {
            st.csv += ';';
            st.csv += DueCifre(Numero(e, k)).toLatin1();
        }
        for (const int campo : {int{e.jolly}, int{e.superstar}, ripetuti, v.pari, v.dispari, v.consecutivi, v.somma})
            AggiungiCampo(st.csv, campo);
        st.csv += "\r\n";
    }
    for (int n = 1; n <= 90; ++n)
        t.frequenza[static_cast<std::size_t>(n - 1)] = {n, frequenze[static_cast<std::size_t>(n)]};
    OrdinaFrequenze(t.frequenza);
    const Ritardi ritardi = CalcolaRitardi(archivio);
    t.ritardi = PerValore(ritardi.attuale);
    t.ritardoMassimo = PerValore(ritardi.massimo);
    return st;
}

QString TitoloStatistica(TipoStatistica tipo) {
    switch (tipo) {
    case TipoStatistica::Consecutivi:
        return QStringLiteral("Consecutivi");
    case TipoStatistica::Ripetuti:
        return QStringLiteral("Ripetuti");
    case TipoStatistica::Pari:
        return QStringLiteral("Pari");
    case TipoStatistica::Dispari:
        return QStringLiteral("Dispari");
    case TipoStatistica::Somma:
        return QStringLiteral("Somma");
    case TipoStatistica::Ritardi:
        return QStringLiteral("Ritardi");
    case TipoStatistica::RitardoMassimo:
        return QStringLiteral("Ritardo Massimo");
    case TipoStatistica::Frequenza:
        break;
    }
    return QStringLiteral("Frequenza Numeri");
}

std::vector<Barra> BarreStatistica(const TabelleStatistiche& t, TipoStatistica tipo) {
    switch (tipo) {
    case TipoStatistica::Consecutivi:
        return Barre(t.consecutivi, 1);
    case TipoStatistica::Ripetuti:
        return Barre(t.ripetuti, 0);
    case TipoStatistica::Pari:
        return Barre(t.pari, 0);
    case TipoStatistica::Dispari:
        return Barre(t.dispari, 0);
    case TipoStatistica::Somma: {
        std::vector<Barra> barre;
        for (int f = 0; f < 6; ++f) {
            const int da = SommaMinima + f * AmpiezzaFascia;
            const int a = std::min(da + AmpiezzaFascia - 1, SommaMassima);
            const QString fascia =
                QStringLiteral("%1-%2").arg(da, 4, 10, QLatin1Char('0')).arg(a, 4, 10, QLatin1Char('0'));
            barre.push_back(
                {Etichetta(fascia, t.somma[static_cast<std::size_t>(f)]), t.somma[static_cast<std::size_t>(f)]});
        }
        return barre;
    }
    case TipoStatistica::Ritardi:
        return BarrePerNumero(t.ritardi);
    case TipoStatistica::RitardoMassimo:
        return BarrePerNumero(t.ritardoMassimo);
    case TipoStatistica::Frequenza:
        break;
    }
    return BarrePerNumero(t.frequenza);
}

QString PercorsoFileStatistiche(const QString& cartellaTemp, const QDateTime& quando) {
    return cartellaTemp + QStringLiteral("sestinaplan_") + quando.toString(QStringLiteral("yyyyMMdd_HHmmss")) +
           QStringLiteral(".csv");
}

void PulisciFileStatistiche(const QString& cartellaTemp) {
    QDir cartella(cartellaTemp);
    const QStringList vecchi =
        cartella.entryList({QStringLiteral("sestinaplan_*.csv")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nome : vecchi)
        QFile::remove(cartella.filePath(nome));
}

bool ScriviFileStatistiche(const QString& percorso, const QByteArray& csv) {
    return ScriviFileIntero(percorso, csv);
}

} // namespace sestina
