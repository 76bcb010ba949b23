#include "Archivio.h"
#include "Cartelle.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "GrigliaSpoglio.h"
#include "Modali.h"
#include "ModelloSpoglio.h"
#include "ProvaSuFile.h"
#include "SpoglioEstrazioni.h"
#include "SpoglioLetterale.h"
#include "Statistiche.h"
#include "Sviluppo.h"
#include "frmArchivio.h"
#include "frmMAIN.h"
#include "frmSpoglioEstrazioni.h"
#include "frmStatistiche.h"

#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace sestina;

namespace {

QStringList Voci(QComboBox* lista) {
    QStringList voci;
    for (int i = 0; i < lista->count(); ++i)
        voci << lista->itemText(i);
    return voci;
}

QBarCategoryAxis* AsseCategorie(QChart* grafico) {
    const auto assi = grafico->axes(Qt::Vertical);
    return assi.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(assi.front());
}

// The bar labels from the top of the chart down; on screen every blank is a fixed one, so none folds.
QStringList Categorie(QChart* grafico) {
    QStringList categorie = AsseCategorie(grafico) ? AsseCategorie(grafico)->categories() : QStringList();
    std::reverse(categorie.begin(), categorie.end());
    for (QString& c : categorie) {
        if (c.contains(QLatin1Char(' ')))
            return {};
        c.replace(QChar(0x00A0), QLatin1Char(' '));
    }
    return categorie;
}

// Every label has a line of its own and room left of the bars.
bool EtichetteLeggibili(QChart* grafico) {
    QBarCategoryAxis* asse = AsseCategorie(grafico);
    const QFontMetricsF metriche(asse->labelsFont());
    qreal larghezza = 0;
    for (const QString& etichetta : asse->categories())
        larghezza = std::max(larghezza, metriche.horizontalAdvance(etichetta));
    const QRectF area = grafico->plotArea();
    return area.height() / asse->count() >= metriche.height() && area.left() + 0.5 >= larghezza &&
           grafico->size().height() >= area.bottom();
}

} // namespace

// The scrutiny and statistics windows, and how the main and archive windows reach them.
class TestSpoglioStatistiche : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<Corpo> m_corpo;
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<Modali> m_modali;
    ArchivioEstrazioni m_reale;

    // The 28 columns of 1 to 8.
    void sistemaOtto() {
        for (int n = 1; n <= 8; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n - 1);
        FakeInterfaccia ui;
        OsservatoreSviluppo nessuno;
        QVERIFY(Elabora(m_corpo->sistema, ui, nessuno));
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        FakeInterfaccia ui;
        QCOMPARE(LoadArchivioTMP(m_reale, QStringLiteral(SESTINA_DATI_ESTRAZIONI "/estrazioni-2009-2026.txt"), ui),
                 EsitoLista::Letta);
    }
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        m_temp = std::make_unique<QTemporaryDir>();
        // The statistics files go to the temporary folder: this test's own.
        qputenv("TMPDIR", m_temp->path().toUtf8());
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

    void liste() {
        const Estrazione primo{1, QStringLiteral("02/01/2020"), {0, 1, 2, 3, 4, 5, 6}, 7, 3};
        Estrazione dopo = primo;
        dopo.data = QStringLiteral("04/01/2020");
        m_corpo->archivioEstrazioni = {primo, primo, dopo};
        frmSpoglioEstrazioni f(*m_corpo, *m_ui);
        f.show();
        QVERIFY(f.populateCmbEstrazioni());
        auto* dal = figlio<QComboBox>(&f, "cmbDal");
        auto* al = figlio<QComboBox>(&f, "cmbAl");
        QCOMPARE(Voci(dal), (QStringList{"02/01/2020", "04/01/2020"}));
        QCOMPARE(Voci(al), Voci(dal));
        QVERIFY(dal->currentIndex() == 0 && al->currentIndex() == 1);
        QVERIFY(dal->isVisible() && al->isEnabled() && f.isEnabled());

        // More dates than the lists may hold: the message, the lists off, no scrutiny.
        ArchivioEstrazioni troppe(LimiteDateSpoglio + 1, primo);
        for (std::size_t i = 0; i < troppe.size(); ++i)
            troppe[i].data = QString::number(i);
        m_corpo->archivioEstrazioni = troppe;
        QVERIFY(!f.populateCmbEstrazioni());
        const auto m = m_ui->messaggi.takeFirst();
        QCOMPARE(
            m.testo,
            QStringLiteral("Error : Archivio superiore alla dimensione massima...Spoglio Estrazioni non disponibile"));
        QVERIFY(m.titolo == QStringLiteral("Errore dimensione archivio") && m.icona == Icona::Critica);
        QVERIFY(!dal->isVisible() && !al->isEnabled() && f.isEnabled());
        sistemaOtto();
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglioEstrazioni"), Qt::LeftButton);
        QVERIFY(f.modello().vuoto());
    }

    // The whole real archive: the grid, its colours and widths, the fixed rows, the summary.
    void spoglio() {
        m_corpo->archivioEstrazioni = m_reale;
        sistemaOtto();
        frmSpoglioEstrazioni f(*m_corpo, *m_ui);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.modello().celle(0), QStringList{"-"});
        QVERIFY(f.populateCmbEstrazioni());
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglioEstrazioni"), Qt::LeftButton);

        FakeInterfaccia ui;
        const EsitoSpoglioEstrazioni atteso =
            SpogliaEstrazioniLetterale(m_corpo->sistema, m_reale, {0, m_reale.size() - 1}, ui);
        auto* griglia = figlio<GrigliaSpoglio>(&f, "flexGrid");
        const QAbstractItemModel* m = griglia->model();
        QCOMPARE(m->rowCount(), 2857);
        QCOMPARE(m->columnCount(), 12);
        for (const int r : {0, 1, 2, 1000, 2856}) {
            QStringList celle;
            for (int c = 0; c < 12; ++c)
                celle << m->index(r, c).data().toString();
            QCOMPARE(celle, CelleGrigliaSpoglio(m_reale, atteso, r));
        }
        QCOMPARE(m->index(5, 3).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 192));
        QCOMPARE(m->index(5, 4).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 128));
        QCOMPARE(m->index(5, 5).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(192, 255, 192));
        QVERIFY(!m->index(5, 6).data(Qt::BackgroundRole).isValid());
        for (int c = 0; c < 12; ++c) {
            QCOMPARE(m->index(1, c).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 255));
            QVERIFY(m->index(1, c).data(Qt::FontRole).value<QFont>().bold());
        }
        // Each column as wide as its widest text and 230 twips.
        const int margine = qRound(230.0 / 1440.0 * f.logicalDpiX());
        QCOMPARE(griglia->columnWidth(2),
                 f.fontMetrics().horizontalAdvance(QStringLiteral("16.19.29.34.48.64")) + margine);
        QCOMPARE(griglia->righeFisse()->model()->rowCount(), 2);
        QCOMPARE(griglia->righeFisse()->columnWidth(2), griglia->columnWidth(2));
        QCOMPARE(griglia->righeFisse()->height(), griglia->rowHeight(0) + griglia->rowHeight(1));

        const auto riepilogo = RiepilogoSpoglio(atteso);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(figlio<QLabel>(&f, qPrintable(QStringLiteral("lblRiepilogo_%1").arg(i)))->text(),
                     riepilogo[i].second);
        QCOMPARE(riepilogo[0].second, QStringLiteral("2.855"));
        Fotografa(&f, QStringLiteral("spoglio-estrazioni.png"));

        // A key press copies the selection, cells by TAB, rows by CR LF.
        griglia->setFocus();
        griglia->selectionModel()->select(QItemSelection(m->index(2, 0), m->index(3, 2)), QItemSelectionModel::Select);
        QTest::keyClick(griglia, Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("02/01/2009\t1\t16.19.29.34.48.64\r\n03/01/2009\t2\t17.24.25.40.58.64\r\n"));

        // The range upside down: the common error, an empty grid, the button back on.
        figlio<QComboBox>(&f, "cmbDal")->setCurrentIndex(2854);
        figlio<QComboBox>(&f, "cmbAl")->setCurrentIndex(0);
        QTest::mouseClick(figlio<QPushButton>(&f, "cmdSpoglioEstrazioni"), Qt::LeftButton);
        const auto errore = m_ui->messaggi.takeFirst();
        QCOMPARE(errore.testo, QStringLiteral("Error -2147211504 ('DA' è maggiore di 'A') in procedure "
                                              "SpoglioArchivioEstrazioni of Form frmSpoglioEstrazioni"));
        QCOMPARE(errore.titolo, QStringLiteral("Sestinaplan"));
        QVERIFY(f.modello().vuoto());
        QVERIFY(figlio<QPushButton>(&f, "cmdSpoglioEstrazioni")->isEnabled() && griglia->isVisible());
    }

    void statistiche() {
        const QString temp = m_temp->path() + QLatin1Char('/');
        for (const char* vecchio : {"sestinaplan_20200101_000000.csv", "altro.csv"})
            QVERIFY(Scrivi(temp + vecchio, "x"));
        m_corpo->archivioEstrazioni = m_reale;
        frmStatistiche f(*m_corpo, *m_ui);
        QVERIFY(!f.isVisible());
        QVERIFY(!QFileInfo::exists(temp + "sestinaplan_20200101_000000.csv") && QFileInfo::exists(temp + "altro.csv"));
        QVERIFY(QFileInfo(f.fileStatistiche())
                    .fileName()
                    .contains(QRegularExpression(QStringLiteral("^sestinaplan_\\d{8}_\\d{6}\\.csv$"))));
        QCOMPARE(QFileInfo(f.fileStatistiche()).absolutePath(), QDir(m_temp->path()).absolutePath());
        const Statistiche st = CalcolaStatistiche(m_reale);
        QCOMPARE(Contenuto(f.fileStatistiche()), st.csv);

        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QChart* grafico = f.grafico();
        QCOMPARE(grafico->title(), QStringLiteral("Consecutivi"));
        QVERIFY(grafico->legend()->isVisible());
        QCOMPARE(grafico->series().size(), 1);
        auto* serie = qobject_cast<QAbstractBarSeries*>(grafico->series().front());
        QCOMPARE(serie->count(), 1);
        QCOMPARE(serie->barSets().front()->count(), 6);
        QCOMPARE(serie->barSets().front()->at(5), qreal(st.tabelle.consecutivi[0]));
        QCOMPARE(Categorie(grafico).front(), QStringLiteral("01 -->      %1").arg(st.tabelle.consecutivi[0]));
        auto* consecutivi = figlio<QRadioButton>(&f, "optStatistica_0");
        QVERIFY(consecutivi->isChecked());
        QCOMPARE(consecutivi->palette().color(QPalette::Window), QColor(255, 255, 0));

        QTest::mouseClick(figlio<QRadioButton>(&f, "optStatistica_4"), Qt::LeftButton);
        QCOMPARE(f.grafico()->title(), QStringLiteral("Somma"));
        QCOMPARE(Categorie(f.grafico()).front(), QStringLiteral("0021-0105 -->      %1").arg(st.tabelle.somma[0]));
        QVERIFY(!consecutivi->isChecked() && consecutivi->palette().color(QPalette::Window) != QColor(255, 255, 0));
        QTest::mouseClick(figlio<QRadioButton>(&f, "optStatistica_5"), Qt::LeftButton);
        QCOMPARE(f.grafico()->title(), QStringLiteral("Frequenza Numeri"));
        const QStringList frequenza = Categorie(f.grafico());
        QCOMPARE(frequenza.size(), 90);
        QCOMPARE(frequenza.front(), QStringLiteral("%1 -->      %2")
                                        .arg(st.tabelle.frequenza[0].numero, 2, 10, QLatin1Char('0'))
                                        .arg(st.tabelle.frequenza[0].conteggio));
        Fotografa(&f, QStringLiteral("statistiche-frequenza.png"));
        QTest::mouseClick(figlio<QRadioButton>(&f, "optStatistica_6"), Qt::LeftButton);
        QCOMPARE(f.grafico()->title(), QStringLiteral("Ritardi"));
        QCOMPARE(Categorie(f.grafico()).front(), QStringLiteral("%1 -->      %2")
                                                     .arg(st.tabelle.ritardi[0].numero, 2, 10, QLatin1Char('0'))
                                                     .arg(st.tabelle.ritardi[0].conteggio));
        QTest::mouseClick(figlio<QRadioButton>(&f, "optStatistica_7"), Qt::LeftButton);
        QCOMPARE(f.grafico()->title(), QStringLiteral("Ritardo Massimo"));
        Fotografa(&f, QStringLiteral("statistiche-ritardo-massimo.png"));

        // At the size the window opens with, each of the eight charts shows every label whole.
        for (int i = 0; i < 8; ++i) {
            QTest::mouseClick(figlio<QRadioButton>(&f, ("optStatistica_" + QByteArray::number(i)).constData()),
                              Qt::LeftButton);
            QTRY_VERIFY2(EtichetteLeggibili(f.grafico()), qPrintable(f.grafico()->title()));
        }

        // Closing hides; a refresh writes a new file and goes back to Consecutivi.
        f.close();
        QVERIFY(!f.isVisible());
        m_corpo->archivioEstrazioni.resize(10);
        f.refreshStat();
        QCOMPARE(Contenuto(f.fileStatistiche()), CalcolaStatistiche(m_corpo->archivioEstrazioni).csv);
        QCOMPARE(f.grafico()->title(), QStringLiteral("Consecutivi"));
    }

    // Start-up loads the statistics hidden; the menus and the archive window's button reach both windows.
    void daiMenu() {
        DialoghiFinti dialoghi;
        frmMAIN principale(*m_corpo, *m_ui, dialoghi);
        principale.caricaFinestreNascoste();
        principale.show();
        principale.mostraSpoglioEstrazioni();
        frmStatistiche& statistiche = principale.finestraStatistiche();
        QVERIFY(!statistiche.isVisible());
        const QString primo = statistiche.fileStatistiche();
        QVERIFY(QFileInfo::exists(primo));

        m_corpo->archivioEstrazioni = m_reale;
        QTest::qWait(1100); // a new second, a new file name
        figlio<QPushButton>(&principale.finestraArchivio(), "cmdStatistiche")->click();
        QVERIFY(statistiche.isVisible() && statistiche.fileStatistiche() != primo);
        QCOMPARE(statistiche.tabelle().frequenza, CalcolaStatistiche(m_reale).tabelle.frequenza);
        statistiche.close();
        figlio<QAction>(&principale, "menuStatistiche")->trigger();
        QVERIFY(statistiche.isVisible());

        // The scrutiny opens only with columns, its lists filled.
        QAction* spoglio = figlio<QAction>(&principale, "menuSpoglioEstrazioni");
        QVERIFY(spoglio->isVisible() && spoglio->isEnabled());
        spoglio->trigger();
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QStringLiteral("frmSpoglioEstrazioni") || !w->isVisible());
        sistemaOtto();
        spoglio->trigger();
        frmSpoglioEstrazioni& finestra = principale.finestraSpoglioEstrazioni();
        QVERIFY(finestra.isVisible());
        QCOMPARE(figlio<QComboBox>(&finestra, "cmbDal")->count(), 2855);
        QCOMPARE(figlio<QComboBox>(&finestra, "cmbAl")->currentText(), QStringLiteral("23/05/2026"));
    }
};

QTEST_MAIN(TestSpoglioStatistiche)
#include "tst_spogliostatistiche.moc"
