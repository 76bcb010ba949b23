#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "GrigliaEtichette.h"
#include "Modali.h"
#include "frmConsecutivi.h"
#include "frmFisse.h"
#include "frmPari.h"
#include "frmSomma.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

struct Avviso {
    QString titolo;
    QString testo;
};

QString tag(QWidget* radice, const QString& nome) {
    return figlio<QLabel>(radice, qPrintable(nome))->property("tag").toString();
}

void cliccaEtichetta(QWidget* radice, const QString& nome) {
    QTest::mouseClick(figlio<QLabel>(radice, qPrintable(nome)), Qt::LeftButton);
}

} // namespace

class TestEditori : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;
    FakeInterfaccia m_ui;
    Modali m_modali;

    Sistema& s() { return m_corpo->sistema; }
    void pronostico(std::initializer_list<int> numeri) {
        for (int n : numeri)
            s().GrigliaNumeriClick(n - 1);
    }
    template <typename Finestra> void apri(Finestra& f) {
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }

private Q_SLOTS:
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_ui.messaggi.clear();
        m_ui.beep_ = 0;
    }
    void cleanup() { QVERIFY(m_modali.tuttiGestiti()); }

    void sommaLimitiEValoriProposti_data() {
        QTest::addColumn<QList<int>>("numeri");
        QTest::addColumn<int>("sommaDa");
        QTest::addColumn<int>("sommaA");
        QTest::addColumn<QStringList>("mostrati"); // labMin, labMax, txtDa, txtA
        QTest::newRow("1..6, nessun limite")
            << QList<int>{1, 2, 3, 4, 5, 6} << 0 << 0 << QStringList{"21", "21", "21", "21"};
        QTest::newRow("DA fuori limite") << QList<int>{1, 2, 3, 10, 20, 30, 40, 50} << 200 << 100
                                         << QStringList{"66", "153", "66", "100"};
        QTest::newRow("limiti validi") << QList<int>{1, 2, 3, 10, 20, 30, 40, 50} << 70 << 153
                                       << QStringList{"66", "153", "70", "153"};
        QTest::newRow("A sotto il minimo")
            << QList<int>{1, 2, 3, 10, 20, 30, 40, 50} << 66 << 65 << QStringList{"66", "153", "66", "153"};
    }
    void sommaLimitiEValoriProposti() {
        QFETCH(QList<int>, numeri);
        QFETCH(int, sommaDa);
        QFETCH(int, sommaA);
        QFETCH(QStringList, mostrati);
        for (int n : numeri)
            s().GrigliaNumeriClick(n - 1);
        s().sommaDa = static_cast<std::int16_t>(sommaDa);
        s().sommaA = static_cast<std::int16_t>(sommaA);
        frmSomma f(s(), m_ui);
        QCOMPARE((QStringList{figlio<QLabel>(&f, "labMin")->text(), figlio<QLabel>(&f, "labMax")->text(),
                              figlio<QLineEdit>(&f, "txtDa")->text(), figlio<QLineEdit>(&f, "txtA")->text()}),
                 mostrati);
        QCOMPARE(f.windowTitle(), QStringLiteral("  Somma"));
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
        // Prediction 1, 2, 3, 10, 20, 30, 40, 50: Min 66, Max 153.
        const QList<int> invariati{80, 120};
        QTest::newRow("DA > A") << "100"
                                << "90" << QStringList{primo} << "txtA" << invariati;
        QTest::newRow("DA < minimo") << "60"
                                     << "90" << QStringList{minimo} << "txtDa" << invariati;
        QTest::newRow("A > massimo") << "70"
                                     << "160" << QStringList{massimo} << "txtA" << invariati;
        QTest::newRow("DA > A > massimo") << "300"
                                          << "200" << QStringList{primo, massimo} << "txtA" << invariati;
        QTest::newRow("DA > A < minimo") << "10"
                                         << "5" << QStringList{primo, minimo} << "txtDa" << invariati;
        QTest::newRow("A vuoto vale 0") << "70"
                                        << "" << QStringList{primo} << "txtA" << invariati;
        QTest::newRow("DA vuoto, A valido") << ""
                                            << "100" << QStringList{} << "" << QList<int>{80, 100};
        QTest::newRow("entrambi vuoti") << ""
                                        << "" << QStringList{} << "" << invariati;
        QTest::newRow("decimali, metà al pari") << "66,5"
                                                << "100.5" << QStringList{} << "" << QList<int>{66, 100};
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

    void sommaTastiEInterruttore() {
        pronostico({1, 2, 3, 4, 5, 6, 7});
        frmSomma f(s(), m_ui);
        apri(f);
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

        // The switch writes at once, before any check.
        auto* on = figlio<QRadioButton>(&f, "optCondSomma_0");
        QTest::mouseClick(on, Qt::LeftButton, {}, QPoint(6, on->height() / 2)); // on the round button
        QCOMPARE(s().condSomma, Vero);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(s().sommaDa, 25);
        QCOMPARE(s().sommaA, 27);
    }

    // A developed System: every editor shows its values, changes nothing, and frmSomma stores nothing.
    void sviluppatoSoloLettura() {
        pronostico({1, 2, 3, 4, 5, 6, 7});
        s().sistemaSviluppato = Vero;
        s().condSomma = Vero;
        s().sommaDa = 500;
        s().pariAmmessi[3] = Vero;
        s().consecutiviAmmessi = 4;
        s().numeriFissi[2] = 1;
        s().quantiFissi = 1;
        {
            frmSomma f(s(), m_ui);
            apri(f);
            QVERIFY(!figlio<QGroupBox>(&f, "frameSomma")->isEnabled());
            QVERIFY(figlio<QRadioButton>(&f, "optCondSomma_0")->isChecked());
            figlio<QLineEdit>(&f, "txtDa")->setText(QStringLiteral("999"));
            QVERIFY(f.close());
            QCOMPARE(s().sommaDa, 500);
            QVERIFY(m_ui.messaggi.isEmpty());
        }
        frmPari p(s());
        frmConsecutivi c(s());
        frmFisse fisse(s());
        for (QDialog* d : std::initializer_list<QDialog*>{&p, &c, &fisse}) {
            apri(*d);
            QVERIFY(!d->findChild<QGroupBox*>()->isEnabled());
        }
        cliccaEtichetta(&p, QStringLiteral("labPariDispari_3"));
        cliccaEtichetta(&c, QStringLiteral("lbPresenze_2"));
        cliccaEtichetta(&fisse, QStringLiteral("labGriglia_1"));
        QCOMPARE(tag(&p, QStringLiteral("labPariDispari_3")), QStringLiteral("1"));
        QCOMPARE(tag(&c, QStringLiteral("lbPresenze_2")), QStringLiteral("1"));
        QCOMPARE(tag(&fisse, QStringLiteral("labGriglia_1")), QStringLiteral("1"));
        for (QDialog* d : std::initializer_list<QDialog*>{&p, &c, &fisse})
            QVERIFY(d->close());
        QCOMPARE(s().pariAmmessi[3], Vero);
        QCOMPARE(s().consecutiviAmmessi, 4);
        QCOMPARE(s().numeriFissi[2], 1);
    }

    void pariScriveSubito() {
        pronostico({1, 2, 3, 4, 5, 6});
        s().pariAmmessi[0] = Vero;
        frmPari f(s());
        apri(f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Pari e Dispari"));
        QCOMPARE(figlio<QLabel>(&f, "labPariDispari_2")->text(), QStringLiteral("  2                 4"));
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
        for (int n : numeri)
            s().GrigliaNumeriClick(n - 1);
        s().consecutiviAmmessi = 2 + 64; // 1 and 6
        frmConsecutivi f(s());
        apri(f);
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
        apri(f);
        QCOMPARE(f.windowTitle(), QStringLiteral(" Fisse"));
        auto* trentasette = figlio<QLabel>(&f, "labGriglia_36");
        QCOMPARE(trentasette->text(), QStringLiteral("37"));
        QVERIFY(trentasette->font().italic());
        QCOMPARE(trentasette->palette().color(QPalette::WindowText), QColor(224, 224, 224));
        QCOMPARE(trentasette->property("tag").toString(), QStringLiteral("0"));
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

    void immagini() {
        pronostico({1, 2, 3, 4, 5, 6, 10, 11, 12, 30});
        s().numeriFissi[10] = 1;
        frmSomma somma(s(), m_ui);
        frmPari pari(s());
        frmConsecutivi consecutivi(s());
        frmFisse fisse(s());
        const std::pair<QDialog*, const char*> finestre[] = {
            {&somma, "frmSomma"}, {&pari, "frmPari"}, {&consecutivi, "frmConsecutivi"}, {&fisse, "frmFisse"}};
        for (const auto& [d, nome] : finestre) {
            apri(*d);
            QVERIFY(Fotografa(d, QString::fromLatin1(nome) + QStringLiteral(".png")));
            d->hide();
        }
    }
};

QTEST_MAIN(TestEditori)
#include "tst_editori.moc"
