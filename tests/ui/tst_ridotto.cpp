#include "Corpo.h"
#include "Modali.h"
#include "OrdinePronostico.h"
#include "frmOrdinaPronostico.h"
#include "frmRidotto.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace sestina;

namespace {

const QColor Bianco(Qt::white);
const QColor Giallo(255, 255, 0);

void scegliNumeri(Sistema& s, std::initializer_list<int> numeri) {
    for (int n : numeri)
        s.GrigliaNumeriClick(n - 1);
}

QLabel* etichetta(QWidget* radice, const char* base, int i) {
    return figlio<QLabel>(radice, qPrintable(QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(i)));
}
QLabel* posto(QWidget* dialogo, int i) {
    return etichetta(dialogo, "labPronosticoOrdinato", i);
}

QStringList testi(QWidget* dialogo, int quanti) {
    QStringList t;
    for (int i = 0; i < quanti; ++i)
        t << posto(dialogo, i)->text();
    return t;
}

QColor colore(const QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

// The tags of the four level labels, "0010" for level 3.
QString marcati(QWidget* dialogo) {
    QString t;
    for (int k = 1; k <= 4; ++k)
        t += etichetta(dialogo, "lbRidotto", k)->property("tag").toString();
    return t;
}

// What Qt delivers to a label while something is dragged over it; returns what l1 shows then.
QString sopra(QLabel* bersaglio, const QMimeData& dati) {
    QDragEnterEvent entra(bersaglio->rect().center(), Qt::MoveAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bersaglio, &entra);
    return figlio<QLabel>(bersaglio->window(), "l1")->text();
}

// A drop on the label, as Qt delivers it; returns whether it was taken.
bool lascia(QLabel* bersaglio, const QMimeData& dati) {
    QDropEvent evento(QPointF(bersaglio->rect().center()), Qt::MoveAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bersaglio, &evento);
    return evento.isAccepted();
}

QList<int> pronostico(const Sistema& s) {
    return QList<int>(s.pronostico.begin(), s.pronostico.begin() + s.numeriInGioco);
}

} // namespace

class TestRidotto final : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;

    template <typename D> void apri(D& dialogo) {
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
    }

private Q_SLOTS:
    void init() { m_corpo = std::make_unique<Corpo>(); }

    void ridotto() {
        Sistema& s = m_corpo->sistema;
        frmRidotto dialogo(s);
        apri(dialogo);
        QCOMPARE(marcati(&dialogo), QStringLiteral("0000"));

        QLabel* garanzia3 = etichetta(&dialogo, "lbRidotto", 3);
        // A second click keeps the level: the choice is exclusive, not a toggle.
        for (int volta = 0; volta < 2; ++volta) {
            QTest::mouseClick(garanzia3, Qt::LeftButton);
            QCOMPARE(s.livelloRiduzione, 3);
            QCOMPARE(marcati(&dialogo), QStringLiteral("0010"));
        }
        // Up from level 3 and Space choose level 2.
        auto* livelli = figlio<QWidget>(&dialogo, "lbRidotto");
        livelli->setFocus();
        QTest::keyClick(livelli, Qt::Key_Up);
        QTest::keyClick(livelli, Qt::Key_Space);
        QCOMPARE(s.livelloRiduzione, 2);
        QCOMPARE(marcati(&dialogo), QStringLiteral("0100"));
        Fotografa(&dialogo, QStringLiteral("frmRidotto.png"));
    }

    // Dragged with the mouse, then moved with the keyboard.
    void ordineAMano() {
        Sistema& s = m_corpo->sistema;
        scegliNumeri(s, {88, 3, 42, 17});
        frmOrdinaPronostico dialogo(*m_corpo);
        apri(dialogo);
        QCOMPARE(testi(&dialogo, 4), (QStringList{"03", "17", "42", "88"}));
        QVERIFY(!posto(&dialogo, 4)->isVisible());
        QCOMPARE(posto(&dialogo, 0)->palette().color(QPalette::Window), QColor(0, 0, 192));
        Fotografa(&dialogo, QStringLiteral("frmOrdinaPronostico.png"));

        const std::unique_ptr<QMimeData> dati(dialogo.datiTrascinamento(3));
        QCOMPARE(sopra(posto(&dialogo, 0), *dati), QStringLiteral("88"));
        QVERIFY(lascia(posto(&dialogo, 0), *dati));
        QCOMPARE(testi(&dialogo, 4), (QStringList{"88", "17", "42", "03"}));
        QCOMPARE(figlio<QLabel>(&dialogo, "l1")->text(), QString());
        QVERIFY(colore(posto(&dialogo, 0)) == Giallo && colore(posto(&dialogo, 3)) == Giallo);
        QCOMPARE(colore(posto(&dialogo, 1)), Bianco);

        // Space picks a place up, the arrows move the focus, Space again drops it there.
        posto(&dialogo, 1)->setFocus();
        QTest::keyClick(posto(&dialogo, 1), Qt::Key_Space);
        QCOMPARE(figlio<QLabel>(&dialogo, "l1")->text(), QStringLiteral("17"));
        QTest::keyClick(posto(&dialogo, 1), Qt::Key_Right);
        QTest::keyClick(posto(&dialogo, 2), Qt::Key_Right);
        QVERIFY(posto(&dialogo, 3)->hasFocus());
        QTest::keyClick(posto(&dialogo, 3), Qt::Key_Space);
        QCOMPARE(testi(&dialogo, 4), (QStringList{"88", "03", "42", "17"}));
        QCOMPARE(colore(posto(&dialogo, 1)), Giallo);
        // Written only when the window closes.
        QCOMPARE(pronostico(s), (QList<int>{3, 17, 42, 88}));
        dialogo.close();
        QCOMPARE(pronostico(s), (QList<int>{88, 3, 42, 17}));
    }

    void dropIgnorati_data() {
        QTest::addColumn<int>("origine"); // -1: plain text
        QTest::addColumn<bool>("altraFinestra");
        QTest::addColumn<bool>("sviluppato");
        QTest::addColumn<QString>("l1");
        QTest::newRow("su se stesso") << 0 << false << false << QStringLiteral("03");
        QTest::newRow("testo qualsiasi") << -1 << false << false << QString();
        QTest::newRow("da un'altra finestra") << 3 << true << false << QString();
        QTest::newRow("posto non in gioco") << 4 << false << false << QString();
        QTest::newRow("sistema sviluppato") << 3 << false << true << QString();
    }
    void dropIgnorati() {
        QFETCH(int, origine);
        QFETCH(bool, altraFinestra);
        QFETCH(bool, sviluppato);
        QFETCH(QString, l1);
        scegliNumeri(m_corpo->sistema, {3, 17, 42, 88});
        m_corpo->sistema.sistemaSviluppato = sviluppato ? 1 : 0;
        frmOrdinaPronostico dialogo(*m_corpo);
        frmOrdinaPronostico altra(*m_corpo);
        apri(dialogo);
        std::unique_ptr<QMimeData> dati;
        if (origine < 0) {
            dati = std::make_unique<QMimeData>();
            dati->setText(QStringLiteral("88"));
        } else {
            dati.reset((altraFinestra ? altra : dialogo).datiTrascinamento(origine));
        }
        QCOMPARE(sopra(posto(&dialogo, 0), *dati), l1);
        QVERIFY(!lascia(posto(&dialogo, 0), *dati));
        QCOMPARE(testi(&dialogo, 4), (QStringList{"03", "17", "42", "88"}));
        QCOMPARE(colore(posto(&dialogo, 0)), Bianco);
    }

    void ordineCasuale() {
        Sistema& s = m_corpo->sistema;
        scegliNumeri(s, {90, 5, 61, 12, 34, 23});
        frmOrdinaPronostico dialogo(*m_corpo);
        apri(dialogo);
        // Sixty exchanges leave no place untouched but with odds of about 1 in 10^10.
        for (const QColor& giro : {QColor(128, 255, 128), QColor(255, 128, 255)}) {
            QTest::mouseClick(figlio<QPushButton>(&dialogo, "cmdPronosticoRnd"), Qt::LeftButton);
            for (int i = 0; i < 6; ++i)
                QCOMPARE(colore(posto(&dialogo, i)), giro);
        }
        const QStringList mostrati = testi(&dialogo, 6);
        dialogo.close();
        QList<int> scritto = pronostico(s);
        QStringList attesi;
        for (int n : scritto)
            attesi << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        QCOMPARE(mostrati, attesi);
        std::sort(scritto.begin(), scritto.end());
        QCOMPARE(scritto, (QList<int>{5, 12, 23, 34, 61, 90}));

        // The round outlives the window: the next one goes on with light cyan.
        frmOrdinaPronostico seguente(*m_corpo);
        apri(seguente);
        QTest::mouseClick(figlio<QPushButton>(&seguente, "cmdPronosticoRnd"), Qt::LeftButton);
        QCOMPARE(colore(posto(&seguente, 0)), QColor(128, 255, 255));
    }

    void mescola_data() {
        QTest::addColumn<int>("quanti");
        QTest::newRow("uno") << 1;
        QTest::newRow("sei") << 6;
        QTest::newRow("novanta") << 90;
    }
    void mescola() {
        QFETCH(int, quanti);
        Sistema& s = m_corpo->sistema;
        for (int n = 1; n <= quanti; ++n)
            s.GrigliaNumeriClick(n - 1);
        AggiornaPronostico(s);
        OrdinePronostico ordine(s);
        std::mt19937 generatore(12345);
        const auto scambi = ordine.mescola(generatore);
        QCOMPARE(static_cast<int>(scambi.size()), quanti >= 2 ? 10 * quanti : 0);

        // Replaying the reported pairs on the ascending order gives the same order.
        OrdinePronostico ripetuto(s);
        for (const auto& [a, b] : scambi)
            QVERIFY(a != b && ripetuto.scambia(a, b));
        for (int i = 0; i < quanti; ++i)
            QCOMPARE(ordine.numero(i), ripetuto.numero(i));
    }
};

QTEST_MAIN(TestRidotto)
#include "tst_ridotto.moc"
