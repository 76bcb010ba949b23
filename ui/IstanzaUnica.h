#pragma once

#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace sestina {

// One running program per user and data folder. The running instance listens
// on a local socket; a later start finds it there, asks it to come forward and
// ends without showing anything.
class IstanzaUnica final {
public:
    explicit IstanzaUnica(const QString& cartellaDati);
    ~IstanzaUnica();
    IstanzaUnica(const IstanzaUnica&) = delete;
    IstanzaUnica& operator=(const IstanzaUnica&) = delete;

    // True when an instance is running; it has been told to show its main window.
    bool avvisaIstanzaInCorso(int attesaMs = 500);

    // Becomes the running instance: mostraFinestra runs whenever a later start asks.
    // A name left behind by a crashed instance is taken over. False when listening
    // failed anyway; the program then simply runs without the rule.
    bool ascolta(std::function<void()> mostraFinestra);

    const QString& nomeServer() const { return m_nome; }
    // The local socket name for this user and data folder.
    static QString NomeServer(const QString& cartellaDati);

private:
    void servi(QLocalSocket* cliente);
    void leggi(QLocalSocket* cliente);

    QString m_nome;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_mostraFinestra;
};

} // namespace sestina
