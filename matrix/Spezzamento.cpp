#include "Spezzamento.h"

#include "Ottimizzatore.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

namespace sestina {

extern const char* const TestoBlocchiDistribuiti;

namespace {

constexpr int Impossibile = std::numeric_limits<int>::max() / 4;
// A design with more columns than this is no building block worth its text.
constexpr int ColonneMassimeBlocco = 5000;

bool Valido(int v, int p, int t) {
    return v >= 6 && v <= VMassimoDisegno && t >= 1 && t <= 6 && p >= t && p <= 6 && p <= v;
}

// Six distinct positions 1..v on a line, as a mask; 0 for anything else.
Blocco Colonna(const QByteArray& riga, int v) {
    const QList<QByteArray> campi = riga.simplified().split(' ');
    if (campi.size() != 6)
        return 0;
    Blocco b = 0;
    for (const QByteArray& campo : campi) {
        bool ok = false;
        const int n = campo.toInt(&ok);
        if (!ok || n < 1 || n > v || (b & (Blocco{1} << (n - 1))) != 0)
            return 0;
        b |= Blocco{1} << (n - 1);
    }
    return b;
}

} // namespace

std::vector<DisegnoBase> LeggiTabellaBlocchi(const QByteArray& testo) {
    static const QRegularExpression intestazione(
        QStringLiteral("^(\\d{1,2}) numeri, (\\d) se (\\d): (\\d{1,4}) colonne$"));
    std::vector<DisegnoBase> tabella;
    const QList<QByteArray> righe = testo.split('\n');
    qsizetype i = 0;
    while (i < righe.size()) {
        const QString riga = QString::fromLatin1(righe[i].trimmed());
        ++i;
        const QRegularExpressionMatch m = intestazione.match(riga);
        if (!m.hasMatch())
            continue;
        DisegnoBase d;
        d.v = m.captured(1).toInt();
        d.t = m.captured(2).toInt();
        d.p = m.captured(3).toInt();
        const int colonne = m.captured(4).toInt();
        if (!Valido(d.v, d.p, d.t) || colonne < 1 || colonne > ColonneMassimeBlocco)
            continue;
        bool integro = true;
        while (integro && static_cast<int>(d.colonne.size()) < colonne) {
            // A bad line is left unread: it may be the head of the next entry.
            const Blocco b = i < righe.size() ? Colonna(righe[i], d.v) : 0;
            integro = b != 0;
            if (integro) {
                d.colonne.push_back(b);
                ++i;
            }
        }
        if (integro && VerificaGaranzia(d.v, d.p, d.t, d.colonne))
            InserisciBlocco(tabella, std::move(d));
    }
    return tabella;
}

QByteArray ScriviTabellaBlocchi(const std::vector<DisegnoBase>& disegni) {
    std::vector<const DisegnoBase*> ordine;
    ordine.reserve(disegni.size());
    for (const DisegnoBase& d : disegni)
        ordine.push_back(&d);
    std::sort(ordine.begin(), ordine.end(), [](const DisegnoBase* a, const DisegnoBase* b) {
        return std::tie(a->t, a->p, a->v) < std::tie(b->t, b->p, b->v);
    });
    QByteArray testo;
    for (const DisegnoBase* d : ordine) {
        testo += QStringLiteral("%1 numeri, %2 se %3: %4 colonne\n")
                     .arg(d->v)
                     .arg(d->t)
                     .arg(d->p)
                     .arg(d->colonne.size())
                     .toLatin1();
        for (const Blocco b : d->colonne) {
            QByteArray riga;
            for (int n = 1; n <= d->v; ++n)
                if (b & (Blocco{1} << (n - 1)))
                    riga += (riga.isEmpty() ? "" : " ") + QByteArray::number(n);
            testo += riga + '\n';
        }
    }
    return testo;
}

const DisegnoBase* MigliorBlocco(const std::vector<DisegnoBase>& tabella, int v, int p, int t) {
    const DisegnoBase* migliore = nullptr;
    for (const DisegnoBase& d : tabella)
        if (d.v == v && d.p == p && d.t == t && (migliore == nullptr || d.colonne.size() < migliore->colonne.size()))
            migliore = &d;
    return migliore;
}

bool InserisciBlocco(std::vector<DisegnoBase>& tabella, DisegnoBase d) {
    for (DisegnoBase& vecchio : tabella)
        if (vecchio.v == d.v && vecchio.p == d.p && vecchio.t == d.t) {
            if (d.colonne.size() >= vecchio.colonne.size())
                return false;
            vecchio = std::move(d);
            return true;
        }
    tabella.push_back(std::move(d));
    return true;
}

std::vector<DisegnoBase> BlocchiDistribuiti() {
    return LeggiTabellaBlocchi(QByteArray(TestoBlocchiDistribuiti));
}

namespace {

// The smallest design for every (n, q) with n <= v, and how it is made.
class Piano final {
public:
    Piano(int v, int t, const std::vector<DisegnoBase>& tabella) : m_t(t), m_tabella(tabella) {
        for (int n = 0; n <= v; ++n)
            for (int q = 1; q <= 6; ++q)
                risolvi(n, q);
    }

    int colonne(int n, int q) const { return m_voce[Indice(n, q)].colonne; }

    // The columns for n positions from `primo` on; a column of a part of six or fewer is filled up later.
    void costruisci(int n, int q, int primo, std::vector<Blocco>& uscita) const {
        const Voce& voce = m_voce[Indice(n, q)];
        switch (voce.modo) {
        case Modo::Vuoto:
            return;
        case Modo::Intero:
            uscita.push_back(((Blocco{1} << n) - 1) << primo);
            return;
        case Modo::Tabella:
            for (const Blocco b : voce.blocco->colonne)
                uscita.push_back(b << primo);
            return;
        case Modo::Diviso:
            costruisci(voce.a, voce.q1, primo, uscita);
            costruisci(n - voce.a, q + 1 - voce.q1, primo + voce.a, uscita);
            return;
        }
    }

private:
    enum class Modo { Vuoto, Intero, Tabella, Diviso };
    struct Voce {
        int colonne = Impossibile;
        Modo modo = Modo::Vuoto;
        const DisegnoBase* blocco = nullptr;
        int a = 0;
        int q1 = 0;
    };
    static std::size_t Indice(int n, int q) { return static_cast<std::size_t>(n) * 7 + static_cast<std::size_t>(q); }

    void risolvi(int n, int q) {
        Voce& voce = m_voce[Indice(n, q)];
        if (n < q) {
            voce.colonne = 0; // no q numbers can fall in fewer than q positions
            return;
        }
        if (q < m_t)
            return;
        if (n <= 6) {
            voce.colonne = 1;
            voce.modo = Modo::Intero;
            return;
        }
        if (const DisegnoBase* d = MigliorBlocco(m_tabella, n, q, m_t)) {
            voce.colonne = static_cast<int>(d->colonne.size());
            voce.modo = Modo::Tabella;
            voce.blocco = d;
        }
        for (int a = 1; a < n; ++a)
            for (int q1 = 1; q1 <= q; ++q1) {
                const int somma = colonne(a, q1) + colonne(n - a, q + 1 - q1);
                if (somma < voce.colonne) {
                    voce.colonne = somma;
                    voce.modo = Modo::Diviso;
                    voce.a = a;
                    voce.q1 = q1;
                }
            }
    }

    int m_t;
    const std::vector<DisegnoBase>& m_tabella;
    std::array<Voce, (VMassimoDisegno + 1) * 7> m_voce{};
};

// Six positions: the column itself, or filled up with the lowest positions of 0..v-1 it lacks.
Blocco ASei(Blocco b, int v) {
    for (int p = 0; p < v && std::popcount(b) < 6; ++p)
        b |= Blocco{1} << p;
    return b;
}

} // namespace

std::vector<Blocco> Spezzamento(int v, int p, int t, const std::vector<DisegnoBase>& tabella) {
    if (!Valido(v, p, t))
        return {};
    const Piano piano(v, t, tabella);
    if (piano.colonne(v, p) >= Impossibile)
        return {};
    std::vector<Blocco> colonne;
    piano.costruisci(v, p, 0, colonne);
    for (Blocco& b : colonne)
        b = ASei(b, v);
    // Two small parts may end up as the same column.
    std::sort(colonne.begin(), colonne.end());
    colonne.erase(std::unique(colonne.begin(), colonne.end()), colonne.end());
    return colonne;
}

} // namespace sestina
