#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "GrigliaEtichette.h"
#include "Modali.h"
#include "frmConsecutivi.h"
#include "frmFisse.h"
#include "frmPari.h"
#include "frmRidotto.h"
#include "frmSomma.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <tuple>

using namespace sestina;

namespace {

QString tag(QWidget* radice, const QString& nome) {
    return figlio<QLabel>(radice, qPrintable(nome))->property("tag").toString();
}

void cliccaEtichetta(QWidget* radice, const QString& nome) {
    QTest::mouseClick(figlio<QLabel>(radice, qPrintable(nome)), Qt::LeftButton);
}

// The runs of dark columns in a widget's picture (its frame left out), from left to right, in the
// window's coordinates: where its letters really fall.
QList<QPair<int, int>> Macchie(QWidget* w) {
    const QImage figura = w->grab().toImage();
    QList<QPair<int, int>> macchie;
    int inizio = -1;
    for (int x = 2; x <= figura.width() - 2; ++x) {
        bool scura = false;
        for (int y = 2; x < figura.width() - 2 && y < figura.height() - 2 && !scura; ++y)
            scura = qGray(figura.pixel(x, y)) < 128;
        if (scura && inizio < 0)
            inizio = x;
        if (!scura && inizio >= 0) {
            const int a = w->mapTo(w->window(), QPoint(inizio, 0)).x();
            macchie.append({a, a + x - 1 - inizio});
            inizio = -1;
        }
    }
    return macchie;
}

int Centro(const QList<QPair<int, int>>& macchie) {
    return macchie.isEmpty() ? -1000 : (macchie.first().first + macchie.last().second) / 2;
}

} // namespace

class TestEditori : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;
    FakeInterfaccia m_ui;
    Modali m_modali;

    Sistema& s() { return m_corpo->sistema; }
    void pronostico(const QList<int>& numeri) {
        for (int n : numeri)
            s().GrigliaNumeriClick(n - 1);
    }
    // Shown and active; with a name, pictured for a reviewer's eye.
    template <typename Finestra> void apri(Finestra& f, const char* foto = nullptr) {
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(!foto || Fotografa(&f, QString::fromLatin1(foto) + QStringLiteral(".png")));
    }

private Q_SLOTS:
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_ui = FakeInterfaccia{};
    }
    void cleanup() { QVERIFY(m_modali.tuttiGestiti()); }

    void sommaLimitiEValoriProposti_data() {
        QTest::addColumn<QList<int>>("numeri");
        QTest::addColumn<int>("sommaDa");
        QTest::addColumn<int>("sommaA");
        QTest::addColumn<QStringList>("mostrati"); // labMin, labMax, txtDa, txtA
        const QList<int> otto{1, 2, 3, 10, 20, 30, 40, 50};
        QTest::newRow("1..6, nessun limite")
            << QList<int>{1, 2, 3, 4, 5, 6} << 0 << 0 << QStringList{"21", "21", "21", "21"};
        QTest::newRow("DA fuori limite") << otto << 200 << 100 << QStringList{"66", "153", "66", "100"};
        QTest::newRow("limiti validi") << otto << 70 << 153 << QStringList{"66", "153", "70", "153"};
        QTest::newRow("A sotto il minimo") << otto << 66 << 65 << QStringList{"66", "153", "66", "153"};
    }
    void sommaLimitiEValoriProposti() {
        QFETCH(QList<int>, numeri);
        QFETCH(int, sommaDa);
        QFETCH(int, sommaA);
        QFETCH(QStringList, mostrati);
        pronostico(numeri);
        s().sommaDa = static_cast<std::int16_t>(sommaDa);
        s().sommaA = static_cast<std::int16_t>(sommaA);
        frmSomma f(s(), m_ui);
        QCOMPARE((QStringList{figlio<QLabel>(&f, "labMin")->text(), figlio<QLabel>(&f, "labMax")->text(),
                              figlio<QLineEdit>(&f, "txtDa")->text(), figlio<QLineEdit>(&f, "txtA")->text()}),
                 mostrati);
    }

    // Every failing check speaks, in order; the last one decides the focus; nothing is stored
    // until the dialog may close.
    void sommaControlli_data() {
        QTest::addColumn<QString>("da");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QStringList>("avvisi");
        QTest::addColumn<QString>("fuoco");
        QTest::addColumn<QList<int>>("memorizzati"); // sommaDa, sommaA after the attempt
        const QString primo = QStringLiteral(" !!! E R R O R E !!! |'DA' è maggiore di 'A'");
        const QString minimo = QStringLiteral("!!! E R R O R E !!!|'DA' è minore del minimo");
        const QString massimo = QStringLiteral("!!! E R R O R E !!!|'A' è maggiore del massimo");
        // Prediction 1, 2, 3, 10, 20, 30, 40, 50: Min 66, Max 153; 80 and 120 stored.
        const auto riga = [](const char* nome, const char* da, const char* a, const QStringList& avvisi,
                             const char* fuoco, const QList<int>& memorizzati = {80, 120}) {
            QTest::newRow(nome) << QString::fromUtf8(da) << QString::fromUtf8(a) << avvisi << QString::fromLatin1(fuoco)
                                << memorizzati;
        };
        riga("DA > A", "100", "90", {primo}, "txtA");
        riga("DA < minimo", "60", "90", {minimo}, "txtDa");
        riga("A > massimo", "70", "160", {massimo}, "txtA");
        riga("DA > A > massimo", "300", "200", {primo, massimo}, "txtA");
        riga("DA > A < minimo", "10", "5", {primo, minimo}, "txtDa");
        riga("A vuoto vale 0", "70", "", {primo}, "txtA");
        riga("DA vuoto, A valido", "", "100", {}, "", {80, 100});
        riga("entrambi vuoti", "", "", {}, "");
        riga("decimali, metà al pari", "66,5", "100.5", {}, "", {66, 100});
    }
    void sommaControlli() {
        QFETCH(QString, da);
        QFETCH(QString, a);
        QFETCH(QStringList, avvisi);
        QFETCH(QString, fuoco);
        QFETCH(QList<int>, memorizzati);
        pronostico({1, 2, 3, 10, 20, 30, 40, 50});
        s().sommaDa = 80;
        s().sommaA = 120;
        frmSomma f(s(), m_ui);
        apri(f);
        figlio<QLineEdit>(&f, "txtDa")->setText(da);
        figlio<QLineEdit>(&f, "txtA")->setText(a);
        const bool chiuso = f.close();

        QStringList visti;
        for (const auto& m : m_ui.messaggi) {
            QCOMPARE(m.icona, Icona::Esclamazione);
            visti << m.titolo + QLatin1Char('|') + m.testo;
        }
        QCOMPARE(visti, avvisi);
        QCOMPARE(m_ui.beep_, avvisi.size());
        QCOMPARE(chiuso, avvisi.isEmpty());
        if (!chiuso)
            QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
        // A rejected pair never reaches the System.
        QCOMPARE((QList<int>{s().sommaDa, s().sommaA}), memorizzati);
    }

    void sommaTasti() {
        pronostico({1, 2, 3, 4, 5, 6, 7});
        frmSomma f(s(), m_ui);
        apri(f, "frmSomma");
        auto* da = figlio<QLineEdit>(&f, "txtDa");
        da->setFocus();
        QTRY_COMPARE(da->cursorPosition(), 0);
        QVERIFY(da->selectedText().isEmpty());
        da->clear();
        QTest::keyClicks(da, QStringLiteral("2a5-"));
        QCOMPARE(da->text(), QStringLiteral("25"));
        QCOMPARE(m_ui.beep_, 2);
        QTest::keyClick(da, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtA"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), da);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(s().sommaDa, 25);
        QCOMPARE(s().sommaA, 27);
    }

    // A developed System: every editor shows its values and changes nothing, frmSomma not even on close.
    void sviluppatoSoloLettura() {
        pronostico({1, 2, 3, 4, 5, 6, 7});
        Sistema& x = s();
        x.sistemaSviluppato = x.condSomma = Vero;
        x.sommaDa = 500;
        x.pariAmmessi[3] = Vero;
        x.consecutiviAmmessi = 4;
        x.numeriFissi[2] = 1;
        x.quantiFissi = 1;
        x.livelloRiduzione = 2;
        {
            frmSomma f(x, m_ui);
            apri(f);
            QVERIFY(!figlio<QGroupBox>(&f, "frameSomma")->isEnabled());
            QVERIFY(figlio<QRadioButton>(&f, "optCondSomma_0")->isChecked());
            figlio<QLineEdit>(&f, "txtDa")->setText(QStringLiteral("999"));
            QVERIFY(f.close());
            QCOMPARE(x.sommaDa, 500);
            QVERIFY(m_ui.messaggi.isEmpty());
        }
        frmPari p(x);
        frmConsecutivi c(x);
        frmFisse fisse(x);
        frmRidotto r(x);
        // Each: the label clicked, and the stored choice it would change.
        const std::tuple<QDialog*, const char*, const char*> prove[] = {{&p, "labPariDispari_3", "labPariDispari_3"},
                                                                        {&c, "lbPresenze_2", "lbPresenze_2"},
                                                                        {&fisse, "labGriglia_1", "labGriglia_1"},
                                                                        {&r, "lbRidotto_4", "lbRidotto_2"}};
        for (const auto& [d, clic, scelta] : prove) {
            apri(*d);
            QVERIFY(!d->findChild<QGroupBox*>()->isEnabled());
            cliccaEtichetta(d, QLatin1String(clic));
            QCOMPARE(tag(d, QLatin1String(scelta)), QStringLiteral("1"));
            QVERIFY(d->close());
        }
        QCOMPARE(x.pariAmmessi[3], Vero);
        QCOMPARE(x.consecutiviAmmessi, 4);
        QCOMPARE(x.numeriFissi[2], 1);
        QCOMPARE(x.livelloRiduzione, 2);
    }

    void pariScriveSubito() {
        pronostico({1, 2, 3, 4, 5, 6});
        s().pariAmmessi[0] = Vero;
        frmPari f(s());
        apri(f, "frmPari");
        QCOMPARE(figlio<QLabel>(&f, "labPariDispari_2")->text(), QStringLiteral("  2                 4"));
        // Each heading stands over its column of counts, as drawn.
        const auto cifre = Macchie(figlio<QLabel>(&f, "labPariDispari_1"));
        QCOMPARE(cifre.size(), 2);
        QVERIFY(qAbs(Centro(Macchie(figlio<QLabel>(&f, "lblDispari"))) - Centro({cifre.last()})) <= 3);
        QVERIFY(qAbs(Centro(Macchie(figlio<QLabel>(&f, "lblPari"))) - Centro({cifre.first()})) <= 3);
        QCOMPARE(tag(&f, QStringLiteral("labPariDispari_0")), QStringLiteral("1"));
        cliccaEtichetta(&f, QStringLiteral("labPariDispari_0"));
        cliccaEtichetta(&f, QStringLiteral("labPariDispari_4"));
        QCOMPARE(s().pariAmmessi, (std::array<Flag, 7>{0, 0, 0, 0, Vero, 0, 0}));
        f.hide(); // no check and no write on close
    }

    void consecutivi_data() {
        QTest::addColumn<QList<int>>("numeri");
        QTest::addColumn<QString>("massimo");
        QTest::newRow("4..7, 20, 21") << QList<int>{4, 5, 6, 7, 20, 21} << "04";
        QTest::newRow("nessuna coppia") << QList<int>{1, 3, 5, 7, 9, 11} << "01";
        QTest::newRow("oltre sei") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << "06";
    }
    void consecutivi() {
        QFETCH(QList<int>, numeri);
        QFETCH(QString, massimo);
        pronostico(numeri);
        s().consecutiviAmmessi = 2 + 64; // 1 and 6
        frmConsecutivi f(s());
        apri(f, "frmConsecutivi");
        QCOMPARE(figlio<QLabel>(&f, "l1")->text(), massimo);
        QCOMPARE(tag(&f, QStringLiteral("lbPresenze_6")), QStringLiteral("1"));
        cliccaEtichetta(&f, QStringLiteral("lbPresenze_6"));
        cliccaEtichetta(&f, QStringLiteral("lbPresenze_3"));
        QCOMPARE(s().consecutiviAmmessi, 2 + 64); // written only on close
        QVERIFY(f.close());
        QCOMPARE(s().consecutiviAmmessi, 2 + 8);
    }

    void fisse() {
        pronostico({1, 2, 3, 4, 5, 6, 7, 8});
        s().numeriFissi[37] = 1; // fixed once, no longer in play
        s().numeriFissi[8] = 1;
        s().quantiFissi = 2;
        frmFisse f(s());
        apri(f, "frmFisse");
        QCOMPARE(tag(&f, QStringLiteral("labGriglia_36")), QStringLiteral("0"));
        QCOMPARE(figlio<QLabel>(&f, "l1")->text(), QStringLiteral("1"));
        QCOMPARE(s().quantiFissi, 1);

        for (int i : {0, 1, 2, 3, 4, 5}) // the fifth fills the cap; the sixth is ignored
            cliccaEtichetta(&f, QStringLiteral("labGriglia_%1").arg(i));
        cliccaEtichetta(&f, QStringLiteral("labGriglia_36"));
        QCOMPARE(figlio<QLabel>(&f, "l1")->text(), QStringLiteral("5"));
        QCOMPARE(tag(&f, QStringLiteral("labGriglia_4")), QStringLiteral("0"));
        QCOMPARE(tag(&f, QStringLiteral("labGriglia_36")), QStringLiteral("0"));
        cliccaEtichetta(&f, QStringLiteral("labGriglia_7")); // unfix 8
        QCOMPARE(figlio<QLabel>(&f, "l1")->text(), QStringLiteral("4"));
        QVERIFY(f.close());
        QCOMPARE(s().quantiFissi, 4);
        for (int n = 1; n <= 90; ++n)
            QCOMPARE(s().numeriFissi[static_cast<std::size_t>(n)], n <= 4 ? 1 : 0);
    }
};

QTEST_MAIN(TestEditori)
#include "tst_editori.moc"
