#include "Adattamento.h"
#include "Catalogo.h"
#include "Download.h"
#include "FakeInterfaccia.h"
#include "FileMatrice.h"
#include "ProvaSuFile.h"
#include "ServerPubblicazione.h"
#include "Sistema.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace sestina;

namespace {

const QString Dati = QStringLiteral(SESTINA_TEST_DATA "/matrici");

QByteArray Valida() {
    return Contenuto(Dati + QStringLiteral("/valida.mspl"));
}

QByteArray ConCrc(const QByteArray& corpo) {
    QByteArray crc(4, '\0');
    qToLittleEndian(GetByteArrayCrc32(corpo), crc.data());
    return corpo + crc;
}

// The file with one byte set to valore and its CRC made right again.
QByteArray Ritocca(const QByteArray& file, qsizetype posizione, char valore) {
    QByteArray corpo = file.chopped(4);
    corpo[posizione] = valore;
    return ConCrc(corpo);
}

// A page of the publisher as the request line carries it.
QByteArray Destinazione(const QString& pagina) {
    return pagina.toLatin1();
}

// What the shared temporary folder holds: an update leaves nothing there.
QStringList VociTemp() {
    return QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

MATRIX_STRUCTURE Matrice(int v, int t, int f, int colonne) {
    std::vector<std::array<std::uint8_t, 6>> c;
    for (int j = 0; j < colonne; ++j) {
        std::array<std::uint8_t, 6> col{};
        for (int p = 0; p < 6; ++p)
            col[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>((j + p * 3) % v + 1);
        c.push_back(col);
    }
    return CreaMatrice(v, t, f, c, {QStringLiteral("100%"), QStringLiteral("Autore"), QStringLiteral("Prova"), {}, {}});
}

void Pronostico(Sistema& s, const std::vector<int>& numeri) {
    for (const int n : numeri)
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
}

} // namespace

class TestMatrici final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_cartella;
    FakeInterfaccia m_ui;
    std::unique_ptr<Sistema> m_s;

    QString percorso(const QString& nome) const { return m_cartella->filePath(nome); }

private Q_SLOTS:
    void init() {
        m_cartella = std::make_unique<QTemporaryDir>();
        m_ui = FakeInterfaccia{};
        m_s = std::make_unique<Sistema>();
    }

    void crc() {
        QCOMPARE(GetByteArrayCrc32(QByteArrayLiteral("123456789")), 0xCBF43926u);
        QCOMPARE(GetByteArrayCrc32({}), 0u);
        const QByteArray valida = Valida();
        QVERIFY(CrcMatriceValido(valida));
        for (qsizetype i = 0; i < valida.size(); ++i) {
            QByteArray guasto = valida;
            guasto[i] = static_cast<char>(guasto[i] ^ 0x10);
            QVERIFY2(!CrcMatriceValido(guasto), qPrintable(QString::number(i)));
        }
        QVERIFY(!CrcMatriceValido(valida.first(4)));
        QVERIFY(!VerificaCrcMatrice(percorso(QStringLiteral("manca.mspl"))));
    }

    // The file written by an independent script reads and writes back byte for byte.
    void letturaEScrittura() {
        const std::optional<MATRIX_STRUCTURE> m =
            LeggiMatrice(QStringLiteral("  ") + Dati + QStringLiteral("/valida.mspl "));
        QVERIFY(m);
        const MATRIX_HEADER& h = m->intestazione;
        QCOMPARE(h.NUMBERS_OF_MATRIX_V, 10);
        QCOMPARE(h.GARANTY_T, 5);
        QCOMPARE(h.COLUMNS_OF_MATRIX_C, 4);
        QCOMPARE(h.AUTHOR.trimmed(), QByteArray("Autore Prova"));
        QCOMPARE(DaDataOle(h.VALID_FROM), QDate(2023, 3, 15));
        QCOMPARE(h.VERSION_TAG, EtichettaVersioneMatrice);
        // Position-major: the first entries are position 1 of every column.
        QCOMPARE((std::vector<std::uint8_t>(m->COLUMS.begin(), m->COLUMS.begin() + 5)),
                 (std::vector<std::uint8_t>{1, 1, 4, 1, 2}));
        QCOMPARE(ScriviMatrice(*m), Valida());
        QVERIFY(SalvaMatrice(*m, percorso(QStringLiteral("copia.mspl"))));
        QCOMPARE(Contenuto(percorso(QStringLiteral("copia.mspl"))), Valida());

        const MATRIX_STRUCTURE nuova = CreaMatrice(
            8, 4, 1, {{1, 2, 3, 4, 5, 6}, {3, 4, 5, 6, 7, 8}},
            {QStringLiteral("90%"), QStringLiteral("Àutore"), QString(61, QLatin1Char('d')), QDate(2026, 12, 7), {}});
        const QByteArray b = ScriviMatrice(nuova);
        QCOMPARE(b.size(), 142 + 12 + 4);
        QCOMPARE(qFromLittleEndian<std::int32_t>(b.constData() + 5), 2);
        QCOMPARE(b.mid(9, 10), QByteArray("90%       "));
        QCOMPARE(b.mid(19, 1), QByteArray("\xC0"));
        QCOMPARE(b.mid(49, 60), QByteArray(60, 'd'));
        double giorni = 0;
        std::memcpy(&giorni, b.constData() + 109, 8);
        QCOMPARE(giorni, 46363.0);
        QCOMPARE(b.mid(127, 15), EtichettaVersioneMatrice);
        QCOMPARE(b.mid(142, 4), QByteArray("\x01\x03\x02\x04", 4));
        QCOMPARE(qFromLittleEndian<std::uint32_t>(b.constData() + b.size() - 4), GetByteArrayCrc32(b.chopped(4)));
    }

    void fileRotti_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("leggibile");
        QTest::addColumn<bool>("crc");
        for (const char* n :
             {"intestazione-corta", "colonne-negative", "colonne-oltre-la-fine", "k-sette", "posizione-zero",
              "posizione-oltre-v", "v-oltre-90", "fisse-sei", "garanzia-sette", "posizione-ripetuta"})
            QTest::newRow(n) << QString::fromLatin1(n) << false << true;
        QTest::newRow("quattro-byte") << "quattro-byte" << false << false;
        QTest::newRow("etichetta-errata") << "etichetta-errata" << true << true;
        QTest::newRow("crc-errato") << "crc-errato" << true << false;
    }
    void fileRotti() {
        QFETCH(QString, nome);
        QFETCH(bool, leggibile);
        QFETCH(bool, crc);
        const QString file = Dati + QStringLiteral("/rotte/") + nome + QStringLiteral(".mspl");
        QCOMPARE(DifettoMatrice(Contenuto(file)).isEmpty(), leggibile);
        QCOMPARE(LeggiMatrice(file).has_value(), leggibile);
        QCOMPARE(VerificaCrcMatrice(file), crc);
        LeggiIntestazioneMatrice(file); // a short file leaves fields empty, nothing more
    }

    void catalogo() {
        const QString cartella = percorso(QStringLiteral("matrici"));
        QVERIFY(QDir().mkpath(cartella));
        QCOMPARE(CatalogoDellaCartella(cartella, 0).size(), 1u);
        QVERIFY(CatalogoDellaCartella(cartella, 0).front().nomeFile.isEmpty());

        const auto salva = [&](const QString& nome, const MATRIX_STRUCTURE& m) {
            QVERIFY(SalvaMatrice(m, cartella + QLatin1Char('/') + nome));
        };
        salva(QStringLiteral("a12.mspl"), Matrice(12, 4, 0, 30));
        salva(QStringLiteral("b8.mspl"), Matrice(8, 5, 0, 10));
        salva(QStringLiteral("c10.mspl"), Matrice(10, 6, 0, 210));
        salva(QStringLiteral("d10.mspl"), Matrice(10, 5, 2, 20));
        MATRIX_STRUCTURE k5 = Matrice(10, 5, 0, 3);
        k5.intestazione.LENGTH_OF_COLUMN_K = 5;
        salva(QStringLiteral("k5.mspl"), k5);
        MATRIX_STRUCTURE m5 = Matrice(10, 5, 0, 3);
        m5.intestazione.PICK_UP_NUMBERS_M = 5;
        salva(QStringLiteral("m5.mspl"), m5);
        salva(QStringLiteral("altro.dat"), Matrice(9, 5, 0, 3));
        QVERIFY(QFile::copy(Dati + QStringLiteral("/rotte/crc-errato.mspl"), cartella + QStringLiteral("/rotta.mspl")));

        QStringList v;
        const std::vector<VoceCatalogo> tutte = CatalogoDellaCartella(cartella, 0);
        for (const VoceCatalogo& voce : tutte)
            v << QString::number(voce.intestazione.NUMBERS_OF_MATRIX_V);
        QCOMPARE(v, (QStringList{"8", "10", "10", "10", "12"}));

        const std::vector<VoceCatalogo> dieci = CatalogoDellaCartella(cartella, 10);
        QCOMPARE(dieci.size(), 3u);
        for (const VoceCatalogo& voce : dieci) {
            const bool rotta = voce.nomeFile == QStringLiteral("rotta.mspl");
            QCOMPARE(voce.crcValido, rotta ? Falso : Vero);
            QCOMPARE(voce.versioneValida, Vero);
            if (voce.nomeFile == QStringLiteral("c10.mspl"))
                QCOMPARE(RigaCatalogo(voce), QStringLiteral(" 10 | 06 | 06 | 06 | 00 |    210 | 100%      "));
        }
        QCOMPARE(CatalogoDellaCartella(cartella, 11).size(), 7u); // none with v = 11: one empty entry per .mspl
    }

    // What lies in the folder beside the matrices: a link to /dev/zero and a FIFO are left out, a
    // file over the limit is listed with the limit as its fault. The texts are windows-1252.
    void catalogoOstile() {
        const QString cartella = percorso(QStringLiteral("matrici"));
        QVERIFY(QDir().mkpath(cartella));
        QVERIFY(SalvaMatrice(CreaMatrice(10, 5, 0, {{1, 2, 3, 4, 5, 6}}, {QStringLiteral("€ 100%"), {}, {}, {}, {}}),
                             cartella + QStringLiteral("/euro.mspl")));
        FileOstile(QStringLiteral("<zero>"), cartella + QStringLiteral("/zero.mspl"));
        FileOstile(QStringLiteral("<fifo>"), cartella + QStringLiteral("/fifo.mspl"));
        QFile grande(cartella + QStringLiteral("/grande.mspl"));
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.write(ScriviMatrice(Matrice(10, 5, 0, 3))) > 0 &&
                grande.resize(DimensioneMassimaMatrice + 1));
        grande.close();

        QStringList righe;
        for (const VoceCatalogo& voce : CatalogoDellaCartella(cartella, 0))
            righe << voce.nomeFile + QLatin1Char(' ') + RigaCatalogo(voce) + QLatin1Char(' ') + voce.difetto;
        righe.sort();
        QCOMPARE(righe,
                 (QStringList{
                     "euro.mspl  10 | 06 | 05 | 06 | 00 |      1 | € 100%     ",
                     "grande.mspl  10 | 06 | 05 | 06 | 00 |      3 | 100%       File troppo grande (limite 16 MiB)"}));
    }

    void nomiPubblicati_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("locale");
        QTest::newRow("semplice") << "LISTA.DAT" << true << "LISTA.mspl";
        QTest::newRow("minuscolo") << "lista.dat" << true << "lista.dat";
        QTest::newRow("senza estensione") << "SENZA" << true << "SENZA";
        QTest::newRow("cartella") << "SUB/A.DAT" << false << "";
        QTest::newRow("rovescia") << "SUB\\A.DAT" << false << "";
        QTest::newRow("risalita") << "..DAT" << false << "";
        QTest::newRow("unita'") << "C:A.DAT" << false << "";
        QTest::newRow("controllo") << "A\tB.DAT" << false << "";
        QTest::newRow("65 caratteri") << QString(61, QLatin1Char('A')) + ".DAT" << false << "";
        QTest::newRow("64 caratteri") << QString(60, QLatin1Char('A')) + ".DAT" << true
                                      << QString(60, QLatin1Char('A')) + ".mspl";
    }
    void nomiPubblicati() {
        QFETCH(QString, nome);
        QFETCH(bool, valido);
        QFETCH(QString, locale);
        QCOMPARE(NomePubblicatoValido(nome), valido);
        if (valido)
            QCOMPARE(NomeLocaleMatrice(nome), locale);
    }

    void portaInTesta() {
        Pronostico(*m_s, {3, 5, 8, 11, 17, 20});
        QVERIFY(!PortaInTesta(*m_s, 4, 0));
        QVERIFY(!PortaInTesta(*m_s, 91, 0));
        QVERIFY(PortaInTesta(*m_s, 17, 0));
        QCOMPARE(m_s->pronostico[0], 17);
        QCOMPARE(m_s->pronostico[4], 3);
    }

    // Asked again for a number not in play, one outside 1..90 and one already named; then brought
    // to the front in the order named.
    void adattaConDueFisse() {
        Pronostico(*m_s, {3, 5, 8, 11, 17, 20, 25, 30, 33, 40});
        const MATRIX_STRUCTURE m = Matrice(10, 5, 2, 40);
        m_ui.testiDaDare = {QStringLiteral("91"), QStringLiteral("4"), QStringLiteral("17"), QStringLiteral("17"),
                            QStringLiteral(" 5")};
        m_ui.rispondi(Risposta::Ok);
        QVERIFY(AdattaVoce(*m_s, m, m_ui));
        QCOMPARE(m_ui.messaggi.size(), 1);
        QCOMPARE(m_ui.messaggi.front().testo, QStringLiteral("Le Fisse del sistema sono\r\r17   05   \r\r"));
        QCOMPARE(m_ui.messaggi.front().pulsanti, Pulsanti::OkAnnulla);
        QCOMPARE(m_s->pronostico[0], 17);
        QCOMPARE(m_s->pronostico[1], 5);
        QCOMPARE(m_s->numeroColonne, 40);
        for (int j = 0; j < 40; ++j)
            for (int p = 0; p < 6; ++p) {
                const int posizione = m.COLUMS[static_cast<std::size_t>(p * 40 + j)];
                QCOMPARE(m_s->colonne.colonna(j + 1)[p], m_s->pronostico[static_cast<std::size_t>(posizione - 1)]);
                if (posizione <= 2)
                    QCOMPARE(m_s->colonne.colonna(j + 1)[p], posizione == 1 ? 17 : 5);
            }
        QCOMPARE(m_s->quantiFissi, 2);
        QCOMPARE(m_s->numeriFissi[17], 1);
        QCOMPARE(m_s->numeriFissi[5], 1);
        QCOMPARE(m_s->numeriFissi[3], 0);
        QCOMPARE(m_s->condFisse, Vero);
        QCOMPARE(m_s->condRidotto, Vero);
        QCOMPARE(m_s->livelloRiduzione, 1);
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Ridotto N-1"));
    }

    void integraleSenzaRiduzione() {
        Pronostico(*m_s, {1, 2, 3, 4, 5, 6, 7, 8});
        QVERIFY(AdattaVoce(*m_s, Matrice(8, 6, 0, 28), m_ui));
        QCOMPARE(m_s->tipoSistema, QStringLiteral("Adatta Matrice"));
        QCOMPARE(m_s->condRidotto, Falso);
        QCOMPARE(m_s->condFisse, Falso);
        QVERIFY(m_ui.messaggi.isEmpty());
    }

    // Every way out leaves the System as it was: columns, Prediction and conditions.
    void rifiuti_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<int>("fisse");
        QTest::addColumn<int>("v");
        QTest::addColumn<bool>("annullaDomanda");
        QTest::addColumn<QString>("messaggio");
        const QString troppe = QStringLiteral("Error -2147211504 (Colonne superiori alla capienza della memoria\r"
                                              "scegliere un'altra matrice o contattare l'autore per un aggiornamento)");
        QTest::newRow("annulla la fissa") << 10 << 2 << 10 << true << QString();
        QTest::newRow("annulla la conferma") << 10 << 2 << 10 << false << QStringLiteral("Le Fisse del sistema sono");
        QTest::newRow("1.850.001 colonne") << 1'850'001 << 0 << 10 << false << troppe;
        QTest::newRow("piu' numeri del pronostico")
            << 10 << 0 << 12 << false << QStringLiteral("La matrice non si adatta al pronostico");
    }
    void rifiuti() {
        QFETCH(int, colonne);
        QFETCH(int, fisse);
        QFETCH(int, v);
        QFETCH(bool, annullaDomanda);
        QFETCH(QString, messaggio);
        Pronostico(*m_s, {3, 5, 8, 11, 17, 20, 25, 30, 33, 40});
        Riempi(*m_s, 3);
        m_s->condSomma = Vero;
        const auto pronostico = m_s->pronostico;
        const Colonna terza = m_s->colonne.leggi(3);
        MATRIX_STRUCTURE m = Matrice(v, 5, fisse, colonne > LimiteColonne ? 1 : colonne);
        m.intestazione.COLUMNS_OF_MATRIX_C = colonne;
        if (annullaDomanda) {
            m_ui.testiDaDare = {QStringLiteral("17"), std::nullopt};
        } else if (fisse > 0) {
            m_ui.testiDaDare = {QStringLiteral("17"), QStringLiteral("5")};
            m_ui.rispondi(Risposta::Annulla);
        }
        QVERIFY(!AdattaVoce(*m_s, m, m_ui));
        QCOMPARE(m_s->pronostico, pronostico);
        QCOMPARE(m_s->numeroColonne, 3);
        QCOMPARE(m_s->colonne.leggi(3), terza);
        QCOMPARE(m_s->condSomma, Vero);
        QCOMPARE(m_s->quantiFissi, 0);
        QCOMPARE(m_ui.messaggi.isEmpty(), messaggio.isEmpty());
        if (!messaggio.isEmpty())
            QVERIFY(m_ui.messaggi.front().testo.startsWith(messaggio));
    }

    void limiteDiColonne() {
        Pronostico(*m_s, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QVERIFY(AdattaVoce(*m_s, Matrice(10, 3, 0, LimiteColonne), m_ui));
        QCOMPARE(m_s->numeroColonne, LimiteColonne);
        QCOMPARE(m_s->colonne.leggi(LimiteColonne)[0], ((LimiteColonne - 1) % 10) + 1);
    }

    // pubblica's folder served by nginx, then the window's update into a local matrix folder.
    void scaricamento() {
        const QString sorgente = percorso(QStringLiteral("sorgente"));
        const QString pubblico = percorso(QStringLiteral("pubblico"));
        const QString locali = percorso(QStringLiteral("locali"));
        QVERIFY(QDir().mkpath(sorgente) && QDir().mkpath(locali));
        QVERIFY(QFile::copy(Dati + QStringLiteral("/valida.mspl"), sorgente + QStringLiteral("/prova.mspl")));
        QVERIFY(SalvaMatrice(CreaMatrice(12, 4, 0, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, {}),
                             sorgente + QStringLiteral("/Dodici.mspl")));
        QVERIFY(PubblicaMatrici(sorgente, pubblico));
        QCOMPARE(Contenuto(pubblico + QStringLiteral("/matrici/lista.txt")), QByteArray("DODICI.DAT\r\nPROVA.DAT\r\n"));
        // The published list may name what the server lacks, or what nobody may write.
        QVERIFY(Scrivi(pubblico + QStringLiteral("/matrici/SENZA"), Valida()));
        QVERIFY(Scrivi(pubblico + QStringLiteral("/matrici/lista.txt"),
                       "dodici.dat\r\nPROVA.DAT\r\nSENZA\r\nMANCA.DAT\r\n../FUORI.DAT\r\n\r\n"));
        QVERIFY(Scrivi(locali + QStringLiteral("/prova.MSPL"), "vecchia"));
        QVERIFY(Scrivi(locali + QStringLiteral("/MANCA.mspl"), "vecchia"));

        ServerPubblicazione server(pubblico);
        QVERIFY2(server.avviato(), qPrintable(server.errore()));
        // A temporary folder of this test's own: other tests running beside it use the shared one.
        const QByteArray tempPrima = qgetenv("TMPDIR");
        const auto ripristina = qScopeGuard([&] { qputenv("TMPDIR", tempPrima); });
        QVERIFY(QDir().mkpath(percorso(QStringLiteral("temp"))));
        qputenv("TMPDIR", QFile::encodeName(percorso(QStringLiteral("temp"))));
        const QStringList temp = VociTemp();
        const EsitoMatrici esito = AggiornaMatrici(PagineDalServer(server.indirizzo(), m_ui), locali);
        QVERIFY(esito.listaScaricata);
        QCOMPARE(esito.scaricate, 3);
        QCOMPARE(esito.scartate, 2);
        QCOMPARE(QDir(locali).entryList(QDir::Files, QDir::Name),
                 (QStringList{"DODICI.mspl", "MANCA.mspl", "PROVA.mspl", "SENZA"}));
        QCOMPARE(Contenuto(locali + QStringLiteral("/PROVA.mspl")), Valida());
        QCOMPARE(Contenuto(locali + QStringLiteral("/MANCA.mspl")), QByteArray("vecchia"));
        QVERIFY(!QFile::exists(percorso(QStringLiteral("FUORI.DAT"))));
        QCOMPARE(VociTemp(), temp);
        QCOMPARE(CatalogoDellaCartella(locali, 0).size(), 2u);

        const EsitoMatrici senzaServer =
            AggiornaMatrici(PagineDalServer(QStringLiteral("http://127.0.0.1:%1").arg(PortaLibera()), m_ui), locali);
        QVERIFY(!senzaServer.listaScaricata);
        QCOMPARE(QDir(locali).entryList(QDir::Files).size(), 4);
        QVERIFY(m_ui.messaggi.isEmpty());
    }

    // Only a matrix the program can use is stored; anything else, named like the user's own
    // matrix or like a new one, is discarded and the user's file stays.
    void scaricamentoOstile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("valida");
        const QByteArray valida = Valida();
        QTest::newRow("valida") << valida << true;
        QTest::newRow("script") << QByteArray("#!/bin/sh\nrm -rf \"$HOME\"\n") << false;
        QTest::newRow("intestazione e spazzatura") << valida.first(142) + QByteArray(1024 * 1024, '\x07') << false;
        QTest::newRow("etichetta") << Contenuto(Dati + QStringLiteral("/rotte/etichetta-errata.mspl")) << false;
        QTest::newRow("crc") << Contenuto(Dati + QStringLiteral("/rotte/crc-errato.mspl")) << false;
        QTest::newRow("k sette") << Contenuto(Dati + QStringLiteral("/rotte/k-sette.mspl")) << false;
        QTest::newRow("m sette") << Ritocca(valida, 3, 7) << false;
        QTest::newRow("posizione oltre v")
            << Contenuto(Dati + QStringLiteral("/rotte/posizione-oltre-v.mspl")) << false;
        // Column 1 is 1 2 3 4 5 6, position-major over four columns: its second number at 142 + 4.
        QTest::newRow("posizione ripetuta") << Ritocca(valida, 146, 1) << false;
        QTest::newRow("un byte in piu'") << ConCrc(valida.chopped(4) + '\x01') << false;
    }
    void scaricamentoOstile() {
        QFETCH(QByteArray, file);
        QFETCH(bool, valida);
        const QString locali = percorso(QStringLiteral("locali"));
        QVERIFY(QDir().mkpath(locali));
        const QByteArray propria = ScriviMatrice(Matrice(12, 4, 0, 30));
        QVERIFY(Scrivi(locali + QStringLiteral("/PROPRIA.mspl"), propria));
        ServerGuasto server(ServerGuasto::Guasto::Pagine);
        server.pagina(Destinazione(PaginaListaMatrici), RispostaHttp(200, "PROPRIA.DAT\r\nNUOVA.DAT\r\n"));
        for (const char* nome : {"PROPRIA.DAT", "NUOVA.DAT"})
            server.pagina(Destinazione(PaginaDownloadMatrice + QLatin1String(nome)), RispostaHttp(200, file));

        const EsitoMatrici esito = AggiornaMatrici(PagineDalServer(server.indirizzo(), m_ui), locali);
        QVERIFY(esito.listaScaricata);
        QCOMPARE(esito.scaricate, valida ? 2 : 0);
        QCOMPARE(esito.scartate, valida ? 0 : 2);
        QCOMPARE(Contenuto(locali + QStringLiteral("/PROPRIA.mspl")), valida ? file : propria);
        const QStringList attesi = valida ? QStringList{"NUOVA.mspl", "PROPRIA.mspl"} : QStringList{"PROPRIA.mspl"};
        QCOMPARE(QDir(locali).entryList(QDir::Files, QDir::Name), attesi);
        QVERIFY(m_ui.messaggi.isEmpty());
    }

    // A name travels whole in the query, whatever it holds.
    void nomiNellaRichiesta() {
        const QString locali = percorso(QStringLiteral("locali"));
        ServerGuasto server(ServerGuasto::Guasto::Pagine, RispostaHttp(200, Valida()));
        server.pagina(Destinazione(PaginaListaMatrici),
                      RispostaHttp(200, "A#B.DAT\r\nAMP&file=OTHER.DAT\r\n100%.DAT\r\n"));
        const EsitoMatrici esito = AggiornaMatrici(PagineDalServer(server.indirizzo(), m_ui), locali);
        QCOMPARE(esito.scaricate, 3);
        const QByteArray file = Destinazione(PaginaDownloadMatrice);
        QCOMPARE(server.destinazioni(), (QList<QByteArray>{Destinazione(PaginaListaMatrici), file + "A%23B.DAT",
                                                           file + "AMP%26FILE%3DOTHER.DAT", file + "100%25.DAT"}));
        QCOMPARE(QDir(locali).entryList(QDir::Files, QDir::Name),
                 (QStringList{"100%.mspl", "A#B.mspl", "AMP&FILE=OTHER.mspl"}));
    }

    // One update fetches at most 500 files and 64 MiB; what lies beyond is discarded unfetched.
    void limitiDellAggiornamento_data() {
        QTest::addColumn<int>("nomi");
        QTest::addColumn<int>("colonne");
        QTest::addColumn<int>("scaricate");
        QTest::addColumn<int>("richieste"); // the list's included
        QTest::newRow("seicento nomi") << 600 << 4 << 500 << 501;
        // 6,288,146 bytes each: ten fit, the eleventh runs out of room half-way.
        QTest::newRow("oltre 64 MiB") << 20 << 1'048'000 << 10 << 12;
    }
    void limitiDellAggiornamento() {
        QFETCH(int, nomi);
        QFETCH(int, colonne);
        QFETCH(int, scaricate);
        QFETCH(int, richieste);
        QByteArray lista;
        for (int i = 0; i < nomi; ++i)
            lista += "M" + QByteArray::number(i) + ".DAT\r\n";
        ServerGuasto server(ServerGuasto::Guasto::Pagine, RispostaHttp(200, ScriviMatrice(Matrice(10, 3, 0, colonne))));
        server.pagina(Destinazione(PaginaListaMatrici), RispostaHttp(200, lista));
        const QString locali = percorso(QStringLiteral("locali"));
        const EsitoMatrici esito = AggiornaMatrici(PagineDalServer(server.indirizzo(), m_ui), locali);
        QCOMPARE(esito.scaricate, scaricate);
        QCOMPARE(esito.scartate, nomi - scaricate);
        QCOMPARE(server.richieste(), richieste);
        QCOMPARE(QDir(locali).entryList(QDir::Files).size(), scaricate);
    }
};

QTEST_GUILESS_MAIN(TestMatrici)
#include "tst_matrici.moc"
