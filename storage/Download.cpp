#include "Download.h"

#include "Errore.h"
#include "Interfaccia.h"
#include "classINI.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace sestina {
namespace {

// The program's own publisher; a shop's configuration may name another.
const QString ServerPredefinito = QStringLiteral("http://www.sestinaplan.it");

QNetworkRequest Richiesta(const QUrl& indirizzo, bool svuotaCache, const LimitiDownload& limiti) {
    QNetworkRequest richiesta(indirizzo);
    richiesta.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    richiesta.setMaximumRedirectsAllowed(limiti.redirezioniMassime);
    richiesta.setTransferTimeout(limiti.attesaMassimaByteMs);
    if (svuotaCache) {
        richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        richiesta.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        richiesta.setRawHeader("Cache-Control", "no-cache");
        richiesta.setRawHeader("Pragma", "no-cache");
    }
    return richiesta;
}

// Whole means: no transfer error, a 2xx status, and as many bytes as the server announced.
bool ArrivatoIntero(QNetworkReply& risposta, qint64 ricevuti) {
    if (risposta.error() != QNetworkReply::NoError)
        return false;
    const int stato = risposta.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (stato < 200 || stato > 299)
        return false;
    const QVariant lunghezza = risposta.header(QNetworkRequest::ContentLengthHeader);
    return !lunghezza.isValid() || lunghezza.toLongLong() == ricevuti;
}

} // namespace

bool DownloadFile(const QString& url, const QString& percorso, bool svuotaCache, Interfaccia& ui,
                  const LimitiDownload& limiti) {
    const QUrl indirizzo(url);
    const QString schema = indirizzo.scheme().toLower();
    if (!indirizzo.isValid() || (schema != QStringLiteral("http") && schema != QStringLiteral("https")))
        return false;
    try {
        QSaveFile destinazione(percorso);
        // Unbuffered: a short write must fail here, not vanish inside commit().
        if (!destinazione.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;

        QNetworkAccessManager rete;
        QNetworkReply* risposta = rete.get(Richiesta(indirizzo, svuotaCache, limiti));
        qint64 ricevuti = 0;
        bool troppoGrande = false;
        bool scrittoMale = false;

        QObject::connect(risposta, &QNetworkReply::readyRead, risposta, [&] {
            const QByteArray parte = risposta->readAll();
            ricevuti += parte.size();
            if (ricevuti > limiti.dimensioneMassima) {
                troppoGrande = true;
                risposta->abort();
                return;
            }
            if (destinazione.write(parte) != parte.size()) {
                scrittoMale = true;
                risposta->abort();
            }
        });
        QTimer scadenza;
        scadenza.setSingleShot(true);
        QObject::connect(&scadenza, &QTimer::timeout, risposta, &QNetworkReply::abort);
        QEventLoop attesa;
        QObject::connect(risposta, &QNetworkReply::finished, &attesa, &QEventLoop::quit);
        scadenza.start(limiti.durataMassimaMs);
        if (!risposta->isFinished())
            attesa.exec();
        scadenza.stop();

        const bool intero = !troppoGrande && !scrittoMale && ArrivatoIntero(*risposta, ricevuti);
        risposta->deleteLater();
        if (!intero) {
            destinazione.cancelWriting();
            return false;
        }
        return destinazione.commit();
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("DownloadFile"));
        return false;
    } catch (const std::bad_alloc&) {
        MostraErrore(ui, Errore::comune(numeri_errore::MemoriaEsaurita), QStringLiteral("DownloadFile"));
        return false;
    }
}

QString CartellaTemp() {
    const QString cartella = QDir::tempPath();
    if (cartella.isEmpty())
        return {};
    return cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/');
}

int ApriDocumento(const QString& percorso) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(percorso)) ? 0 : 1;
}

void ApriIndirizzo(const QString& indirizzo) {
    const QUrl url = QUrl::fromUserInput(indirizzo);
    QDesktopServices::openUrl(url);
}

QString IndirizzoServer(const QString& fileConfigurazione) {
    classINI ini;
    ini.FileINI(fileConfigurazione);
    QString indirizzo =
        ini.getProperty(QStringLiteral("Impostazioni"), QStringLiteral("indirizzo_server"), QString()).trimmed();
    if (indirizzo.isEmpty())
        indirizzo = ServerPredefinito;
    while (indirizzo.endsWith(QLatin1Char('/')))
        indirizzo.chop(1);
    return indirizzo;
}

} // namespace sestina
