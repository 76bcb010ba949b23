#include "Download.h"

#include "Errore.h"
#include "Interfaccia.h"
#include "classINI.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace sestina {
namespace {

// The program's own publisher; a shop's configuration may name another.
const QString ServerPredefinito = QStringLiteral("http://www.sestinaplan.it");

// How often a running transfer asks whether the user stopped it.
constexpr int IntervalloInterruzioneMs = 50;

QNetworkRequest Richiesta(const QUrl& indirizzo, bool svuotaCache, const LimitiDownload& limiti) {
    QNetworkRequest richiesta(indirizzo);
    // Every redirect is checked by DownloadFile before it is followed.
    richiesta.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
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
                  const LimitiDownload& limiti, ContoDownload* conto) {
    const QUrl indirizzo(url);
    const QString schema = indirizzo.scheme().toLower();
    if (!indirizzo.isValid() || (schema != QStringLiteral("http") && schema != QStringLiteral("https")) ||
        percorso.isEmpty())
        return false;
    try {
        QSaveFile destinazione(percorso);
        // Unbuffered: a short write must fail here, not vanish inside commit().
        if (!destinazione.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;

        QNetworkAccessManager rete;
        QNetworkReply* risposta = rete.get(Richiesta(indirizzo, svuotaCache, limiti));
        const qint64 massimo =
            conto ? std::min(limiti.dimensioneMassima, conto->disponibili) : limiti.dimensioneMassima;
        qint64 ricevuti = 0;
        bool rifiutato = false; // too large, badly written, redirected elsewhere or stopped

        QObject::connect(risposta, &QNetworkReply::readyRead, risposta, [&] {
            const QByteArray parte = risposta->readAll();
            ricevuti += parte.size();
            if (ricevuti > massimo || destinazione.write(parte) != parte.size()) {
                rifiutato = true;
                risposta->abort();
            }
        });
        QUrl corrente = indirizzo;
        QObject::connect(risposta, &QNetworkReply::redirected, risposta, [&](const QUrl& verso) {
            if (!RedirezioneAmmessa(corrente, verso)) {
                rifiutato = true;
                risposta->abort();
                return;
            }
            corrente = verso;
            Q_EMIT risposta->redirectAllowed();
        });
        QTimer scadenza;
        scadenza.setSingleShot(true);
        QObject::connect(&scadenza, &QTimer::timeout, risposta, &QNetworkReply::abort);
        QTimer interruzione;
        if (conto && conto->interrotto) {
            QObject::connect(&interruzione, &QTimer::timeout, risposta, [&] {
                if (conto->interrotto()) {
                    rifiutato = true;
                    risposta->abort();
                }
            });
            interruzione.start(IntervalloInterruzioneMs);
        }
        QEventLoop attesa;
        QObject::connect(risposta, &QNetworkReply::finished, &attesa, &QEventLoop::quit);
        scadenza.start(limiti.durataMassimaMs);
        if (!risposta->isFinished())
            attesa.exec();
        scadenza.stop();
        interruzione.stop();
        if (conto)
            conto->disponibili = std::max<qint64>(0, conto->disponibili - ricevuti);

        const bool intero = !rifiutato && ArrivatoIntero(*risposta, ricevuti);
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

bool RedirezioneAmmessa(const QUrl& da, const QUrl& a) {
    const QString schemaDa = da.scheme().toLower();
    const QString schemaA = a.scheme().toLower();
    const bool web = schemaA == QStringLiteral("http") || schemaA == QStringLiteral("https");
    const bool schemaAmmesso = schemaA == schemaDa || (schemaDa == QStringLiteral("http") && web);
    return web && schemaAmmesso && !a.host().isEmpty() && a.host().compare(da.host(), Qt::CaseInsensitive) == 0;
}

QString CartellaTemp() {
    const QString cartella = QDir::tempPath();
    if (cartella.isEmpty())
        return {};
    return cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/');
}

// mkdtemp: a new name, created for the owner alone.
CartellaPrivata::CartellaPrivata() : m_cartella(QDir::tempPath() + QStringLiteral("/sestinaplan-XXXXXX")) {}

QString CartellaPrivata::percorso() const {
    return valida() ? m_cartella.path() + QLatin1Char('/') : QString();
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
