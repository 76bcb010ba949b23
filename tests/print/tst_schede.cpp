#include "Corpo.h"
#include "FakeInterfaccia.h"
#include "GeometriaScheda.h"
#include "MetricheTesto.h"
#include "ProgressoStampa.h"
#include "StampaSchede.h"
#include "SuperficieRegistrata.h"
#include "TestiStampa.h"

#include <QFontInfo>
#include <QLocale>
#include <QTest>

#include <memory>

using namespace sestina;

namespace {

using Tipo = SuperficieRegistrata::Tipo;

class ProgressoRegistrato final : public ProgressoStampa {
public:
    void apri() override { ++aperture; }
    void scheda(const QString& etichetta) override { etichette << etichetta; }
    void chiudi() override { ++chiusure; }
    int aperture = 0;
    int chiusure = 0;
    QStringList etichette;
};

QList<QRectF> Segni(const SuperficieRegistrata& s) {
    QList<QRectF> r;
    for (const auto& m : s.segni())
        if (m.tipo == Tipo::Rettangolo)
            r << m.area;
    return r;
}

bool HaSegno(const SuperficieRegistrata& s, double x, double y) {
    for (const QRectF& r : Segni(s))
        if (qAbs(r.left() - x) < 0.01 && qAbs(r.top() - y) < 0.01 && qAbs(r.width() - 2) < 1e-9 &&
            qAbs(r.height() - 2) < 1e-9)
            return true;
    return false;
}

void VerificaSegni(const SuperficieRegistrata& s, std::initializer_list<QPointF> angoli) {
    for (const QPointF& a : angoli)
        QVERIFY2(HaSegno(s, a.x(), a.y()), qPrintable(QStringLiteral("%1, %2").arg(a.x()).arg(a.y())));
}

const SuperficieRegistrata::Segno* Testo(const SuperficieRegistrata& s, const QString& inizio) {
    for (const auto& m : s.segni())
        if (m.tipo == Tipo::Testo && m.testo.startsWith(inizio))
            return &m;
    return nullptr;
}

} // namespace

class TestSchede final : public QObject {
    Q_OBJECT

    std::unique_ptr<Corpo> m_corpo;
    FakeInterfaccia m_ui;

    void Colonne(std::initializer_list<Colonna> colonne, bool superStar, Centesimi costo) {
        Sistema& s = m_corpo->sistema;
        int i = 0;
        for (const Colonna& c : colonne)
            s.colonne.scrivi(++i, c);
        s.numeroColonne = i;
        s.superStar = superStar ? Vero : Falso;
        s.costoColonna = costo;
    }
    void Molte(int quante) {
        Sistema& s = m_corpo->sistema;
        for (int i = 1; i <= quante; ++i)
            s.colonne.scrivi(i, {1, 2, 3, 4, 5, static_cast<std::uint8_t>(6 + i % 80)});
        s.numeroColonne = quante;
    }
    EsitoStampa Stampa(TipoScheda tipo, SuperficieRegistrata& s, const QString& da, const QString& a,
                       ProgressoStampa* p = nullptr) {
        return StampaSchede(*m_corpo, tipo, TaraturaPredefinita(tipo), da, a, s, m_ui, p);
    }

private Q_SLOTS:
    void init() {
        m_corpo = std::make_unique<Corpo>();
        m_corpo->sistema.nomeSistema = QStringLiteral("Prova");
        m_corpo->intestazioneStampa = QStringLiteral("RICEVITORIA");
        m_ui = FakeInterfaccia{};
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Layouts are measured in the design's faces; the platform must map them to metric twins.
    void caratteriCompatibili() {
        const QString testo = QStringLiteral("Scheda n. 1.234 € 3,00 Wii");
        MetricheTesto m;
        for (const auto& [nome, gemello] : {std::pair{"Arial", "Liberation Sans"}, {"Courier New", "Liberation Mono"}})
            for (const bool grassetto : {false, true}) {
                const QFont f = MetricheTesto::Carattere(nome, 10, grassetto);
                QCOMPARE(QFontInfo(f).family(), QString(gemello));
                QCOMPARE(m.larghezza(f, testo), m.larghezza(MetricheTesto::Carattere(gemello, 10, grassetto), testo));
            }
    }

    void dueColonneAlleSuePosizioni() {
        Colonne({{1, 15, 16, 30, 45, 90}, {2, 3, 4, 5, 6, 90}}, true, Centesimi(150));
        SuperficieRegistrata s;
        QCOMPARE(Stampa(TipoScheda::DueColonne, s, "1", "1"), EsitoStampa::Stampata);
        QCOMPARE(Segni(s).size(), 14);
        // 1, 15, 16 and 90, then 90 and 2 of panel 2, then the SuperStar boxes.
        VerificaSegni(s, {{22.3, 166.3},
                          {22.3, 103.3},
                          {27.3, 166.3},
                          {47.3, 103.3},
                          {82.3, 103.3},
                          {57.3, 161.8},
                          {22.3, 22.3},
                          {57.3, 22.3}});
        QCOMPARE(s.pagineDocumenti(), QList<int>{1});
        QCOMPARE(Testo(s, "         € ")->testo, QStringLiteral("         € 3,00"));
    }

    void cinqueColonneAlleSuePosizioni() {
        Colonne({{1, 16, 30, 45, 60, 90}, {1, 2, 3, 4, 5, 6}}, true, Centesimi(150));
        SuperficieRegistrata s;
        QCOMPARE(Stampa(TipoScheda::CinqueColonne, s, "1", "1"), EsitoStampa::Stampata);
        QCOMPARE(Segni(s).size(), 14);
        VerificaSegni(s, {{7.2, 28.08}, {7.2, 31.6}, {77.2, 45.68}, {7.2, 52.72}, {82.2, 28.08}, {82.2, 52.72}});
        QVERIFY(!HaSegno(s, 82.2, 77.36)); // panel 3 has no column, hence no SuperStar box
    }

    // The text block: each line back at nomeX, one line height of the font before it lower.
    void bloccoDelNome_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<double>("puntiNome");
        QTest::addColumn<double>("puntiImporto");
        QTest::addColumn<bool>("creditiGrassetto");
        QTest::newRow("2 colonne") << 0 << 6.0 << 28.0 << true;
        QTest::newRow("5 colonne") << 1 << 8.0 << 24.0 << false;
    }
    void bloccoDelNome() {
        QFETCH(int, tipo);
        QFETCH(double, puntiNome);
        QFETCH(double, puntiImporto);
        QFETCH(bool, creditiGrassetto);
        const auto t = static_cast<TipoScheda>(tipo);
        const TaraturaScheda tar = TaraturaPredefinita(t);
        Colonne({{1, 2, 3, 4, 5, 6}}, false, Centesimi(100));
        SuperficieRegistrata s;
        Stampa(t, s, "1", "1");
        QVERIFY(Segni(s).size() == 6);
        const auto* intestazione = Testo(s, "RICEVITORIA");
        QCOMPARE(intestazione->area.topLeft(), QPointF(tar.intestazioneX, tar.intestazioneY));
        QCOMPARE(intestazione->punti, 8.0);
        const auto* nome = Testo(s, "Prova");
        const auto* numero = Testo(s, "Scheda n. 1");
        const auto* importo = Testo(s, tipo == 0 ? "         € 1,00" : "   € 1,00");
        const auto* crediti = Testo(s, RigaCrediti);
        QVERIFY(nome && numero && importo && crediti);
        QCOMPARE(nome->area.topLeft(), QPointF(tar.nomeX, tar.nomeY));
        QCOMPARE(nome->punti, puntiNome);
        QCOMPARE(nome->font, QStringLiteral("Arial"));
        QCOMPARE(numero->area.left(), static_cast<double>(tar.nomeX));
        QVERIFY(numero->area.top() > nome->area.top() + 1.5 && numero->area.top() < nome->area.top() + 4);
        QCOMPARE(importo->area.top(), numero->area.top());
        QVERIFY(importo->area.left() > numero->area.left() + 10); // right after the slip number
        QCOMPARE(importo->punti, puntiImporto);
        QCOMPARE(crediti->area.left(), static_cast<double>(tar.nomeX));
        QVERIFY(crediti->area.top() > importo->area.top() + 8); // below the big amount
        QCOMPARE(crediti->grassetto, creditiGrassetto);
        QCOMPARE(crediti->punti, 10.0);
    }

    // The last slip of a range may be short: its empty panels stay blank and cost nothing.
    void ultimaSchedaCorta_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("da");
        QTest::addColumn<int>("segni");
        QTest::addColumn<QString>("importo");
        QTest::newRow("2 colonne, scheda 4 di 4") << 0 << "4" << 6 + 1 << "         € 1,50";
        QTest::newRow("5 colonne, scheda 2 di 2") << 1 << "2" << 12 + 2 << "   € 3,00";
    }
    void ultimaSchedaCorta() {
        QFETCH(int, tipo);
        QFETCH(QString, da);
        QFETCH(int, segni);
        QFETCH(QString, importo);
        Molte(7);
        m_corpo->sistema.superStar = Vero;
        m_corpo->sistema.costoColonna = Centesimi(150);
        SuperficieRegistrata s;
        QCOMPARE(Stampa(static_cast<TipoScheda>(tipo), s, da, da), EsitoStampa::Stampata);
        QCOMPARE(s.pagineDocumenti(), QList<int>{1});
        QCOMPARE(Segni(s).size(), segni);
        QVERIFY(Testo(s, importo));
        QCOMPARE(Testo(s, "Scheda n.")->testo, "Scheda n. " + da);
        if (tipo == 0)
            QVERIFY(!HaSegno(s, 57.3, 22.3));
    }

    void numeriNelLocale_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<qint64>("costo"); // cents
        QTest::addColumn<QString>("importo");
        QTest::newRow("2 colonne: senza separatore delle migliaia") << 0 << qint64(60'000) << "         € 1200,00";
        QTest::newRow("5 colonne: con separatore delle migliaia") << 1 << qint64(30'000) << "   € 1.500,00";
        // 2^24 cents and more: beyond single precision a cent is lost.
        QTest::newRow("5 colonne: al centesimo") << 1 << qint64(33'554'433) << "   € 1.677.721,65";
    }
    void numeriNelLocale() {
        QFETCH(int, tipo);
        QFETCH(qint64, costo);
        QFETCH(QString, importo);
        Molte(1234 * 5);
        m_corpo->sistema.costoColonna = Centesimi(costo);
        SuperficieRegistrata s;
        ProgressoRegistrato p;
        Stampa(static_cast<TipoScheda>(tipo), s, "1234", "1234", &p);
        QCOMPARE(Testo(s, "Scheda n.")->testo, QStringLiteral("Scheda n. 1.234"));
        QVERIFY2(Testo(s, importo), qPrintable(importo));
        QCOMPARE(p.etichette, QStringList{"Scheda n. 01234"});
    }

    void intervalliRifiutati_data() {
        QTest::addColumn<QString>("da");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("titolo");
        const QString maggiore = QStringLiteral("'DA' è maggiore di 'A'");
        const QString minimo = QStringLiteral("'DA' è minore del minimo");
        const QString massimo = QStringLiteral("'A' è maggiore del massimo");
        const QString titolo = QStringLiteral("!!! E R R O R E !!!"), largo = " " + titolo + " ";
        const auto riga = [](const char* nome, const char* da, const char* a, const QString& t, const QString& x) {
            QTest::newRow(nome) << QString(da) << QString(a) << t << x;
        };
        riga("DA > A", "3", "2", maggiore, largo);
        riga("DA 0", "0", "2", minimo, titolo);
        riga("DA vuoto", "", "2", minimo, titolo);
        riga("entrambi vuoti", "", "", minimo, titolo);
        riga("A vuoto", "1", "", maggiore, largo);
        riga("A oltre il massimo", "1", "5", massimo, titolo);
        riga("A enorme", "1", "99999999999999999999", massimo, titolo);
    }
    void intervalliRifiutati() {
        QFETCH(QString, da);
        QFETCH(QString, a);
        QFETCH(QString, testo);
        QFETCH(QString, titolo);
        Molte(7);
        SuperficieRegistrata s;
        ProgressoRegistrato p;
        QCOMPARE(Stampa(TipoScheda::DueColonne, s, da, a, &p), EsitoStampa::Rifiutata);
        QCOMPARE(m_ui.messaggi.size(), 1);
        QCOMPARE(m_ui.messaggi[0].testo, testo);
        QCOMPARE(m_ui.messaggi[0].titolo, titolo);
        QCOMPARE(m_ui.messaggi[0].icona, Icona::Esclamazione);
        QCOMPARE(m_ui.beep_, 1);
        QCOMPARE(s.quantiSegni(), 0);
        QCOMPARE(p.aperture, 0);
    }

    void intervalloDelSistema() {
        Molte(7);
        SuperficieRegistrata s;
        ProgressoRegistrato p;
        QCOMPARE(Stampa(TipoScheda::DueColonne, s, "2", "4", &p), EsitoStampa::Stampata);
        QCOMPARE(s.pagineDocumenti(), QList<int>{3}); // no empty page after the last slip
        QCOMPARE(p.etichette, (QStringList{"Scheda n. 00002", "Scheda n. 00003", "Scheda n. 00004"}));
        QCOMPARE(p.chiusure, 1);
        QCOMPARE(m_ui.eventi, 3);
        QVERIFY(m_ui.messaggi.isEmpty());
    }

    // A stop confirmed during slip 3 is seen before slip 4: slips 1 to 3 are printed.
    void interruzioneDopoLaTerza() {
        Molte(20);
        m_ui.durante = [this](int n) {
            if (n == 4)
                m_corpo->stampaAnnullata = Vero;
        };
        m_corpo->stampaAnnullata = Vero; // a stale request from an earlier job must not stop this one
        SuperficieRegistrata s;
        ProgressoRegistrato p;
        QCOMPARE(Stampa(TipoScheda::DueColonne, s, "1", "10", &p), EsitoStampa::Interrotta);
        QCOMPARE(s.pagineDocumenti(), QList<int>{3});
        QCOMPARE(p.etichette.size(), 3);
        QCOMPARE(p.chiusure, 1);
    }

    void guastoDellaStampante_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("procedura");
        QTest::newRow("2") << 0 << "StampaScheda2ColonneSS";
        QTest::newRow("5") << 1 << "StampaScheda5ColonneSS";
    }
    void guastoDellaStampante() {
        QFETCH(int, tipo);
        QFETCH(QString, procedura);
        Molte(40);
        SuperficieRegistrata s;
        s.guastaDopo(30);
        ProgressoRegistrato p;
        QCOMPARE(Stampa(static_cast<TipoScheda>(tipo), s, "1", "4", &p), EsitoStampa::Fallita);
        QCOMPARE(m_ui.messaggi.size(), 1);
        QCOMPARE(m_ui.messaggi[0].testo,
                 QStringLiteral("Error 482 (Errore della stampante) in procedure %1 of Form frmStampa").arg(procedura));
        QCOMPARE(s.pagineDocumenti().size(), 1); // the document is ended: what was laid out is printed
        QCOMPARE(p.chiusure, 1);
    }

    void stampanteDellaTaratura_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("scelta");
        QTest::newRow("installata") << "Seconda" << QStringLiteral("Seconda");
        QTest::newRow("non installata") << "Terza" << QString();
        QTest::newRow("maiuscole diverse") << "seconda" << QString();
    }
    void stampanteDellaTaratura() {
        QFETCH(QString, nome);
        QFETCH(QString, scelta);
        Molte(2);
        TaraturaScheda t = TaraturaPredefinita(TipoScheda::DueColonne);
        t.stampante = nome;
        SuperficieRegistrata s({"Prima", "Seconda"});
        StampaSchede(*m_corpo, TipoScheda::DueColonne, t, "1", "1", s, m_ui, nullptr);
        QCOMPARE(s.stampanteSelezionata(), scelta);
    }
};

QTEST_MAIN(TestSchede)
#include "tst_schede.moc"
