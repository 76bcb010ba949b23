#include "Errore.h"
#include "FakeInterfaccia.h"
#include "GeometriaScheda.h"
#include "ProvaSuFile.h"
#include "StampaSchede.h"
#include "SuperficieRegistrata.h"
#include "TaraturaScheda.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <limits>
#include <tuple>

using namespace sestina;

Q_DECLARE_METATYPE(sestina::TipoScheda)

namespace {

void PoniFloat(QByteArray& b, int record, float v) {
    std::uint32_t bit;
    std::memcpy(&bit, &v, 4);
    for (int i = 0; i < 4; ++i)
        b[record * 128 + i] = static_cast<char>(bit >> (8 * i));
}

} // namespace

class TestTaratura final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void cleanup() {
        QFile::remove(FileTaratura(m_dir.path(), TipoScheda::DueColonne));
        QFile::remove(FileTaratura(m_dir.path(), TipoScheda::CinqueColonne));
    }

    void byteDelFile() {
        TaraturaScheda t = TaraturaPredefinita(TipoScheda::DueColonne);
        t.qualita = QualitaNormale;
        t.stampante = QStringLiteral("Stampante1");
        SalvaTaratura(m_dir.path(), TipoScheda::DueColonne, t);
        const QByteArray b = Contenuto(m_dir.filePath("NewScheda2colSS.cfg"));
        QCOMPARE(b.size(), 1280);
        QCOMPARE(b.mid(1024, 4), QByteArray::fromHex("02000f27"));
        QCOMPARE(b.mid(1152, 12), QByteArray::fromHex("0a00") + "Stampante1");
        QCOMPARE(b.mid(0, 4), QByteArray::fromHex("0000a040")); // 5.0f little-endian
        t.qualita = QualitaBassa;
        SalvaTaratura(m_dir.path(), TipoScheda::DueColonne, t);
        QCOMPARE(Contenuto(m_dir.filePath("NewScheda2colSS.cfg")).mid(1024, 4), QByteArray::fromHex("02005704"));
        // A name longer than its record is cut to 126 bytes.
        t.stampante = QString(300, QLatin1Char('n'));
        SalvaTaratura(m_dir.path(), TipoScheda::CinqueColonne, t);
        const QByteArray lungo = Contenuto(m_dir.filePath("NewScheda5colSS.cfg"));
        QCOMPARE(lungo.size(), 1280);
        QCOMPARE(lungo.mid(1152, 2), QByteArray::fromHex("7e00"));
        QCOMPARE(LeggiTaratura(m_dir.path(), TipoScheda::CinqueColonne).stampante, QString(126, QLatin1Char('n')));
        // A folder that is not there (a failing write keeping the old file is tst_scritturefallite's).
        QVERIFY_THROWS_EXCEPTION(Errore, SalvaTaratura(m_dir.filePath("manca/qui"), TipoScheda::DueColonne, {}));
    }

    void andataERitorno_data() {
        QTest::addColumn<TipoScheda>("tipo");
        QTest::newRow("2 colonne") << TipoScheda::DueColonne;
        QTest::newRow("5 colonne") << TipoScheda::CinqueColonne;
    }
    void andataERitorno() {
        QFETCH(TipoScheda, tipo);
        const TaraturaScheda t{4.9f, 3.3f, 101.1f, 20.25f, 1.0f, 2.0f, 3.0f, 4.0f, QualitaNormale, "Città"};
        SalvaTaratura(m_dir.path(), tipo, t);
        const auto campi = [](const TaraturaScheda& x) {
            return std::tie(x.distanzaX, x.distanzaY, x.pannelloTop, x.pannelloLeft, x.intestazioneX, x.intestazioneY,
                            x.nomeX, x.nomeY, x.qualita, x.stampante);
        };
        QVERIFY(campi(LeggiTaratura(m_dir.path(), tipo)) == campi(t));
    }

    // Whatever is missing or unreadable reads as 0, and every 0 as the kind's default.
    void fileGuasti_data() {
        QTest::addColumn<TipoScheda>("tipo");
        QTest::addColumn<QByteArray>("byte");
        QTest::addColumn<float>("distanzaX");
        QTest::addColumn<float>("pannelloTop");
        QTest::addColumn<QString>("nome");
        QByteArray zeri(1280, '\0');
        QByteArray corto(200, '\0');
        PoniFloat(corto, 0, 4.0f);
        QByteArray nan(1280, '\0');
        PoniFloat(nan, 0, std::numeric_limits<float>::quiet_NaN());
        PoniFloat(nan, 2, std::numeric_limits<float>::infinity());
        // No position on a slip: read as the default, as a 0 is. 300 mm is the scroll bars' end.
        QByteArray fuori(1280, '\0');
        PoniFloat(fuori, 0, 1e30f);
        PoniFloat(fuori, 2, -5.0f);
        QByteArray estremo(1280, '\0');
        PoniFloat(estremo, 0, 300.0f);
        PoniFloat(estremo, 2, 300.01f);
        QByteArray nomeLungo = QByteArray(1154, '\0') + QByteArray(10, 'x');
        nomeLungo[1152] = static_cast<char>(0xFF);
        nomeLungo[1153] = static_cast<char>(0xFF);
        PoniFloat(nomeLungo, 0, 6.0f);
        for (const TipoScheda tipo : {TipoScheda::DueColonne, TipoScheda::CinqueColonne}) {
            const TaraturaScheda d = TaraturaPredefinita(tipo);
            const char* k = tipo == TipoScheda::DueColonne ? "2 " : "5 ";
            QTest::addRow("%szeri", k) << tipo << zeri << d.distanzaX << d.pannelloTop << QString();
            QTest::addRow("%smancante", k) << tipo << QByteArray() << d.distanzaX << d.pannelloTop << QString();
            QTest::addRow("%scorto", k) << tipo << corto << 4.0f << d.pannelloTop << QString();
            QTest::addRow("%snon finiti", k) << tipo << nan << d.distanzaX << d.pannelloTop << QString();
            QTest::addRow("%s1e30 e negativo", k) << tipo << fuori << d.distanzaX << d.pannelloTop << QString();
            QTest::addRow("%s300 e oltre", k) << tipo << estremo << 300.0f << d.pannelloTop << QString();
            QTest::addRow("%slink a /dev/zero", k)
                << tipo << QByteArray("<zero>") << d.distanzaX << d.pannelloTop << QString();
            QTest::addRow("%sFIFO", k) << tipo << QByteArray("<fifo>") << d.distanzaX << d.pannelloTop << QString();
        }
        QTest::addRow("nome oltre la fine")
            << TipoScheda::DueColonne << nomeLungo << 6.0f << 103.3f << QString(10, QLatin1Char('x'));
    }
    void fileGuasti() {
        QFETCH(TipoScheda, tipo);
        QFETCH(QByteArray, byte);
        QFETCH(float, distanzaX);
        QFETCH(float, pannelloTop);
        QFETCH(QString, nome);
        if (FileOstile(QString::fromLatin1(byte)))
            FileOstile(QString::fromLatin1(byte), FileTaratura(m_dir.path(), tipo));
        else if (!byte.isNull())
            QVERIFY(Scrivi(FileTaratura(m_dir.path(), tipo), byte));
        const TaraturaScheda t = LeggiTaratura(m_dir.path(), tipo);
        QCOMPARE(t.distanzaX, distanzaX);
        QCOMPARE(t.pannelloTop, pannelloTop);
        QCOMPARE(t.nomeY, TaraturaPredefinita(tipo).nomeY);
        QCOMPARE(t.qualita, QualitaBassa);
        QCOMPARE(t.stampante, nome);
    }

    // The windows hold positions to their scroll bar's step, a half going to the even neighbour.
    void passiDegliScorrimenti_data() {
        QTest::addColumn<float>("valore");
        QTest::addColumn<int>("scala");
        QTest::addColumn<int>("posizione");
        QTest::newRow("103.34 a 0.1") << 103.34f << 10 << 1033;
        QTest::newRow("7.25 a 0.01") << 7.25f << 100 << 725;
        QTest::newRow("meta' al pari") << 0.25f << 10 << 2;
        QTest::newRow("negativo") << -3.0f << 10 << 0;
    }
    void passiDegliScorrimenti() {
        QFETCH(float, valore);
        QFETCH(int, scala);
        QFETCH(int, posizione);
        QCOMPARE(PosizioneScorrimento(valore, scala), posizione);
    }

    void provaDiTaratura_data() {
        QTest::addColumn<TipoScheda>("tipo");
        QTest::addColumn<int>("segni");
        QTest::addColumn<int>("testi");
        QTest::newRow("2 colonne") << TipoScheda::DueColonne << 2 * 91 << 5;
        QTest::newRow("5 colonne") << TipoScheda::CinqueColonne << 5 * 91 << 5 + 5 * 91;
    }
    void provaDiTaratura() {
        QFETCH(TipoScheda, tipo);
        QFETCH(int, segni);
        QFETCH(int, testi);
        FakeInterfaccia ui;
        TaraturaScheda t = TaraturaPredefinita(tipo);
        t.qualita = QualitaNormale;
        SuperficieRegistrata s;
        QVERIFY(StampaTestTaratura(tipo, t, QStringLiteral("INTESTAZIONE"), s, ui));
        QCOMPARE(s.qualita(), QualitaStampa::Media);
        int r = 0;
        int x = 0;
        for (const auto& m : s.segni()) {
            r += m.tipo == SuperficieRegistrata::Tipo::Rettangolo;
            x += m.tipo == SuperficieRegistrata::Tipo::Testo;
        }
        QCOMPARE(r, segni);
        QCOMPARE(x, testi);
        QCOMPARE(s.pagineDocumenti(), QList<int>{1});
        if (tipo == TipoScheda::CinqueColonne) {
            const QPointF ss = SuperStarCinqueColonne(t, 5);
            bool trovato = false;
            for (const auto& m : s.segni())
                trovato = trovato || (m.testo == "SS" && m.area.topLeft() == ss && m.punti == 6.0);
            QVERIFY(trovato);
        }
    }

    void provaSuStampanteGuasta() {
        FakeInterfaccia ui;
        SuperficieRegistrata s;
        s.guastaDopo(5);
        TaraturaScheda t = TaraturaPredefinita(TipoScheda::DueColonne);
        QVERIFY(!StampaTestTaratura(TipoScheda::DueColonne, t, {}, s, ui));
        QCOMPARE(s.qualita(), QualitaStampa::Bozza);
        QCOMPARE(ui.messaggi.size(), 1);
        QCOMPARE(ui.messaggi[0].testo, QStringLiteral("Stampante non installata"));
        QCOMPARE(ui.messaggi[0].titolo, QStringLiteral("!!! E R R O R E !!!"));
        QCOMPARE(ui.messaggi[0].icona, Icona::Critica);
    }
};

QTEST_MAIN(TestTaratura)
#include "tst_taratura.moc"
