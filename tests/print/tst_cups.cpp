#include "CodaCups.h"
#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "GeometriaScheda.h"
#include "SegniPdf.h"
#include "StampaSchede.h"
#include "SuperficieQt.h"
#include "Tabulato.h"
#include "UscitaStampa.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace sestina;

// Printing on a real CUPS queue: a private scheduler with a PDF printer, started for this run.
class TestCups : public QObject {
    Q_OBJECT

    std::unique_ptr<CodaCups> m_cups;

private Q_SLOTS:
    void initTestCase() {
        m_cups = std::make_unique<CodaCups>();
        if (m_cups->errore().isEmpty())
            return;
        if (m_cups->avviato())
            QFAIL(qPrintable(m_cups->errore()));
        QSKIP(qPrintable(m_cups->errore()));
    }
    void cleanupTestCase() { m_cups.reset(); }

    // The printer lists show the queue; a calibration naming it prints there, though it is not the
    // default, and its marks come out where the calibration puts them on the queue's printable area.
    void schedaSullaCoda() {
        QPrinter informazioni;
        QVERIFY(SuperficieQt(informazioni, false).stampanti().contains(m_cups->coda()));

        auto corpo = std::make_unique<Corpo>();
        Sistema& s = corpo->sistema;
        s.colonne.scrivi(1, {2, 16, 33, 48, 61, 85});
        s.numeroColonne = 1;
        s.sistemaSviluppato = Vero;
        TaraturaScheda taratura = TaraturaPredefinita(TipoScheda::DueColonne);
        taratura.stampante = m_cups->coda();
        taratura.pannelloLeft = 24.6f;
        FakeInterfaccia ui;
        QCOMPARE(StampaSuStampante([&](SuperficieStampa& superficie) {
                     return StampaSchede(*corpo, TipoScheda::DueColonne, taratura, QStringLiteral("1"),
                                         QStringLiteral("1"), superficie, ui, nullptr) == EsitoStampa::Stampata;
                 }),
                 EsitoUscita::Scritta);
        QVERIFY(ui.messaggi.isEmpty());
        const QString pdf = m_cups->attendiPdf(30'000);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");

        QPrinter coda;
        coda.setPrinterName(m_cups->coda());
        const QPointF margine = coda.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        QList<QPointF> segni;
        for (const std::uint8_t n : s.colonne.leggi(1))
            segni << CellaDueColonne(taratura, 1, n) + margine;
        const QList<QPointF> vuoti = {CellaDueColonne(taratura, 1, 3) + margine,
                                      CellaDueColonne(taratura, 2, 2) + margine};
        const QString errori = ControllaSegniPdf(pdf, segni, vuoti, 0.1);
        QVERIFY2(errori.isEmpty(), qPrintable(errori));
    }

    // The listing asks for A4 standing up, of a printer left with Letter paper, and fits its printable area there.
    void tabulatoInA4() {
        auto corpo = std::make_unique<Corpo>();
        Sistema& s = corpo->sistema;
        for (int n = 1; n <= 40; ++n)
            s.GrigliaNumeriClick(n - 1);
        for (int i = 1; i <= 120; ++i)
            s.colonne.scrivi(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 30)});
        s.numeroColonne = 120;
        s.sistemaSviluppato = Vero;
        FakeInterfaccia ui;
        QPrinter stampante(QPrinter::HighResolution);
        stampante.setPrinterName(m_cups->coda());
        stampante.setPageSize(QPageSize(QPageSize::Letter));
        {
            SuperficieQt superficie(stampante, false);
            QVERIFY(StampaTabulato(*corpo, {true, true, 1}, LogoTabulato(false), superficie, ui));
        }
        QVERIFY(ui.messaggi.isEmpty());
        const QString pdf = m_cups->attendiPdf(30'000);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QProcess informazioni;
        informazioni.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(informazioni.waitForFinished(20'000));
        const QString righe = QString::fromUtf8(informazioni.readAllStandardOutput());
        static const QRegularExpression misura(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
        const auto m = misura.match(righe);
        QVERIFY2(m.hasMatch(), qPrintable(righe));
        QVERIFY2(qAbs(m.captured(1).toDouble() - 595.3) < 1 && qAbs(m.captured(2).toDouble() - 841.9) < 1,
                 qPrintable(righe));
        QVERIFY2(righe.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(righe));
    }
};

QTEST_MAIN(TestCups)
#include "tst_cups.moc"
