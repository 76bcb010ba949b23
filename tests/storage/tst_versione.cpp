#include "Errore.h"
#include "ProvaSuFile.h"
#include "Versione.h"

#include <QTest>

using namespace sestina;

// The version file as the start-up check reads it: only its first line, and only a regular file.
class TstVersione : public ProvaSuFile {
    Q_OBJECT

private Q_SLOTS:
    void primaRiga_data() {
        QTest::addColumn<QByteArray>("file"); // "<zero>", "<fifo>": not a regular file
        QTest::addColumn<QString>("riga");    // empty: refused with error 75
        QTest::newRow("first line, CR LF") << QByteArray("3.0.12\r\r\nseconda\r\n") << QStringLiteral("3.0.12");
        QTest::newRow("no line end") << QByteArray("3.1.0") << QStringLiteral("3.1.0");
        QTest::newRow("a line without end is cut") << QByteArray(100'000, '7') << QString(4095, QLatin1Char('7'));
        QTest::newRow("link to /dev/zero") << QByteArray("<zero>") << QString();
        QTest::newRow("FIFO") << QByteArray("<fifo>") << QString();
    }
    void primaRiga() {
        QFETCH(QByteArray, file);
        QFETCH(QString, riga);
        const QString percorso = Percorso(QStringLiteral("ver.txt"));
        if (FileOstile(QString::fromLatin1(file)))
            FileOstile(QString::fromLatin1(file), percorso);
        else
            QVERIFY(Scrivi(percorso, file));
        try {
            QCOMPARE(PrimaRigaVersione(percorso), riga);
            QVERIFY(!riga.isEmpty());
        } catch (const Errore& e) {
            QVERIFY(riga.isEmpty());
            QCOMPARE(e.numero(), 75);
        }
    }
};

QTEST_GUILESS_MAIN(TstVersione)
#include "tst_versione.moc"
