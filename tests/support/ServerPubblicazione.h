#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTcpServer>

#include <memory>

namespace sestina {

// A port on 127.0.0.1 nobody listens on at the moment.
quint16 PortaLibera();

// The publisher's real server: nginx through tools/publisher/serve.sh on a free loopback port,
// serving a folder that `pubblica` (or a test) wrote. Stopped when destroyed.
class ServerPubblicazione final {
public:
    explicit ServerPubblicazione(const QString& cartella);
    ~ServerPubblicazione();
    ServerPubblicazione(const ServerPubblicazione&) = delete;
    ServerPubblicazione& operator=(const ServerPubblicazione&) = delete;

    // False when nginx could not be started; errore() says why.
    bool avviato() const { return m_avviato; }
    QString errore() const { return m_errore; }
    // "http://127.0.0.1:<port>", the value of indirizzo_server.
    QString indirizzo() const;

private:
    QProcess m_processo;
    quint16 m_porta = 0;
    bool m_avviato = false;
    QString m_errore;
};

// The faults nginx cannot play, on a QTcpServer in the test's own thread (the downloads run a
// local event loop, so it answers while they wait). Any loopback address may be given, so that
// a second server stands for another host.
class ServerGuasto final : public QObject {
public:
    enum class Guasto {
        Silenzioso,    // accepts and never answers
        CorpoTroncato, // announces more bytes than it sends, then closes
        RedirezioneCiclica,
        Risposta, // sends `risposta` as it stands (status line, headers, body)
        Pagine,   // a hostile publisher: pagina()'s answer for each request target, else `risposta` or a 404
    };

    explicit ServerGuasto(Guasto guasto, QByteArray risposta = {},
                          const QHostAddress& indirizzo = QHostAddress(QHostAddress::LocalHost));
    // "http://<address>:<port>".
    QString indirizzo() const;
    int richieste() const { return m_richieste; }
    // Pagine: the whole answer to a request target (path and query as sent); an empty one never comes.
    void pagina(const QByteArray& destinazione, const QByteArray& risposta) { m_pagine[destinazione] = risposta; }
    // The request targets in order of arrival.
    const QList<QByteArray>& destinazioni() const { return m_destinazioni; }

private:
    void servi(QTcpSocket* connessione);

    QTcpServer m_server;
    Guasto m_guasto;
    QByteArray m_risposta;
    QMap<QByteArray, QByteArray> m_pagine;
    QList<QByteArray> m_destinazioni;
    int m_richieste = 0;
};

// A complete HTTP/1.1 answer with the given status and body.
QByteArray RispostaHttp(int stato, const QByteArray& corpo);
// A 302 to the given Location.
QByteArray RispostaRedirezione(const QByteArray& destinazione);

} // namespace sestina
