#include "FileSistema.h"

#include "Cp1252.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "FileIntero.h"
#include "Interfaccia.h"
#include "Sistema.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace sestina {
namespace {

constexpr qsizetype LunghezzaMagic = sizeof(MagicSistema) - 1;

constexpr std::int32_t MarcatoreSezione = 12345;
constexpr std::int32_t TagFiltro = 1;
constexpr std::int32_t TagConsecutivi = 2;
constexpr std::int32_t FineSezione = 100;
constexpr std::int32_t FineSezioneBis = 200;

constexpr qsizetype ByteIntestazioneFissi = 97;
constexpr qsizetype ByteCondizioni = 118;
constexpr qsizetype ByteFiltro = 96;
constexpr qsizetype ByteConsecutivi = 6;

// Far above any file this program writes (the limit's columns, 2000 filters, the longest
// text); a larger file is refused, told with this limit, as soon as the reading gets past it.
constexpr qint64 DimensioneMassimaFile = 64 * 1024 * 1024;

// Unknown tags are told one by one up to this many, then once for all the others.
constexpr int TagIgnotiMostrati = 10;

// Copying a large block of columns lets the window system run at this pace.
constexpr int ColonnePerBlocco = 65'536;

const QString TitoloErrore = QStringLiteral("E R R O R E");

// ---------------------------------------------------------------- writing

class Scrittore final {
public:
    explicit Scrittore(qsizetype capacita) { m_byte.reserve(capacita); }

    void u8(std::uint8_t v) { m_byte.append(static_cast<char>(v)); }
    void u16(std::uint16_t v) { intero(v); }
    void i16(std::int16_t v) { intero(v); }
    void i32(std::int32_t v) { intero(v); }
    void flag(Flag f) { u16(f ? 0xFFFF : 0x0000); }
    void byte(const std::uint8_t* p, qsizetype quanti) { m_byte.append(reinterpret_cast<const char*>(p), quanti); }
    void byte(const QByteArray& b) { m_byte.append(b); }

    QByteArray& risultato() { return m_byte; }

private:
    template <typename T> void intero(T v) {
        char b[sizeof(T)];
        qToLittleEndian(v, b);
        m_byte.append(b, sizeof(T));
    }

    QByteArray m_byte;
};

// The count written and the columns written always agree, even for a count out of range.
int ColonneDaScrivere(const SystemHeader& h) {
    return ColonneValide(h);
}

int FiltriDaScrivere(const Sistema& s) {
    return std::clamp<int>(s.numeroFiltri, 0, MaxFiltri);
}

QByteArray TestoSuDisco(const QString& tipoSistema) {
    return ACp1252(tipoSistema).left(0xFFFF);
}

void Scrivi(Scrittore& w, const SystemHeader& h) {
    const QByteArray tipo = TestoSuDisco(h.tipoSistema);
    w.u8(h.numeriInGioco);
    w.i32(ColonneDaScrivere(h));
    w.u16(static_cast<std::uint16_t>(tipo.size()));
    w.byte(tipo);
    w.byte(h.pronostico.data(), NumeriGioco);
}

void Scrivi(Scrittore& w, const SystemConditions& c) {
    w.flag(c.condPariDispari);
    w.flag(c.condSomma);
    w.flag(c.condFisse);
    for (const Flag f : c.pariAmmessi)
        w.flag(f);
    w.i16(c.sommaDa);
    w.i16(c.sommaA);
    w.byte(c.numeriFissi.data() + 1, NumeriGioco);
    w.u8(c.quantiFissi);
    w.flag(c.condRidotto);
    w.u8(c.livelloRiduzione);
}

void Scrivi(Scrittore& w, const FilterColumn& f) {
    w.byte(f.numeri.data() + 1, NumeriGioco);
    w.i32(f.presenze);
    w.flag(f.attiva);
}

void Scrivi(Scrittore& w, const ConsecutiveCondition& c) {
    w.i32(c.consecutiviAmmessi);
    w.flag(c.condConsecutivi);
}

void ScriviSezioneCondizioni(Scrittore& w, const Sistema& s) {
    w.i32(MarcatoreSezione);
    for (int k = 1; k <= FiltriDaScrivere(s); ++k) {
        const FilterColumn& f = s.colonneFiltro[static_cast<std::size_t>(k)];
        if (f.attiva) {
            w.i32(TagFiltro);
            Scrivi(w, f);
        }
    }
    if (s.condConsecutivi) {
        w.i32(TagConsecutivi);
        Scrivi(w, static_cast<const ConsecutiveCondition&>(s));
    }
    w.i32(FineSezione);
    w.i32(FineSezioneBis);
}

bool HaSezioneCondizioni(const Sistema& s) {
    return s.numeroFiltri > 0 || s.condConsecutivi;
}

QByteArray Codifica(const Sistema& s) {
    const int colonne = ColonneDaScrivere(s);
    const qsizetype sezione = 4 + FiltriDaScrivere(s) * (4 + ByteFiltro) + 4 + ByteConsecutivi + 8;
    Scrittore w(LunghezzaMagic + ByteIntestazioneFissi + s.tipoSistema.size() + ByteCondizioni +
                6 * qsizetype{colonne} + sezione);
    w.byte(QByteArray::fromRawData(MagicSistema, LunghezzaMagic));
    Scrivi(w, static_cast<const SystemHeader&>(s));
    Scrivi(w, static_cast<const SystemConditions&>(s));
    w.byte(s.colonne.dati(), 6 * qsizetype{colonne});
    if (HaSezioneCondizioni(s))
        ScriviSezioneCondizioni(w, s);
    return std::move(w.risultato());
}

// QSaveFile writes beside the target and renames on commit, so a failure leaves the old file whole.
// Unbuffered, because a short write hidden in the buffer would only surface in commit(), which
// does not check it and would rename a truncated file over the old one.
void ScriviFile(const QString& percorso, const QByteArray& dati) {
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(dati) != dati.size() || !file.commit())
        throw ErroreDiScrittura(percorso);
}

// ---------------------------------------------------------------- reading

// Any reason to refuse the file: it is told to the user the same way.
struct FileIlleggibile {};

class Lettore final {
public:
    explicit Lettore(const QByteArray& dati)
        : m_p(reinterpret_cast<const std::uint8_t*>(dati.constData())), m_fine(m_p + dati.size()) {}

    qsizetype restanti() const { return m_fine - m_p; }
    bool finito() const { return m_p == m_fine; }

    // The next quanti bytes; a file shorter than it promises is refused.
    const std::uint8_t* prendi(qsizetype quanti) {
        if (quanti < 0 || quanti > restanti())
            throw FileIlleggibile{};
        const std::uint8_t* p = m_p;
        m_p += quanti;
        return p;
    }

    std::uint8_t u8() { return *prendi(1); }
    std::uint16_t u16() { return qFromLittleEndian<std::uint16_t>(prendi(2)); }
    std::int16_t i16() { return qFromLittleEndian<std::int16_t>(prendi(2)); }
    std::int32_t i32() { return qFromLittleEndian<std::int32_t>(prendi(4)); }
    Flag flag() { return i16() != 0 ? Vero : Falso; }
    void byte(std::uint8_t* destinazione, qsizetype quanti) {
        std::memcpy(destinazione, prendi(quanti), static_cast<std::size_t>(quanti));
    }

private:
    const std::uint8_t* m_p;
    const std::uint8_t* m_fine;
};

// The file as parsed, before anything of the live System is touched. The columns stay in the
// bytes read from disk until they are copied into the ColumnStore.
struct SistemaLetto {
    SystemHeader intestazione;
    SystemConditions condizioni;
    ConsecutiveCondition consecutivi;
    std::vector<FilterColumn> filtri;
    const std::uint8_t* colonne = nullptr;
    std::vector<std::int32_t> tagIgnoti; // the first TagIgnotiMostrati
    qint64 altriTagIgnoti = 0;
};

void Rifiuta(bool condizione) {
    if (condizione)
        throw FileIlleggibile{};
}

void LeggiMagic(Lettore& r) {
    const QByteArray magic =
        QByteArray::fromRawData(reinterpret_cast<const char*>(r.prendi(LunghezzaMagic)), LunghezzaMagic);
    // Only the one version ever written is read: other versions carrying the tag are refused too.
    Rifiuta(magic != MagicSistema);
}

void ControllaPronostico(const SystemHeader& h) {
    Rifiuta(h.numeriInGioco > NumeriGioco);
    std::array<bool, NumeriGioco + 1> visto{};
    for (int k = 0; k < h.numeriInGioco; ++k) {
        const std::uint8_t n = h.pronostico[static_cast<std::size_t>(k)];
        Rifiuta(n < 1 || n > NumeriGioco || visto[n]);
        visto[n] = true;
    }
}

void Leggi(Lettore& r, SystemHeader& h) {
    h.numeriInGioco = r.u8();
    h.numeroColonne = r.i32();
    const std::uint16_t lunghezza = r.u16();
    const std::uint8_t* testo = r.prendi(lunghezza);
    h.tipoSistema = DaCp1252(QByteArray(reinterpret_cast<const char*>(testo), lunghezza));
    r.byte(h.pronostico.data(), NumeriGioco);
    Rifiuta(h.numeroColonne < 0 || h.numeroColonne > LimiteColonne);
    ControllaPronostico(h);
}

void Leggi(Lettore& r, SystemConditions& c) {
    c.condPariDispari = r.flag();
    c.condSomma = r.flag();
    c.condFisse = r.flag();
    for (Flag& f : c.pariAmmessi)
        f = r.flag();
    c.sommaDa = r.i16();
    c.sommaA = r.i16();
    r.byte(c.numeriFissi.data() + 1, NumeriGioco);
    c.quantiFissi = r.u8();
    c.condRidotto = r.flag();
    c.livelloRiduzione = r.u8();
}

void Leggi(Lettore& r, FilterColumn& f) {
    r.byte(f.numeri.data() + 1, NumeriGioco);
    f.presenze = r.i32();
    f.attiva = r.flag();
}

void Leggi(Lettore& r, ConsecutiveCondition& c) {
    c.consecutiviAmmessi = r.i32();
    c.condConsecutivi = r.flag();
}

// A number twice in one column; a 0 (an empty position) may repeat.
bool NumeroRipetuto(const std::uint8_t* c) {
    bool ripetuto = false;
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 6; ++b)
            ripetuto |= c[a] == c[b] && c[a] != 0;
    return ripetuto;
}

const std::uint8_t* LeggiColonne(Lettore& r, int quante) {
    const qsizetype byte = 6 * qsizetype{quante};
    const std::uint8_t* colonne = r.prendi(byte);
    // Folding with | instead of stopping at the first bad column keeps these loops vectorised.
    bool fuoriGioco = false;
    for (qsizetype i = 0; i < byte; ++i)
        fuoriGioco |= colonne[i] > NumeriGioco;
    bool ripetuto = false;
    for (qsizetype i = 0; i < byte; i += 6)
        ripetuto |= NumeroRipetuto(colonne + i);
    Rifiuta(fuoriGioco || ripetuto);
    return colonne;
}

void LeggiSezioneCondizioni(Lettore& r, SistemaLetto& l) {
    if (r.restanti() < 4 || r.i32() != MarcatoreSezione)
        return; // no section: whatever follows the columns is ignored
    while (!r.finito()) {
        const std::int32_t tag = r.i32();
        if (tag == FineSezione || tag == FineSezioneBis)
            return;
        if (tag == TagFiltro) {
            FilterColumn f;
            Leggi(r, f);
            if (l.filtri.size() < std::size_t{MaxFiltri})
                l.filtri.push_back(f);
        } else if (tag == TagConsecutivi) {
            Leggi(r, l.consecutivi);
        } else if (l.tagIgnoti.size() < std::size_t{TagIgnotiMostrati}) {
            l.tagIgnoti.push_back(tag);
        } else {
            ++l.altriTagIgnoti;
        }
    }
}

std::optional<SistemaLetto> Analizza(const QByteArray& dati) {
    try {
        Lettore r(dati);
        SistemaLetto l;
        LeggiMagic(r);
        Leggi(r, l.intestazione);
        Leggi(r, l.condizioni);
        l.colonne = LeggiColonne(r, l.intestazione.numeroColonne);
        LeggiSezioneCondizioni(r, l);
        return l;
    } catch (const FileIlleggibile&) {
        return std::nullopt;
    }
}

// ---------------------------------------------------------------- applying

void CopiaColonne(ColumnStore& store, const std::uint8_t* colonne, int quante, Interfaccia& ui) {
    for (int primo = 0; primo < quante; primo += ColonnePerBlocco) {
        const int blocco = std::min(ColonnePerBlocco, quante - primo);
        std::memcpy(store.colonna(primo + 1), colonne + 6 * qsizetype{primo}, 6 * static_cast<std::size_t>(blocco));
        ui.elaboraEventi();
    }
}

// Selects the stored numbers through the grid's own operation, which counts them again.
void MostraPronosticoSullaGriglia(Sistema& s) {
    const int quanti = s.numeriInGioco;
    for (int k = 0; k < quanti; ++k) {
        --s.numeriInGioco;
        s.GrigliaNumeriClick(s.pronostico[static_cast<std::size_t>(k)] - 1);
    }
}

void Applica(Sistema& s, const SistemaLetto& l, Interfaccia& ui) {
    AzzeraSistema(s, false);
    static_cast<SystemHeader&>(s) = l.intestazione;
    static_cast<SystemConditions&>(s) = l.condizioni;
    static_cast<ConsecutiveCondition&>(s) = l.consecutivi;
    std::copy(l.filtri.begin(), l.filtri.end(), s.colonneFiltro.begin() + 1);
    s.numeroFiltri = static_cast<std::int16_t>(l.filtri.size());
    CopiaColonne(s.colonne, l.colonne, s.numeroColonne, ui);
    MostraPronosticoSullaGriglia(s);
    s.sistemaSviluppato = s.numeroColonne > 0 ? -1 : 0;
}

void AvvisaTagIgnoti(Interfaccia& ui, const SistemaLetto& l) {
    for (const std::int32_t tag : l.tagIgnoti)
        ui.messaggio(QStringLiteral("Condizione non riconosciuta\r\nID : %1").arg(tag), TitoloErrore, Icona::Critica,
                     Pulsanti::Ok);
    if (l.altriTagIgnoti > 0)
        ui.messaggio(QStringLiteral("Altri %1 tag sconosciuti ignorati").arg(l.altriTagIgnoti), TitoloErrore,
                     Icona::Critica, Pulsanti::Ok);
}

QString NomeDelSistema(const QString& percorso) {
    return QFileInfo(percorso).fileName().toLower();
}

QString TitoloCon(const QString& percorso, const QStringList& da, const QString& a) {
    QString titolo = QFileInfo(percorso).fileName();
    for (const QString& estensione : da)
        if (titolo.endsWith(estensione, Qt::CaseInsensitive)) {
            titolo.chop(estensione.size());
            return titolo + a;
        }
    return titolo;
}

} // namespace

bool SalvaFile(Sistema& s, const QString& percorso, Interfaccia& ui) {
    if (percorso.isEmpty())
        return false;
    AggiornaPronostico(s);
    try {
        Occupato occupato(ui);
        ScriviFile(percorso, Codifica(s));
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("SalvaFile"));
        return false;
    }
    s.fileSistema = percorso;
    s.nomeSistema = NomeDelSistema(percorso);
    return true;
}

bool ApriSistema(Sistema& s, const QString& percorso, Interfaccia& ui) {
    const QString file = QString(percorso).remove(QLatin1Char('"'));
    QByteArray dati;
    std::optional<SistemaLetto> letto;
    try {
        Occupato occupato(ui);
        dati = LeggiFileLimitato(file, DimensioneMassimaFile);
        letto = Analizza(dati);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ApriSistema"));
        return false;
    }
    if (!letto) {
        ui.messaggio(QStringLiteral("Questo file non puo' essere letto"), TitoloErrore, Icona::Critica, Pulsanti::Ok);
        return false;
    }
    AvvisaTagIgnoti(ui, *letto);

    Occupato occupato(ui);
    Applica(s, *letto, ui);
    s.fileSistema = file;
    s.nomeSistema = NomeDelSistema(file);
    return true;
}

QString TitoloFileSistema(const QString& fileSistema) {
    return TitoloCon(fileSistema, {QStringLiteral(".txt"), QStringLiteral(".ext")}, QStringLiteral(".sec"));
}

QString TitoloFileExtrema(const QString& fileSistema) {
    return TitoloCon(fileSistema, {QStringLiteral(".txt"), QStringLiteral(".sec")}, QStringLiteral(".ext"));
}

} // namespace sestina
