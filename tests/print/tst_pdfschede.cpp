#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "GeometriaScheda.h"
#include "SegniPdf.h"
#include "StampaSchede.h"
#include "UscitaStampa.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

// The slips as a PDF viewer or a printer would see them: rasterised, each mark where the calibration puts it.
class TestPdfSchede : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void segniAlDecimoDiMillimetro_data() {
        QTest::addColumn<int>("tipo");
        QTest::newRow("2 colonne") << int(TipoScheda::DueColonne);
        QTest::newRow("5 colonne") << int(TipoScheda::CinqueColonne);
    }
    void segniAlDecimoDiMillimetro() {
        QFETCH(int, tipo);
        const auto t = static_cast<TipoScheda>(tipo);
        auto corpo = std::make_unique<Corpo>();
        Sistema& s = corpo->sistema;
        s.colonne.scrivi(1, {3, 17, 45, 60, 72, 90});
        s.colonne.scrivi(2, {1, 15, 16, 30, 76, 89});
        s.numeroColonne = 2;
        s.sistemaSviluppato = Vero;
        TaraturaScheda taratura = TaraturaPredefinita(t);
        taratura.pannelloLeft = 23.17f; // off the default, so an ignored calibration shows
        taratura.pannelloTop += 1.41f;
        FakeInterfaccia ui;
        QTemporaryDir cartella;
        const QString pdf = cartella.filePath(QStringLiteral("scheda.pdf"));
        QCOMPARE(ScriviPdf(pdf,
                           [&](SuperficieStampa& superficie) {
                               return StampaSchede(*corpo, t, taratura, QStringLiteral("1"), QStringLiteral("1"),
                                                   superficie, ui, nullptr) == EsitoStampa::Stampata;
                           }),
                 EsitoUscita::Scritta);
        const auto cella = [&](int pannello, int n) {
            return t == TipoScheda::DueColonne ? CellaDueColonne(taratura, pannello, n)
                                               : CellaCinqueColonne(taratura, pannello, n);
        };
        QList<QPointF> segni;
        for (int c = 1; c <= 2; ++c)
            for (const std::uint8_t n : s.colonne.leggi(c))
                segni << cella(c, n);
        const QList<QPointF> vuoti = {cella(1, 4), cella(1, 89), cella(2, 3), cella(2, 46)};
        const QString errori = ControllaSegniPdf(pdf, segni, vuoti, 0.1);
        QVERIFY2(errori.isEmpty(), qPrintable(errori));
        QVERIFY(ui.messaggi.isEmpty());
    }
};

QTEST_MAIN(TestPdfSchede)
#include "tst_pdfschede.moc"
