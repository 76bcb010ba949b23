#include "Configurazione.h"
#include "Corpo.h"
#include "Errore.h"
#include "FakeInterfaccia.h"
#include "ImpostazioniStampa.h"
#include "SuperficieRegistrata.h"
#include "Tabulato.h"
#include "UscitaStampa.h"
#include "classINI.h"

#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

constexpr double Margine = 120 * 25.4 / 1440;

// Blocks on each printed page of document 0: six rows of numbers each.
QList<int> BlocchiPerPagina(const SuperficieRegistrata& s, int documento = 0) {
    static const QRegularExpression numero(QStringLiteral("^\\d\\d $"));
    QList<int> righe;
    for (const auto& m : s.segni()) {
        if (m.documento != documento || m.tipo != SuperficieRegistrata::Tipo::Testo)
            continue;
        if (qAbs(m.area.left() - Margine) < 1e-6 && numero.match(m.testo).hasMatch()) {
            while (righe.size() < m.pagina)
                righe << 0;
            ++righe[m.pagina - 1];
        }
    }
    for (int& r : righe)
        r /= 6;
    return righe;
}

QStringList Testi(const SuperficieRegistrata& s, const QString& inizio, int documento = 0) {
    QStringList t;
    for (const auto& m : s.segni())
        if (m.documento == documento && m.tipo == SuperficieRegistrata::Tipo::Testo && m.testo.startsWith(inizio))
            t << m.testo;
    return t;
}

} // namespace

class TestTabulato final : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;
    FakeInterfaccia m_ui;

    void Sviluppato(int colonne) {
        Sistema& s = m_corpo->sistema;
        for (int n = 1; n <= 8; ++n)
            s.GrigliaNumeriClick(n - 1);
        for (int i = 1; i <= colonne; ++i)
            s.colonne.scrivi(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 80)});
        s.numeroColonne = colonne;
        s.costoColonna = Centesimi(100);
    }
    bool Stampa(SuperficieRegistrata& s, bool pronostico, bool colonne = true, int copie = 1) {
        return StampaTabulato(*m_corpo, {colonne, pronostico, copie}, LogoTabulato(false), s, m_ui);
    }

private Q_SLOTS:
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_corpo->sistema.nomeSistema = QStringLiteral("Prova");
        m_ui = FakeInterfaccia{};
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // On the settings' printer, each copy a document of its own, numbered from page 1.
    void blocchiEPagine_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("pronostico");
        QTest::addColumn<QList<int>>("pagine");
        QTest::addColumn<int>("copie");
        QTest::newRow("19") << 19 << true << QList<int>{1} << 1;
        QTest::newRow("20") << 20 << true << QList<int>{2} << 1;
        QTest::newRow("5x19+1 con pronostico") << 5 * 19 + 1 << true << QList<int>{5, 1} << 1;
        QTest::newRow("5x19+1 senza pronostico") << 5 * 19 + 1 << false << QList<int>{6} << 1;
        QTest::newRow("6x19+1 con pronostico") << 6 * 19 + 1 << true << QList<int>{5, 2} << 1;
        QTest::newRow("6x19+1 senza pronostico") << 6 * 19 + 1 << false << QList<int>{6, 1} << 1;
        QTest::newRow("12x19 con pronostico") << 12 * 19 << true << QList<int>{5, 7} << 1;
        QTest::newRow("12x19+1 con pronostico") << 12 * 19 + 1 << true << QList<int>{5, 7, 1} << 1;
        QTest::newRow("6x19+1, tre copie") << 6 * 19 + 1 << true << QList<int>{5, 2} << 3;
    }
    void blocchiEPagine() {
        QFETCH(int, colonne);
        QFETCH(bool, pronostico);
        QFETCH(QList<int>, pagine);
        QFETCH(int, copie);
        Sviluppato(colonne);
        m_corpo->stampanteTabulato = QStringLiteral("Ufficio");
        SuperficieRegistrata s({"Casa", "Ufficio"});
        QVERIFY(Stampa(s, pronostico, true, copie));
        QCOMPARE(s.stampanteSelezionata(), QStringLiteral("Ufficio"));
        QCOMPARE(s.pagineDocumenti(), QList<int>(copie, static_cast<int>(pagine.size()))); // no empty last page
        for (int d = 0; d < copie; ++d) {
            QCOMPARE(BlocchiPerPagina(s, d), pagine);
            QCOMPARE(Testi(s, "Pag. ", d).size(), pagine.size());
            QCOMPARE(Testi(s, "Pag. 1 ", d).size(), 1);
            if (pagine.size() > 1)
                QVERIFY(Testi(s, "Pag. 2 del sistema Prova - ", d).size() == 1);
            QCOMPARE(Testi(s, "Pronostico Sistema", d).size(), pronostico ? 1 : 0);
        }
    }

    // Whatever the Prediction, the heading or the printer's margins, every line stays on the paper: a
    // block that would pass the bottom starts the next page, a long heading goes on to the next line,
    // the separators stop at the edge.
    void tuttoNelFoglio_data() {
        QTest::addColumn<int>("numeri");
        QTest::addColumn<QString>("intestazione");
        QTest::addColumn<QSizeF>("area"); // printable, mm
        QTest::addColumn<QList<int>>("pagine");
        QTest::addColumn<int>("tratti");
        const QString lunga = QStringLiteral("RICEVITORIA DEL CORSO - VIA GIUSEPPE GARIBALDI 112 ROMA"); // 55
        QTest::newRow("8 numeri, A4") << 8 << "RICEVITORIA" << QSizeF(210, 297) << QList<int>{5, 6} << 96;
        QTest::newRow("90 numeri, A4") << 90 << lunga << QSizeF(210, 297) << QList<int>{4, 7} << 96;
        QTest::newRow("8 numeri, margini della stampante")
            << 8 << lunga << QSizeF(201.6, 288.6) << QList<int>{4, 7} << 94;
    }
    void tuttoNelFoglio() {
        QFETCH(int, numeri);
        QFETCH(QString, intestazione);
        QFETCH(QSizeF, area);
        QFETCH(QList<int>, pagine);
        QFETCH(int, tratti);
        Sviluppato(200);
        for (int n = 9; n <= numeri; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n - 1);
        m_corpo->intestazioneStampa = intestazione;
        SuperficieRegistrata s;
        s.impostaArea(area);
        QVERIFY(Stampa(s, true));
        QCOMPARE(BlocchiPerPagina(s), pagine);
        QString prima;
        int separatori = 0;
        for (const auto& m : s.segni()) {
            if (m.tipo != SuperficieRegistrata::Tipo::Testo || m.testo.isEmpty())
                continue;
            // Trailing blanks leave no ink; the font is fixed-pitch.
            const QString inchiostro = QString(m.testo).remove(QRegularExpression(QStringLiteral("\\s+$")));
            const double destra = m.area.left() + m.area.width() * double(inchiostro.size()) / double(m.testo.size());
            QVERIFY2(destra <= area.width() + 1e-6 && m.area.bottom() <= area.height() + 1e-6,
                     qPrintable(QStringLiteral("page %1: \"%2\" at %3, %4 - %5, %6 mm")
                                    .arg(m.pagina)
                                    .arg(m.testo)
                                    .arg(m.area.left())
                                    .arg(m.area.top())
                                    .arg(destra)
                                    .arg(m.area.bottom())));
            if (m.testo.startsWith(QChar(0x2014))) {
                QCOMPARE(m.testo, QString(tratti, QChar(0x2014)));
                ++separatori;
            } else if (separatori == 0) {
                prima += m.testo; // the first page's heading, on as many lines as it takes
            }
        }
        QCOMPARE(prima, QStringLiteral("Pag. 1 %1 - Sestinaplan - sistemi per il SuperEnalotto").arg(intestazione));
        QCOMPARE(separatori, 1 + 2 + 2 + 2 * 11);
        QCOMPARE(Testi(s, "| ").size(), 6 * 200);
        QVERIFY(s.a4()); // and a printer is asked for that paper
    }

    // The same on the PDF's page, as a viewer reads it: every word inside A4, none lost off its edges.
    void pdfNelFoglio() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        Sviluppato(200);
        for (int n = 9; n <= 90; ++n)
            m_corpo->sistema.GrigliaNumeriClick(n - 1);
        m_corpo->intestazioneStampa = QStringLiteral("RICEVITORIA DEL CORSO - VIA GIUSEPPE GARIBALDI 112 ROMA");
        QTemporaryDir cartella;
        const QString pdf = cartella.filePath(QStringLiteral("tabulato.pdf"));
        QCOMPARE(ScriviPdf(pdf,
                           [this](SuperficieStampa& s) {
                               return StampaTabulato(*m_corpo, {true, true, 1}, LogoTabulato(true), s, m_ui);
                           }),
                 EsitoUscita::Scritta);
        QProcess testo;
        testo.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(testo.waitForFinished(60'000) && testo.exitCode() == 0);
        const QString html = QString::fromUtf8(testo.readAllStandardOutput());
        static const QRegularExpression pagina(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
        static const QRegularExpression parola(QStringLiteral(
            "<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" yMax=\"([-\\d.]+)\">([^<]*)</word>"));
        const auto foglio = pagina.match(html);
        QVERIFY(foglio.hasMatch());
        const double larghezza = foglio.captured(1).toDouble();
        const double altezza = foglio.captured(2).toDouble();
        QVERIFY(qAbs(larghezza - 595.28) < 0.5 && qAbs(altezza - 841.89) < 0.5); // A4 in points
        int sbarre = 0;
        int separatori = 0;
        QStringList parole;
        for (auto it = parola.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            const QString w = m.captured(5);
            QVERIFY2(m.captured(1).toDouble() >= 0 && m.captured(2).toDouble() >= 0 &&
                         m.captured(3).toDouble() <= larghezza && m.captured(4).toDouble() <= altezza,
                     qPrintable(QStringLiteral("\"%1\" at %2 %3 %4 %5")
                                    .arg(w, m.captured(1), m.captured(2), m.captured(3), m.captured(4))));
            sbarre += w == QLatin1String("|");
            separatori += w == QString(96, QChar(0x2014));
            parole << w;
        }
        QCOMPARE(sbarre, 6 * 200);
        QCOMPARE(separatori, 1 + 2 + 2 + 2 * 11);
        QVERIFY(parole.join(QLatin1Char(' '))
                    .contains(QStringLiteral("GARIBALDI 112 ROMA - Sestinaplan - sistemi per il SuperEnalotto")));
    }

    // The logo's name ends inside its badge: a band before the badge's right edge is badge colour only.
    void logoIntero() {
        for (const bool colori : {true, false}) {
            const QImage logo = LogoTabulato(colori);
            const QColor fondo = logo.pixelColor(440, 20);
            for (int x = 452; x < 462; ++x)
                for (int y = 30; y < 112; ++y)
                    QVERIFY2(logo.pixelColor(x, y) == fondo, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
    }

    void bloccoDiUnaColonna() {
        Sviluppato(20);
        SuperficieRegistrata s;
        Stampa(s, false);
        // Block 2 holds column 20 alone: each row is its number, then the bar.
        const QList<SuperficieRegistrata::Segno>& m = s.segni();
        qsizetype ultimoNumero = -1;
        for (qsizetype i = 0; i < m.size(); ++i)
            if (m[i].testo == QStringLiteral("26 "))
                ultimoNumero = i;
        QVERIFY(ultimoNumero > 0);
        QCOMPARE(m[ultimoNumero + 1].testo, QStringLiteral("| "));
        QCOMPARE(m[ultimoNumero - 1].testo, QStringLiteral("| "));
        QCOMPARE(m[ultimoNumero].area.left(), Margine); // alone on its row
    }

    void intestazioneEImporto_data() {
        QTest::addColumn<qint64>("costo"); // cents
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("importo");
        QTest::newRow("migliaia") << qint64(123'450) << 1 << QStringLiteral("Importo Sistema € 1.234,50");
        QTest::newRow("sotto l'unita'") << qint64(50) << 1 << QStringLiteral("Importo Sistema € ,50");
        QTest::newRow("28 colonne") << qint64(150) << 28 << QStringLiteral("Importo Sistema € 42,00");
        // In single precision 0,80 times these columns is 1.298.528,02.
        QTest::newRow("35 numeri a 0,80")
            << qint64(80) << 1'623'160 << QStringLiteral("Importo Sistema € 1.298.528,00");
    }
    void intestazioneEImporto() {
        QFETCH(qint64, costo);
        QFETCH(int, colonne);
        QFETCH(QString, importo);
        Sviluppato(colonne);
        m_corpo->sistema.costoColonna = Centesimi(costo);
        m_corpo->sistema.tipoSistema = QStringLiteral("Integrale");
        SuperficieRegistrata s;
        Stampa(s, true, false); // the first page only
        QCOMPARE(Testi(s, "Importo"), QStringList{importo});
        QCOMPARE(Testi(s, "Colonne Sistema"), QStringList{QStringLiteral("Colonne Sistema %1").arg(colonne)});
        QCOMPARE(Testi(s, "Numeri in gioco"), QStringList{"Numeri in gioco 8\tTipo Sistema Integrale"});
        const auto& primo = s.segni().front();
        QVERIFY(primo.grassetto);
        QCOMPARE(primo.font, QStringLiteral("Courier New"));
        QCOMPARE(primo.area.topLeft(), QPointF(Margine, 250 * 25.4 / 1440));
        bool logo = false;
        for (const auto& m : s.segni())
            logo = logo || (m.tipo == SuperficieRegistrata::Tipo::Immagine &&
                            qAbs(m.area.left() - 4000 * 25.4 / 1440) < 1e-9 && qAbs(m.area.width() - 40) < 0.1);
        QVERIFY(logo);
    }

    void condizioni() {
        Sviluppato(3);
        Sistema& sis = m_corpo->sistema;
        for (int n = 9; n <= 40; ++n)
            sis.GrigliaNumeriClick(n - 1); // 40 numbers in play
        sis.condPariDispari = Vero;
        sis.pariAmmessi[2] = sis.pariAmmessi[3] = Vero;
        sis.condSomma = Falso;
        sis.sommaDa = 100;
        sis.condFisse = Vero;
        sis.numeriFissi[7] = sis.numeriFissi[12] = 1;
        sis.condConsecutivi = Vero;
        sis.consecutiviAmmessi = 0b0000110;
        SuperficieRegistrata s;
        Stampa(s, true);
        QCOMPARE(Testi(s, "Pari "), QStringList{"Pari    : 02 03 "});
        QCOMPARE(Testi(s, "Dispari"), QStringList{"Dispari : 04 03 "});
        QCOMPARE(Testi(s, "Somma"), QStringList{"Somma   : Da --  A --"});
        QCOMPARE(Testi(s, "Fisse"), QStringList{"Fisse   : 07 12 "});
        QCOMPARE(Testi(s, "Consecutivi"), QStringList{"Consecutivi : 01 02"});
        // The Prediction: 31 numbers on the first line, 9 on the second.
        QMap<double, int> perRiga; // by the line's top
        bool dentro = false;
        for (const auto& m : s.segni()) {
            if (m.testo.startsWith(QStringLiteral("Condizioni")))
                break;
            dentro = dentro || m.testo == QStringLiteral("Pronostico Sistema");
            if (dentro && QRegularExpression(QStringLiteral("^\\d\\d $")).match(m.testo).hasMatch())
                ++perRiga[m.area.top()];
        }
        QCOMPARE(perRiga.values(), (QList<int>{31, 9}));
    }

    void rifiutiEGuasti() {
        Sviluppato(40);
        SuperficieRegistrata vuota;
        QVERIFY(!Stampa(vuota, false, false));
        QCOMPARE(m_ui.messaggi.size(), 1);
        QCOMPARE(m_ui.messaggi[0].testo, QStringLiteral("Nessuna scelta selezionata"));
        QCOMPARE(m_ui.messaggi[0].titolo, QStringLiteral(" E R R O R E "));
        QCOMPARE(vuota.quantiSegni(), 0);

        SuperficieRegistrata guasta;
        guasta.guastaDopo(40);
        QVERIFY(!Stampa(guasta, true));
        QCOMPARE(m_ui.messaggi.size(), 2);
        QCOMPARE(m_ui.messaggi[1].testo,
                 QStringLiteral("Error 482 (Errore della stampante) in procedure Stampa Tabulato"));
        QCOMPARE(guasta.pagineDocumenti().size(), 1);
    }

    void prezziInCentesimi_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("centesimi"); // empty: refused
        QTest::newRow("1,50") << "1,50" << QStringLiteral("150");
        QTest::newRow("1,20: whole cents") << "1,20" << QStringLiteral("120");
        QTest::newRow("0,80") << "0,80" << QStringLiteral("80");
        QTest::newRow("a point, as the field lets it be typed") << "1.2" << QStringLiteral("120");
        QTest::newRow("0,5") << "0,5" << QStringLiteral("50");
        QTest::newRow("1,00") << "1,00" << QStringLiteral("100");
        QTest::newRow("1,1") << "1,1" << QStringLiteral("110");
        QTest::newRow("vuoto") << "" << QString();
        QTest::newRow("lettere") << "a" << QString();
    }
    void prezziInCentesimi() {
        QFETCH(QString, testo);
        QFETCH(QString, centesimi);
        if (centesimi.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(Errore, PrezzoInCentesimi(testo));
            return;
        }
        QCOMPARE(PrezzoInCentesimi(testo), centesimi);
    }

    // Keys are written in order: a bad second price leaves the first written and the rest as they were.
    void salvataggioDelleImpostazioni() {
        QTemporaryDir dir;
        m_corpo->fileConfigurazione = dir.filePath("impostazioni.cfg");
        SalvaImpostazioni(m_corpo->fileConfigurazione, {"1,20", "1,50", "RICEVITORIA", "Casa"});
        QVERIFY(LeggiConfigurazione(*m_corpo, m_ui)); // read back as saved, the heading too
        QCOMPARE(PrezzoMostrato(m_corpo->sistema.costoColonnaSE), QStringLiteral("1,20"));
        QCOMPARE(PrezzoMostrato(m_corpo->sistema.costoColonnaSS), QStringLiteral("1,50"));
        QCOMPARE(m_corpo->intestazioneStampa, QStringLiteral("RICEVITORIA"));
        QVERIFY(m_ui.messaggi.isEmpty());
        QVERIFY_THROWS_EXCEPTION(Errore,
                                 SalvaImpostazioni(m_corpo->fileConfigurazione, {"0,5", "", "ALTRA", "Ufficio"}));
        classINI ini;
        ini.FileINI(m_corpo->fileConfigurazione);
        QCOMPARE(ini.getProperty("Impostazioni", "costo_colonna_se", {}), QStringLiteral("50"));
        QCOMPARE(ini.getProperty("Impostazioni", "costo_colonna_ss", {}), QStringLiteral("150"));
        QCOMPARE(ini.getProperty("Impostazioni", "intestazione_stampa", {}), QStringLiteral("RICEVITORIA"));
        QCOMPARE(ini.getProperty("Impostazioni", "stampante_tabulato", {}), QStringLiteral("Casa"));
        QVERIFY(LeggiConfigurazione(*m_corpo, m_ui));
        QCOMPARE(m_corpo->sistema.costoColonnaSE, Centesimi(50));
    }
};

QTEST_MAIN(TestTabulato)
#include "tst_tabulato.moc"
