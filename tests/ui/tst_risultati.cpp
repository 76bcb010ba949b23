#include "Archivio.h"
#include "Cartelle.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "Modali.h"
#include "ProvaSuFile.h"
#include "ServerPubblicazione.h"
#include "frmArchivio.h"
#include "frmMAIN.h"
#include "frmNuovaEstrazione.h"
#include "frmSpoglio.h"
#include "frmSpoglioEstrazioni.h"
#include "frmStatistiche.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>

using namespace sestina;

namespace {

const QByteArray TreEstrazioni = "10|02/01/2009|16|19|29|34|48|64|53|34\r\n"
                                 "11|03/01/2009|17|24|25|40|58|64|27|51\r\n"
                                 "12|07/01/2009|5|12|33|44|60|90|3|7\r\n";

QStringList Voci(QListView* vista) {
    QStringList voci;
    for (int r = 0; r < vista->model()->rowCount(); ++r)
        voci << vista->model()->index(r, 0).data().toString();
    return voci;
}

} // namespace

class TestRisultati : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<Modali> m_modali;

    QString fileArchivio() const { return PercorsoArchivio(m_cartella->path()); }
    void scriviArchivio(const QByteArray& lista) {
        ArchivioEstrazioni a;
        QVERIFY(Scrivi(m_cartella->filePath("l.txt"), lista));
        QCOMPARE(LoadArchivioTMP(a, m_cartella->filePath("l.txt"), *m_ui), EsitoLista::Letta);
        QVERIFY(SaveArchivioEstrazioni(a, fileArchivio(), *m_ui));
    }
    QLineEdit* casella(QWidget* f, int i) {
        return figlio<QLineEdit>(f, qPrintable(QStringLiteral("meSpoglio_%1").arg(i)));
    }
    QStringList caselle(QWidget* f) {
        QStringList t;
        for (int i = 0; i < 7; ++i)
            t << casella(f, i)->displayText();
        return t;
    }
    void verificaMessaggio(const QString& testo, const QString& titolo, Icona icona) {
        QVERIFY(!m_ui->messaggi.isEmpty());
        const auto m = m_ui->messaggi.takeFirst();
        QCOMPARE(m.testo, testo);
        QCOMPARE(m.titolo, titolo);
        QCOMPARE(int(m.icona), int(icona));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        CreaAlberoCartelle(m_cartella->path());
        m_corpo = std::make_unique<Corpo>();
        m_corpo->cartellaDati = m_cartella->path();
        m_corpo->fileConfigurazione = m_cartella->filePath(QStringLiteral("impostazioni.cfg"));
        m_ui = std::make_unique<FakeInterfaccia>();
        m_modali = std::make_unique<Modali>();
    }
    void cleanup() {
        QVERIFY(m_ui->messaggi.isEmpty());
        QVERIFY(m_modali->tuttiGestiti());
        QCOMPARE(m_ui->livelloOccupato, 0);
    }

    // Typed out of order with Enter between the boxes, checked, cleared.
    void spoglio() {
        Sistema& s = m_corpo->sistema;
        for (const Colonna& c :
             {Colonna{1, 2, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 7}, {1, 2, 3, 4, 5, 80}, {2, 3, 9, 8, 70, 60}})
            s.colonne.scrivi(++s.numeroColonne, c);
        frmSpoglio f(*m_corpo, *m_ui);
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(caselle(&f), QStringList(7, "__"));

        casella(&f, 0)->setFocus();
        for (const char* numero : {"6", "50", "1", "40", "3", "2", "7"}) {
            QWidget* prima = QApplication::focusWidget();
            QTest::keyClicks(prima, numero);
            QTest::keyClick(prima, Qt::Key_Return);
            QVERIFY(QApplication::focusWidget() != prima);
        }
        QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(&f, "cmdSpoglio"));
        QCOMPARE(m_corpo->colonnaSpoglio, (ColonnaSpoglio{0, 6, 50, 1, 40, 3, 2, 7}));
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglio"), Qt::LeftButton);
        QCOMPARE(caselle(&f), (QStringList{"1_", "2_", "3_", "6_", "40", "50", "7_"}));
        QCOMPARE(m_corpo->colonnaSpoglio, (ColonnaSpoglio{0, 1, 2, 3, 6, 40, 50, 7}));
        QCOMPARE(Voci(figlio<QListView>(&f, "listVin_2")), QStringList{"C. 1"});
        QCOMPARE(Voci(figlio<QListView>(&f, "listVin_3")), (QStringList{"C. 2", "C. 3"}));
        QCOMPARE(Voci(figlio<QListView>(&f, "listVin_4")), QStringList{"C. 4"});
        QCOMPARE(figlio<QLabel>(&f, "labNv_3")->text(), QStringLiteral("2"));
        QCOMPARE(figlio<QLabel>(&f, "labNv5p")->text(), QStringLiteral("0"));
        QCOMPARE(figlio<QLabel>(&f, "labMaxPunti")->text(), QStringLiteral("Massimo punteggio raggiunto 4"));
        Fotografa(&f, QStringLiteral("spoglio.png"));

        // The Jolly written with another number of digits is still one of the six: refused, results kept.
        casella(&f, 6)->setText("02");
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglio"), Qt::LeftButton);
        verificaMessaggio(QStringLiteral("Combinazione errata"), QStringLiteral("!!! E R R O R E !!!"),
                          Icona::Esclamazione);
        QCOMPARE(Voci(figlio<QListView>(&f, "listVin_3")), (QStringList{"C. 2", "C. 3"}));

        // A failing check sorts the boxes all the same and leaves the focus on the culprit.
        casella(&f, 2)->setText("90");
        casella(&f, 6)->setText("90");
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglio"), Qt::LeftButton);
        verificaMessaggio(QStringLiteral("Duplicazione di numeri"), QStringLiteral("Colonna Errata"),
                          Icona::Esclamazione);
        QCOMPARE(caselle(&f), (QStringList{"1_", "2_", "6_", "40", "50", "90", "90"}));
        QCOMPARE(QApplication::focusWidget(), casella(&f, 5));
        QCOMPARE(Voci(figlio<QListView>(&f, "listVin_2")), QStringList{"C. 1"});

        QTest::mouseClick(figlio<QPushButton>(&f, "cmdCancella"), Qt::LeftButton);
        QCOMPARE(caselle(&f), QStringList(7, "__"));
        QCOMPARE(m_corpo->colonnaSpoglio, ColonnaSpoglio{});
        QCOMPARE(figlio<QLabel>(&f, "labNv_3")->text(), QStringLiteral("0"));
        QVERIFY(Voci(figlio<QListView>(&f, "listVin_3")).isEmpty());
        QCOMPARE(QApplication::focusWidget(), casella(&f, 0));
    }

    // The archive window from the main window: loaded hidden, a draw taken for the check window.
    void archivioDallaFinestra() {
        scriviArchivio(TreEstrazioni);
        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.caricaFinestreNascoste();
        frmArchivio& archivio = principale.finestraArchivio();
        QVERIFY(!archivio.isVisible());
        auto* lst = figlio<QListWidget>(&archivio, "lst");
        QCOMPARE(lst->count(), 3);
        QCOMPARE(lst->item(0)->text(), QStringLiteral(" 07/01/2009 | 012 | 05 12 33 44 60 90 | 03 | 07"));
        QCOMPARE(figlio<QLabel>(&archivio, "lbLast")->text(), lst->item(0)->text());
        QCOMPARE(figlio<QLabel>(&archivio, "lbTotale")->text(), QStringLiteral("3"));

        QTest::mouseClick(figlio<QPushButton>(&principale, "cmdArchivio"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&archivio));
        Fotografa(&archivio, QStringLiteral("archivio.png"));
        const QString sbarre = SbarreNonAllineate(figlio<QLabel>(&archivio, "lbIntestazione"), lst, 0);
        QVERIFY2(sbarre.isEmpty(), qPrintable(sbarre));
        const QPoint sopra = lst->visualItemRect(lst->item(0)).center();
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, sopra);
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, sopra);
        verificaMessaggio(
            QStringLiteral("La Colonna \r\n05 12 33 44 60 90\r\ndel 07/01/2009 è stata imposta come nuova "
                           "colonna di Spoglio"),
            QStringLiteral("Archivio Estrazioni"), Icona::Informazione);
        QCOMPARE(m_corpo->colonnaSpoglio, (ColonnaSpoglio{0, 5, 12, 33, 44, 60, 90, 3}));
        frmSpoglio& spoglio = principale.finestraSpoglio();
        QVERIFY(!spoglio.isVisible());
        QCOMPARE(caselle(&spoglio), (QStringList{"05", "12", "33", "44", "60", "90", "03"}));

        // Closing only hides it; Spoglio opens only on a developed System.
        archivio.close();
        QVERIFY(!archivio.isVisible());
        QTest::mouseClick(figlio<QPushButton>(&principale, "cmdArchivio"), Qt::LeftButton);
        QVERIFY(archivio.isVisible());
        QCOMPARE(lst->count(), 3);
        QVERIFY(!figlio<QPushButton>(&principale, "cmdSpoglio")->isEnabled());
        m_corpo->chiusuraInCorso = true;
    }

    // While an update runs the window cannot close; a failed one changes nothing and says so.
    void aggiornamentoFallito() {
        scriviArchivio(TreEstrazioni);
        const QByteArray prima = Contenuto(fileArchivio());
        int statistiche = 0;
        frmArchivio* finestra = nullptr;
        DialoghiFinti dialoghi;
        QString scratch;
        QFile::Permissions permessi;
        frmArchivio archivio(*m_corpo, *m_ui, dialoghi, [&](const QString& percorso) {
            scratch = QFileInfo(percorso).path();
            permessi = QFileInfo(scratch).permissions();
            finestra->close();
            return false;
        });
        finestra = &archivio;
        archivio.impostaStatistiche([&] { ++statistiche; }, [] { QFAIL("not shown after an update"); });
        archivio.show();
        QTest::mouseClick(figlio<QPushButton>(&archivio, "cmdUpdate"), Qt::LeftButton);
        verificaMessaggio(QStringLiteral("Aggiornamento Archivio in corso...attendere"),
                          QStringLiteral("Archivio Estrazioni"), Icona::Informazione);
        verificaMessaggio(QStringLiteral("Errore durante il download dell'aggiornamento"),
                          QStringLiteral("Archivio Estrazioni"), Icona::Critica);
        QVERIFY(archivio.isVisible());
        QCOMPARE(figlio<QListWidget>(&archivio, "lst")->count(), 3);
        QVERIFY(figlio<QListWidget>(&archivio, "lst")->isVisible());
        QVERIFY(figlio<QPushButton>(&archivio, "cmdUpdate")->isEnabled());
        QCOMPARE(Contenuto(fileArchivio()), prima);
        QCOMPARE(statistiche, 1);
        // The download went to a folder of the update's own, closed to others and gone after it.
        QVERIFY(QDir(scratch) != QDir(QDir::tempPath()));
        QVERIFY(!(permessi & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        QVERIFY(!QFileInfo::exists(scratch));
    }

    // Draws from a file and typed in reach the list, the statistics and an open scrutiny's date lists;
    // a refused import leaves everything as it was.
    void estrazioniAggiunte() {
        scriviArchivio(TreEstrazioni);
        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.caricaFinestreNascoste();
        frmArchivio& archivio = principale.finestraArchivio();
        frmSpoglioEstrazioni& spoglio = principale.finestraSpoglioEstrazioni();
        spoglio.populateCmbEstrazioni();
        auto* al = figlio<QComboBox>(&spoglio, "cmbAl");
        auto* dal = figlio<QComboBox>(&spoglio, "cmbDal");
        dal->setCurrentIndex(1);
        auto* lst = figlio<QListWidget>(&archivio, "lst");

        const QString csv = m_cartella->filePath("nuove.csv");
        QVERIFY(Scrivi(csv, "date,contest_number,n1,n2,n3,n4,n5,n6,jolly,superstar\n"
                            "1997-12-03,1,12,34,45,56,67,78,89,0\n2009-01-10,13,1,2,3,4,5,6,7,8\n"));
        dialoghi.risposte = {csv};
        QTest::mouseClick(figlio<QPushButton>(&archivio, "cmdImporta"), Qt::LeftButton);
        QCOMPARE(dialoghi.richieste.front().cartella, QDir::homePath());
        verificaMessaggio(QStringLiteral("Estrazioni aggiunte: 2"), QStringLiteral("Archivio Estrazioni"),
                          Icona::Informazione);
        QCOMPARE(lst->count(), 5);
        QCOMPARE(lst->item(4)->text(), QStringLiteral(" 03/12/1997 | 001 | 12 34 45 56 67 78 | 89 | 00"));
        QCOMPARE(dal->count(), 5);
        QCOMPARE(dal->currentText(), QStringLiteral("03/01/2009"));
        QCOMPARE(al->currentText(), QStringLiteral("07/01/2009"));
        const auto& pari = principale.finestraStatistiche().tabelle().pari;
        QCOMPARE(std::accumulate(pari.begin(), pari.end(), 0), 5);

        const QByteArray prima = Contenuto(fileArchivio());
        QVERIFY(Scrivi(csv, "1|10/01/2009|1|2|3|4|5|16|7|8\r\n"));
        dialoghi.risposte = {csv};
        archivio.cmdImporta_Click();
        verificaMessaggio(QStringLiteral("Il concorso del 10/01/2009 è diverso da quello in archivio"),
                          QStringLiteral("Archivio Estrazioni"), Icona::Esclamazione);
        QCOMPARE(Contenuto(fileArchivio()), prima);
        QCOMPARE(lst->count(), 5);

        // The typed draw: a Jolly among the six is refused and the dialog stays; then it is added.
        m_modali->quandoAppare([this](QWidget* w) {
            auto* d = qobject_cast<frmNuovaEstrazione*>(w);
            QVERIFY(d);
            Fotografa(d, QStringLiteral("nuova-estrazione.png"));
            figlio<QDateEdit>(d, "txtData")->setDate(QDate(2009, 1, 14));
            QTest::keyClicks(figlio<QLineEdit>(d, "txtConcorso"), "14");
            const QStringList numeri = {"8", "18", "28", "38", "48", "58"};
            for (int i = 0; i < 6; ++i)
                QTest::keyClicks(figlio<QLineEdit>(d, qPrintable(QStringLiteral("txtNumero_%1").arg(i))), numeri[i]);
            QTest::keyClicks(figlio<QLineEdit>(d, "txtJolly"), "08");
            QTest::mouseClick(figlio<QPushButton>(d, "cmdAggiungi"), Qt::LeftButton);
            verificaMessaggio(QStringLiteral("Combinazione errata"), QStringLiteral("!!! E R R O R E !!!"),
                              Icona::Esclamazione);
            QVERIFY(d->isVisible());
            figlio<QLineEdit>(d, "txtJolly")->setText(QStringLiteral("9"));
            QTest::mouseClick(figlio<QPushButton>(d, "cmdAggiungi"), Qt::LeftButton);
        });
        QTest::mouseClick(figlio<QPushButton>(&archivio, "cmdNuova"), Qt::LeftButton);
        QVERIFY(m_modali->tuttiGestiti());
        verificaMessaggio(QStringLiteral("Estrazioni aggiunte: 1"), QStringLiteral("Archivio Estrazioni"),
                          Icona::Informazione);
        QCOMPARE(lst->item(0)->text(), QStringLiteral(" 14/01/2009 | 014 | 08 18 28 38 48 58 | 09 | 00"));
        QCOMPARE(al->count(), 6);
        QCOMPARE(al->currentText(), QStringLiteral("07/01/2009"));
        QCOMPARE(Contenuto(fileArchivio()).size(), 6 * 20);
        QVERIFY(m_ui->messaggi.isEmpty());
        m_corpo->chiusuraInCorso = true;
    }

    // The real update: `pubblica` writes the folder, nginx serves it, the window downloads it.
    void aggiornamentoDalServer() {
        const QString pubblico = m_cartella->filePath("pubblico");
        const QString lista = QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt");
        QProcess cli;
        cli.start(QStringLiteral(SESTINA_CLI),
                  {"pubblica", "--archivio", lista, "--versione", "1.0.0", "-o", pubblico});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        ServerPubblicazione server(pubblico);
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        QVERIFY(Scrivi(m_corpo->fileConfigurazione,
                       "[Impostazioni]\r\nindirizzo_server=" + server.indirizzo().toUtf8() + "\r\n"));

        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.caricaFinestreNascoste();
        frmArchivio& archivio = principale.finestraArchivio();
        QVERIFY(figlio<QListWidget>(&archivio, "lst")->count() == 0);
        archivio.cmdUpdate_Click();
        QCOMPARE(figlio<QListWidget>(&archivio, "lst")->count(), 2855);
        QCOMPARE(figlio<QLabel>(&archivio, "lbTotale")->text(), QStringLiteral("2855"));
        QCOMPARE(figlio<QLabel>(&archivio, "lbLast")->text(),
                 QStringLiteral(" 23/05/2026 | 083 | 14 29 34 57 59 69 | 20 | 16"));
        QCOMPARE(Contenuto(fileArchivio()).size(), 2855 * 20);
        m_corpo->chiusuraInCorso = true;
    }
};

QTEST_MAIN(TestRisultati)
#include "tst_risultati.moc"
