#include "Catalogo.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "Download.h"
#include "FakeInterfaccia.h"
#include "FileMatrice.h"
#include "Modali.h"
#include "ProvaSuFile.h"
#include "ServerPubblicazione.h"
#include "frmMAIN.h"
#include "frmMatr.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace sestina;

namespace {

const QString Dati = QStringLiteral(SESTINA_TEST_DATA "/matrici");

} // namespace

class TestFinestraMatrici : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;

    QString matrici() const { return CartellaMatrici(m_corpo->cartellaDati); }
    void copia(const QString& da, const QString& nome) {
        QVERIFY(QDir().mkpath(matrici()));
        QVERIFY(QFile::copy(Dati + QLatin1Char('/') + da, matrici() + QLatin1Char('/') + nome));
    }
    ScaricaPagina nessunServer() {
        return [](const QString&, const QString&, ContoDownload&) { return false; };
    }

private Q_SLOTS:
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        m_corpo = std::make_unique<Corpo>();
        m_corpo->cartellaDati = m_cartella->path();
        m_corpo->fileConfigurazione = m_cartella->filePath(QStringLiteral("impostazioni.cfg"));
        m_ui = std::make_unique<FakeInterfaccia>();
    }
    void cleanup() { QVERIFY(m_ui->messaggi.isEmpty()); }

    // Browse mode: every line, the details, the flags on red, and no adaptation.
    void elenco() {
        copia(QStringLiteral("valida.mspl"), QStringLiteral("buona.mspl"));
        copia(QStringLiteral("rotte/crc-errato.mspl"), QStringLiteral("corrotta.mspl"));
        copia(QStringLiteral("rotte/etichetta-errata.mspl"), QStringLiteral("vecchia.mspl"));
        copia(QStringLiteral("rotte/posizione-zero.mspl"), QStringLiteral("guasta.mspl"));
        CaricaCatalogoMatrici(*m_corpo, 0);
        frmMatr f(*m_corpo, *m_ui, nessunServer());
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Matrici Disponibili (4)"));
        QVERIFY(!figlio<QPushButton>(&f, "cmdAdattaMatrice")->isVisible());
        QVERIFY(figlio<QPushButton>(&f, "cmdUpdateMatrix")->isVisible());
        auto* lista = figlio<QListWidget>(&f, "flSPL");
        QCOMPARE(lista->item(0)->text(), QStringLiteral(" 10 | 06 | 05 | 06 | 00 |      4 | 75%       "));
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QString sbarre = SbarreNonAllineate(figlio<QLabel>(&f, "lblIntestazione"), lista, 0);
        QVERIFY2(sbarre.isEmpty(), qPrintable(sbarre));
        for (int riga = 0; riga < lista->count(); ++riga) {
            lista->setCurrentRow(riga);
            const VoceCatalogo& voce = m_corpo->catalogoMatrici[static_cast<std::size_t>(riga)];
            QCOMPARE(figlio<QLineEdit>(&f, "txtFileName")->text(), voce.nomeFile);
            QCOMPARE(figlio<QLineEdit>(&f, "txtAuthor")->text(), QStringLiteral("Autore Prova"));
            QCOMPARE(figlio<QLineEdit>(&f, "txtColMatrix")->text(), QStringLiteral("4"));
            const QString versione = figlio<QLabel>(&f, "lblChkVersion")->text();
            const QString crc = figlio<QLabel>(&f, "lblOK")->text();
            QCOMPARE(versione, voce.nomeFile == QStringLiteral("vecchia.mspl") ? QStringLiteral("Versione non valida")
                                                                               : QString());
            QCOMPARE(crc,
                     voce.nomeFile == QStringLiteral("corrotta.mspl") ? QStringLiteral("Matrice Corrotta") : QString());
            if (!crc.isEmpty())
                QCOMPARE(figlio<QLabel>(&f, "lblOK")->palette().color(QPalette::Window), QColor(Qt::red));
            QCOMPARE(figlio<QLabel>(&f, "lblDifetto")->text().isEmpty(),
                     voce.nomeFile != QStringLiteral("guasta.mspl"));
            QVERIFY(!figlio<QPushButton>(&f, "cmdAdattaMatrice")->isEnabled());
        }
        // Enter walks the detail boxes.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        figlio<QLineEdit>(&f, "txtNumMatrix")->setFocus();
        QTest::keyClick(figlio<QLineEdit>(&f, "txtNumMatrix"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), figlio<QLineEdit>(&f, "txtLenCol"));

        // A failed list download brings the window back and says so.
        figlio<QPushButton>(&f, "cmdUpdateMatrix")->click();
        QVERIFY(f.isEnabled() && figlio<QWidget>(&f, "frameInfo")->isVisible());
        QCOMPARE(m_ui->messaggi.takeFirst().testo, QStringLiteral("Errore durante il download dell'aggiornamento"));
    }

    // The real update against nginx refills the list.
    void scaricamento() {
        QTemporaryDir sorgente;
        QVERIFY(QFile::copy(Dati + QStringLiteral("/valida.mspl"), sorgente.filePath(QStringLiteral("dieci.mspl"))));
        QTemporaryDir pubblico;
        QVERIFY(PubblicaMatrici(sorgente.path(), pubblico.path()));
        ServerPubblicazione server(pubblico.path());
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        QVERIFY(
            Scrivi(m_corpo->fileConfigurazione, "[Impostazioni]\r\nindirizzo_server=" + server.indirizzo().toLatin1()));
        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        Modali modali;
        modali.quandoAppare([](QWidget* w) {
            auto* f = qobject_cast<frmMatr*>(w);
            QVERIFY(f);
            QCOMPARE(f->windowTitle(), QStringLiteral("Matrici Disponibili (0)"));
            figlio<QPushButton>(f, "cmdUpdateMatrix")->click();
            QCOMPARE(f->windowTitle(), QStringLiteral("Matrici Disponibili (1)"));
            f->close();
        });
        figlio<QAction>(&principale, "mnu_Elenco")->trigger();
        QVERIFY(modali.tuttiGestiti());
        QVERIFY(QFile::exists(matrici() + QStringLiteral("/DIECI.mspl")));
        QCOMPARE(m_ui->messaggi.takeFirst().testo, QStringLiteral("Matrici scaricate: 1, scartate: 0"));
    }

    // The update shows how far it got and stops on Interrompi, even in the middle of a file
    // from a server that never answers; what arrived stays.
    void aggiornamentoInterrotto() {
        ServerGuasto server(ServerGuasto::Guasto::Pagine);
        const QByteArray file = PaginaDownloadMatrice.toLatin1();
        const QByteArray valida = Contenuto(Dati + QStringLiteral("/valida.mspl"));
        server.pagina(PaginaListaMatrici.toLatin1(), RispostaHttp(200, "PRIMA.DAT\r\nMUTA.DAT\r\nTERZA.DAT\r\n"));
        server.pagina(file + "PRIMA.DAT", RispostaHttp(200, valida));
        server.pagina(file + "MUTA.DAT", {});
        server.pagina(file + "TERZA.DAT", RispostaHttp(200, valida));
        const ScaricaPagina reale = PagineDalServer(server.indirizzo(), *m_ui);
        CaricaCatalogoMatrici(*m_corpo, 0);
        frmMatr* finestra = nullptr;
        QList<int> duranteLaMuta; // progress shown, of, Interrompi usable, list usable
        frmMatr f(*m_corpo, *m_ui, [&](const QString& pagina, const QString& percorso, ContoDownload& conto) {
            if (pagina.endsWith(QLatin1String("MUTA.DAT"))) {
                const auto* barra = figlio<QProgressBar>(finestra, "prgAggiornamento");
                auto* interrompi = figlio<QPushButton>(finestra, "cmdInterrompi");
                duranteLaMuta = {barra->isVisible() ? barra->value() : -1, barra->maximum(),
                                 int(interrompi->isVisible() && interrompi->isEnabled()),
                                 int(figlio<QPushButton>(finestra, "cmdUpdateMatrix")->isEnabled())};
                QTimer::singleShot(100, interrompi, &QPushButton::click);
            }
            return reale(pagina, percorso, conto);
        });
        finestra = &f;
        f.show();
        QVERIFY(!figlio<QProgressBar>(&f, "prgAggiornamento")->isVisible());
        QVERIFY(!figlio<QPushButton>(&f, "cmdInterrompi")->isVisible());
        QElapsedTimer tempo;
        tempo.start();
        figlio<QPushButton>(&f, "cmdUpdateMatrix")->click();
        QVERIFY(tempo.elapsed() < 3000);
        QCOMPARE(duranteLaMuta, (QList<int>{1, 3, 1, 0}));
        QCOMPARE(m_ui->messaggi.takeFirst().testo, QStringLiteral("Matrici scaricate: 1, scartate: 0"));
        QVERIFY(!server.destinazioni().contains(file + "TERZA.DAT"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Matrici Disponibili (1)"));
        QVERIFY(!figlio<QProgressBar>(&f, "prgAggiornamento")->isVisible());
        QVERIFY(!figlio<QPushButton>(&f, "cmdInterrompi")->isVisible());
        QVERIFY(figlio<QPushButton>(&f, "cmdUpdateMatrix")->isEnabled() &&
                figlio<QWidget>(&f, "frameInfo")->isVisible());
    }

    // The optimiser from the window: a full run, then one stopped at once, which keeps the start's
    // verified design; with too few numbers only a message.
    void genera() {
        CaricaCatalogoMatrici(*m_corpo, 0);
        frmMatr f(*m_corpo, *m_ui, nessunServer());
        f.show();
        figlio<QPushButton>(&f, "cmdGenera")->click();
        QVERIFY(m_ui->messaggi.takeFirst().testo.startsWith(QStringLiteral("Per generare una matrice servono da 7")));
        for (int n = 1; n <= 10; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n * 7 - 1);
        Modali modali;
        for (const bool interrompi : {false, true}) {
            modali.quandoAppare([interrompi](QWidget* w) {
                QCOMPARE(w->windowTitle(), QStringLiteral("Genera Matrice di 10 numeri"));
                figlio<QSpinBox>(w, "txtGaranzia")->setValue(5);
                figlio<QSpinBox>(w, "txtSecondi")->setValue(1);
                if (interrompi)
                    QTimer::singleShot(0, figlio<QPushButton>(w, "cmdInterrompi"), &QPushButton::click);
                figlio<QPushButton>(w, "cmdGenera")->click();
            });
            if (interrompi)
                m_ui->rispondi(Risposta::Si); // replace the first one
            figlio<QPushButton>(&f, "cmdGenera")->click();
            QVERIFY(modali.tuttiGestiti());
            QCOMPARE(f.windowTitle(), QStringLiteral("Matrici Disponibili (1)"));
            QCOMPARE(figlio<QLineEdit>(&f, "txtFileName")->text(), QStringLiteral("10numeri-5se6.mspl"));
            QCOMPARE(figlio<QLabel>(&f, "lblOK")->text(), QString());
            QVERIFY(figlio<QLineEdit>(&f, "txtColMatrix")->text().toInt() <= (interrompi ? 20 : 15));
        }
        QVERIFY(
            m_ui->messaggi.takeFirst().testo.startsWith(QStringLiteral("La matrice 10numeri-5se6.mspl esiste già")));
    }

    // From the main window: the ordering window first, then the matrix takes the Prediction.
    void adattaDallaFinestraPrincipale() {
        copia(QStringLiteral("valida.mspl"), QStringLiteral("dieci.mspl"));
        const MATRIX_STRUCTURE otto = CreaMatrice(8, 6, 0, {{1, 2, 3, 4, 5, 6}}, {});
        QVERIFY(SalvaMatrice(otto, matrici() + QStringLiteral("/otto.mspl")));
        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.show();
        for (int n = 11; n <= 20; ++n)
            principale.GrigliaNumeriClick(n - 1);
        Modali modali;
        // A sum condition the adaptation will clear: its mark must go with it.
        modali.quandoAppare([](QWidget* w) {
            figlio<QRadioButton>(w, "optCondSomma_0")->click();
            w->close();
        });
        figlio<QAction>(&principale, "menuSomma")->trigger();
        QVERIFY(figlio<QAction>(&principale, "menuSomma")->isChecked());
        modali.quandoAppare([](QWidget* w) {
            auto* f = qobject_cast<frmMatr*>(w);
            QVERIFY(f);
            QCOMPARE(f->windowTitle(), QStringLiteral("Matrici Disponibili (1)"));
            QVERIFY(!figlio<QPushButton>(f, "cmdUpdateMatrix")->isVisible());
            figlio<QPushButton>(f, "cmdAdattaMatrice")->click();
        });
        modali.quandoAppare([](QWidget* w) {
            QCOMPARE(w->objectName(), QStringLiteral("frmOrdinaPronostico"));
            w->close();
        });
        figlio<QPushButton>(&principale, "cmdAdatta")->click();
        QVERIFY(modali.tuttiGestiti());
        const Sistema& s = m_corpo->sistema;
        QCOMPARE(s.numeroColonne, 4);
        QCOMPARE(s.colonne.leggi(1), (Colonna{11, 12, 13, 14, 15, 16}));
        QCOMPARE(s.tipoSistema, QStringLiteral("Ridotto N-1"));
        QVERIFY(s.sistemaSviluppato != 0);
        QVERIFY(figlio<QAction>(&principale, "menuRidotto")->isChecked());
        QVERIFY(!s.condSomma && !figlio<QAction>(&principale, "menuSomma")->isChecked());
        QVERIFY(!figlio<QPushButton>(&principale, "cmdAdatta")->isEnabled());
    }
};

QTEST_MAIN(TestFinestraMatrici)
#include "tst_finestramatrici.moc"
