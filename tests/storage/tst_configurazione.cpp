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
        QTest::addColumn<float>("se");
        QTest::addColumn<float>("ss");
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<QString>("errore");
        const auto riga = [](const char* nome, const QByteArray& file, const char* locale, float se, float ss,
                             const QString& stampante, const QString& errore = {}) {
            QTest::newRow(nome) << file << QString::fromLatin1(locale) << se << ss << stampante << errore;
        };
        const QString errore = QStringLiteral("Error %1 in procedure ReadConfiguration of Modulo corpo");
        const QString tipo = errore.arg(QLatin1String("13 (Tipo non corrispondente)"));
        // Prices start at 9 and 7 and the printer at "prima": what an error keeps shows through.
        riga("first start", "<none>", "C", 1.0f, 1.5f, "N/A");
        riga("80 cents, every key",
             "[impostazioni]\r\ncosto_colonna_se=80\r\ncosto_colonna_ss=75\r\nstampante_tabulato=Laser \x80\r\n", "C",
             0.8f, 0.75f, QStringLiteral("Laser €"));
        riga("an editor's UTF-8 mark", "\xEF\xBB\xBF[Impostazioni]\r\ncosto_colonna_se=80\r\n", "C", 0.8f, 1.5f, "N/A");
        riga("decimal comma of the user's locale", "[Impostazioni]\r\ncosto_colonna_se=80,5\r\n", "it_IT", 0.805f, 1.5f,
             "N/A");
        riga("empty price", "[Impostazioni]\r\ncosto_colonna_se=\r\n", "C", 9.0f, 7.0f, "prima", tipo);
        riga("bad second price keeps the first",
             "[Impostazioni]\r\ncosto_colonna_se=120\r\ncosto_colonna_ss=1,5 euro\r\n", "C", 1.2f, 7.0f, "prima", tipo);
        riga("beyond single precision", "[Impostazioni]\r\ncosto_colonna_ss=1e300\r\n", "C", 1.0f, 7.0f, "prima",
             errore.arg(QLatin1String("6 (Overflow)")));
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(float, se);
        QFETCH(float, ss);
        QFETCH(QString, stampante);
        QFETCH(QString, errore);
        QLocale::setDefault(QLocale(locale));
        auto corpo = std::make_unique<Corpo>();
        corpo->fileConfigurazione = PercorsoConfigurazione(m_cartella.path());
        QFile::remove(corpo->fileConfigurazione);
        if (file != "<none>")
            QVERIFY(Scrivi(corpo->fileConfigurazione, file));
        Sistema& s = corpo->sistema;
        s.costoColonnaSE = 9.0f;
        s.costoColonnaSS = 7.0f;
        s.superStar = Vero;
        corpo->stampanteTabulato = QStringLiteral("prima");

        FakeInterfaccia ui;
        QCOMPARE(LeggiConfigurazione(*corpo, ui), errore.isEmpty());
        QCOMPARE(s.costoColonnaSE, se);
        QCOMPARE(s.costoColonnaSS, ss);
        QCOMPARE(corpo->stampanteTabulato, stampante);
        QCOMPARE(ui.messaggi.size(), errore.isEmpty() ? 0 : 1);
        if (!errore.isEmpty())
            QCOMPARE(ui.messaggi[0].testo, errore);
        else
            QVERIFY(s.costoColonna == ss && corpo->intestazioneStampa.startsWith(QStringLiteral("RICEVITORIA XXX-")));
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
