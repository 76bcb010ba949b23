#include "Extrema.h"

#include "ColonneTxt.h"
#include "Errore.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "Sistema.h"
#include "classINI.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sestina {
namespace {

constexpr int ColonnePerBlocco = 65'536;

const QString Generale = QStringLiteral("Generale");
const QString Descrizione = QStringLiteral("Descrizione");
const QString Combinazioni = QStringLiteral("Combinazioni");
const QString TitoloInfo = QStringLiteral("Info Sistema");

// The entry key of column i: six digits with leading zeros, more only from a million on.
int ChiaveColonna(char* destinazione, int i) {
    char cifre[12];
    int n = 0;
    do {
        cifre[n++] = static_cast<char>('0' + i % 10);
        i /= 10;
    } while (i > 0);
    int lunghezza = 0;
    for (int z = n; z < 6; ++z)
        destinazione[lunghezza++] = '0';
    while (n > 0)
        destinazione[lunghezza++] = cifre[--n];
    return lunghezza;
}

// ---------------------------------------------------------------- export

// "01-05-17-23-44-90-", the last "-" a "*" with SuperStar; a position holding 0 is skipped.
int ValoreColonna(char* destinazione, const std::uint8_t* colonna, bool superStar) {
    const int lunghezza = ScriviNumeriColonna(destinazione, colonna, '-');
    if (superStar && lunghezza > 0)
        destinazione[lunghezza - 1] = '*';
    return lunghezza;
}

classINI::Testo TestoExtrema(const Sistema& s, Interfaccia& ui) {
    const int colonne = ColonneValide(s);
    classINI::Testo t;
    t.setProperty(Generale, QStringLiteral("release"), QStringLiteral("3.0"));
    t.setProperty(Generale, QStringLiteral("gioco"), QStringLiteral("SuperEnalotto"));
    t.setProperty(Generale, QStringLiteral("colonne"), QString::number(colonne));
    t.setProperty(Generale, QStringLiteral("superstar"), s.superStar ? QStringLiteral("1") : QStringLiteral("0"));
    t.setProperty(Generale, QStringLiteral("pannelli"), QString::number(colonne));
    t.setProperty(Generale, QStringLiteral("max_marche_per_pannello"), QStringLiteral("6"));
    t.setProperty(Descrizione, QStringLiteral("nome"), s.nomeSistema);
    t.setProperty(Descrizione, QStringLiteral("1"), s.tipoSistema);
    for (int k = 2; k <= 5; ++k)
        t.setProperty(Descrizione, QString::number(k), QString());
    if (colonne == 0)
        return t; // no key, so no section, as key-by-key writing would leave it
    t.sezione(Combinazioni);
    t.riserva(qsizetype{colonne} * 28);
    char chiave[12];
    char valore[LunghezzaMassimaNumeri];
    for (int i = 1; i <= colonne; ++i) {
        const int lunghezzaChiave = ChiaveColonna(chiave, i);
        const int lunghezzaValore = ValoreColonna(valore, s.colonne.colonna(i), s.superStar != Falso);
        t.aggiungi(QByteArrayView(chiave, lunghezzaChiave), QByteArrayView(valore, lunghezzaValore));
        if (i % ColonnePerBlocco == 0)
            ui.elaboraEventi();
    }
    return t;
}

// ---------------------------------------------------------------- import

struct ExtremaLetto {
    ColonneLette colonne;
    QString nome;
    QString descrizione;
    bool superStar = false;
};

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

int Codice(QChar c) {
    return c.unicode();
}
int Codice(char c) {
    return static_cast<unsigned char>(c);
}

// A whole number with an optional sign, already trimmed; anything else is a type mismatch.
template <typename Vista> qint64 Intero(Vista testo) {
    qsizetype i = 0;
    const bool negativo = !testo.isEmpty() && Codice(testo[0]) == '-';
    if (!testo.isEmpty() && (Codice(testo[0]) == '-' || Codice(testo[0]) == '+'))
        ++i;
    if (i == testo.size())
        throw Errore::comune(numeri_errore::TipoNonCorrispondente);
    qint64 valore = 0;
    for (; i < testo.size(); ++i) {
        const int c = Codice(testo[i]);
        if (c < '0' || c > '9')
            throw Errore::comune(numeri_errore::TipoNonCorrispondente);
        valore = std::min<qint64>(valore * 10 + (c - '0'), qint64{1} << 40); // far past any range below
    }
    return negativo ? -valore : valore;
}

qint64 Intero(const QString& testo) {
    return Intero(QStringView(testo).trimmed());
}

std::int32_t Lungo(const QString& testo) {
    const qint64 v = Intero(testo);
    if (v < INT32_MIN || v > INT32_MAX)
        throw Errore::comune(numeri_errore::Overflow);
    return static_cast<std::int32_t>(v);
}

int Byte(const QString& testo) {
    const qint64 v = Intero(testo);
    if (v < 0 || v > 255)
        throw Errore::comune(numeri_errore::Overflow);
    return static_cast<int>(v);
}

QString NomeVoce(int i) {
    char chiave[12];
    return QString::fromLatin1(chiave, ChiaveColonna(chiave, i));
}

// One Combinazioni value: "*" and "-" both separate, the first six fields are the column.
std::array<std::uint8_t, 6> Colonna(QByteArrayView valore, int i) {
    std::array<std::uint8_t, 6> numeri{};
    qsizetype inizio = 0;
    for (int k = 0; k < 6; ++k) {
        if (inizio > valore.size())
            throw Errore::comune(numeri_errore::IndiceFuoriIntervallo);
        qsizetype fine = inizio;
        while (fine < valore.size() && valore[fine] != '-' && valore[fine] != '*')
            ++fine;
        qsizetype a = inizio;
        qsizetype b = fine;
        while (a < b && Blank(valore[a]))
            ++a;
        while (b > a && Blank(valore[b - 1]))
            --b;
        const qint64 n = Intero(valore.sliced(a, b - a));
        if (n < 1 || n > NumeriGioco)
            throw Errore::applicazione(
                QStringLiteral("Combinazione %1: numero fuori dall'intervallo 1-90").arg(NomeVoce(i)));
        if (std::find(numeri.begin(), numeri.begin() + k, n) != numeri.begin() + k)
            throw Errore::applicazione(QStringLiteral("Combinazione %1: numero %2 ripetuto").arg(NomeVoce(i)).arg(n));
        numeri[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(n);
        inizio = fine + 1;
    }
    return numeri;
}

// The column index a Combinazioni key stands for (the key ChiaveColonna writes for it), 0 for any other key.
int IndiceDiChiave(QByteArrayView chiave, int colonne) {
    if (chiave.size() < 6 || chiave.size() > 7 || (chiave.size() == 7 && chiave[0] == '0'))
        return 0;
    int i = 0;
    for (const char c : chiave) {
        if (c < '0' || c > '9')
            return 0;
        i = i * 10 + (c - '0');
    }
    return i <= colonne ? i : 0;
}

// Entries 1..colonne. The section is walked once in file order, which is the order the entries are
// asked for, and each column keeps the first entry of its key, as a lookup by key would. A fault is
// told for the lowest entry that has one, as reading the entries one by one would tell it.
void LeggiCombinazioni(const classINI& ini, int colonne, ColonneLette& lette, Interfaccia& ui) {
    enum Stato : std::uint8_t { Mancante, Letta, Errata, SenzaValore };
    // Room follows the lines the file has, not the count it claims: with k lines one of the entries
    // 1..k+1 is missing, so no fault can lie beyond them.
    const int tracciate = static_cast<int>(std::min<qint64>(colonne, ini.quanteVoci("Combinazioni") + 1));
    std::vector<Stato> stato(static_cast<std::size_t>(tracciate) + 1, Mancante);
    lette.celle.assign(6 * static_cast<std::size_t>(tracciate), 0);
    int visitate = 0;
    ini.perOgniVoce("Combinazioni", [&](QByteArrayView chiave, std::optional<QByteArrayView> valore) {
        if (++visitate % ColonnePerBlocco == 0)
            ui.elaboraEventi();
        const int i = IndiceDiChiave(chiave, tracciate);
        if (i == 0 || stato[static_cast<std::size_t>(i)] != Mancante)
            return;
        if (!valore) { // the first line of the key has no "=": the entry reads as missing
            stato[static_cast<std::size_t>(i)] = SenzaValore;
            return;
        }
        try {
            const std::array<std::uint8_t, 6> numeri = Colonna(*valore, i);
            std::copy(numeri.begin(), numeri.end(), lette.celle.begin() + 6 * static_cast<std::ptrdiff_t>(i - 1));
            stato[static_cast<std::size_t>(i)] = Letta;
        } catch (const Errore&) {
            stato[static_cast<std::size_t>(i)] = Errata;
        }
    });
    for (int i = 1; i <= tracciate; ++i) {
        if (stato[static_cast<std::size_t>(i)] == Mancante || stato[static_cast<std::size_t>(i)] == SenzaValore)
            throw Errore::applicazione(QStringLiteral("Combinazione %1 mancante").arg(NomeVoce(i)));
        if (stato[static_cast<std::size_t>(i)] == Errata) {
            char chiave[12];
            Colonna(*ini.valore("Combinazioni", QByteArrayView(chiave, ChiaveColonna(chiave, i))), i); // throws
        }
    }
    for (const std::uint8_t n : lette.celle)
        lette.visto[n] = true;
}

ExtremaLetto LeggiExtrema(const QString& percorso, Interfaccia& ui) {
    classINI ini;
    ini.FileINI(percorso);
    ini.carica();
    const auto leggi = [&ini](const QString& sezione, const QString& chiave) {
        return ini.getProperty(sezione, chiave, QString());
    };

    if (leggi(Generale, QStringLiteral("release")) != QStringLiteral("3.0") ||
        leggi(Generale, QStringLiteral("gioco")) != QStringLiteral("SuperEnalotto"))
        throw Errore::applicazione(QStringLiteral("Release o Giooco non corretto"));
    const std::int32_t colonne = Lungo(leggi(Generale, QStringLiteral("colonne")));
    const QString superstar = leggi(Generale, QStringLiteral("superstar"));
    Lungo(leggi(Generale, QStringLiteral("pannelli"))); // checked, never used
    if (Byte(leggi(Generale, QStringLiteral("max_marche_per_pannello"))) != 6)
        throw Errore::applicazione(QStringLiteral("Max marche per pannello diversa da 6"));
    if (colonne < 0)
        throw Errore::applicazione(QStringLiteral("Numero di colonne non valido"));
    if (colonne > LimiteColonne)
        throw ColonneOltreLimite{};

    ExtremaLetto letto;
    letto.nome = leggi(Descrizione, QStringLiteral("nome"));
    letto.descrizione = leggi(Descrizione, QStringLiteral("1"));
    for (int k = 2; k <= 5; ++k)
        letto.descrizione += QStringLiteral("\r\n") + leggi(Descrizione, QString::number(k));

    LeggiCombinazioni(ini, colonne, letto.colonne, ui);
    letto.superStar = Intero(superstar) != 0;
    return letto;
}

} // namespace

bool SalvaExtrema(const Sistema& s, const QString& percorso, Interfaccia& ui) {
    if (percorso.isEmpty())
        return false;
    try {
        Occupato occupato(ui);
        const classINI::Testo testo = TestoExtrema(s, ui);
        classINI ini;
        ini.FileINI(percorso);
        ini.scriviTutto(testo);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("SalvaExtrema"));
        return false;
    }
    ui.messaggio(s.nomeSistema + QStringLiteral("\r\nExport to EXTREMA"), TitoloInfo, Icona::Informazione,
                 Pulsanti::Ok);
    return true;
}

bool ImportaExtrema(Sistema& s, const QString& percorso, Interfaccia& ui,
                    const std::function<void()>& finestraAggiornata) {
    if (percorso.isEmpty())
        return false;
    ExtremaLetto letto;
    try {
        Occupato occupato(ui);
        letto = LeggiExtrema(percorso, ui);
        SostituisciColonne(s, letto.colonne, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ImportaExtrema"));
        return false;
    } catch (const ColonneOltreLimite&) {
        AvvisaColonneOltreLimite(ui);
        return false;
    }
    s.tipoSistema = QStringLiteral("FILE EXTREMA");
    s.nomeSistema = letto.nome;
    s.superStar = letto.superStar ? Vero : Falso;
    s.scegliCosto();
    if (finestraAggiornata)
        finestraAggiornata();
    ui.messaggio(letto.nome + QStringLiteral("\r\n") + letto.descrizione, TitoloInfo, Icona::Informazione,
                 Pulsanti::Ok);
    return true;
}

} // namespace sestina
