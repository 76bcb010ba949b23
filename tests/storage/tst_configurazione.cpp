#include "Cartelle.h"
#include "Configurazione.h"
#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "ProvaSuFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace sestina;

class TstConfigurazione : public QObject {
    Q_OBJECT

    QTemporaryDir m_cartella;

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void lettura_data() {
        QTest::addColumn<QByteArray>("file"); // "<none>": no configuration file
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("se"); // cents
        QTest::addColumn<qint64>("ss");
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<QString>("errore");
        const auto riga = [](const char* nome, const QByteArray& file, const char* locale, qint64 se, qint64 ss,
                             const QString& stampante, const QString& errore = {}) {
            QTest::newRow(nome) << file << QString::fromLatin1(locale) << se << ss << stampante << errore;
        };
        const QString errore = QStringLiteral("Error %1 in procedure ReadConfiguration of Modulo corpo");
        const QString tipo = errore.arg(QLatin1String("13 (Tipo non corrispondente)"));
        const QString overflow = errore.arg(QLatin1String("6 (Overflow)"));
        // Prices start at 9,00 and 7,00 and the printer at "prima": what an error keeps shows through.
        riga("first start", "<none>", "C", 100, 150, "N/A");
        riga("80 cents, every key",
             "[impostazioni]\r\ncosto_colonna_se=80\r\ncosto_colonna_ss=75\r\nstampante_tabulato=Laser \x80\r\n", "C",
             80, 75, QStringLiteral("Laser €"));
        riga("an editor's UTF-8 mark", "\xEF\xBB\xBF[Impostazioni]\r\ncosto_colonna_se=80\r\n", "C", 80, 150, "N/A");
        riga("whole cents, Italian", "[Impostazioni]\r\ncosto_colonna_se=1200\r\ncosto_colonna_ss=120\r\n", "it_IT",
             1200, 120, "N/A");
        riga("decimal comma of the user's locale, rounded", "[Impostazioni]\r\ncosto_colonna_se=80,5\r\n", "it_IT", 81,
             150, "N/A");
        // What earlier versions wrote for a typed 1,20: a point whatever the locale. The keys after
        // the prices must be read too, or the next save loses the shop's heading.
        riga("an earlier version's 120.00001, Italian",
             "[Impostazioni]\r\ncosto_colonna_se=120.00001\r\ncosto_colonna_ss=149.99999\r\nstampante_tabulato="
             "Laser\r\n",
             "it_IT", 120, 150, "Laser");
        riga("empty price", "[Impostazioni]\r\ncosto_colonna_se=\r\n", "C", 900, 700, "prima", tipo);
        riga("bad second price keeps the first",
             "[Impostazioni]\r\ncosto_colonna_se=120\r\ncosto_colonna_ss=1,5 euro\r\n", "C", 120, 700, "prima", tipo);
        riga("far beyond any price", "[Impostazioni]\r\ncosto_colonna_ss=1e300\r\n", "C", 100, 700, "prima", overflow);
        riga("whole, beyond any price", "[Impostazioni]\r\ncosto_colonna_se=99999999999\r\n", "C", 900, 700, "prima",
             overflow);
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(qint64, se);
        QFETCH(qint64, ss);
        QFETCH(QString, stampante);
        QFETCH(QString, errore);
        QLocale::setDefault(QLocale(locale));
        auto corpo = std::make_unique<Corpo>();
        corpo->fileConfigurazione = PercorsoConfigurazione(m_cartella.path());
        QFile::remove(corpo->fileConfigurazione);
        if (file != "<none>")
            QVERIFY(Scrivi(corpo->fileConfigurazione, file));
        Sistema& s = corpo->sistema;
        s.costoColonnaSE = Centesimi(900);
        s.costoColonnaSS = Centesimi(700);
        s.superStar = Vero;
        corpo->stampanteTabulato = QStringLiteral("prima");

        FakeInterfaccia ui;
        QCOMPARE(LeggiConfigurazione(*corpo, ui), errore.isEmpty());
        QCOMPARE(s.costoColonnaSE.valore(), se);
        QCOMPARE(s.costoColonnaSS.valore(), ss);
        QCOMPARE(corpo->stampanteTabulato, stampante);
        QCOMPARE(ui.messaggi.size(), errore.isEmpty() ? 0 : 1);
        if (!errore.isEmpty())
            QCOMPARE(ui.messaggi[0].testo, errore);
        else
            QVERIFY(s.costoColonna == s.costoColonnaSS &&
                    corpo->intestazioneStampa.startsWith(QStringLiteral("RICEVITORIA XXX-")));
        QCOMPARE(QFile::exists(corpo->fileConfigurazione), file != "<none>"); // reading never writes
    }

    void cartelle() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_cartella.filePath(QStringLiteral("dati"))));
        const QString dati = CartellaDatiPredefinita();
        QCOMPARE(dati, m_cartella.filePath(QStringLiteral("dati/Sestinaplan")));
        QCOMPARE(PercorsoConfigurazione(dati), dati + QStringLiteral("/impostazioni.cfg"));

        // A file in the way of one folder is skipped; the others are still made, parents included.
        QVERIFY(QDir().mkpath(dati));
        QVERIFY(Scrivi(dati + QStringLiteral("/txt"), {}));
        CreaAlberoCartelle(dati);
        for (const char* nome : {"temp", "txt", "sistemi", "extrema", "archivio", "csv", "matrici"})
            QCOMPARE(QFileInfo(dati + QLatin1Char('/') + QLatin1String(nome)).isDir(), qstrcmp(nome, "txt") != 0);
        QVERIFY(CreaCartella(dati + QStringLiteral("/a/b"))); // parents made too
        QVERIFY(CreaCartella(dati + QStringLiteral("/a/b"))); // existing: success
        QVERIFY(!CreaCartella(dati + QStringLiteral("/txt/sotto")));
    }

    void attesa() {
        bool servito = false;
        QTimer::singleShot(0, this, [&servito] { servito = true; });
        QElapsedTimer orologio;
        orologio.start();
        AttendiMs(60);
        QVERIFY(orologio.elapsed() >= 60);
        QVERIFY(servito); // events were processed while waiting
    }
};

QTEST_GUILESS_MAIN(TstConfigurazione)
#include "tst_configurazione.moc"
