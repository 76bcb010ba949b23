#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace sestina {

// One running program per user and data folder. The running instance listens
// on a local socket; a later start finds it there, asks it to come forward
// (and to open the file it was given) and ends without showing anything.
class IstanzaUnica final {
public:
    // What a later start asks: an empty file only brings the window forward.
    using Richiesta = std::function<void(const QString& file)>;

    explicit IstanzaUnica(const QString& cartellaDati);
    ~IstanzaUnica();
    IstanzaUnica(const IstanzaUnica&) = delete;
    IstanzaUnica& operator=(const IstanzaUnica&) = delete;

    // The start-up's check, made once and before anything else: when an instance answers, it is told
    // to come forward and open file (when given), and true comes back, so this one ends. Otherwise
    // this one takes the name at once, so that a start a moment later finds it, and false comes back.
    bool cediAIstanzaInCorso(const QString& file = QString(), int attesaMs = 500);

    // Only asks: true when an instance is running; it has been told to come forward and open file.
    bool avvisaIstanzaInCorso(int attesaMs = 500, const QString& file = QString());

    // Requests go to gestore from now on; those that came before it are handed over at once.
    // Takes the name first when the check has not. A name left behind by a crashed instance is
    // taken over. False when listening failed anyway; the program then runs without the rule.
    bool ascolta(Richiesta gestore);

    bool inAscolto() const { return m_server != nullptr; }
    const QString& nomeServer() const { return m_nome; }
    // The local socket name for this user and data folder.
    static QString NomeServer(const QString& cartellaDati);

private:
    bool prendiNome();
    void servi(QLocalSocket* cliente);
    void leggi(QLocalSocket* cliente);
    void consegna(const QString& file);

    QString m_nome;
    std::unique_ptr<QLocalServer> m_server;
    Richiesta m_gestore;
    QStringList m_inAttesa; // arrived before anyone could handle them
};

} // namespace sestina
