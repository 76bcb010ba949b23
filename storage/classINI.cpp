#include "classINI.h"

#include "Cp1252.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "FileIntero.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace sestina {
namespace {

constexpr qsizetype LunghezzaMassimaValore = 254;
// Offsets are 32-bit; far above the largest file the program writes (about 52 MB of columns), and
// low enough that the table of a file of one-character lines (20 bytes a line) stays affordable.
constexpr qint64 DimensioneMassima = qint64{128} * 1024 * 1024;
// An editor may start a UTF-8 file with this mark; it is not part of the first line's name.
constexpr char MarcaOrdineByte[] = "\xEF\xBB\xBF";
constexpr quint32 Nessuna = std::numeric_limits<quint32>::max();

bool Spazio(char c) {
    // 0x1A is the old end-of-file mark, which the profile functions skip like a blank.
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

QByteArrayView Rifila(QByteArrayView v) {
    qsizetype a = 0;
    qsizetype b = v.size();
    while (a < b && Spazio(v[a]))
        ++a;
    while (b > a && Spazio(v[b - 1]))
        --b;
    return v.sliced(a, b - a);
}

// A value as the caller sees it: without a pair of matching quotes, at most 254 characters.
QByteArrayView ValoreLetto(QByteArrayView testo) {
    if (testo.size() > 1 && (testo.front() == '"' || testo.front() == '\'') && testo.back() == testo.front())
        testo = testo.sliced(1, testo.size() - 2);
    return testo.first(std::min(testo.size(), LunghezzaMassimaValore));
}

// Lower case of windows-1252, for matching names the way the platform does.
constexpr std::array<unsigned char, 256> Minuscole = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    t[0x8A] = 0x9A;
    t[0x8C] = 0x9C;
    t[0x8E] = 0x9E;
    t[0x9F] = 0xFF;
    return t;
}();

unsigned char Minuscola(char c) {
    return Minuscole[static_cast<unsigned char>(c)];
}

bool StessoNome(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Minuscola(a[i]) != Minuscola(b[i]))
            return false;
    return true;
}

quint32 Hash(QByteArrayView nome) {
    quint32 h = 2166136261u;
    for (const char c : nome)
        h = (h ^ Minuscola(c)) * 16777619u;
    return h ^ (h >> 15);
}

// A name as the file would hold it; nullopt when the platform could not have written it.
std::optional<QByteArray> NomeSuDisco(const QString& nome) {
    const QString rifilato = nome.trimmed();
    const QByteArray byte = ACp1252(rifilato);
    if (rifilato.isEmpty() || DaCp1252(byte) != rifilato)
        return std::nullopt;
    return byte;
}

QByteArray SenzaACapo(QByteArray byte) {
    // A line break inside a name or value would start a line of its own and forge keys.
    byte.replace('\r', ' ').replace('\n', ' ');
    return byte;
}

// Names are trimmed and values lose their leading blanks, as the platform stores them.
QByteArray ChiaveDaScrivere(const QString& chiave) {
    return SenzaACapo(ACp1252(chiave.trimmed()));
}
QByteArray SezioneDaScrivere(const QString& sezione) {
    return SenzaACapo(ACp1252(sezione.trimmed()));
}
QByteArray ValoreDaScrivere(const QString& valore) {
    const QByteArray byte = ACp1252(valore);
    qsizetype a = 0;
    while (a < byte.size() && Spazio(byte[a]))
        ++a;
    return SenzaACapo(byte.mid(a));
}

// The whole file; a missing one is empty when mancanteVuoto, an error otherwise.
QByteArray LeggiFile(const QString& percorso, bool mancanteVuoto) {
    if (mancanteVuoto && !QFileInfo::exists(percorso))
        return {};
    return LeggiFileLimitato(percorso, DimensioneMassima);
}

// Unbuffered, so that a short write fails here and not silently inside commit().
void ScriviFile(const QString& percorso, const QList<QByteArrayView>& pezzi) {
    QSaveFile file(percorso);
    bool riuscito = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype i = 0; riuscito && i < pezzi.size(); ++i)
        riuscito = file.write(pezzi[i].data(), pezzi[i].size()) == pezzi[i].size();
    if (!riuscito || !file.commit())
        throw ErroreDiScrittura(percorso);
}

} // namespace

// Offsets into the file's bytes: nothing is copied or converted until a value is asked for. A
// section's keys are hashed the first time one of them is looked up, so a reader that walks a
// section in order never pays for the table.
struct classINI::Indice {
    struct Voce {
        quint32 rigaInizio;
        quint32 rigaFine; // before the line break
        quint32 nomeInizio;
        quint32 nomeFine;
        quint32 uguale; // Nessuna for a line without "="
    };
    struct Sezione {
        quint32 nomeInizio;
        quint32 nomeFine;
        quint32 dopoUltimaRiga; // where a new key goes: after the last line that is not blank
        bool ultimaTerminata;   // whether that line has its line break
        quint32 primaVoce;      // its keys are voci[primaVoce, fineVoci)
        quint32 fineVoci;
        std::vector<quint32> tabella; // open addressing: index into voci + 1, 0 for a free slot
    };

    QByteArray dati;
    std::vector<Sezione> sezioni;
    std::vector<Voce> voci;

    QByteArrayView pezzo(quint32 da, quint32 a) const { return QByteArrayView(dati).sliced(da, a - da); }
    QByteArrayView nome(const Sezione& s) const { return pezzo(s.nomeInizio, s.nomeFine); }
    QByteArrayView nome(const Voce& v) const { return pezzo(v.nomeInizio, v.nomeFine); }
    QByteArrayView valoreGrezzo(const Voce& v) const { return Rifila(pezzo(v.uguale + 1, v.rigaFine)); }

    quint32 sezione(QByteArrayView nomeCercato) const {
        for (std::size_t i = 0; i < sezioni.size(); ++i)
            if (StessoNome(nome(sezioni[i]), nomeCercato))
                return static_cast<quint32>(i);
        return Nessuna;
    }

    const Voce* voce(quint32 sez, QByteArrayView chiave);
    void analizza();

private:
    void indicizza(Sezione& s);
};

void classINI::Indice::analizza() {
    const char* p = dati.constData();
    const quint32 n = static_cast<quint32>(dati.size());
    // The table grows with the lines it finds: a count of line breaks says nothing of them.
    quint32 corrente = Nessuna;
    const quint32 primo = dati.startsWith(MarcaOrdineByte) ? 3 : 0;
    for (quint32 inizio = primo; inizio < n;) {
        // A line ends at CR, LF or CRLF.
        quint32 fine = inizio;
        while (fine < n && p[fine] != '\n' && p[fine] != '\r')
            ++fine;
        quint32 prossima = fine;
        if (fine < n)
            prossima += (p[fine] == '\r' && fine + 1 < n && p[fine + 1] == '\n') ? 2 : 1;
        const bool terminata = fine < n;

        quint32 a = inizio;
        quint32 b = fine;
        while (a < b && Spazio(p[a]))
            ++a;
        while (b > a && Spazio(p[b - 1]))
            --b;
        if (a == b) {
            inizio = prossima;
            continue;
        }
        if (p[a] == '[') {
            quint32 c = b; // the last "]" closes the name
            while (c > a + 1 && p[c - 1] != ']')
                --c;
            if (c > a + 1) {
                --c;
                corrente = static_cast<quint32>(sezioni.size());
                const auto primaVoce = static_cast<quint32>(voci.size());
                sezioni.push_back({a + 1, c, prossima, terminata, primaVoce, primaVoce, {}});
                inizio = prossima;
                continue;
            }
        }
        const auto* uguale = static_cast<const char*>(std::memchr(p + a, '=', b - a));
        Voce v{inizio, fine, a, b, Nessuna};
        if (uguale) {
            v.uguale = static_cast<quint32>(uguale - p);
            v.nomeFine = v.uguale;
            while (v.nomeFine > a && Spazio(p[v.nomeFine - 1]))
                --v.nomeFine;
        }
        voci.push_back(v); // keys before the first section are kept for nothing but the line count
        if (corrente != Nessuna) {
            Sezione& s = sezioni[corrente];
            s.fineVoci = static_cast<quint32>(voci.size());
            s.dopoUltimaRiga = prossima;
            s.ultimaTerminata = terminata;
        }
        inizio = prossima;
    }
}

const classINI::Indice::Voce* classINI::Indice::voce(quint32 sez, QByteArrayView chiave) {
    if (sez == Nessuna)
        return nullptr;
    Sezione& s = sezioni[sez];
    if (s.fineVoci - s.primaVoce <= 8) { // a short section is read as it is
        for (quint32 k = s.primaVoce; k < s.fineVoci; ++k)
            if (StessoNome(nome(voci[k]), chiave))
                return &voci[k];
        return nullptr;
    }
    if (s.tabella.empty())
        indicizza(s);
    const std::size_t maschera = s.tabella.size() - 1;
    for (std::size_t i = Hash(chiave) & maschera;; i = (i + 1) & maschera) {
        const quint32 posto = s.tabella[i];
        if (posto == 0)
            return nullptr;
        if (StessoNome(nome(voci[posto - 1]), chiave))
            return &voci[posto - 1];
    }
}

void classINI::Indice::indicizza(Sezione& s) {
    std::size_t dimensione = 16;
    while (dimensione < 2 * std::size_t{s.fineVoci - s.primaVoce})
        dimensione *= 2;
    s.tabella.assign(dimensione, 0);
    const std::size_t maschera = dimensione - 1;
    for (quint32 k = s.primaVoce; k < s.fineVoci; ++k) {
        const QByteArrayView n = nome(voci[k]);
        if (n.isEmpty())
            continue; // an empty name is never looked up
        for (std::size_t i = Hash(n) & maschera;; i = (i + 1) & maschera) {
            quint32& posto = s.tabella[i];
            if (posto == 0) {
                posto = k + 1;
                break;
            }
            if (StessoNome(nome(voci[posto - 1]), n))
                break; // the first of two equal keys is the one read
        }
    }
}

// ---------------------------------------------------------------- Testo

void classINI::Testo::sezione(const QString& nome) {
    const QByteArray byte = SezioneDaScrivere(nome);
    for (qsizetype i = 0; i < m_sezioni.size(); ++i) {
        if (StessoNome(m_sezioni[i].nome, byte)) {
            m_corrente = i;
            return;
        }
    }
    m_sezioni.append({byte, '[' + byte + "]\r\n"});
    m_corrente = m_sezioni.size() - 1;
}

void classINI::Testo::setProperty(const QString& sezione, const QString& chiave, const QString& valore) {
    const QByteArray nome = ChiaveDaScrivere(chiave);
    if (SezioneDaScrivere(sezione).isEmpty() || nome.isEmpty())
        return; // as the file's own setProperty does
    this->sezione(sezione);
    aggiungi(nome, ValoreDaScrivere(valore));
}

void classINI::Testo::aggiungi(QByteArrayView chiave, QByteArrayView valore) {
    Q_ASSERT(m_corrente >= 0);
    QByteArray& testo = m_sezioni[m_corrente].testo;
    testo.append(chiave).append('=').append(valore).append("\r\n", 2);
}

void classINI::Testo::riserva(qsizetype byte) {
    Q_ASSERT(m_corrente >= 0);
    QByteArray& testo = m_sezioni[m_corrente].testo;
    testo.reserve(testo.size() + byte);
}

QByteArray classINI::Testo::testo() const {
    QByteArray tutto;
    for (const Sezione& s : m_sezioni)
        tutto.append(s.testo);
    return tutto;
}

QList<QByteArrayView> classINI::Testo::pezzi() const {
    QList<QByteArrayView> pezzi;
    for (const Sezione& s : m_sezioni)
        pezzi.append(s.testo);
    return pezzi;
}

// ---------------------------------------------------------------- classINI

classINI::classINI() = default;
classINI::~classINI() = default;

void classINI::FileINI(const QString& percorso) {
    m_percorso = percorso;
    m_indice.reset();
}

classINI::Indice* classINI::indice() const {
    if (!m_indice) {
        auto nuovo = std::make_unique<Indice>();
        try {
            nuovo->dati = LeggiFile(m_percorso, true);
        } catch (const Errore&) {
            nuovo->dati.clear(); // reads as a file without keys: every value is its default
        }
        nuovo->analizza();
        m_indice = std::move(nuovo);
    }
    return m_indice.get();
}

void classINI::carica() const {
    auto nuovo = std::make_unique<Indice>();
    nuovo->dati = LeggiFile(m_percorso, false);
    nuovo->analizza();
    m_indice = std::move(nuovo);
}

std::optional<QByteArrayView> classINI::valore(QByteArrayView sezione, QByteArrayView chiave) const {
    sezione = Rifila(sezione);
    chiave = Rifila(chiave);
    if (sezione.isEmpty() || chiave.isEmpty())
        return std::nullopt;
    Indice* ind = indice();
    const Indice::Voce* v = ind->voce(ind->sezione(sezione), chiave);
    if (!v || v->uguale == Nessuna)
        return std::nullopt;
    return ValoreLetto(ind->valoreGrezzo(*v));
}

void classINI::perOgniVoce(QByteArrayView sezione,
                           const std::function<void(QByteArrayView, std::optional<QByteArrayView>)>& visita) const {
    sezione = Rifila(sezione);
    if (sezione.isEmpty())
        return;
    const Indice* ind = indice();
    const quint32 sez = ind->sezione(sezione);
    if (sez == Nessuna)
        return;
    const Indice::Sezione& s = ind->sezioni[sez];
    for (quint32 k = s.primaVoce; k < s.fineVoci; ++k) {
        const Indice::Voce& v = ind->voci[k];
        if (v.nomeInizio == v.nomeFine)
            continue; // a line "=value" names no key
        if (v.uguale == Nessuna)
            visita(ind->nome(v), std::nullopt);
        else
            visita(ind->nome(v), ValoreLetto(ind->valoreGrezzo(v)));
    }
}

qint64 classINI::quanteVoci(QByteArrayView sezione) const {
    sezione = Rifila(sezione);
    if (sezione.isEmpty())
        return 0;
    const Indice* ind = indice();
    const quint32 sez = ind->sezione(sezione);
    return sez == Nessuna ? 0 : qint64{ind->sezioni[sez].fineVoci} - ind->sezioni[sez].primaVoce;
}

QString classINI::getProperty(const QString& sezione, const QString& chiave, const QString& predefinito) const {
    qsizetype fine = predefinito.size();
    while (fine > 0 && predefinito[fine - 1].isSpace())
        --fine;
    QString ripiego = predefinito.first(std::min(fine, LunghezzaMassimaValore));

    const std::optional<QByteArray> s = NomeSuDisco(sezione);
    const std::optional<QByteArray> k = NomeSuDisco(chiave);
    if (!s || !k)
        return ripiego;
    const std::optional<QByteArrayView> v = valore(*s, *k);
    return v ? DaCp1252(v->toByteArray()) : ripiego;
}

void classINI::setProperty(const QString& sezione, const QString& chiave, const QString& valore) {
    const QByteArray s = SezioneDaScrivere(sezione);
    const QByteArray k = ChiaveDaScrivere(chiave);
    if (s.isEmpty() || k.isEmpty())
        return;
    const QByteArray v = ValoreDaScrivere(valore);

    // Always from disk: another writer may have changed the file since it was cached.
    m_indice.reset();
    Indice ind;
    ind.dati = LeggiFile(m_percorso, true);
    ind.analizza();
    const QByteArray& dati = ind.dati;

    QByteArray nuovo;
    const quint32 sez = ind.sezione(s);
    if (const Indice::Voce* voce = ind.voce(sez, k)) {
        if (voce->uguale != Nessuna && ind.valoreGrezzo(*voce) == v)
            return; // nothing to change
        nuovo.reserve(dati.size() + v.size() + 2);
        nuovo.append(QByteArrayView(dati).first(voce->rigaInizio)).append(ind.nome(*voce)).append('=').append(v);
        nuovo.append(QByteArrayView(dati).sliced(voce->rigaFine));
    } else if (sez != Nessuna) {
        const Indice::Sezione& dove = ind.sezioni[sez];
        nuovo.reserve(dati.size() + k.size() + v.size() + 5);
        nuovo.append(QByteArrayView(dati).first(dove.dopoUltimaRiga));
        if (!dove.ultimaTerminata)
            nuovo.append("\r\n");
        nuovo.append(k).append('=').append(v).append("\r\n");
        nuovo.append(QByteArrayView(dati).sliced(dove.dopoUltimaRiga));
    } else {
        nuovo = dati;
        if (!nuovo.isEmpty() && !nuovo.endsWith('\n') && !nuovo.endsWith('\r'))
            nuovo.append("\r\n");
        nuovo.append('[').append(s).append("]\r\n").append(k).append('=').append(v).append("\r\n");
    }
    ScriviFile(m_percorso, {QByteArrayView(nuovo)});
}

void classINI::scriviTutto(const Testo& testo) {
    m_indice.reset();
    ScriviFile(m_percorso, testo.pezzi());
}

} // namespace sestina
