#include "Applicazione.h"
#include "Corpo.h"
#include "DialoghiFinti.h"
#include "FakeInterfaccia.h"
#include "frmArchivio.h"
#include "frmGaranzia.h"
#include "frmMAIN.h"
#include "frmSpoglioEstrazioni.h"
#include "frmVersione.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <new>

using namespace sestina;

namespace {

// Every label of the window that shows text from a file or the server renders it as it is.
void SoloTesto(const QWidget& finestra, const QStringList& nomi) {
    for (const QString& nome : nomi) {
        const auto* etichetta = finestra.findChild<QLabel*>(nome);
        QVERIFY2(etichetta, qPrintable(nome));
        QVERIFY2(etichetta->textFormat() == Qt::PlainText, qPrintable(nome));
    }
}

} // namespace

class TstTestiEsterni : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void etichetteSoloTesto() {
        auto corpo = std::make_unique<Corpo>();
        FakeInterfaccia ui;
        DialoghiFinti dialoghi;

        frmVersione versione([](const QString&) {});
        versione.remoteVersion = QStringLiteral("<b>9.9.9</b>");
        versione.show();
        SoloTesto(versione, {QStringLiteral("lbRemoteVersion")});
        QCOMPARE(versione.findChild<QLabel*>(QStringLiteral("lbRemoteVersion"))->text(),
                 QStringLiteral("<b>9.9.9</b>"));

        frmMAIN principale(*corpo, ui, dialoghi);
        SoloTesto(principale, {QStringLiteral("StBar_1"), QStringLiteral("StBar_4")});
        frmArchivio archivio(*corpo, ui, dialoghi, [](const QString&) { return false; });
        SoloTesto(archivio, {QStringLiteral("lbLast")});
        frmGaranzia garanzia(corpo->sistema, ui);
        SoloTesto(garanzia, {QStringLiteral("lblSistema")});
        frmSpoglioEstrazioni spoglio(*corpo, ui);
        SoloTesto(spoglio, {QStringLiteral("lblRiepilogo_0"), QStringLiteral("lblRiepilogo_7")});
        corpo->chiusuraInCorso = true;
    }

    // Memory that runs out in a handler is the common error box, not the end of the program.
    void memoriaEsauritaInUnGestore() {
        FakeInterfaccia ui;
        QWidget finestra;
        finestra.setObjectName(QStringLiteral("frmProva"));
        QPushButton pulsante(&finestra);
        pulsante.setObjectName(QStringLiteral("cmdProva"));
        QVERIFY(ConsegnaProtetta([]() -> bool { throw std::bad_alloc(); }, &pulsante, ui));
        QCOMPARE(ui.messaggi.size(), 1);
        QCOMPARE(ui.messaggi[0].testo,
                 QStringLiteral("Error 7 (Memoria esaurita) in procedure cmdProva of Form frmProva"));
        QVERIFY(!ConsegnaProtetta([] { return false; }, &pulsante, ui));
        QCOMPARE(ui.messaggi.size(), 1);
    }
};

QTEST_MAIN(TstTestiEsterni)
#include "tst_testiesterni.moc"
