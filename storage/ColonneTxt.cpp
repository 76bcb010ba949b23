#include "ColonneTxt.h"

#include "Cartelle.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "FileIntero.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "Sviluppo.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace sestina {
namespace {

// Long loops let the window system run at this pace, never per line.
constexpr int ColonnePerBlocco = 65'536;
constexpr qint64 ByteLetturaBlocco = 4 << 20;
// Far above the limit's columns as written here (about 39 MB), with room for fields after the sixth.
constexpr qint64 DimensioneMassimaTxt = qint64{256} << 20;

// ---------------------------------------------------------------- export

// nomeSistema may come from an imported file: it must name a file inside the txt folder.
QString NomeFileTxt(const QString& nomeSistema) {
    QString nome = QString(nomeSistema).replace(QStringLiteral(".sec"), QStringLiteral(".txt"));
    if (nome.isEmpty() || nome == QStringLiteral(".") || nome == QStringLiteral("..") ||
        nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')) || nome.contains(QChar()))
        throw Errore::comune(numeri_errore::NomeFileErrato);
    return nome;
}

// Through QSaveFile, unbuffered so that a short write fails here rather than inside commit().
void ScriviColonne(const Sistema& s, const QString& percorso, Interfaccia& ui) {
    const int colonne = ColonneValide(s);
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ErroreDiScrittura(percorso);
    QByteArray blocco;
    blocco.reserve(ColonnePerBlocco * 21);
    for (int primo = 1; primo <= colonne; primo += ColonnePerBlocco) {
        const int ultimo = std::min(colonne, primo + ColonnePerBlocco - 1);
        blocco.resize(0);
        for (int i = primo; i <= ultimo; ++i) {
            AggiungiRigaColonnaTxt(blocco, s.colonne.colonna(i));
            blocco.append("\r\n", 2);
        }
        if (file.write(blocco) != blocco.size())
            throw Errore::comune(numeri_errore::AccessoNegato);
        ui.elaboraEventi();
    }
    if (!file.commit())
        throw Errore::comune(numeri_errore::AccessoNegato);
}

// ---------------------------------------------------------------- import

// Every refusal of a line names it.
Errore ErroreDiRiga(int numero, qint64 riga) {
    return {numero, QStringLiteral("Riga %1: %2").arg(riga).arg(DescrizioneErrore(numero))};
}

Errore NumeroFuoriGioco(qint64 riga) {
    return Errore::applicazione(QStringLiteral("Riga %1: numero fuori dall'intervallo 1-90").arg(riga));
}

Errore NumeroRipetuto(qint64 riga, int numero) {
    return Errore::applicazione(QStringLiteral("Riga %1: numero %2 ripetuto").arg(riga).arg(numero));
}

// Reads the list a byte at a time across blocks, so neither a huge file nor an endless line is held
// in memory. A line ends at CR, LF or CRLF; blanks are spaces and tabs, and a run of them is one
// separator.
class LettoreTxt final {
public:
    LettoreTxt(ColonneLette& lette, Interfaccia& ui) : m_lette(lette), m_ui(ui) {}

    void leggi(const char* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            carattere(p[i]);
    }
    void fine() { fineRiga(); }

private:
    struct Campo {
        int valore;
        bool cifre;
        bool segno;
        bool negativo;
        bool errato;
    };

    void carattere(char c) {
        if (c == '\n') {
            if (!m_dopoCR)
                fineRiga();
            m_dopoCR = false;
            return;
        }
        m_dopoCR = c == '\r';
        if (m_dopoCR) {
            fineRiga();
            return;
        }
        if (c == ' ' || c == '\t') {
            m_dentroCampo = false;
            return;
        }
        if (!m_dentroCampo) {
            m_dentroCampo = true;
            if (++m_campi <= 6)
                m_campo[static_cast<std::size_t>(m_campi - 1)] = Campo{0, false, false, false, false};
        }
        if (m_campi > 6)
            return; // fields after the sixth are not read
        Campo& f = m_campo[static_cast<std::size_t>(m_campi - 1)];
        if (c >= '0' && c <= '9') {
            f.valore = std::min(f.valore * 10 + (c - '0'), 1000); // anything above 90 is refused anyway
            f.cifre = true;
        } else if ((c == '+' || c == '-') && !f.cifre && !f.segno) {
            f.segno = true;
            f.negativo = c == '-';
        } else {
            // The line's end would refuse it with the same message: say so now, not after a 2 GB line.
            f.errato = true;
            colonna();
        }
    }

    void fineRiga() {
        if (m_campi > 0)
            colonna();
        m_campi = 0;
        m_dentroCampo = false;
        ++m_riga;
    }

    void colonna() {
        if (m_lette.quante() == LimiteColonne)
            throw ColonneOltreLimite{};
        std::array<std::uint8_t, 6> numeri{};
        std::array<bool, NumeriGioco + 1> presente{};
        for (int k = 0; k < 6; ++k) {
            if (k >= m_campi)
                throw ErroreDiRiga(numeri_errore::IndiceFuoriIntervallo, m_riga);
            const Campo& f = m_campo[static_cast<std::size_t>(k)];
            if (f.errato || !f.cifre)
                throw ErroreDiRiga(numeri_errore::TipoNonCorrispondente, m_riga);
            if (f.negativo || f.valore < 1 || f.valore > NumeriGioco)
                throw NumeroFuoriGioco(m_riga);
            if (std::exchange(presente[static_cast<std::size_t>(f.valore)], true))
                throw NumeroRipetuto(m_riga, f.valore);
            numeri[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(f.valore);
        }
        m_lette.aggiungi(numeri);
        if (m_lette.quante() % ColonnePerBlocco == 0)
            m_ui.elaboraEventi();
    }

    ColonneLette& m_lette;
    Interfaccia& m_ui;
    std::array<Campo, 6> m_campo{};
    int m_campi = 0;
    bool m_dentroCampo = false;
    bool m_dopoCR = false;
    qint64 m_riga = 1;
};

ColonneLette LeggiColonneTxt(const QString& percorso, Interfaccia& ui) {
    LettoreLimitato file(percorso, DimensioneMassimaTxt);
    ColonneLette lette;
    LettoreTxt lettore(lette, ui);
    QByteArray blocco(ByteLetturaBlocco, Qt::Uninitialized);
    bool inizio = true;
    for (;;) {
        const qint64 letti = file.leggi(blocco.data(), blocco.size());
        if (letti == 0)
            break;
        qsizetype salta = 0;
        // A byte-order mark, as editors put before UTF-8 text, is not part of the first field.
        if (inizio && letti >= 3 && std::memcmp(blocco.constData(), "\xEF\xBB\xBF", 3) == 0)
            salta = 3;
        inizio = false;
        lettore.leggi(blocco.constData() + salta, static_cast<qsizetype>(letti) - salta);
    }
    lettore.fine();
    return lette;
}

} // namespace

void ColonneLette::aggiungi(const std::array<std::uint8_t, 6>& colonna) {
    celle.insert(celle.end(), colonna.begin(), colonna.end());
    for (const std::uint8_t n : colonna)
        visto[n] = true;
}

void SostituisciColonne(Sistema& s, const ColonneLette& lette, Interfaccia& ui) {
    AzzeraSistema(s, false);
    const int quante = lette.quante();
    for (int primo = 0; primo < quante; primo += ColonnePerBlocco) {
        const int blocco = std::min(ColonnePerBlocco, quante - primo);
        std::memcpy(s.colonne.colonna(primo + 1), lette.celle.data() + 6 * static_cast<std::size_t>(primo),
                    6 * static_cast<std::size_t>(blocco));
        ui.elaboraEventi();
    }
    // The grid was emptied, so each click selects, in ascending order.
    for (int n = 1; n <= NumeriGioco; ++n)
        if (lette.visto[static_cast<std::size_t>(n)])
            s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.numeroColonne = quante;
    s.sistemaSviluppato = quante > 0 ? Vero : Falso;
}

void AvvisaColonneOltreLimite(Interfaccia& ui) {
    ui.messaggio(MessaggioLimite(), QStringLiteral("ATTENZIONE"), Icona::Critica, Pulsanti::Ok);
}

bool EsportaColonneTxt(const Sistema& s, const QString& percorso, Interfaccia& ui) {
    if (percorso.isEmpty())
        return false;
    try {
        ScriviColonne(s, percorso, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("SalvaColonneTxt"));
        return false;
    }
    return true;
}

std::optional<QString> SalvaColonneTxt(const Sistema& s, const QString& cartellaDati, Interfaccia& ui) {
    QString percorso;
    try {
        const QString nome = NomeFileTxt(s.nomeSistema);
        const QString cartella = cartellaDati + QStringLiteral("/txt");
        CreaCartella(cartella); // a folder that cannot be made is told by the write below
        percorso = cartella + QLatin1Char('/') + nome;
        ScriviColonne(s, percorso, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("SalvaColonneTxt"));
        return std::nullopt;
    }
    return percorso;
}

bool ImportaColonneTxt(Sistema& s, const QString& percorso, Interfaccia& ui,
                       const std::function<void()>& finestraAggiornata) {
    if (percorso.isEmpty())
        return false;
    try {
        Occupato occupato(ui);
        const ColonneLette lette = LeggiColonneTxt(percorso, ui);
        SostituisciColonne(s, lette, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ImportaColonneTxt"));
        return false;
    } catch (const ColonneOltreLimite&) {
        AvvisaColonneOltreLimite(ui);
        return false;
    }
    s.tipoSistema = QStringLiteral("FILE TXT");
    s.fileSistema = percorso;
    s.nomeSistema = QFileInfo(percorso).fileName().toLower();
    if (finestraAggiornata)
        finestraAggiornata();
    return true;
}

} // namespace sestina
