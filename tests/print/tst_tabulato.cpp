#include "Configurazione.h"
#include "Corpo.h"
#include "Errore.h"
#include "FakeInterfaccia.h"
#include "ImpostazioniStampa.h"
#include "SuperficieRegistrata.h"
#include "Tabulato.h"
#include "classINI.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>
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
