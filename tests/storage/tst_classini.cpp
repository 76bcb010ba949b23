#include "Errore.h"
#include "classINI.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

} // namespace

class TstClassIni : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome = QStringLiteral("prova.ini")) const { return m_cartella->filePath(nome); }

private Q_SLOTS:
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(m_cartella->isValid());
    }

    void lettura_data() {
        QTest::addColumn<QByteArray>("file"); // "<none>": no file
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("atteso");
        const QByteArray base = "[Generale]\r\nrelease=3.0\r\nvuota=\r\nsolo\r\n";
        QTest::newRow("names in any case, padded") << base << " GENERALE "
                                                   << "Release\t"
                                                   << "3.0";
        QTest::newRow("empty value") << base << "Generale"
                                     << "vuota"
                                     << "";
        QTest::newRow("key without =") << base << "Generale"
                                       << "solo"
                                       << "def";
        QTest::newRow("missing key") << base << "Generale"
                                     << "gioco"
                                     << "def";
        QTest::newRow("missing file") << QByteArray("<none>") << "Generale"
                                      << "release"
                                      << "def";
        QTest::newRow("blanks around names and values") << QByteArray("  [A]  \r\n\t k \t=  v w \t\r\n") << "a"
                                                        << "K"
                                                        << "v w";
        QTest::newRow("last ] closes the name") << QByteArray("[a]b]\r\nk=v\r\n") << "a]b"
                                                << "k"
                                                << "v";
        QTest::newRow("matching quotes stripped") << QByteArray("[A]\r\nk=\" x \"\r\n") << "A"
                                                  << "k"
                                                  << " x ";
        QTest::newRow("unmatched quotes kept") << QByteArray("[A]\r\nk=\"x'\r\n") << "A"
                                               << "k"
                                               << "\"x'";
        QTest::newRow("first of two keys") << QByteArray("[A]\r\nk=1\r\nK=2\r\n") << "A"
                                           << "k"
                                           << "1";
        QTest::newRow("first of two sections") << QByteArray("[A]\r\nx=1\r\n[a]\r\nk=2\r\n") << "A"
                                               << "k"
                                               << "def";
        QTest::newRow("CR and LF line ends") << QByteArray("[A]\rx=1\nk=2") << "A"
                                             << "k"
                                             << "2";
        QTest::newRow("windows-1252 text and case")
            << QByteArray("[Perch\xC9]\r\n\x8A=\x80 \xE9\r\n") << QStringLiteral("perché") << QStringLiteral("š")
            << QStringLiteral("€ é");
        QTest::newRow("254 characters") << "[A]\r\nk=" + QByteArray(300, 'x') + "\r\n"
                                        << "A"
                                        << "k" << QString(254, QLatin1Char('x'));
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(QString, atteso);
        if (file != "<none>")
            QVERIFY(Scrivi(Percorso(), file));
        classINI ini;
        ini.FileINI(Percorso());
        QCOMPARE(ini.getProperty(sezione, chiave, QStringLiteral("def  ")), atteso); // a default loses trailing blanks
    }

    void scrittura_data() {
        QTest::addColumn<QByteArray>("prima");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QByteArray>("dopo");
        QTest::newRow("new file, value's leading blanks dropped") << QByteArray("<none>") << " k "
                                                                  << "  v  " << QByteArray("[S]\r\nk=v  \r\n");
        QTest::newRow("line breaks cannot forge lines") << QByteArray("<none>") << "k"
                                                        << "a\r\n[X]\ny=1" << QByteArray("[S]\r\nk=a  [X] y=1\r\n");
        QTest::newRow("windows-1252") << QByteArray("<none>") << "k"
                                      << "€" << QByteArray("[S]\r\nk=\x80\r\n");
        QTest::newRow("new section after a last line without break")
            << QByteArray("[A]\r\nx=1") << "k"
            << "v" << QByteArray("[A]\r\nx=1\r\n[S]\r\nk=v\r\n");
        QTest::newRow("new key after the section's last line, other lines kept")
            << QByteArray("; nota\n[s]\nx = 1 \n\n[B]\ny=2\n") << "k"
            << "v" << QByteArray("; nota\n[s]\nx = 1 \nk=v\r\n\n[B]\ny=2\n");
        QTest::newRow("value replaced, the rest untouched") << QByteArray("[s]\n  K = old \n o = 1\r\n") << "k"
                                                            << "new" << QByteArray("[s]\nK=new\n o = 1\r\n");
        QTest::newRow("same value: file as it was") << QByteArray("[S]\r\n k = v \r\n") << "k"
                                                    << "v" << QByteArray("[S]\r\n k = v \r\n");
    }
    void scrittura() {
        QFETCH(QByteArray, prima);
        QFETCH(QString, chiave);
        QFETCH(QString, valore);
        QFETCH(QByteArray, dopo);
        if (prima != "<none>")
            QVERIFY(Scrivi(Percorso(), prima));
        classINI ini;
        ini.FileINI(Percorso());
        ini.setProperty(QStringLiteral("S"), chiave, valore);
        QCOMPARE(Contenuto(Percorso()), dopo);
    }

    // The cache must never hide a write, its own or another object's.
    void cacheEScritture() {
        classINI ini;
        ini.FileINI(Percorso());
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QString()), QString());
        ini.setProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("uno"));
        QCOMPARE(ini.getProperty(QStringLiteral("a"), QStringLiteral("K"), QString()), QStringLiteral("uno"));
        classINI altro;
        altro.FileINI(Percorso());
        altro.setProperty(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("due"));
        ini.setProperty(QStringLiteral("B"), QStringLiteral("k"), QStringLiteral("tre"));
        QCOMPARE(Contenuto(Percorso()), QByteArray("[A]\r\nk=uno\r\nj=due\r\n[B]\r\nk=tre\r\n"));
    }

    // Past a few keys a section is looked up through its table: the same rules must hold there.
    void sezioneLunga() {
        QByteArray file = "[A]\r\n";
        for (int k = 0; k < 50; ++k)
            file += "Chiave" + QByteArray::number(k) + " = v" + QByteArray::number(k) + "\r\n";
        QVERIFY(Scrivi(Percorso(), file + "chiave7=doppia\r\n[a]\r\nnuova=x\r\n"));
        classINI ini;
        ini.FileINI(Percorso());
        QCOMPARE(ini.getProperty(QStringLiteral("a"), QStringLiteral("CHIAVE49"), QString()), QStringLiteral("v49"));
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("chiave7"), QString()), QStringLiteral("v7"));
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("nuova"), QStringLiteral("-")),
                 QStringLiteral("-"));
        ini.setProperty(QStringLiteral("A"), QStringLiteral("CHIAVE7"), QStringLiteral("n"));
        QVERIFY(Contenuto(Percorso()).contains("\r\nChiave7=n\r\nChiave8 = v8\r\n"));
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
        tutto.FileINI(Percorso());
        QVERIFY(Scrivi(Percorso(), "[vecchio]\r\nx=1\r\n"));
        tutto.scriviTutto(testo);
        QCOMPARE(Contenuto(Percorso()), testo.testo());
    }

    void errori_data() {
        QTest::addColumn<bool>("scrivendo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("numero");
        QTest::newRow("read, missing file") << false << "manca.ini" << 53;
        QTest::newRow("write, missing folder") << true << "manca/x.ini" << 76;
        QTest::newRow("write, a folder") << true << "cartella" << 75;
    }
    void errori() {
        QFETCH(bool, scrivendo);
        QFETCH(QString, nome);
        QFETCH(int, numero);
        QVERIFY(QDir(m_cartella->path()).mkdir(QStringLiteral("cartella")));
        classINI ini;
        ini.FileINI(Percorso(nome));
        try {
            if (scrivendo)
                ini.setProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
            else
                ini.carica();
            QFAIL("no error");
        } catch (const Errore& e) {
            QCOMPARE(e.numero(), numero);
        }
        // getProperty never fails: what it cannot read gives the default.
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    }
};

QTEST_GUILESS_MAIN(TstClassIni)
#include "tst_classini.moc"
