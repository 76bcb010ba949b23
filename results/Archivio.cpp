#include "Archivio.h"

#include "Cp1252.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "FileIntero.h"
#include "FormatColonna.h"
#include "Interfaccia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <limits>
#include <optional>

namespace sestina {
namespace {

constexpr qsizetype ByteRecord = 20;
constexpr qsizetype ByteData = 10;
constexpr qsizetype CapacitaIniziale = 2000;
const QString Finestra = QStringLiteral("frmUpdate");

// The archive grows by its own size, so thousands of draws reallocate only a few times.
void Accoda(ArchivioEstrazioni& archivio, Estrazione e) {
    if (archivio.size() == archivio.capacity())
        archivio.reserve(std::max<std::size_t>(CapacitaIniziale, 2 * archivio.capacity()));
    archivio.push_back(std::move(e));
}

QString DataDieciCaratteri(const QString& testo) {
    return testo.left(ByteData).leftJustified(ByteData, QLatin1Char(' '));
}

bool NumeroDelGioco(int n) {
    return n >= 1 && n <= 90;
}

// Errors 75 and 76 name the file right after their description.
Errore ConPercorso(const Errore& e, const QString& percorso) {
    if (e.numero() == numeri_errore::AccessoNegato || e.numero() == numeri_errore::PercorsoNonTrovato)
        return {e.numero(), e.descrizione() + QStringLiteral(" --> ") + QDir::toNativeSeparators(percorso)};
    return e;
}

Estrazione LeggiRecord(const char* p) {
    Estrazione e;
    e.concorso = qFromLittleEndian<std::int16_t>(p);
    e.data = DaCp1252(QByteArray(p + 2, ByteData));
    for (int i = 1; i <= 6; ++i)
        e.estratti[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(p[11 + i]);
    e.jolly = static_cast<std::uint8_t>(p[18]);
    e.superstar = static_cast<std::uint8_t>(p[19]);
    return e;
}

void ScriviRecord(QByteArray& destinazione, const Estrazione& e) {
    char concorso[2];
    qToLittleEndian(e.concorso, concorso);
    destinazione.append(concorso, 2);
    destinazione.append(ACp1252(DataDieciCaratteri(e.data)));
    for (int i = 1; i <= 6; ++i)
        destinazione.append(static_cast<char>(e.estratti[static_cast<std::size_t>(i)]));
    destinazione.append(static_cast<char>(e.jolly));
    destinazione.append(static_cast<char>(e.superstar));
}

// A field of the downloaded list: decimal text within [minimo, massimo]. Text that is no
// number is a type mismatch; a number out of range an overflow.
template <typename T> T Campo(const QByteArray& testo, long minimo, long massimo) {
    bool ok = false;
    const long valore = testo.trimmed().toLong(&ok);
    if (!ok)
        throw Errore::comune(numeri_errore::TipoNonCorrispondente);
    if (valore < minimo || valore > massimo)
        throw Errore::comune(numeri_errore::Overflow);
    return static_cast<T>(valore);
}

Estrazione RigaLista(const QList<QByteArray>& campi) {
    Estrazione e;
    e.concorso = Campo<std::int16_t>(campi[0], std::numeric_limits<std::int16_t>::min(),
                                     std::numeric_limits<std::int16_t>::max());
    e.data = DataDieciCaratteri(DaCp1252(campi[1]));
    for (int i = 1; i <= 6; ++i)
        e.estratti[static_cast<std::size_t>(i)] = Campo<std::uint8_t>(campi[1 + i], 0, 255);
    e.jolly = Campo<std::uint8_t>(campi[8], 0, 255);
    e.superstar = Campo<std::uint8_t>(campi[9], 0, 255);
    return e;
}

// A header names the columns: its draw number is not a number at all.
bool Intestazione(const QList<QByteArray>& campi) {
    bool numero = false;
    campi[0].trimmed().toLong(&numero);
    return !numero;
}

Errore ErroreDiRiga(qsizetype riga, const QString& testo) {
    return Errore::applicazione(QStringLiteral("Riga %1: %2").arg(riga).arg(testo));
}

} // namespace

// Only the blanks DataDieciCaratteri padded it with; any other character is the list's own.
QString SenzaRiempimento(QString data) {
    while (data.endsWith(QLatin1Char(' ')))
        data.chop(1);
    return data;
}

QString ProblemaEstrazione(const Estrazione& e) {
    for (int i = 1; i <= 6; ++i) {
        const int n = e.estratti[static_cast<std::size_t>(i)];
        if (!NumeroDelGioco(n))
            return QStringLiteral("Valore %1 non ammesso").arg(n);
        for (int j = 1; j < i; ++j)
            if (e.estratti[static_cast<std::size_t>(j)] == n)
                return QStringLiteral("Duplicazione di numeri");
    }
    if (!NumeroDelGioco(e.jolly))
        return QStringLiteral("Jolly %1 non ammesso").arg(e.jolly);
    if (std::find(e.estratti.begin() + 1, e.estratti.end(), e.jolly) != e.estratti.end())
        return QStringLiteral("Combinazione errata");
    if (e.superstar > 90)
        return QStringLiteral("SuperStar %1 non ammessa").arg(e.superstar);
    return {};
}

bool EstrazioneValida(const Estrazione& e) {
    return ProblemaEstrazione(e).isEmpty();
}

bool HaEstrazioni(const ArchivioEstrazioni& archivio) {
    return std::any_of(archivio.begin(), archivio.end(), [](const Estrazione& e) { return !e.vuota(); });
}

qsizetype NumeroEstrazioni(const ArchivioEstrazioni& archivio) {
    return std::count_if(archivio.begin(), archivio.end(), [](const Estrazione& e) { return !e.vuota(); });
}

ArchivioEstrazioni LeggiListaEstrazioni(const QByteArray& testo, UltimaRiga ultima) {
    ArchivioEstrazioni nuovo;
    nuovo.reserve(CapacitaIniziale);
    const QList<QByteArray> righe = testo.split('\n');
    for (qsizetype n = 0; n < righe.size(); ++n) {
        QByteArray riga = righe[n];
        const bool senzaFine = n == righe.size() - 1;
        if (senzaFine && riga.isEmpty())
            break;
        if (senzaFine && ultima == UltimaRiga::Troncata)
            throw ErroreDiRiga(n + 1, QStringLiteral("riga incompleta, la lista è troncata"));
        if (riga.endsWith('\r'))
            riga.chop(1);
        const QList<QByteArray> campi = riga.split('|');
        if (campi.size() != 10 || (nuovo.empty() && Intestazione(campi)))
            continue;
        Estrazione e = RigaLista(campi);
        if (const QString problema = ProblemaEstrazione(e); !e.vuota() && !problema.isEmpty())
            throw ErroreDiRiga(n + 1, problema);
        Accoda(nuovo, std::move(e));
    }
    return nuovo;
}

ArchivioEstrazioni LeggiFileArchivioRigoroso(const QByteArray& byte) {
    if (byte.isEmpty() || byte.size() % ByteRecord != 0)
        throw Errore::applicazione(QStringLiteral("La dimensione del file (%1 byte) non è un multiplo di %2")
                                       .arg(byte.size())
                                       .arg(ByteRecord));
    ArchivioEstrazioni letto;
    letto.reserve(static_cast<std::size_t>(byte.size() / ByteRecord));
    for (qsizetype inizio = 0; inizio < byte.size(); inizio += ByteRecord) {
        Estrazione e = LeggiRecord(byte.constData() + inizio);
        if (e.vuota())
            continue;
        if (const QString problema = ProblemaEstrazione(e); !problema.isEmpty())
            throw Errore::applicazione(QStringLiteral("Record %1: %2").arg(inizio / ByteRecord + 1).arg(problema));
        letto.push_back(std::move(e));
    }
    if (letto.empty())
        throw Errore::applicazione(QStringLiteral("Il file non contiene estrazioni"));
    return letto;
}

bool ListaCompleta(const ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuova) {
    const auto ultima =
        std::find_if(archivio.rbegin(), archivio.rend(), [](const Estrazione& e) { return !e.vuota(); });
    if (ultima == archivio.rend())
        return true;
    const bool haLUltima = std::any_of(nuova.begin(), nuova.end(), [&](const Estrazione& e) {
        return !e.vuota() && SenzaRiempimento(e.data) == SenzaRiempimento(ultima->data);
    });
    return haLUltima && NumeroEstrazioni(nuova) >= NumeroEstrazioni(archivio);
}

QString PercorsoArchivio(const QString& cartellaDati) {
    return cartellaDati + QStringLiteral("/archivio/sestinaplan.dat");
}

bool LoadArchivioEstrazioni(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui) {
    Occupato occupato(ui);
    try {
        QDir().mkpath(QFileInfo(percorso).absolutePath());
        const QByteArray byte = LeggiOCreaFile(percorso, LimiteFileArchivio);
        ArchivioEstrazioni letto;
        letto.reserve(CapacitaIniziale);
        for (qsizetype inizio = 0; inizio + ByteRecord <= byte.size(); inizio += ByteRecord) {
            Estrazione e = LeggiRecord(byte.constData() + inizio);
            if (!e.vuota() && EstrazioneValida(e))
                Accoda(letto, std::move(e));
        }
        if (letto.empty())
            letto.emplace_back();
        letto.shrink_to_fit();
        archivio = std::move(letto);
        return true;
    } catch (const Errore& e) {
        MostraErrore(ui, ConPercorso(e, percorso), QStringLiteral("LoadArchivioEstrazioni"), Finestra);
        return false;
    }
}

EsitoLista LoadArchivioTMP(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui) {
    try {
        ArchivioEstrazioni nuovo = LeggiListaEstrazioni(LeggiFileLimitato(percorso, LimiteFileArchivio));
        if (!HaEstrazioni(nuovo))
            return EsitoLista::SenzaEstrazioni;
        archivio = std::move(nuovo);
        return EsitoLista::Letta;
    } catch (const Errore& e) {
        MostraErrore(ui, ConPercorso(e, percorso), QStringLiteral("LoadArchivioTMP"), Finestra);
        return EsitoLista::Errata;
    }
}

EsitoAggiornamento AggiornaArchivio(ArchivioEstrazioni& archivio, const std::function<bool(const QString&)>& scarica,
                                    const QString& fileDownload, const QString& fileArchivio, Interfaccia& ui) {
    if (!scarica(fileDownload))
        return EsitoAggiornamento::DownloadFallito;
    ArchivioEstrazioni nuovo;
    const EsitoLista lista = LoadArchivioTMP(nuovo, fileDownload, ui);
    if (lista == EsitoLista::SenzaEstrazioni)
        return EsitoAggiornamento::DownloadFallito;
    if (lista == EsitoLista::Errata)
        return EsitoAggiornamento::ListaErrata;
    if (!ListaCompleta(archivio, nuovo))
        return EsitoAggiornamento::Incompleto;
    if (!SaveArchivioEstrazioni(nuovo, fileArchivio, ui))
        return EsitoAggiornamento::SalvataggioFallito;
    archivio = std::move(nuovo);
    return EsitoAggiornamento::Aggiornato;
}

QString PercorsoDownloadArchivio(const QString& cartellaTemp) {
    return cartellaTemp + QStringLiteral("sestinaplan_download.dat");
}

QByteArray ByteArchivio(const ArchivioEstrazioni& archivio) {
    QByteArray byte;
    byte.reserve(static_cast<qsizetype>(archivio.size()) * ByteRecord);
    for (const Estrazione& e : archivio)
        ScriviRecord(byte, e);
    return byte;
}

bool SaveArchivioEstrazioni(const ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui) {
    Occupato occupato(ui);
    if (ScriviFileIntero(percorso, ByteArchivio(archivio)))
        return true;
    MostraErrore(ui, ConPercorso(ErroreDiScrittura(percorso), percorso), QStringLiteral("SaveArchivioEstrazioni"),
                 Finestra);
    return false;
}

QByteArray ScriviListaEstrazioni(const ArchivioEstrazioni& archivio) {
    QByteArray testo;
    testo.reserve(static_cast<qsizetype>(archivio.size()) * 48);
    for (const Estrazione& e : archivio) {
        if (e.vuota())
            continue;
        testo += QByteArray::number(e.concorso) + '|' + ACp1252(SenzaRiempimento(e.data));
        for (int i = 1; i <= 6; ++i)
            testo += '|' + QByteArray::number(e.estratti[static_cast<std::size_t>(i)]);
        testo += '|' + QByteArray::number(e.jolly) + '|' + QByteArray::number(e.superstar) + "\r\n";
    }
    return testo;
}

QStringList RigheArchivio(const ArchivioEstrazioni& archivio) {
    QStringList righe;
    righe.reserve(static_cast<qsizetype>(archivio.size()));
    for (std::size_t i = archivio.size(); i-- > 0;) {
        const Estrazione& e = archivio[i];
        if (e.vuota())
            continue;
        const QString concorso = (e.concorso < 0 ? QStringLiteral("-") : QString()) +
                                 QStringLiteral("%1").arg(std::abs(int{e.concorso}), 3, 10, QLatin1Char('0'));
        righe << QStringLiteral(" %1 | %2 | %3 | %4 | %5")
                     .arg(e.data, concorso, FormatColonna(e.estratti.data() + 1, 6, 1),
                          QStringLiteral("%1").arg(e.jolly, 2, 10, QLatin1Char('0')),
                          QStringLiteral("%1").arg(e.superstar, 2, 10, QLatin1Char('0')));
    }
    return righe;
}

} // namespace sestina
