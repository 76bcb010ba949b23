#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the built command-line tool for the tests of tests/app.
namespace sestina::prova {

struct EsitoCli {
    int stato = -1;
    QByteArray uscita;
    QByteArray errori;
};

// The tool with a data folder of the test's (XDG_DATA_HOME), and a temporary folder and a locale of
// its own when given, so runs beside it never meet its files.
inline QProcessEnvironment AmbienteCli(const QString& casa, const QString& temporanea = {},
                                       const QString& locale = {}) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa);
    if (!temporanea.isEmpty())
        ambiente.insert(QStringLiteral("TMPDIR"), temporanea);
    if (!locale.isEmpty())
        ambiente.insert(QStringLiteral("LC_ALL"), locale);
    return ambiente;
}

inline EsitoCli EseguiCli(const QStringList& argomenti, const QProcessEnvironment& ambiente,
                          const QString& fileUscita = {}) {
    QProcess p;
    p.setProcessEnvironment(ambiente);
    if (!fileUscita.isEmpty())
        p.setStandardOutputFile(fileUscita);
    p.start(QStringLiteral(SESTINA_CLI), argomenti);
    // A hung tool is killed by ~QProcess and reads as status -1.
    const bool finito = p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit;
    return {finito ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace sestina::prova
