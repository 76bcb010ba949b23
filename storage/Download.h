#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <limits>

class QUrl;

namespace sestina {

class Interfaccia;

// Limits of one download; the defaults are the program's, tests shorten the timeouts.
struct LimitiDownload {
    int attesaMassimaByteMs = 5000; // no byte for this long: failure
    int durataMassimaMs = 60000;    // whole transfer
    qint64 dimensioneMassima = 16 * 1024 * 1024;
    int redirezioniMassime = 5;
};

// Shared by the downloads of one update: the bytes all of them may still bring, and the user's stop.
struct ContoDownload {
    qint64 disponibili = std::numeric_limits<qint64>::max(); // each body byte that arrives is taken off
    std::function<bool()> interrotto;                        // asked while a transfer runs: true aborts it
};

// A plain HTTP GET of url into percorso. The body lands in a temporary file beside percorso and
// replaces it only when it arrived whole; anything else (no connection, an HTTP error status,
// a timeout, a body cut short or too large, too many redirects, a redirect that leaves the host,
// a stop asked through conto) returns false and leaves percorso as it was. With svuotaCache no
// cached copy is used. Runs a local event loop; ui.elaboraEventi is not needed by the caller
// meanwhile. percorso belongs in a CartellaPrivata: a link there would be written through.
bool DownloadFile(const QString& url, const QString& percorso, bool svuotaCache, Interfaccia& ui,
                  const LimitiDownload& limiti = {}, ContoDownload* conto = nullptr);

// A redirect is followed only to the host asked for; the scheme may only go from http to https.
bool RedirezioneAmmessa(const QUrl& da, const QUrl& a);

// The user's temporary folder with its trailing separator; empty when the platform gives none.
QString CartellaTemp();

// A folder made for one run inside the temporary folder, for its owner only, removed with all it
// holds when destroyed. Scratch files go here, never under a fixed name in the shared folder,
// where another account could have planted a link or a file of its own.
class CartellaPrivata final {
public:
    CartellaPrivata();
    bool valida() const { return m_cartella.isValid(); }
    // The folder with its trailing separator; empty when it could not be made.
    QString percorso() const;

private:
    QTemporaryDir m_cartella;
};

// The publisher's server: the program's own host, or indirizzo_server of section "Impostazioni"
// of the configuration file when present (never written). No trailing "/".
QString IndirizzoServer(const QString& fileConfigurazione);

// The publisher's paths.
inline const QString PaginaVersione = QStringLiteral("/public/sestinaplan/ver.asp");
inline const QString PaginaArchivio = QStringLiteral("/sestinaplan/archivio.asp?dal=19971203");
inline const QString PaginaListaMatrici = QStringLiteral("/public/decaplan/lista.asp?K=06&M=06");
inline const QString PaginaDownloadMatrice = QStringLiteral("/public/decaplan/matrici/download.aspx?file=");

} // namespace sestina
