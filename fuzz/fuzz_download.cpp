// What a download receives: a loopback server in this process answers every request with the input
// as it stands (status line, headers, body) and closes; DownloadFile fetches into a file that holds
// an old content. A redirect can only lead back here, the one host allowed.
#include "Bersaglio.h"
#include "Download.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>

namespace {

const QByteArray Vecchio = "vecchio";

class ServerDellInput final {
public:
    ServerDellInput() {
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            std::abort();
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* connessione = m_server.nextPendingConnection()) {
                QObject::connect(connessione, &QTcpSocket::disconnected, connessione, &QObject::deleteLater);
                QObject::connect(connessione, &QTcpSocket::readyRead, [this, connessione] { rispondi(*connessione); });
            }
        });
    }
    QString indirizzo() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void risposta(QByteArray byte) { m_risposta = std::move(byte); }

private:
    void rispondi(QTcpSocket& connessione) {
        if (!connessione.peek(connessione.bytesAvailable()).contains("\r\n\r\n"))
            return;
        connessione.readAll();
        connessione.write(m_risposta);
        connessione.disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_risposta;
};

QCoreApplication& Applicazione() {
    static int argc = 1;
    static char nome[] = "fuzz_download";
    static char* argv[] = {nome, nullptr};
    static QCoreApplication applicazione(argc, argv);
    return applicazione;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    Applicazione();
    static ServerDellInput server;
    static constexpr sestina::LimitiDownload Limiti{200, 1000, 64 * 1024, 2};
    server.risposta(QByteArray(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione)));
    const QString percorso =
        sestina::fuzz::FileDaInput(reinterpret_cast<const std::uint8_t*>(Vecchio.constData()),
                                   static_cast<std::size_t>(Vecchio.size()), QStringLiteral("v.txt"));
    sestina::fuzz::UtenteMuto ui;
    sestina::ContoDownload conto;
    conto.disponibili = 48 * 1024;
    const bool riuscito =
        sestina::DownloadFile(server.indirizzo() + sestina::PaginaVersione, percorso, true, ui, Limiti, &conto);
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        __builtin_trap();
    const QByteArray arrivato = file.readAll();
    // A failure leaves the old file, alone; a success stays within the update's budget.
    if (!riuscito && arrivato != Vecchio)
        __builtin_trap();
    if (riuscito && (arrivato.size() > 48 * 1024 || conto.disponibili != 48 * 1024 - arrivato.size()))
        __builtin_trap();
    if (QDir(sestina::fuzz::Cartella()).entryList(QDir::Files | QDir::Hidden) != QStringList{QStringLiteral("v.txt")})
        __builtin_trap();
    return 0;
}
