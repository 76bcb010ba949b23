#include "Errore.h"
#include "ProvaSuFile.h"
#include "Sanitizzatori.h"
#include "classINI.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <new>

#include <sys/resource.h>
#include <unistd.h>

using namespace sestina;

class TstClassIni : public ProvaSuFile {
    Q_OBJECT

    QString Ini() const { return Percorso(QStringLiteral("prova.ini")); }

private Q_SLOTS:
    void lettura_data() {
        QTest::addColumn<QByteArray>("file"); // "<none>": no file
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("atteso");
        const auto riga = [](const char* nome, const QByteArray& file, const QString& sezione, const QString& chiave,
                             const QString& atteso) { QTest::newRow(nome) << file << sezione << chiave << atteso; };
        const QByteArray base = "[Generale]\r\nrelease=3.0\r\nvuota=\r\nsolo\r\n";
        riga("names in any case, padded", base, " GENERALE ", "Release\t", "3.0");
        riga("empty value", base, "Generale", "vuota", "");
        riga("key without =", base, "Generale", "solo", "def");
        riga("missing key", base, "Generale", "gioco", "def");
        riga("missing file", "<none>", "Generale", "release", "def");
        riga("blanks around names and values", "  [A]  \r\n\t k \t=  v w \t\r\n", "a", "K", "v w");
        riga("last ] closes the name", "[a]b]\r\nk=v\r\n", "a]b", "k", "v");
        riga("matching quotes stripped", "[A]\r\nk=\" x \"\r\n", "A", "k", " x ");
        riga("unmatched quotes kept", "[A]\r\nk=\"x'\r\n", "A", "k", "\"x'");
        riga("first of two keys", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1");
        riga("first of two sections", "[A]\r\nx=1\r\n[a]\r\nk=2\r\n", "A", "k", "def");
        riga("CR and LF line ends", "[A]\rx=1\nk=2", "A", "k", "2");
        riga("windows-1252 text and case", "[Perch\xC9]\r\n\x8A=\x80 \xE9\r\n", QStringLiteral("perché"),
             QStringLiteral("š"), QStringLiteral("€ é"));
        riga("an editor's UTF-8 mark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v");
        riga("254 characters", "[A]\r\nk=" + QByteArray(300, 'x') + "\r\n", "A", "k", QString(254, QLatin1Char('x')));
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(QString, atteso);
        if (file != "<none>")
            QVERIFY(Scrivi(Ini(), file));
        classINI ini;
        ini.FileINI(Ini());
        QCOMPARE(ini.getProperty(sezione, chiave, QStringLiteral("def  ")), atteso); // a default loses trailing blanks
    }

    void scrittura_data() {
        QTest::addColumn<QByteArray>("prima");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QByteArray>("dopo");
        const auto riga = [](const char* nome, const QByteArray& prima, const QString& chiave, const QString& valore,
                             const QByteArray& dopo) { QTest::newRow(nome) << prima << chiave << valore << dopo; };
        riga("new file, value's leading blanks dropped", "<none>", " k ", "  v  ", "[S]\r\nk=v  \r\n");
        riga("line breaks cannot forge lines", "<none>", "k", "a\r\n[X]\ny=1", "[S]\r\nk=a  [X] y=1\r\n");
        riga("windows-1252", "<none>", "k", QStringLiteral("€"), "[S]\r\nk=\x80\r\n");
        riga("new section after a last line without break", "[A]\r\nx=1", "k", "v", "[A]\r\nx=1\r\n[S]\r\nk=v\r\n");
        riga("new key after the section's last line, other lines kept", "; nota\n[s]\nx = 1 \n\n[B]\ny=2\n", "k", "v",
             "; nota\n[s]\nx = 1 \nk=v\r\n\n[B]\ny=2\n");
        riga("value replaced, the rest untouched", "[s]\n  K = old \n o = 1\r\n", "k", "new", "[s]\nK=new\n o = 1\r\n");
        riga("same value: file as it was", "[S]\r\n k = v \r\n", "k", "v", "[S]\r\n k = v \r\n");
    }
    void scrittura() {
        QFETCH(QByteArray, prima);
        QFETCH(QString, chiave);
        QFETCH(QString, valore);
        QFETCH(QByteArray, dopo);
        if (prima != "<none>")
            QVERIFY(Scrivi(Ini(), prima));
        classINI ini;
        ini.FileINI(Ini());
        ini.setProperty("S", chiave, valore);
        QCOMPARE(Contenuto(Ini()), dopo);
    }

    // The cache must never hide a write, its own or another object's.
    void cacheEScritture() {
        classINI ini;
        ini.FileINI(Ini());
        QCOMPARE(ini.getProperty("A", "k", QString()), QString());
        ini.setProperty("A", "k", "uno");
        QCOMPARE(ini.getProperty("a", "K", QString()), "uno");
        classINI altro;
        altro.FileINI(Ini());
        altro.setProperty("A", "j", "due");
        ini.setProperty("B", "k", "tre");
        QCOMPARE(Contenuto(Ini()), QByteArray("[A]\r\nk=uno\r\nj=due\r\n[B]\r\nk=tre\r\n"));
    }

    // Past a few keys a section is looked up through its table: the same rules must hold there.
    void sezioneLunga() {
        QByteArray file = "[A]\r\n";
        for (int k = 0; k < 50; ++k)
            file += "Chiave" + QByteArray::number(k) + " = v" + QByteArray::number(k) + "\r\n";
        QVERIFY(Scrivi(Ini(), file + "chiave7=doppia\r\n[a]\r\nnuova=x\r\n"));
        classINI ini;
        ini.FileINI(Ini());
        QCOMPARE(ini.getProperty("a", "CHIAVE49", QString()), "v49");
        QCOMPARE(ini.getProperty("A", "chiave7", QString()), "v7");
        QCOMPARE(ini.getProperty("A", "nuova", QStringLiteral("-")), QStringLiteral("-"));
        ini.setProperty("A", "CHIAVE7", "n");
        QVERIFY(Contenuto(Ini()).contains("\r\nChiave7=n\r\nChiave8 = v8\r\n"));
    }

    // The bulk text is what the same calls leave, one by one, in a new file.
    void testoComeSetProperty() {
        const QList<QStringList> scritture = {{"Generale", "release", "3.0"},
                                              {"Descrizione", "nome", "  x\n.sec"},
                                              {" generale ", "colonne", ""},
                                              {"C", " ", "ignored"},
                                              {"Combinazioni", "000001", "01-02-03-04-05-06-"}};
        classINI uno;
        uno.FileINI(Percorso(QStringLiteral("uno.ini")));
        classINI::Testo testo;
        for (const QStringList& w : scritture) {
            uno.setProperty(w[0], w[1], w[2]);
            testo.setProperty(w[0], w[1], w[2]);
        }
        QCOMPARE(testo.testo(), Contenuto(Percorso(QStringLiteral("uno.ini"))));
        classINI tutto;
        tutto.FileINI(Ini());
        QVERIFY(Scrivi(Ini(), "[vecchio]\r\nx=1\r\n"));
        tutto.scriviTutto(testo);
        QCOMPARE(Contenuto(Ini()), testo.testo());
    }

    // Blank lines cost their bytes, not a table entry each: under a cap of 400 MB of address space
    // a file of 40 million line breaks is read.
    void righeVuote() {
#ifdef SOTTO_ASAN
        QSKIP("AddressSanitizer needs an address space without a cap");
#endif
        QVERIFY(Scrivi(Ini(), QByteArray(40'000'000, '\n') + "[A]\r\nk=v\r\n"));
        struct rlimit prima {};
        QVERIFY(::getrlimit(RLIMIT_AS, &prima) == 0);
        QFile statm(QStringLiteral("/proc/self/statm"));
        QVERIFY(statm.open(QIODevice::ReadOnly));
        const rlim_t usato = statm.readAll().split(' ').value(0).toULongLong() * static_cast<rlim_t>(::getpagesize());
        struct rlimit limite = prima;
        limite.rlim_cur = usato + (rlim_t{400} << 20);
        QVERIFY(::setrlimit(RLIMIT_AS, &limite) == 0);
        QString letto;
        try {
            classINI ini;
            ini.FileINI(Ini());
            letto = ini.getProperty("A", "k", "d");
        } catch (const std::bad_alloc&) {
            letto = QStringLiteral("bad_alloc");
        }
        ::setrlimit(RLIMIT_AS, &prima);
        QCOMPARE(letto, QStringLiteral("v"));
    }

    void errori_data() {
        QTest::addColumn<bool>("scrivendo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("numero");
        QTest::newRow("read, missing file") << false << "manca.ini" << 53;
        QTest::newRow("read, link to /dev/zero") << false << "<zero>" << 75;
        QTest::newRow("read, FIFO") << false << "<fifo>" << 75;
        QTest::newRow("write, missing folder") << true << "manca/x.ini" << 76;
        QTest::newRow("write, a folder") << true << "cartella" << 75;
    }
    void errori() {
        QFETCH(bool, scrivendo);
        QFETCH(QString, nome);
        QFETCH(int, numero);
        QVERIFY(QDir(m_cartella->path()).mkdir(QStringLiteral("cartella")));
        classINI ini;
        ini.FileINI(FileOstile(nome) ? FileOstile(nome, Percorso(QStringLiteral("ostile.ini"))) : Percorso(nome));
        try {
            if (scrivendo)
                ini.setProperty("A", "k", "v");
            else
                ini.carica();
            QFAIL("no error");
        } catch (const Errore& e) {
            QCOMPARE(e.numero(), numero);
        }
        // getProperty never fails: what it cannot read gives the default.
        QCOMPARE(ini.getProperty("A", "k", "d"), QStringLiteral("d"));
    }
};

QTEST_GUILESS_MAIN(TstClassIni)
#include "tst_classini.moc"
