#include "Versione.h"

#include "Errore.h"
#include "FileIntero.h"

#include <QFile>
#include <QStringList>

namespace sestina {
namespace {

// Only the first line is read, and never more of it than this.
constexpr qint64 LunghezzaMassimaRiga = 4095;

// The number a part's leading digits make, blanks before them skipped; 0 when there are none.
qint64 ValoreParte(const QString& parte) {
    qint64 valore = 0;
    qsizetype i = 0;
    while (i < parte.size() && (parte[i] == QLatin1Char(' ') || parte[i] == QLatin1Char('\t')))
        ++i;
    for (; i < parte.size() && parte[i] >= QLatin1Char('0') && parte[i] <= QLatin1Char('9'); ++i) {
        valore = valore * 10 + (parte[i].unicode() - u'0');
        if (valore > 1'000'000'000'000LL)
            break;
    }
    return valore;
}

} // namespace

QString PrimaRigaVersione(const QString& percorso) {
    QByteArray riga = LeggiInizioFile(percorso, LunghezzaMassimaRiga);
    const qsizetype fine = riga.indexOf('\n');
    if (fine >= 0)
        riga.truncate(fine);
    while (riga.endsWith('\r'))
        riga.chop(1);
    return QString::fromLatin1(riga);
}

QString VersioneLocale() {
    return QStringLiteral("%1.%2.%3")
        .arg(SESTINA_VERSIONE_MAJOR)
        .arg(SESTINA_VERSIONE_MINOR)
        .arg(SESTINA_VERSIONE_REVISION);
}

bool VersioneServerPiuRecente(const QString& locale, const QString& primaRigaServer) {
    const QStringList parti = locale.split(QLatin1Char('.'));
    const QStringList server = primaRigaServer.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < parti.size(); ++i) {
        const qint64 suo = i < server.size() ? ValoreParte(server[i]) : 0;
        const qint64 nostro = ValoreParte(parti[i]);
        if (suo != nostro)
            return suo > nostro;
    }
    return false;
}

std::optional<QString> NewVersion(const QString& indirizzoServer, Interfaccia& ui, const LimitiDownload& limiti) {
    const CartellaPrivata cartella;
    const QString temporaneo = cartella.percorso() + QStringLiteral("sestinaplanver.txt");
    if (!cartella.valida() || !DownloadFile(indirizzoServer + PaginaVersione, temporaneo, true, ui, limiti))
        return std::nullopt;
    try {
        const QString remota = PrimaRigaVersione(temporaneo);
        if (VersioneServerPiuRecente(VersioneLocale(), remota))
            return remota;
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("NewVersion"));
    }
    return std::nullopt;
}

} // namespace sestina
