#include "CodaCups.h"
#include "ProvaSuFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

namespace sestina {
namespace {

const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString Esegui(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(20'000) || p.exitCode() != 0)
        return programma + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError());
    return {};
}

bool CodaVuota(const QString& coda) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), coda});
    return lpstat.waitForFinished(5000) && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

CodaCups::CodaCups() : m_coda(QStringLiteral("sestina-prova-%1").arg(QCoreApplication::applicationPid())) {
    if (!avvia() && m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

CodaCups::~CodaCups() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    if (!m_confPdf.isEmpty())
        QFile::remove(m_confPdf);
}

bool CodaCups::avvia() {
    const auto fallito = [this](const QString& perche) {
        m_errore = perche;
        return false;
    };
    if (geteuid() != 0)
        return fallito(QStringLiteral("the PDF backend of CUPS runs only for root"));
    if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) || !QFileInfo::exists(Ppd))
        return fallito(QStringLiteral("cups or printer-driver-cups-pdf is not installed"));
    const QDir d(m_cartella.path());
    for (const char* c : {"spool", "cache", "stato", "log", "uscita", "spoolpdf"})
        d.mkpath(QString::fromLatin1(c));
    // The backend writes as the job's user; the folders are open to it whoever that is.
    for (const char* c : {"uscita", "spoolpdf"})
        QFile::setPermissions(d.filePath(QString::fromLatin1(c)), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                                      QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QByteArray radice = m_cartella.path().toLocal8Bit();
    const QByteArray socket = radice + "/cups.sock";
    const QByteArray cupsd =
        "Listen " + socket +
        "\nLogLevel info\nBrowsing No\nDefaultAuthType None\n"
        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n</Policy>\n";
    const QByteArray file = "ServerRoot " + radice + "\nRequestRoot " + radice + "/spool\nCacheDir " + radice +
                            "/cache\nStateDir " + radice + "/stato\nTempDir " + radice + "/spool\nErrorLog " + radice +
                            "/log/error_log\nAccessLog " + radice + "/log/access_log\nPageLog " + radice +
                            "/log/page_log\nSystemGroup lpadmin root\nSandboxing Relaxed\n";
    m_confPdf = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(m_coda);
    const QByteArray pdf = "Out " + radice + "/uscita\nAnonDirName " + radice + "/uscita\nSpool " + radice +
                           "/spoolpdf\nLog " + radice + "/log\nUserUMask 0022\n";
    if (!Scrivi(d.filePath("cupsd.conf"), cupsd) || !Scrivi(d.filePath("cups-files.conf"), file) ||
        !Scrivi(m_confPdf, pdf))
        return fallito(QStringLiteral("cannot write the configuration"));
    qputenv("CUPS_SERVER", socket);
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), d.filePath("cupsd.conf"), QStringLiteral("-s"),
                   d.filePath("cups-files.conf")});
    if (!m_cupsd.waitForStarted(5000))
        return fallito(QStringLiteral("cupsd did not start"));
    for (QDeadlineTimer limite(10'000); !QFileInfo::exists(QString::fromLocal8Bit(socket));) {
        if (limite.hasExpired() || m_cupsd.state() == QProcess::NotRunning)
            return fallito(QStringLiteral("cupsd is not listening"));
        QThread::msleep(50);
    }
    m_avviato = true;
    m_errore =
        Esegui(QStringLiteral("lpadmin"), {QStringLiteral("-p"), m_coda, QStringLiteral("-E"), QStringLiteral("-v"),
                                           QStringLiteral("cups-pdf:/") + m_coda, QStringLiteral("-P"), Ppd});
    return m_errore.isEmpty();
}

QString CodaCups::attendiPdf(int attesaMs) {
    const QDir uscita(this->uscita());
    for (QDeadlineTimer limite(attesaMs); !limite.hasExpired(); QThread::msleep(100)) {
        const QStringList pdf = uscita.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        // The backend writes the file in place; it is whole once the job has left the queue.
        if (pdf.isEmpty() || !CodaVuota(m_coda))
            continue;
        // Moved aside, so the next wait finds the next job's file.
        const QString visto = uscita.filePath(pdf.front() + QStringLiteral(".visto"));
        return QFile::rename(uscita.filePath(pdf.front()), visto) ? visto : QString();
    }
    return {};
}

} // namespace sestina
