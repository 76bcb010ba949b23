#include "IstanzaUnica.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace sestina {

namespace {

const QByteArray RichiestaMostra = QByteArrayLiteral("mostra\n");
// Followed by the percent-encoded full path of the file and a line end.
const QByteArray RichiestaApri = QByteArrayLiteral("apri ");
// Room for the longest path, every byte encoded.
constexpr qint64 LunghezzaMassima = 3 * 4096 + 16;
// A client that neither speaks nor leaves is dropped, so it cannot hold a socket forever.
constexpr int AttesaCliente = 3000;

QString utente() {
    QString nome = qEnvironmentVariable("USER");
    if (nome.isEmpty())
        nome = qEnvironmentVariable("USERNAME");
    return nome + QLatin1Char('\n') + QDir::homePath();
}

} // namespace

IstanzaUnica::IstanzaUnica(const QString& cartellaDati) : m_nome(NomeServer(cartellaDati)) {}

IstanzaUnica::~IstanzaUnica() = default;

QString IstanzaUnica::NomeServer(const QString& cartellaDati) {
    const QFileInfo info(cartellaDati);
    QString percorso = info.canonicalFilePath();
    if (percorso.isEmpty())
        percorso = QDir::cleanPath(info.absoluteFilePath());
#ifdef Q_OS_WIN
    percorso = percorso.toLower();
#endif
    // Hashed: folder paths can be long and hold characters a socket name cannot.
    const QByteArray impronta =
        QCryptographicHash::hash((utente() + QLatin1Char('\n') + percorso).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("sestinaplan-") + QString::fromLatin1(impronta.toHex().left(24));
}

bool IstanzaUnica::avvisaIstanzaInCorso(int attesaMs, const QString& file) {
    QLocalSocket socket;
    socket.connectToServer(m_nome);
    // A socket left by a crashed instance refuses the connection: nobody is running.
    if (!socket.waitForConnected(attesaMs))
        return false;
    QByteArray richiesta = RichiestaMostra;
    if (!file.isEmpty()) {
        // The running instance has a working folder of its own.
        const QString assoluto = QFileInfo(file).absoluteFilePath();
        richiesta = RichiestaApri + QUrl::toPercentEncoding(assoluto) + '\n';
    }
    socket.write(richiesta);
    // This process ends right after: the request must be out before it does.
    socket.waitForBytesWritten(attesaMs);
    socket.disconnectFromServer();
    return true;
}

bool IstanzaUnica::cediAIstanzaInCorso(const QString& file, int attesaMs) {
    if (avvisaIstanzaInCorso(attesaMs, file))
        return true;
    prendiNome();
    return false;
}

bool IstanzaUnica::prendiNome() {
    if (m_server)
        return true;
    m_server = std::make_unique<QLocalServer>();
    // Only this user may ask this instance to open a file.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* cliente = m_server->nextPendingConnection())
            servi(cliente);
    });
    if (m_server->listen(m_nome))
        return true;
    // Only reached when no instance answered, so the name is a leftover.
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_nome);
        if (m_server->listen(m_nome))
            return true;
    }
    qWarning("Single-instance socket %s: %s", qPrintable(m_nome), qPrintable(m_server->errorString()));
    m_server.reset();
    return false;
}

bool IstanzaUnica::ascolta(Richiesta gestore) {
    m_gestore = std::move(gestore);
    const bool inAscolto = prendiNome();
    const QStringList arrivate = std::exchange(m_inAttesa, {});
    for (const QString& file : arrivate)
        consegna(file);
    return inAscolto;
}

void IstanzaUnica::consegna(const QString& file) {
    if (m_gestore)
        m_gestore(file);
    else
        m_inAttesa << file;
}

void IstanzaUnica::servi(QLocalSocket* cliente) {
    QObject::connect(cliente, &QLocalSocket::readyRead, cliente, [this, cliente] { leggi(cliente); });
    // The request may arrive together with the hang-up.
    QObject::connect(cliente, &QLocalSocket::disconnected, cliente, [this, cliente] {
        leggi(cliente);
        cliente->deleteLater();
    });
    QTimer::singleShot(AttesaCliente, cliente, [cliente] {
        cliente->abort();
        cliente->deleteLater();
    });
    leggi(cliente);
}

void IstanzaUnica::leggi(QLocalSocket* cliente) {
    if (cliente->canReadLine()) {
        const QByteArray riga = cliente->readLine(LunghezzaMassima + 1);
        cliente->readAll();
        cliente->disconnectFromServer();
        if (riga == RichiestaMostra) {
            consegna(QString());
        } else if (riga.startsWith(RichiestaApri) && riga.endsWith('\n')) {
            const QString file = QUrl::fromPercentEncoding(riga.mid(RichiestaApri.size()).chopped(1));
            // Only a full path: the asking start made it so; anything else is not from one.
            if (QFileInfo(file).isAbsolute() && !file.contains(QChar(0)))
                consegna(file);
        }
    } else if (cliente->bytesAvailable() > LunghezzaMassima) {
        cliente->abort();
    }
}

} // namespace sestina
