#include "EseguiCli.h"

#include <Archivio.h>
#include <FakeInterfaccia.h>
#include <FileSistema.h>
#include <ProvaSuFile.h>
#include <Sistema.h>
#include <SpoglioEstrazioni.h>
#include <SpoglioLetterale.h>
#include <Statistiche.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace sestina;

namespace {

using Esito = prova::EsitoCli;

const QString DatiReali = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");

QList<QByteArray> Righe(const QByteArray& testo) {
    QList<QByteArray> righe = testo.split('\n');
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    return righe;
}

} // namespace

// The scrutiny and the statistics on the command line, against the real draws.
class TestCliStatistiche : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ArchivioEstrazioni m_reale;

    QString dati() const { return m_dir.filePath(QStringLiteral("Sestinaplan")); }

    Esito esegui(const QStringList& argomenti) {
        return prova::EseguiCli(argomenti, prova::AmbienteCli(m_dir.path(), m_dir.path()));
    }

    // What the command must print: the grid row by row, then the summary, from the library.
    QList<QByteArray> attese(const QString& sistema, IntervalloSpoglio intervallo) {
        auto s = std::make_unique<Sistema>();
        FakeInterfaccia ui;
        if (!ApriSistema(*s, sistema, ui))
            return {};
        const EsitoSpoglioEstrazioni e = SpogliaEstrazioniLetterale(*s, m_reale, intervallo, ui);
        QList<QByteArray> righe;
        for (int r = 0; r < static_cast<int>(e.righe.size()) + RigheFisseSpoglio; ++r)
            righe << CelleGrigliaSpoglio(m_reale, e, r).join(QLatin1Char('\t')).toUtf8();
        for (const auto& [titolo, valore] : RiepilogoSpoglio(e))
            righe << (titolo + QLatin1Char('\t') + valore).toUtf8();
        return righe;
    }

private Q_SLOTS:
    void initTestCase() {
        FakeInterfaccia ui;
        QCOMPARE(LoadArchivioTMP(m_reale, DatiReali, ui), EsitoLista::Letta);
        // The data folder's archive, as an update leaves it.
        QVERIFY(QDir().mkpath(dati() + "/archivio"));
        QVERIFY(SaveArchivioEstrazioni(m_reale, PercorsoArchivio(dati()), ui));
    }

    void spoglio() {
        const QString sistema = m_dir.filePath("ridotto.sec");
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-20", "--ridotto", "2", "-o", sistema}).stato, 0);

        // Without dates: the whole data folder's archive.
        Esito e = esegui({"spoglio", sistema});
        QCOMPARE(e.stato, 0);
        QList<QByteArray> righe = Righe(e.uscita);
        QCOMPARE(righe.size(), 2855 + 2 + 8);
        QCOMPARE(righe, attese(sistema, {0, m_reale.size() - 1}));
        QCOMPARE(righe[0], QByteArray("Date \tEstr. \tCol \tBase\tMax\tMin\tPt.6\tPt.5+1\tPt.5\tPt.4\tPt.3\tPt.2"));
        QVERIFY(righe[2].startsWith("02/01/2009\t1\t16.19.29.34.48.64\t2\t"));
        QCOMPARE(righe[2857], "Totale Estrazioni\t" + QLocale().toString(2855).toUtf8());

        // A range of the draw list itself, the "from" date alone and the "to" date alone.
        e = esegui({"spoglio", sistema, "--archivio", DatiReali, "--dal", "02/05/2026", "--al", "09/05/2026"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(Righe(e.uscita), attese(sistema, TrovaIntervallo(m_reale, "02/05/2026", "09/05/2026")));
        QCOMPARE(Righe(esegui({"spoglio", sistema, "--dal", "21/05/2026"}).uscita),
                 attese(sistema, {m_reale.size() - 3, m_reale.size() - 1}));
        QCOMPARE(Righe(esegui({"spoglio", sistema, "--al", "03/01/2009"}).uscita), attese(sistema, {0, 1}));
    }

    void spoglioRifiutato_data() {
        QTest::addColumn<QStringList>("opzioni");
        QTest::addColumn<QByteArray>("messaggio");
        const QByteArray procedura = " in procedure SpoglioArchivioEstrazioni of Form frmSpoglioEstrazioni\n";
        QTest::newRow("rovesciato") << QStringList{"--dal", "09/05/2026", "--al", "02/05/2026"}
                                    << "Error -2147211504 ('DA' è maggiore di 'A')" + procedura;
        QTest::newRow("data assente") << QStringList{"--dal", "03/05/2026", "--al", "09/05/2026"}
                                      << "Error -2147211504 (Nessuna estrazione del 03/05/2026 nell'archivio)" +
                                             procedura;
        QTest::newRow("non una data") << QStringList{"--dal", "primo maggio"}
                                      << "Error 13 (Tipo non corrispondente)" + procedura;
        QTest::newRow("archivio mancante") << QStringList{"--archivio", m_dir.filePath("manca.dat")} << QByteArray();
    }
    void spoglioRifiutato() {
        QFETCH(QStringList, opzioni);
        QFETCH(QByteArray, messaggio);
        const QString sistema = m_dir.filePath("otto.sec");
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-8", "-o", sistema}).stato, 0);
        const Esito e = esegui(QStringList{"spoglio", sistema} + opzioni);
        QCOMPARE(e.stato, 2);
        QVERIFY(e.uscita.isEmpty());
        if (!messaggio.isEmpty())
            QCOMPARE(e.errori, messaggio);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("manca.dat")));
    }

    // An archive without a draw is said to be so, by both commands, and no statistics file is written.
    void archivioSenzaEstrazioni_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::newRow("archivio vuoto") << "vuoto.dat" << QByteArray();
        QTest::newRow("solo record vuoti") << "zeri.dat" << QByteArray(3 * 20, '\0');
        QTest::newRow("lista vuota") << "vuota.txt" << QByteArray();
    }
    void archivioSenzaEstrazioni() {
        QFETCH(QString, nome);
        QFETCH(QByteArray, contenuto);
        const QString archivio = m_dir.filePath(nome);
        QVERIFY(Scrivi(archivio, contenuto));
        const QString sistema = m_dir.filePath("sette.sec");
        QCOMPARE(esegui({"sviluppa", "--numeri", "1-7", "-o", sistema}).stato, 0);
        const QByteArray messaggio = "L'archivio non contiene estrazioni: " + archivio.toUtf8() + '\n';
        const QString csv = m_dir.filePath("vuoto.csv");
        for (const QStringList& comando : {QStringList{"spoglio", sistema}, QStringList{"statistiche", "--csv", csv}}) {
            const Esito e = esegui(comando + QStringList{"--archivio", archivio});
            QCOMPARE(e.stato, 2);
            QCOMPARE(e.errori, messaggio);
            QVERIFY(e.uscita.isEmpty());
        }
        QVERIFY(!QFile::exists(csv));
    }

    void statistiche() {
        const QString csv = m_dir.filePath("statistiche.csv");
        const Esito e = esegui({"statistiche", "--csv", csv});
        QCOMPARE(e.stato, 0);
        const Statistiche st = CalcolaStatistiche(m_reale);
        QCOMPARE(Contenuto(csv), st.csv);
        QList<QByteArray> attese;
        for (const TipoStatistica tipo : TutteLeStatistiche) {
            attese << TitoloStatistica(tipo).toUtf8();
            for (const Barra& b : BarreStatistica(st.tabelle, tipo))
                attese << b.etichetta.toUtf8();
        }
        QCOMPARE(Righe(e.uscita), attese);
        QCOMPARE(attese.size(), 8 + 6 + 7 + 7 + 7 + 6 + 90 + 90 + 90);

        QCOMPARE(esegui({"statistiche"}).stato, 1);
        QCOMPARE(esegui({"statistiche", "--archivio", m_dir.filePath("manca.dat"), "--csv", csv}).stato, 2);
        QCOMPARE(esegui({"statistiche", "--csv", m_dir.filePath("manca/statistiche.csv")}).stato, 4);
    }
};

QTEST_GUILESS_MAIN(TestCliStatistiche)
#include "tst_cli_statistiche.moc"
