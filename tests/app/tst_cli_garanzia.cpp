#include "EseguiCli.h"

#include <FakeInterfaccia.h>
#include <FileSistema.h>
#include <Garanzia.h>
#include <ProvaSuFile.h>
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
        const prova::EsitoCli e = prova::EseguiCli(argomenti, prova::AmbienteCli(m_dir.path()));
        return {e.stato, e.uscita};
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

    // The odds of the integral of 10 numbers: C(10, 6) draws win a 6; with prizes, the return.
    void probabilita() {
        const QString sistema = m_dir.filePath(QStringLiteral("dieci.sec"));
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-10", "-o", sistema}).first, 0);
        const auto [stato, uscita] = esegui({"probabilita", sistema, "--premi", "1000000 50000 30000 300 25,50 5"});
        QCOMPARE(stato, 0);
        const QList<QByteArray> righe = uscita.split('\n');
        QCOMPARE(righe.mid(0, 5),
                 (QList<QByteArray>{"Punti 6\t210\t622614630\t1 su 2964832", "Punti 5\t20370\t622614630\t1 su 30565",
                                    "Punti 4\t683970\t622614630\t1 su 910", "Punti 3\t10543170\t622614630\t1 su 59",
                                    "Punti 2\t81714270\t622614630\t1 su 8"}));
        QCOMPARE(righe.mid(5, 2), (QList<QByteArray>{"Colonne attese 6\t0.000000", "Colonne attese 5+1\t0.000002"}));
        QCOMPARE(righe[10], QByteArray("Colonne attese 2\t9.761942"));
        QCOMPARE(righe[11], QByteArray("Costo della giocata\t210.00"));
        QVERIFY(righe[13].startsWith("Rendimento atteso\t") && righe[13].endsWith("%"));
        QCOMPARE(esegui({"probabilita", sistema, "--premi", "1 2 3"}).first, 1);

        // The play costs what the configured prices say, with or without the SuperStar.
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("Sestinaplan"))));
        QVERIFY(Scrivi(m_dir.filePath(QStringLiteral("Sestinaplan/impostazioni.cfg")),
                       "[Impostazioni]\r\ncosto_colonna_se=80\r\ncosto_colonna_ss=120\r\n"));
        const QStringList premi{"--premi", "0 0 0 0 0 5"};
        QList<QByteArray> costo = esegui(QStringList{"probabilita", sistema} + premi).second.split('\n');
        QCOMPARE(costo[11], QByteArray("Costo della giocata\t168.00"));
        costo = esegui(QStringList{"probabilita", sistema, "--superstar"} + premi).second.split('\n');
        QCOMPARE(costo[11], QByteArray("Costo della giocata\t252.00"));
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("Sestinaplan/impostazioni.cfg"))));
    }
};

QTEST_GUILESS_MAIN(TestCliGaranzia)
#include "tst_cli_garanzia.moc"
