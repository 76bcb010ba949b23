#include <ProvaSuFile.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using sestina::Scrivi;

namespace {

struct Esito {
    int stato = -1;
    QByteArray uscita;
    QByteArray errori;
};

} // namespace

// The print commands into PDF files, with the data folder of this run and no print server.
class TestCliStampa : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_sistema;

    Esito esegui(const QString& programma, const QStringList& argomenti) {
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"XDG_DATA_HOME"_s, m_dir.path());
        ambiente.insert(u"TMPDIR"_s, m_dir.path());
        ambiente.insert(u"CUPS_SERVER"_s, m_dir.filePath(u"nessun-server.sock"_s));
        p.setProcessEnvironment(ambiente);
        p.start(programma, argomenti);
        const bool finito = p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit;
        return {finito ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
    }
    Esito cli(const QStringList& argomenti) { return esegui(QStringLiteral(SESTINA_CLI), argomenti); }
    QByteArray testo(const QString& pdf) { return esegui(u"pdftotext"_s, {pdf, u"-"_s}).uscita; }

private Q_SLOTS:
    void initTestCase() {
        m_sistema = m_dir.filePath(u"dieci.sec"_s);
        QCOMPARE(cli({"sviluppa", "--numeri", "1-10", "-o", m_sistema}).stato, 0); // 210 columns
    }

    void schedine() {
        const QString pdf = m_dir.filePath(u"schede.pdf"_s);
        QCOMPARE(cli({"schedine", m_sistema, "--tipo", "5", "--da", "2", "--a", "4", "--pdf", pdf}).stato, 0);
        QCOMPARE(testo(pdf).count('\f'), 3); // a page a slip
        QVERIFY(testo(pdf).contains("Scheda n. 2"));

        const QString rifiutato = m_dir.filePath(u"rifiutato.pdf"_s);
        const Esito e = cli({"schedine", m_sistema, "--tipo", "2", "--da", "5", "--a", "2", "--pdf", rifiutato});
        QCOMPARE(e.stato, 2);
        QVERIFY(QString::fromUtf8(e.errori).contains(u"'DA' è maggiore di 'A'"_s) && !QFile::exists(rifiutato));
        QCOMPARE(cli({"schedine", m_sistema, "--tipo", "2", "--a", "106", "--pdf", rifiutato}).stato, 2);
        QVERIFY(!QFile::exists(rifiutato));
    }

    // A printer nobody installed is refused: a script must not print somewhere else.
    void stampanteSconosciuta() {
        for (const QStringList& comando :
             {QStringList{"schedine", m_sistema, "--tipo", "2"}, QStringList{"taratura", "--tipo", "5"},
              QStringList{"tabulato", m_sistema}}) {
            const Esito e = cli(comando + QStringList{"--stampante", "nessuna"});
            QCOMPARE(e.stato, 2);
            QVERIFY2(e.errori.contains("Stampante non installata"), e.errori.constData());
        }
    }

    // A PDF that cannot be written is told, not only given exit 4.
    void pdfNonScrivibile() {
        const QString pdf = m_dir.filePath(u"manca/x.pdf"_s);
        for (const QStringList& comando :
             {QStringList{"schedine", m_sistema, "--tipo", "2"}, QStringList{"taratura", "--tipo", "5"},
              QStringList{"tabulato", m_sistema}}) {
            const Esito e = cli(comando + QStringList{"--pdf", pdf});
            QCOMPARE(e.stato, 4);
            QVERIFY2(e.errori.contains("Error 76 (Impossibile trovare il percorso) in procedure ScriviPdf of Modulo "
                                       "corpo\n"),
                     e.errori.constData());
        }
    }

    // Three copies into one PDF follow each other, each starting again at page 1.
    void tabulatoECopie() {
        const QString pdf = m_dir.filePath(u"tabulato.pdf"_s);
        QCOMPARE(cli({"tabulato", m_sistema, "--copie", "3", "--pdf", pdf}).stato, 0);
        const QByteArray t = testo(pdf);
        QCOMPARE(t.count("Pag. 1"), 3);
        QCOMPARE(t.count('\f') % 3, 0);
        const QString taratura = m_dir.filePath(u"taratura.pdf"_s);
        QCOMPARE(cli({"taratura", "--tipo", "5", "--pdf", taratura}).stato, 0);
        QVERIFY(testo(taratura).contains("SS"));
    }

    // The configured prices, and the SuperStar the system file does not hold, on the listing and the slips.
    void prezziESuperStar() {
        const QString cfg = m_dir.filePath(u"Sestinaplan/impostazioni.cfg"_s);
        QVERIFY(QDir().mkpath(m_dir.filePath(u"Sestinaplan"_s)));
        QVERIFY(Scrivi(cfg, "[Impostazioni]\r\ncosto_colonna_se=80\r\ncosto_colonna_ss=120\r\n"));
        const QString pdf = m_dir.filePath(u"prezzi.pdf"_s);
        const auto importo = [&](const QStringList& comando) {
            const Esito e = cli(comando + QStringList{"--pdf", pdf});
            return e.stato == 0 ? testo(pdf).simplified() : e.errori;
        };
        const QStringList tabulato{"tabulato", m_sistema, "--senza-colonne"};
        QVERIFY(importo(tabulato).contains("Importo Sistema € 168.00"));
        QVERIFY(importo(tabulato + QStringList{"--superstar"}).contains("Importo Sistema € 252.00"));
        const QStringList scheda{"schedine", m_sistema, "--tipo", "5", "--a", "1"};
        QVERIFY(importo(scheda).contains("€ 4.00"));
        QVERIFY(importo(scheda + QStringList{"--superstar"}).contains("€ 6.00"));
        QVERIFY(QFile::remove(cfg));
    }
};

QTEST_GUILESS_MAIN(TestCliStampa)
#include "tst_cli_stampa.moc"
