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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

struct Scrittura {
    QString sezione, chiave, valore;
};

} // namespace

Q_DECLARE_METATYPE(QList<Scrittura>)

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
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("atteso");
        const QString def = QStringLiteral("def");
        const QByteArray base = "[Generale]\r\nrelease=3.0\r\nvuota=\r\nsolo\r\n";
        QTest::newRow("value") << base << "Generale" << "release" << "3.0";
        QTest::newRow("names in any case") << base << "GENERALE" << "Release" << "3.0";
        QTest::newRow("names padded in the call") << base << " Generale " << " release\t" << "3.0";
        QTest::newRow("empty value") << base << "Generale" << "vuota" << "";
        QTest::newRow("key without =") << base << "Generale" << "solo" << def;
        QTest::newRow("missing key") << base << "Generale" << "gioco" << def;
        QTest::newRow("missing section") << base << "Descrizione" << "release" << def;
        QTest::newRow("empty names") << QByteArray("[]\r\n=x\r\n") << "" << "" << def;
        QTest::newRow("empty file") << QByteArray() << "Generale" << "release" << def;
        QTest::newRow("blanks around everything") << QByteArray("  [A]  \r\n\t k \t=  v w \t\r\n") << "a" << "K"
                                                  << "v w";
        QTest::newRow("inner blanks of a header count") << QByteArray("[ A ]\r\nk=v\r\n") << "A" << "k" << def;
        QTest::newRow("last ] closes the name") << QByteArray("[a]b]\r\nk=v\r\n") << "a]b" << "k" << "v";
        QTest::newRow("double quotes stripped") << QByteArray("[A]\r\nk=\"  x \"\r\n") << "A" << "k" << "  x ";
        QTest::newRow("single quotes stripped") << QByteArray("[A]\r\nk='x'\r\n") << "A" << "k" << "x";
        QTest::newRow("unmatched quotes kept") << QByteArray("[A]\r\nk=\"x'\r\n") << "A" << "k" << "\"x'";
        QTest::newRow("lone quote kept") << QByteArray("[A]\r\nk=\"\r\n") << "A" << "k" << "\"";
        QTest::newRow("second = belongs to the value") << QByteArray("[A]\r\nk=a=b\r\n") << "A" << "k" << "a=b";
        QTest::newRow("first of two keys") << QByteArray("[A]\r\nk=1\r\nK=2\r\n") << "A" << "k" << "1";
        QTest::newRow("first of two sections") << QByteArray("[A]\r\nx=1\r\n[a]\r\nk=2\r\n") << "A" << "k" << def;
        QTest::newRow("key before any section") << QByteArray("k=1\r\n[A]\r\n") << "A" << "k" << def;
        QTest::newRow("LF only") << QByteArray("[A]\nx=1\nk=2\n") << "A" << "k" << "2";
        QTest::newRow("CR only") << QByteArray("[A]\rx=1\rk=2") << "A" << "k" << "2";
        QTest::newRow("comment line is only a key") << QByteArray("[A]\r\n;k=1\r\nk=2\r\n") << "A" << "k" << "2";
        QTest::newRow("windows-1252 text and case") << QByteArray("[Perch\xC9]\r\n\x8A=\x80 \xE9\r\n")
                                                    << QStringLiteral("perché") << QStringLiteral("š")
                                                    << QStringLiteral("€ é");
        QTest::newRow("254 characters") << "[A]\r\nk=" + QByteArray(300, 'x') + "\r\n" << "A" << "k"
                                        << QString(254, QLatin1Char('x'));
    }
    void lettura() {
        QFETCH(QByteArray, file);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(QString, atteso);
        QVERIFY(Scrivi(Percorso(), file));
        classINI ini;
        ini.FileINI(Percorso());
        QCOMPARE(ini.getProperty(sezione, chiave, QStringLiteral("def")), atteso);
    }

    void predefinito() {
        classINI ini;
        ini.FileINI(Percorso(QStringLiteral("manca.ini")));
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("uno due  ")),
                 QStringLiteral("uno due"));
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QString(300, QLatin1Char('y'))).size(), 254);
        QVERIFY(!QFile::exists(Percorso(QStringLiteral("manca.ini"))));
    }

    void scrittura_data() {
        QTest::addColumn<QByteArray>("prima");
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QByteArray>("dopo");
        QTest::newRow("new file") << QByteArray("<none>") << "S" << "k" << "v" << QByteArray("[S]\r\nk=v\r\n");
        QTest::newRow("empty value") << QByteArray("<none>") << "S" << "k" << "" << QByteArray("[S]\r\nk=\r\n");
        QTest::newRow("names trimmed, value's leading blanks dropped")
            << QByteArray("<none>") << " S " << " k " << "  v  " << QByteArray("[S]\r\nk=v  \r\n");
        QTest::newRow("line breaks cannot forge lines")
            << QByteArray("<none>") << "S" << "k" << "a\r\n[X]\ny=1" << QByteArray("[S]\r\nk=a  [X] y=1\r\n");
        QTest::newRow("windows-1252") << QByteArray("<none>") << "S" << "k" << "€ é" << QByteArray("[S]\r\nk=\x80 \xE9\r\n");
        QTest::newRow("new section after a last line without break")
            << QByteArray("[A]\r\nx=1") << "B" << "k" << "v" << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
        QTest::newRow("new section after blank lines")
            << QByteArray("[A]\nx=1\n\n") << "B" << "k" << "v" << QByteArray("[A]\nx=1\n\n[B]\r\nk=v\r\n");
        QTest::newRow("new key after the section's last line, blanks kept")
            << QByteArray("; nota\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n") << "a" << "k" << "v"
            << QByteArray("; nota\r\n[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n");
        QTest::newRow("new key under a last header without break")
            << QByteArray("[A]") << "A" << "k" << "v" << QByteArray("[A]\r\nk=v\r\n");
        QTest::newRow("value replaced, other lines untouched")
            << QByteArray("[a]\n  X = old \n other = 1\r\n[b]\nx=2\n") << "A" << "x" << "new"
            << QByteArray("[a]\nX=new\n other = 1\r\n[b]\nx=2\n");
        QTest::newRow("key without = gets a value") << QByteArray("[A]\r\nk\r\n") << "A" << "k" << "v"
                                                     << QByteArray("[A]\r\nk=v\r\n");
        QTest::newRow("same value leaves the file as it is")
            << QByteArray("[A]\r\n k = v \r\n") << "A" << "k" << "v" << QByteArray("[A]\r\n k = v \r\n");
        QTest::newRow("empty key does nothing") << QByteArray("[A]\r\n") << "A" << " " << "v" << QByteArray("[A]\r\n");
    }
    void scrittura() {
        QFETCH(QByteArray, prima);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(QString, valore);
        QFETCH(QByteArray, dopo);
        if (prima != "<none>")
            QVERIFY(Scrivi(Percorso(), prima));
        classINI ini;
        ini.FileINI(Percorso());
        ini.setProperty(sezione, chiave, valore);
        QCOMPARE(Contenuto(Percorso()), dopo);
    }

    // A value written is read back through the same object, whose cache must not hide it.
    void scrittaERiletta() {
        classINI ini;
        ini.FileINI(Percorso());
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("def")),
                 QStringLiteral("def"));
        ini.setProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("uno"));
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("uno"));
        ini.setProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("due"));
        QCOMPARE(ini.getProperty(QStringLiteral("a"), QStringLiteral("K"), QString()), QStringLiteral("due"));

        // A second object writing the same file is not overwritten by the first's stale copy.
        classINI altro;
        altro.FileINI(Percorso());
        altro.setProperty(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("tre"));
        ini.setProperty(QStringLiteral("B"), QStringLiteral("k"), QStringLiteral("quattro"));
        QCOMPARE(Contenuto(Percorso()), QByteArray("[A]\r\nk=due\r\nj=tre\r\n[B]\r\nk=quattro\r\n"));
    }

    // The bulk text equals what the same calls leave, one by one, in a new file.
    void testoComeSetProperty_data() {
        QTest::addColumn<QList<Scrittura>>("scritture");
        QTest::newRow("three sections") << QList<Scrittura>{
            {"Generale", "release", "3.0"}, {"Generale", "colonne", "2"}, {"Descrizione", "nome", "  x.sec"},
            {"Descrizione", "2", ""},       {"Combinazioni", "000001", "01-02-03-04-05-06-"}};
        QTest::newRow("sections revisited in another case") << QList<Scrittura>{
            {"A", "k", "1"}, {"B", "k", "2"}, {" a ", "j", "3"}, {"b", "€", "é\n"}, {"C", " ", "ignored"}};
    }
    void testoComeSetProperty() {
        QFETCH(QList<Scrittura>, scritture);
        classINI uno;
        uno.FileINI(Percorso(QStringLiteral("uno.ini")));
        classINI::Testo testo;
        for (const Scrittura& w : scritture) {
            uno.setProperty(w.sezione, w.chiave, w.valore);
            testo.setProperty(w.sezione, w.chiave, w.valore);
        }
        QCOMPARE(testo.testo(), Contenuto(Percorso(QStringLiteral("uno.ini"))));

        classINI tutto;
        tutto.FileINI(Percorso(QStringLiteral("tutto.ini")));
        QVERIFY(Scrivi(Percorso(QStringLiteral("tutto.ini")), "[vecchio]\r\nx=1\r\n"));
        tutto.scriviTutto(testo);
        QCOMPARE(Contenuto(Percorso(QStringLiteral("tutto.ini"))), testo.testo());
        QCOMPARE(tutto.getProperty(QStringLiteral("vecchio"), QStringLiteral("x"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

    void valoreGrezzo() {
        QVERIFY(Scrivi(Percorso(), "[Combinazioni]\r\n000001=01-02-03-04-05-06*\r\n000002=\"\"\r\n"));
        classINI ini;
        ini.FileINI(Percorso());
        ini.carica();
        QCOMPARE(ini.valore("combinazioni", "000001"), std::optional<QByteArrayView>("01-02-03-04-05-06*"));
        QCOMPARE(ini.valore("Combinazioni", "000002"), std::optional<QByteArrayView>(""));
        QVERIFY(!ini.valore("Combinazioni", "1"));
    }

    void errori_data() {
        QTest::addColumn<bool>("scrivendo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("numero");
        QTest::newRow("read, missing file") << false << "manca.ini" << 53;
        QTest::newRow("read, missing folder") << false << "manca/x.ini" << 76;
        QTest::newRow("read, a folder") << false << "cartella" << 75;
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
        QCOMPARE(ini.getProperty(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("def")),
                 QStringLiteral("def"));
    }
};

QTEST_GUILESS_MAIN(TstClassIni)
#include "tst_classini.moc"
