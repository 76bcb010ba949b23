#include "Cartelle.h"
#include "Configurazione.h"
#include "Corpo.h"
#include "FakeInterfaccia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace sestina;

namespace {

const QString Intestazione = QStringLiteral("RICEVITORIA XXX- CAMBIA LE IMPOSTAZIONI DAL MENU FILE");
const QStringList Albero = {QStringLiteral("temp"),     QStringLiteral("txt"), QStringLiteral("sistemi"),
                            QStringLiteral("extrema"),  QStringLiteral("archivio"), QStringLiteral("csv"),
                            QStringLiteral("matrici")};

QString ErroreConfigurazione(int numero, const char* descrizione) {
    return QStringLiteral("Error %1 (%2) in procedure ReadConfiguration of Modulo corpo")
        .arg(numero)
        .arg(QLatin1String(descrizione));
}

} // namespace

class TstConfigurazione : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;

private Q_SLOTS:
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void lettura_data() {
        QTest::addColumn<QByteArray>("file"); // "<none>": no configuration file
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("superStar");
        QTest::addColumn<float>("se");
        QTest::addColumn<float>("ss");
        QTest::addColumn<QString>("intestazione");
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<QString>("errore");
        // Prices start at 9 and 7, the texts at "prima": what an error keeps shows through.
        QTest::newRow("first start") << QByteArray("<none>") << "C" << false << 1.0f << 1.5f << Intestazione << "N/A"
                                     << "";
        QTest::newRow("80 cents") << QByteArray("[Impostazioni]\r\ncosto_colonna_se=80\r\n") << "C" << false << 0.8f
                                  << 1.5f << Intestazione << "N/A" << "";
        QTest::newRow("SuperStar price, every key")
            << QByteArray("[impostazioni]\r\ncosto_colonna_se=50\r\ncosto_colonna_ss=75\r\n"
                          "intestazione_stampa=Bar Sport \x80\r\nstampante_tabulato=Laser 1\r\n")
            << "C" << true << 0.5f << 0.75f << QStringLiteral("Bar Sport €") << "Laser 1" << "";
        QTest::newRow("decimal comma of the user's locale")
            << QByteArray("[Impostazioni]\r\ncosto_colonna_se=80,5\r\n") << "it_IT" << false << 0.805f << 1.5f
            << Intestazione << "N/A" << "";
        QTest::newRow("empty price") << QByteArray("[Impostazioni]\r\ncosto_colonna_se=\r\n") << "C" << false << 9.0f
                                     << 7.0f << "prima" << "prima" << ErroreConfigurazione(13, "Type mismatch");
        QTest::newRow("bad second price keeps the first")
            << QByteArray("[Impostazioni]\r\ncosto_colonna_se=120\r\ncosto_colonna_ss=1,5 euro\r\n") << "C" << false
            << 1.2f << 7.0f << "prima" << "prima" << ErroreConfigurazione(13, "Type mismatch");
        QTest::newRow("price beyond single precision")
            << QByteArray("[Impostazioni]\r\ncosto_colonna_se=1e300\r\n") << "C" << false << 9.0f << 7.0f << "prima"
            << "prima" << ErroreConfigurazione(6, "Overflow");
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(bool, superStar);
        QFETCH(float, se);
        QFETCH(float, ss);
        QFETCH(QString, intestazione);
        QFETCH(QString, stampante);
        QFETCH(QString, errore);
        QLocale::setDefault(QLocale(locale));

        auto corpo = std::make_unique<Corpo>();
        corpo->fileConfigurazione = PercorsoConfigurazione(m_cartella->path());
        if (file != "<none>") {
            QFile f(corpo->fileConfigurazione);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        }
        const QByteArray primaDelFile = file;
        Sistema& s = corpo->sistema;
        s.costoColonnaSE = 9.0f;
        s.costoColonnaSS = 7.0f;
        s.superStar = superStar ? Vero : Falso;
        s.scegliCosto();
        corpo->intestazioneStampa = corpo->stampanteTabulato = QStringLiteral("prima");

        FakeInterfaccia ui;
        QCOMPARE(LeggiConfigurazione(*corpo, ui), errore.isEmpty());
        QCOMPARE(s.costoColonnaSE, se);
        QCOMPARE(s.costoColonnaSS, ss);
        if (errore.isEmpty())
            QCOMPARE(s.costoColonna, superStar ? ss : se);
        QCOMPARE(corpo->intestazioneStampa, intestazione);
        QCOMPARE(corpo->stampanteTabulato, stampante);
        if (errore.isEmpty()) {
            QVERIFY(ui.messaggi.isEmpty());
        } else {
            QCOMPARE(ui.messaggi.size(), 1);
            QCOMPARE(ui.messaggi[0].testo, errore);
            QCOMPARE(ui.messaggi[0].titolo, QStringLiteral("Sestinaplan"));
        }
        // Reading never writes: no file appears, an existing one stays as it was.
        QFile f(corpo->fileConfigurazione);
        if (primaDelFile == "<none>")
            QVERIFY(!f.exists());
        else
            QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == primaDelFile);
    }

    void alberoDelleCartelle() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_cartella->filePath(QStringLiteral("dati"))));
        const QString dati = CartellaDatiPredefinita();
        QCOMPARE(dati, m_cartella->filePath(QStringLiteral("dati/Sestinaplan")));
        QCOMPARE(PercorsoConfigurazione(dati), dati + QStringLiteral("/impostazioni.cfg"));

        // A file in the way of one folder is skipped; the others are still made.
        QVERIFY(QDir().mkpath(dati));
        QFile ostacolo(dati + QStringLiteral("/txt"));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.close();
        CreaAlberoCartelle(dati);
        for (const QString& nome : Albero)
            QCOMPARE(QFileInfo(dati + QLatin1Char('/') + nome).isDir(), nome != QStringLiteral("txt"));
        CreaAlberoCartelle(dati); // again: everything existing is no error
        QVERIFY(!QFile::exists(PercorsoConfigurazione(dati)));
    }

    void creaCartella() {
        const QString profonda = m_cartella->filePath(QStringLiteral("a/b/c"));
        QVERIFY(CreaCartella(profonda));
        QVERIFY(QFileInfo(profonda).isDir());
        QVERIFY(CreaCartella(profonda));
        QVERIFY(!CreaCartella(QString()));
        QFile f(m_cartella->filePath(QStringLiteral("file")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!CreaCartella(m_cartella->filePath(QStringLiteral("file/sotto"))));
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
