#include "ServerPubblicazione.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QThread>

namespace sestina {

quint16 PortaLibera() {
    QTcpServer prova;
    if (!prova.listen(QHostAddress::LocalHost, 0))
        return 0;
    return prova.serverPort();
}

ServerPubblicazione::ServerPubblicazione(const QString& cartella) {
    m_porta = PortaLibera();
    m_processo.setProcessChannelMode(QProcess::MergedChannels);
    m_processo.start(QStringLiteral("bash"), {QStringLiteral(SESTINA_SERVE_SH), cartella, QString::number(m_porta)});
    if (!m_processo.waitForStarted(5000)) {
        m_errore = m_processo.errorString();
        return;
    }
    const QDeadlineTimer scadenza(10000);
    while (!scadenza.hasExpired()) {
        QTcpSocket prova;
        prova.connectToHost(QHostAddress::LocalHost, m_porta);
        if (prova.waitForConnected(200)) {
            m_avviato = true;
            return;
        }
        if (m_processo.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    m_processo.waitForFinished(100);
    m_errore = QString::fromLocal8Bit(m_processo.readAll());
}

ServerPubblicazione::~ServerPubblicazione() {
    if (m_processo.state() == QProcess::NotRunning)
        return;
    m_processo.terminate();
    if (!m_processo.waitForFinished(5000))
        m_processo.kill();
}

QString ServerPubblicazione::indirizzo() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(m_porta);
}

QByteArray RispostaHttp(int stato, const QByteArray& corpo) {
    return "HTTP/1.1 " + QByteArray::number(stato) +
           " X\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(corpo.size()) +
           "\r\nConnection: close\r\n\r\n" + corpo;
}

QByteArray RispostaRedirezione(const QByteArray& destinazione) {
    return "HTTP/1.1 302 Found\r\nLocation: " + destinazione + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

ServerGuasto::ServerGuasto(Guasto guasto, QByteArray risposta, const QHostAddress& indirizzo)
    : m_guasto(guasto), m_risposta(std::move(risposta)) {
    m_server.listen(indirizzo, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* connessione = m_server.nextPendingConnection()) {
            connessione->setParent(this);
            connect(connessione, &QTcpSocket::readyRead, this, [this, connessione] { servi(connessione); });
        }
    });
}

QString ServerGuasto::indirizzo() const {
    return QStringLiteral("http://%1:%2").arg(m_server.serverAddress().toString()).arg(m_server.serverPort());
}

void ServerGuasto::servi(QTcpSocket* connessione) {
    const QByteArray richiesta = connessione->readAll();
    if (!richiesta.contains("\r\n\r\n"))
        return;
    ++m_richieste;
    m_destinazioni << richiesta.split(' ').value(1);
    switch (m_guasto) {
    case Guasto::Silenzioso:
        return;
    case Guasto::CorpoTroncato:
        connessione->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n3.0.0\r\n");
        break;
    case Guasto::RedirezioneCiclica: {
        const QByteArray percorso = richiesta.split(' ').value(1);
        connessione->write("HTTP/1.1 302 Found\r\nLocation: " + percorso + "\r\nContent-Length: 0\r\n\r\n");
        connessione->flush();
        return; // keep-alive: the client follows on the same or a new connection
    }
    case Guasto::Risposta:
        connessione->write(m_risposta);
        break;
    case Guasto::Pagine: {
        const auto pagina = m_pagine.constFind(m_destinazioni.back());
        if (pagina != m_pagine.cend() && pagina->isEmpty())
            return;
        if (pagina != m_pagine.cend())
            connessione->write(*pagina);
        else
            connessione->write(m_risposta.isEmpty() ? RispostaHttp(404, {}) : m_risposta);
        break;
    }
    }
    connessione->flush();
    connessione->disconnectFromHost();
}

} // namespace sestina
