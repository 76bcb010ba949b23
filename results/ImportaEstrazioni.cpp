#include "ImportaEstrazioni.h"

#include "Archivio.h"
#include "Errore.h"
#include "FileIntero.h"
#include "Interfaccia.h"
#include "SpoglioColonna.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <limits>

namespace sestina {
namespace {

const QString TitoloArchivio = QStringLiteral("Archivio Estrazioni");
const QStringList ColonneCsv = {QStringLiteral("date"),  QStringLiteral("contest_number"),
                                QStringLiteral("n1"),    QStringLiteral("n2"),
                                QStringLiteral("n3"),    QStringLiteral("n4"),
                                QStringLiteral("n5"),    QStringLiteral("n6"),
                                QStringLiteral("jolly"), QStringLiteral("superstar")};
constexpr qint64 LimiteFileImportato = 8 * 1024 * 1024;

Errore ErroreDiRiga(qsizetype riga, const QString& testo) {
    return Errore::applicazione(QStringLiteral("Riga %1: %2").arg(riga).arg(testo));
}

// Digits at [da, da + quante) of t as a number, or -1. QDate::fromString with a format is slow
// enough to dominate an import of thousands of draws.
int Cifre(QStringView t, qsizetype da, qsizetype quante) {
    int valore = 0;
    for (qsizetype i = da; i < da + quante; ++i) {
        if (!t[i].isDigit() || t[i].unicode() > u'9')
            return -1;
        valore = valore * 10 + (t[i].unicode() - u'0');
    }
    return valore;
}

// yyyy-mm-dd or dd/mm/yyyy; an invalid date otherwise.
QDate DataDaTesto(QStringView t) {
    t = t.trimmed();
    if (t.size() != 10)
        return {};
    if (t[4] == QLatin1Char('-') && t[7] == QLatin1Char('-'))
        return {Cifre(t, 0, 4), Cifre(t, 5, 2), Cifre(t, 8, 2)};
    if (t[2] == QLatin1Char('/') && t[5] == QLatin1Char('/'))
        return {Cifre(t, 6, 4), Cifre(t, 3, 2), Cifre(t, 0, 2)};
    return {};
}

// The archive's dates are the server's dd/mm/yyyy text; anything else has no place in date order.
QDate DataDi(const Estrazione& e) {
    const QString data = SenzaRiempimento(e.data);
    return data.contains(QLatin1Char('/')) ? DataDaTesto(data) : QDate();
}

QString Campo(const QString& testo) {
    QString t = testo.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2).trimmed();
    return t;
}

int Numero(const QString& testo, qsizetype riga, const QString& nome, int massimo) {
    bool ok = false;
    const int valore = Campo(testo).toInt(&ok);
    if (!ok || valore < 0 || valore > massimo)
        throw ErroreDiRiga(riga, QStringLiteral("%1 non valido (\"%2\")").arg(nome, Campo(testo).left(20)));
    return valore;
}

Estrazione RigaCsv(const QStringList& campi, qsizetype riga) {
    Estrazione e;
    const QDate data = DataDaTesto(Campo(campi[0]));
    if (!data.isValid())
        throw ErroreDiRiga(riga, QStringLiteral("data non valida (\"%1\")").arg(Campo(campi[0]).left(20)));
    e.data = data.toString(QStringLiteral("dd/MM/yyyy"));
    e.concorso = static_cast<std::int16_t>(
        Numero(campi[1], riga, QStringLiteral("numero del concorso"), std::numeric_limits<std::int16_t>::max()));
    for (int i = 1; i <= 6; ++i)
        e.estratti[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(Numero(campi[1 + i], riga, QStringLiteral("numero %1").arg(i), 255));
    e.jolly = static_cast<std::uint8_t>(Numero(campi[8], riga, QStringLiteral("Jolly"), 255));
    e.superstar = static_cast<std::uint8_t>(Numero(campi[9], riga, QStringLiteral("SuperStar"), 255));
    if (const QString problema = ProblemaEstrazione(e); !problema.isEmpty())
        throw ErroreDiRiga(riga, problema);
    return e;
}

bool IntestazioneCsv(const QStringList& campi) {
    if (campi.size() != ColonneCsv.size())
        return false;
    for (qsizetype i = 0; i < campi.size(); ++i)
        if (Campo(campi[i]).compare(ColonneCsv[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

ArchivioEstrazioni LeggiCsv(const QList<QByteArray>& righe, QChar separatore) {
    ArchivioEstrazioni estrazioni;
    bool primaRiga = true;
    for (qsizetype n = 0; n < righe.size(); ++n) {
        const QString riga = QString::fromUtf8(righe[n]).trimmed();
        if (riga.isEmpty())
            continue;
        const QStringList campi = riga.split(separatore);
        const bool intestazione = primaRiga && !DataDaTesto(Campo(campi[0])).isValid();
        primaRiga = false;
        if (intestazione) {
            if (!IntestazioneCsv(campi))
                throw ErroreDiRiga(n + 1, QStringLiteral("intestazione non riconosciuta"));
            continue;
        }
        if (campi.size() != ColonneCsv.size())
            throw ErroreDiRiga(n + 1,
                               QStringLiteral("attesi %1 campi, trovati %2").arg(ColonneCsv.size()).arg(campi.size()));
        estrazioni.push_back(RigaCsv(campi, n + 1));
    }
    return estrazioni;
}

bool StessiNumeri(const Estrazione& a, const Estrazione& b) {
    auto ordinati = [](const Estrazione& e) {
        std::array<std::uint8_t, 6> n{};
        std::copy(e.estratti.begin() + 1, e.estratti.end(), n.begin());
        std::sort(n.begin(), n.end());
        return n;
    };
    return ordinati(a) == ordinati(b) && a.jolly == b.jolly && a.superstar == b.superstar;
}

Errore Conflitto(const QDate& data) {
    return Errore::applicazione(QStringLiteral("Il concorso del %1 è diverso da quello in archivio")
                                    .arg(data.toString(QStringLiteral("dd/MM/yyyy"))));
}

void MostraRifiuto(Interfaccia& ui, const Errore& e) {
    ui.messaggio(e.descrizione(), TitoloArchivio, Icona::Esclamazione, Pulsanti::Ok);
}

} // namespace

ArchivioEstrazioni LeggiEstrazioniDaImportare(const QByteArray& testo) {
    const QList<QByteArray> righe = testo.split('\n');
    const auto prima =
        std::find_if(righe.begin(), righe.end(), [](const QByteArray& r) { return !r.trimmed().isEmpty(); });
    if (prima == righe.end())
        throw Errore::applicazione(QStringLiteral("Il file non contiene estrazioni"));
    ArchivioEstrazioni estrazioni;
    if (prima->contains('|'))
        estrazioni = LeggiListaEstrazioni(testo, UltimaRiga::Ammessa);
    else
        estrazioni = LeggiCsv(righe, prima->contains(';') ? QLatin1Char(';') : QLatin1Char(','));
    if (!HaEstrazioni(estrazioni))
        throw Errore::applicazione(QStringLiteral("Il file non contiene estrazioni"));
    return estrazioni;
}

Unione UnisciEstrazioni(const ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuove) {
    QHash<qint64, Estrazione> note;
    for (const Estrazione& e : archivio)
        if (!e.vuota() && DataDi(e).isValid())
            note.insert(DataDi(e).toJulianDay(), e);

    ArchivioEstrazioni aggiunte;
    for (const Estrazione& e : nuove) {
        if (e.vuota())
            continue;
        const QDate data = DataDi(e);
        if (!data.isValid())
            throw Errore::applicazione(QStringLiteral("Data non valida: %1").arg(SenzaRiempimento(e.data)));
        if (const auto nota = note.constFind(data.toJulianDay()); nota != note.constEnd()) {
            if (!StessiNumeri(*nota, e))
                throw Conflitto(data);
            continue;
        }
        aggiunte.push_back(e);
        note.insert(data.toJulianDay(), e);
    }
    std::vector<std::pair<qint64, std::size_t>> ordine;
    ordine.reserve(aggiunte.size());
    for (std::size_t i = 0; i < aggiunte.size(); ++i)
        ordine.emplace_back(DataDi(aggiunte[i]).toJulianDay(), i);
    std::sort(ordine.begin(), ordine.end());

    Unione unione;
    unione.aggiunte = static_cast<int>(aggiunte.size());
    unione.archivio.reserve(archivio.size() + aggiunte.size());
    auto nuova = ordine.begin();
    for (const Estrazione& e : archivio) {
        if (e.vuota())
            continue;
        const QDate data = DataDi(e);
        for (; nuova != ordine.end() && data.isValid() && nuova->first < data.toJulianDay(); ++nuova)
            unione.archivio.push_back(aggiunte[nuova->second]);
        unione.archivio.push_back(e);
    }
    for (; nuova != ordine.end(); ++nuova)
        unione.archivio.push_back(aggiunte[nuova->second]);
    return unione;
}

EsitoAggiunta AggiungiAllArchivio(ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuove,
                                  const QString& fileArchivio, Interfaccia& ui) {
    Unione unione;
    try {
        unione = UnisciEstrazioni(archivio, nuove);
    } catch (const Errore& e) {
        MostraRifiuto(ui, e);
        return {};
    }
    if (unione.aggiunte > 0) {
        QDir().mkpath(QFileInfo(fileArchivio).absolutePath());
        if (!SaveArchivioEstrazioni(unione.archivio, fileArchivio, ui))
            return {};
        archivio = std::move(unione.archivio);
    }
    return {true, unione.aggiunte};
}

EsitoAggiunta ImportaEstrazioni(ArchivioEstrazioni& archivio, const QString& file, const QString& fileArchivio,
                                Interfaccia& ui) {
    ArchivioEstrazioni nuove;
    try {
        QFile ingresso(file);
        if (!QFileInfo(file).isFile() || !ingresso.open(QIODevice::ReadOnly))
            throw Errore::applicazione(
                QStringLiteral("Impossibile leggere il file %1").arg(QDir::toNativeSeparators(file)));
        const QByteArray testo = ingresso.read(LimiteFileImportato + 1);
        if (testo.size() > LimiteFileImportato)
            throw Errore::applicazione(
                QStringLiteral("File troppo grande (limite %1 MiB)").arg(LimiteFileImportato >> 20));
        nuove = LeggiEstrazioniDaImportare(testo);
    } catch (const Errore& e) {
        MostraRifiuto(ui, e);
        return {};
    }
    return AggiungiAllArchivio(archivio, nuove, fileArchivio, ui);
}

QString TestoEstrazioniAggiunte(int aggiunte) {
    return QStringLiteral("Estrazioni aggiunte: %1").arg(aggiunte);
}

std::optional<ErroreDigitazione> ValidaEstrazioneDigitata(EstrazioneDigitata& d, Estrazione& risultato) {
    const QString attenzione = QStringLiteral("Attenzione");
    const QDate data = QDate::fromString(d.data.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!data.isValid())
        return ErroreDigitazione{QStringLiteral("Data non valida: usare il formato GG/MM/AAAA"), attenzione};
    bool ok = false;
    const int concorso = d.concorso.trimmed().toInt(&ok);
    if (!ok || concorso < 1 || concorso > std::numeric_limits<std::int16_t>::max())
        return ErroreDigitazione{QStringLiteral("Numero del concorso non valido"), attenzione};
    if (const auto errore = ValidaColonnaSpoglio(d.caselle))
        return ErroreDigitazione{errore->testo, errore->titolo};
    const QString superstar = d.superstar.trimmed();
    int valoreSuperstar = 0;
    if (!superstar.isEmpty()) {
        valoreSuperstar = superstar.toInt(&ok);
        if (!ok || valoreSuperstar < 1 || valoreSuperstar > 90)
            return ErroreDigitazione{QStringLiteral("Valore %1 non ammesso").arg(superstar.left(5)),
                                     QStringLiteral("Colonna Errata")};
    }
    risultato = Estrazione{};
    risultato.data = data.toString(QStringLiteral("dd/MM/yyyy"));
    risultato.concorso = static_cast<std::int16_t>(concorso);
    for (std::size_t i = 0; i < 6; ++i)
        risultato.estratti[i + 1] = static_cast<std::uint8_t>(ValoreCasella(d.caselle[i]));
    risultato.jolly = static_cast<std::uint8_t>(ValoreCasella(d.caselle[6]));
    risultato.superstar = static_cast<std::uint8_t>(valoreSuperstar);
    return std::nullopt;
}

QString FileEstrazioniDistribuite() {
    if (!QCoreApplication::instance())
        return {};
    const QString percorso = QCoreApplication::applicationDirPath() +
                             QStringLiteral("/../share/sestinaplan/estrazioni/superenalotto-2009-2026.csv");
    return QFileInfo(percorso).isFile() ? QDir::cleanPath(percorso) : QString();
}

bool CopiaArchivioIniziale(const QString& fileDistribuito, const QString& fileArchivio) {
    const QFileInfo info(fileArchivio);
    if (info.exists()) {
        QFile esistente(fileArchivio);
        if (!info.isFile() || !esistente.open(QIODevice::ReadOnly))
            return false;
        constexpr int ByteRecord = 20;
        const QByteArray byte = esistente.read(LimiteFileImportato);
        for (qsizetype i = 0; i + ByteRecord <= byte.size(); i += ByteRecord)
            if (byte[i + 12] != 0)
                return false;
    }
    if (fileDistribuito.isEmpty())
        return false;
    QFile distribuito(fileDistribuito);
    if (!distribuito.open(QIODevice::ReadOnly))
        return false;
    try {
        const ArchivioEstrazioni estrazioni = LeggiEstrazioniDaImportare(distribuito.read(LimiteFileImportato));
        QDir().mkpath(info.absolutePath());
        return ScriviFileIntero(fileArchivio, ByteArchivio(UnisciEstrazioni({}, estrazioni).archivio));
    } catch (const Errore&) {
        return false;
    }
}

} // namespace sestina
