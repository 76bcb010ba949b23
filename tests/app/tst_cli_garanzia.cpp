#include <FakeInterfaccia.h>
#include <FileSistema.h>
#include <Garanzia.h>
#include <Sistema.h>
#include <Sviluppo.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace sestina;

// The guarantee on the command line: the library's rows, one line each.
class TestCliGaranzia : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    std::pair<int, QByteArray> esegui(const QStringList& argomenti) {
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.path());
        p.setProcessEnvironment(ambiente);
        p.start(QStringLiteral(SESTINA_CLI), argomenti);
        const bool finito = p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit;
        return {finito ? p.exitCode() : -1, p.readAllStandardOutput()};
    }

private Q_SLOTS:
    void garanzia() {
        const QString sistema = m_dir.filePath(QStringLiteral("ridotto.sec"));
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-14", "--ridotto", "1", "-o", sistema}).first, 0);
        const auto [stato, uscita] = esegui({"garanzia", sistema});
        QCOMPARE(stato, 0);

        auto s = std::make_unique<Sistema>();
        FakeInterfaccia ui;
        QVERIFY(ApriSistema(*s, sistema, ui));
        OsservatoreSviluppo nessuno;
        QByteArray attesa;
        for (const RigaGaranzia& r : CalcolaGaranzia(*s, ui, nessuno).righe)
            attesa += RigaTestoGaranzia(r).toUtf8() + '\n';
        QCOMPARE(uscita, attesa);
        QVERIFY(uscita.startsWith("6\t3003\t0\t0\t0\t0\t0\t"));

        QCOMPARE(esegui({"garanzia", m_dir.filePath(QStringLiteral("manca.sec"))}).first, 2);
        QCOMPARE(esegui({"garanzia"}).first, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliGaranzia)
#include "tst_cli_garanzia.moc"
