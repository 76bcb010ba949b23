#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace sestina {

// A private CUPS scheduler for one test run: its configuration, spool, logs and output under a
// temporary folder, reached through CUPS_SERVER (a local socket, set for this process), with one
// cups-pdf queue whose PDFs land in uscita(). The PDF backend reads its per-queue settings from
// the system's CUPS folder only, so that one file is written there and removed at the end.
class CodaCups final {
public:
    CodaCups();
    ~CodaCups();
    CodaCups(const CodaCups&) = delete;
    CodaCups& operator=(const CodaCups&) = delete;

    // Empty when the queue is ready; otherwise why not (also when the machine cannot have one).
    QString errore() const { return m_errore; }
    // The scheduler was listening: a queue that fails after that is a fault, not a missing tool.
    bool avviato() const { return m_avviato; }
    QString coda() const { return m_coda; }
    QString uscita() const { return m_cartella.filePath(QStringLiteral("uscita")); }
    // The next PDF the queue writes, waiting up to attesaMs; empty when none came.
    QString attendiPdf(int attesaMs);

private:
    bool avvia();

    QTemporaryDir m_cartella;
    QProcess m_cupsd;
    QString m_coda;
    QString m_confPdf;
    QString m_errore;
    bool m_avviato = false;
};

} // namespace sestina
