#include "Errore.h"
#include "FakeInterfaccia.h"
#include "Modali.h"
#include "Sistema.h"
#include "frmFiltri.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <initializer_list>
#include <memory>

using namespace sestina;

namespace {

FilterColumn Filtro(std::initializer_list<int> numeri, std::int32_t presenze, bool attiva) {
    FilterColumn f;
    for (int n : numeri)
        f.numeri[static_cast<std::size_t>(n)] = 1;
    f.presenze = presenze;
    f.attiva = attiva ? Vero : Falso;
    return f;
}

bool Uguali(const FilterColumn& a, const FilterColumn& b) {
    return a.numeri == b.numeri && a.presenze == b.presenze && (a.attiva != 0) == (b.attiva != 0);
}

void Scegli(Sistema& s, int da, int a) {
    for (int n = da; n <= a; ++n)
        s.GrigliaNumeriClick(n - 1);
}

} // namespace

class TestFiltri final : public QObject {
    Q_OBJECT

    std::unique_ptr<Sistema> m_s;
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<frmFiltri> m_dlg;

    void apri() {
        m_dlg = std::make_unique<frmFiltri>(*m_s, *m_ui);
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
    }
    void chiudi() {
        QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
        QVERIFY(!m_dlg->isVisible());
    }
    QString testo(const char* nome) { return figlio<QLabel>(m_dlg.get(), nome)->text(); }
    QLabel* numero(int n) {
        return figlio<QLabel>(m_dlg.get(), qPrintable(QStringLiteral("labGriglia_%1").arg(n - 1)));
    }
    QLabel* presenza(int k) { return figlio<QLabel>(m_dlg.get(), qPrintable(QStringLiteral("lbPresenze_%1").arg(k))); }
    static bool scelta(QLabel* l) { return l->property("tag").toString() == QLatin1String("1"); }
    bool scelto(int n) { return scelta(numero(n)); }
    void clicca(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void premi(const char* nome) { clicca(figlio<QAbstractButton>(m_dlg.get(), nome)); }
    FilterColumn& slot(int p) { return m_s->colonneFiltro[static_cast<std::size_t>(p)]; }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        m_s = std::make_unique<Sistema>();
    }
    void init() {
        AzzeraSistema(*m_s, false);
        Scegli(*m_s, 1, 10);
        m_ui = std::make_unique<FakeInterfaccia>();
    }
    void cleanup() {
        m_dlg.reset();
        QVERIFY(m_ui->risposte.empty());
    }

    void apertura() {
        slot(101) = Filtro({9}, 0, false);
        apri();
        QCOMPARE(testo("lblnFiltro"), QStringLiteral("01"));
        QCOMPARE(testo("lblTotFiltri"), QStringLiteral("2.000"));
        QCOMPARE(testo("lblTotFiltriON"), QStringLiteral("00"));
        QCOMPARE(testo("lblTotFiltriOFF"), QStringLiteral("2.000"));
        QCOMPARE(testo("lblNumSelezionati"), QStringLiteral("0"));
        QVERIFY(figlio<QRadioButton>(m_dlg.get(), "optCond_1")->isChecked());

        clicca(numero(4));
        clicca(numero(11)); // not in play
        QVERIFY(scelto(4) && !scelto(11) && numero(11)->font().italic());
        QCOMPARE(numero(4)->palette().color(QPalette::Window), QColor(0, 0, 255));
        QCOMPARE(testo("lblNumSelezionati"), QStringLiteral("1"));
        clicca(presenza(6));
        QCOMPARE(presenza(6)->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(presenza(6)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        QVERIFY(Fotografa(m_dlg.get(), QStringLiteral("frmFiltri.png")));
        premi("cmdNext2"); // the big step here is 100 panels
        QVERIFY(testo("lblnFiltro") == QStringLiteral("101") && scelto(9));
        chiudi();
        QVERIFY(Uguali(slot(1), Filtro({4}, 64, false)));
    }

    // Panels 1, 3 and 5 filled, 3 switched off: the switched-on ones move to the front, the
    // others follow in slot order, the empty slot 2 among them.
    void compattazione() {
        apri();
        clicca(numero(1));
        clicca(numero(2));
        clicca(presenza(0));
        for (int i = 0; i < 3; ++i) // a second press of the chosen option changes no count
            premi("optCond_0");
        QCOMPARE(testo("lblTotFiltriON"), QStringLiteral("01"));
        QCOMPARE(testo("lblTotFiltriOFF"), QStringLiteral("1.999"));
        premi("cmdNext1");
        premi("cmdNext1");
        QCOMPARE(testo("lblnFiltro"), QStringLiteral("03"));
        clicca(numero(3));
        clicca(presenza(1));
        premi("optCond_1");
        premi("cmdNext1");
        premi("cmdNext1");
        clicca(numero(5));
        premi("optCond_0");
        chiudi();

        QCOMPARE(m_s->numeroFiltri, 2);
        QVERIFY(Uguali(slot(1), Filtro({1, 2}, 1, true)));
        QVERIFY(Uguali(slot(2), Filtro({5}, 0, true)));
        QVERIFY(Uguali(slot(3), FilterColumn{}));
        QVERIFY(Uguali(slot(4), Filtro({3}, 2, false)));
        QVERIFY(Uguali(slot(5), FilterColumn{}));
    }

    // Deleting a switched-on panel lowers the ON count, a switched-off one leaves it.
    void cancella() {
        slot(1) = Filtro({1}, 1, true);
        slot(2) = Filtro({2, 3}, 4, false);
        m_s->numeroFiltri = 1;
        apri();
        premi("cmdCancella");
        QCOMPARE(testo("lblTotFiltriON"), QStringLiteral("00"));
        premi("cmdNext1");
        QCOMPARE(testo("lblNumSelezionati"), QStringLiteral("2"));
        premi("cmdCancella");
        QCOMPARE(testo("lblTotFiltriON"), QStringLiteral("00"));
        QCOMPARE(testo("lblNumSelezionati"), QStringLiteral("0"));
        QVERIFY(!scelto(2) && !scelta(presenza(2)));
        chiudi();
        QCOMPARE(m_s->numeroFiltri, 0);
        QVERIFY(Uguali(slot(1), FilterColumn{}) && Uguali(slot(2), FilterColumn{}));
    }

    void numeroUscitoDalPronostico() {
        m_s->GrigliaNumeriClick(37 - 1);
        slot(1) = Filtro({5, 37}, 0, false);
        m_s->GrigliaNumeriClick(37 - 1);
        apri();
        QVERIFY(scelto(5) && !scelto(37));
        QCOMPARE(testo("lblNumSelezionati"), QStringLiteral("1"));
        premi("cmdNext1");
        QVERIFY(Uguali(slot(1), Filtro({5}, 0, false)));
        chiudi();
    }

    void sistemaSviluppato() {
        slot(1) = Filtro({1}, 2, false);
        slot(2) = Filtro({2}, 4, true);
        m_s->numeroFiltri = 1;
        m_s->sistemaSviluppato = -1;
        apri();
        QVERIFY(!figlio<QGroupBox>(m_dlg.get(), "frameCondizione")->isEnabled());
        clicca(numero(1)); // ignored
        QVERIFY(scelto(1));
        premi("cmdNext1");
        QCOMPARE(testo("lblnFiltro"), QStringLiteral("02"));
        QVERIFY(scelto(2) && figlio<QRadioButton>(m_dlg.get(), "optCond_0")->isChecked());
        chiudi();
        QCOMPARE(m_s->numeroFiltri, 1);
        QVERIFY(Uguali(slot(1), Filtro({2}, 4, true)) && Uguali(slot(2), Filtro({1}, 2, false)));
    }

    void cancellaTutto_data() {
        QTest::addColumn<bool>("conferma");
        QTest::newRow("No") << false;
        QTest::newRow("Si") << true;
    }
    void cancellaTutto() {
        QFETCH(bool, conferma);
        slot(1) = Filtro({1}, 1, true);
        slot(2) = Filtro({2}, 2, true);
        slot(3) = Filtro({3}, 4, false);
        m_s->numeroFiltri = 2;
        apri();
        premi("cmdNext1");
        m_ui->rispondi(conferma ? Risposta::Si : Risposta::No);
        premi("cmdCancellaTutto");

        QCOMPARE(m_ui->messaggi.size(), 1);
        const auto& domanda = m_ui->messaggi.at(0);
        QCOMPARE(domanda.testo,
                 QStringLiteral("Questa funzione cancellera' tutte le colonne filtro presenti\r\nVuoi procedere ?"));
        QCOMPARE(domanda.titolo, TitoloApplicazione);
        QVERIFY(domanda.icona == Icona::Nessuna && domanda.pulsanti == Pulsanti::SiNo);
        QCOMPARE(testo("lblnFiltro"), conferma ? QStringLiteral("01") : QStringLiteral("02"));
        QCOMPARE(testo("lblTotFiltriON"), conferma ? QStringLiteral("00") : QStringLiteral("02"));
        chiudi();

        QCOMPARE(m_s->numeroFiltri, conferma ? 0 : 2);
        // The panel shown when the question came must not be written back over the emptied table.
        QVERIFY(Uguali(slot(1), conferma ? FilterColumn{} : Filtro({1}, 1, true)));
        QVERIFY(Uguali(slot(2), conferma ? FilterColumn{} : Filtro({2}, 2, true)));
        QVERIFY(Uguali(slot(3), conferma ? FilterColumn{} : Filtro({3}, 4, false)));
    }
};

QTEST_MAIN(TestFiltri)
#include "tst_filtri.moc"
