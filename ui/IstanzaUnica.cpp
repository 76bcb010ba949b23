#include "IstanzaUnica.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace sestina {

namespace {

const QByteArray RichiestaMostra = QByteArrayLiteral("mostra\n");
constexpr qint64 LunghezzaMassima = 64;
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

bool IstanzaUnica::avvisaIstanzaInCorso(int attesaMs) {
    QLocalSocket socket;
    socket.connectToServer(m_nome);
    // A socket left by a crashed instance refuses the connection: nobody is running.
    if (!socket.waitForConnected(attesaMs))
        return false;
    socket.write(RichiestaMostra);
    // This process ends right after: the request must be out before it does.
    socket.waitForBytesWritten(attesaMs);
    socket.disconnectFromServer();
    return true;
}

bool IstanzaUnica::ascolta(std::function<void()> mostraFinestra) {
    m_mostraFinestra = std::move(mostraFinestra);
    m_server = std::make_unique<QLocalServer>();
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
        if (riga == RichiestaMostra && m_mostraFinestra)
            m_mostraFinestra();
        cliente->disconnectFromServer();
    } else if (cliente->bytesAvailable() > LunghezzaMassima) {
        cliente->abort();
    }
}

} // namespace sestina
