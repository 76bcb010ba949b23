#include "Comandi.h"

#include "Console.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "ListaNumeri.h"
#include "OpzioniComando.h"
#include "UscitaStandard.h"

#include <Adattamento.h>
#include <Cartelle.h>
#include <Catalogo.h>
#include <Corpo.h>
#include <Download.h>
#include <Errore.h>
#include <FileIntero.h>
#include <FileMatrice.h>
#include <FileSistema.h>
#include <GeneraMatrice.h>
#include <Sistema.h>
#include <Spezzamento.h>
#include <StatoSistema.h>

#include <QDate>
#include <QElapsedTimer>

#include <algorithm>
#include <deque>

namespace sestina::cli {
namespace {

// The prompts of the adaptation answered from the command line: the fixed numbers in the order
// given, then the proposals (the Prediction's order); the confirmation is accepted.
class RisposteAdattamento final : public Interfaccia {
public:
    RisposteAdattamento(Interfaccia& console, const std::vector<int>& fisse)
        : m_console(console), m_fisse(fisse.begin(), fisse.end()) {}

    Risposta messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) override {
        if (pulsanti == Pulsanti::OkAnnulla)
            return Risposta::Ok;
        return m_console.messaggio(testo, titolo, icona, pulsanti);
    }
    std::optional<QString> chiedi(const QString&, const QString&, const QString& proposta) override {
        if (m_fisse.empty())
            return proposta;
        const int n = m_fisse.front();
        m_fisse.pop_front();
        return QString::number(n);
    }
    void beep() override {}
    void occupato(bool) override {}
    void elaboraEventi() override {}

private:
    Interfaccia& m_console;
    std::deque<int> m_fisse;
};

void ImpostaPronostico(Sistema& s, const std::vector<int>& numeri) {
    for (const int n : numeri)
        s.GrigliaNumeriClick(n - 1);
    for (std::size_t i = 0; i < numeri.size(); ++i)
        s.pronostico[i] = static_cast<std::uint8_t>(numeri[i]);
}

// The search's progress on one rewritten line of standard error.
class ProgressoRicerca final : public OsservatoreOttimizzazione {
public:
    explicit ProgressoRicerca(Console& console) : m_console(console) {}
    void progresso(int colonne, std::uint64_t costo) override {
        m_console.progresso(QStringLiteral("Colonne %1, sestine scoperte %2").arg(colonne).arg(costo));
    }
    bool annullato() override { return false; }

private:
    Console& m_console;
};

// The whole number of an option given once, within minimo..massimo; the option is there.
int InteroDi(const Argomenti& argomenti, const char* nome, int minimo, int massimo) {
    const QString opzione = QString::fromLatin1(nome);
    return LeggiIntero(Unico(argomenti, opzione, {}), minimo, massimo, QStringLiteral("--") + opzione);
}

// --numeri V and --garanzia T of the two searches.
RichiestaOttimizzazione RichiestaRicerca(const Argomenti& argomenti) {
    RichiestaOttimizzazione richiesta;
    richiesta.v = InteroDi(argomenti, "numeri", VMinimoDisegno, VMassimoDisegno);
    richiesta.t = InteroDi(argomenti, "garanzia", 2, 5);
    return richiesta;
}

// --secondi S or --lavoro N: the clock or a fixed work, one or the other, or a reproducible run would
// depend on the machine.
void LeggiBilancio(const Argomenti& argomenti, RichiestaOttimizzazione& richiesta) {
    if (argomenti.presente(QStringLiteral("secondi")) && argomenti.presente(QStringLiteral("lavoro")))
        throw ErroreUso(QStringLiteral("vuole --secondi oppure --lavoro, non entrambi"));
    if (argomenti.presente(QStringLiteral("secondi")))
        richiesta.secondi = InteroDi(argomenti, "secondi", 0, 86'400);
    if (argomenti.presente(QStringLiteral("lavoro")))
        richiesta.lavoro = InteroDi(argomenti, "lavoro", 1, 86'400);
    if (argomenti.presente(QStringLiteral("seme")))
        richiesta.seme = static_cast<std::uint64_t>(InteroDi(argomenti, "seme", 0, 2'000'000'000));
}

// The text table of building blocks: a few hundred kilobytes at most.
constexpr qint64 LimiteTabellaBlocchi = 16 * 1024 * 1024;

} // namespace

int EseguiMatriceGenera(const Argomenti& argomenti) {
    const QString uscita = Unico(argomenti, QStringLiteral("o"), {});
    if (uscita.isEmpty() || !argomenti.presente(QStringLiteral("numeri")) ||
        !argomenti.presente(QStringLiteral("garanzia")))
        throw ErroreUso(QStringLiteral("matrice-genera vuole --numeri V, --garanzia T e -o FILE.mspl"));
    RichiestaOttimizzazione richiesta = RichiestaRicerca(argomenti);
    if (richiesta.v > VMassimoPerGaranzia(richiesta.t))
        throw ErroreUso(QStringLiteral("--numeri: con garanzia %1 se 6 al massimo %2 numeri (la verifica di ogni "
                                       "sestina richiederebbe troppo tempo)")
                            .arg(richiesta.t)
                            .arg(VMassimoPerGaranzia(richiesta.t)));
    LeggiBilancio(argomenti, richiesta);

    Console console;
    InterfacciaConsole ui(console);
    ProgressoRicerca progresso(console);
    QElapsedTimer orologio;
    orologio.start();
    const std::optional<MATRIX_STRUCTURE> matrice = GeneraMatrice(richiesta, progresso, QDate::currentDate());
    console.chiudiProgresso();
    if (!matrice) {
        console.messaggio(QStringLiteral("Nessuna matrice trovata"));
        return esito::FileRifiutato;
    }
    if (!SalvaMatrice(*matrice, uscita)) {
        console.messaggio(QStringLiteral("Impossibile scrivere ") + uscita);
        return esito::Fallito;
    }
    UscitaStandard righe;
    righe.riga(QStringLiteral("%1\t%2")
                   .arg(matrice->intestazione.COLUMNS_OF_MATRIX_C)
                   .arg(orologio.elapsed() / 1000.0, 0, 'f', 1));
    return righe.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiMatriceBlocco(const Argomenti& argomenti) {
    const QString tabella = Unico(argomenti, QStringLiteral("tabella"), {});
    if (tabella.isEmpty() || !argomenti.presente(QStringLiteral("numeri")) ||
        !argomenti.presente(QStringLiteral("garanzia")) || !argomenti.presente(QStringLiteral("su")))
        throw ErroreUso(QStringLiteral("matrice-blocco vuole --numeri A, --garanzia T, --su P e --tabella FILE"));
    RichiestaOttimizzazione richiesta = RichiestaRicerca(argomenti);
    richiesta.p = InteroDi(argomenti, "su", richiesta.t, 6);
    LeggiBilancio(argomenti, richiesta);

    // The table is read whole before the search, so a broken file is known before the wait.
    const QByteArray testo = LeggiOCreaFile(tabella, LimiteTabellaBlocchi);
    std::vector<DisegnoBase> disegni = LeggiTabellaBlocchi(testo);
    Console console;
    ProgressoRicerca progresso(console);
    QElapsedTimer orologio;
    orologio.start();
    DisegnoBase trovato{richiesta.v, richiesta.p, richiesta.t, OttimizzaMatrice(richiesta, progresso)};
    console.chiudiProgresso();
    if (trovato.colonne.empty() || !VerificaGaranzia(trovato.v, trovato.p, trovato.t, trovato.colonne)) {
        console.messaggio(QStringLiteral("Nessun disegno trovato"));
        return esito::FileRifiutato;
    }
    const std::size_t colonne = trovato.colonne.size();
    const bool nuovo = InserisciBlocco(disegni, std::move(trovato));
    if (nuovo && !ScriviFileIntero(tabella, ScriviTabellaBlocchi(disegni))) {
        console.messaggio(QStringLiteral("Impossibile scrivere ") + tabella);
        return esito::Fallito;
    }
    UscitaStandard righe;
    righe.riga(QStringLiteral("%1\t%2\t%3")
                   .arg(colonne)
                   .arg(orologio.elapsed() / 1000.0, 0, 'f', 1)
                   .arg(nuovo ? QStringLiteral("nuovo") : QStringLiteral("tenuto")));
    return righe.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiMatrici(const Argomenti& argomenti) {
    const QStringList& azione = argomenti.file();
    if (azione.size() != 1 ||
        (azione.front() != QStringLiteral("aggiorna") && azione.front() != QStringLiteral("elenca")))
        throw ErroreUso(QStringLiteral("matrici vuole aggiorna oppure elenca"));
    // 0 lists every matrix, as the window's full list does.
    const int numeri = argomenti.presente(QStringLiteral("numeri")) ? InteroDi(argomenti, "numeri", 1, NumeriGioco) : 0;
    Console console;
    InterfacciaConsole ui(console);
    const QString cartellaDati = CartellaDatiPredefinita();
    const QString cartella = CartellaMatrici(cartellaDati);
    if (azione.front() == QStringLiteral("aggiorna")) {
        const QString server = IndirizzoServer(PercorsoConfigurazione(cartellaDati));
        const EsitoMatrici risultato = AggiornaMatrici(PagineDalServer(server, ui), cartella);
        if (!risultato.listaScaricata) {
            ui.messaggio(QStringLiteral("Errore durante il download dell'aggiornamento"), QStringLiteral("Matrici"),
                         Icona::Critica, Pulsanti::Ok);
            return esito::DownloadFallito;
        }
        console.messaggio(TestoEsitoMatrici(risultato));
    }
    UscitaStandard uscita;
    for (const VoceCatalogo& voce : CatalogoDellaCartella(cartella, numeri))
        if (!voce.nomeFile.isEmpty())
            uscita.campi({RigaCatalogo(voce), voce.nomeFile});
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiMatrice(const Argomenti& argomenti) {
    Console console;
    InterfacciaConsole ui(console);
    VoceCatalogo voce;
    try {
        voce = VoceFileMatrice(argomenti.file().front());
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("LeggiIntestazioneMatrice"));
        return esito::FileRifiutato;
    }
    UscitaStandard uscita;
    for (const auto& [campo, valore] : CampiIntestazione(voce.intestazione))
        uscita.campi({campo, valore});
    uscita.campi({QStringLiteral("versioneValida"), voce.versioneValida ? QStringLiteral("1") : QStringLiteral("0")});
    uscita.campi({QStringLiteral("crcValido"), voce.crcValido ? QStringLiteral("1") : QStringLiteral("0")});
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiAdatta(const Argomenti& argomenti) {
    const QStringList& file = argomenti.file();
    const QString uscitaSistema = Unico(argomenti, QStringLiteral("o"), {});
    if (file.size() != 1 || uscitaSistema.isEmpty() || !argomenti.presente(QStringLiteral("numeri")))
        throw ErroreUso(QStringLiteral("adatta vuole FILE.mspl, --numeri LISTA e -o OUT.sec"));
    const std::vector<int> numeri =
        LeggiListaInOrdine(Unico(argomenti, QStringLiteral("numeri"), {}), 1, NumeriGioco, QStringLiteral("--numeri"));
    const std::vector<int> fisse =
        LeggiListaInOrdine(Unico(argomenti, QStringLiteral("fisse"), {}), 1, NumeriGioco, QStringLiteral("--fisse"));
    for (const int n : fisse)
        if (std::find(numeri.begin(), numeri.end(), n) == numeri.end())
            throw ErroreUso(QStringLiteral("--fisse: %1 non e' tra i numeri").arg(n));

    Console console;
    InterfacciaConsole ui(console);
    QByteArray byte;
    QString rifiuto;
    try {
        byte = LeggiFileLimitato(file.front(), DimensioneMassimaMatrice);
    } catch (const Errore& e) {
        rifiuto = e.descrizione();
    }
    const MATRIX_HEADER h = IntestazioneDaByte(byte);
    if (rifiuto.isEmpty())
        rifiuto = DifettoMatrice(byte);
    if (rifiuto.isEmpty() && h.VERSION_TAG != EtichettaVersioneMatrice)
        rifiuto = QStringLiteral("Versione non valida");
    if (rifiuto.isEmpty() && !CrcMatriceValido(byte))
        rifiuto = QStringLiteral("Matrice Corrotta");
    if (rifiuto.isEmpty() && static_cast<std::size_t>(h.NUMBERS_OF_MATRIX_V) != numeri.size())
        rifiuto = QStringLiteral("La matrice vuole %1 numeri").arg(h.NUMBERS_OF_MATRIX_V);
    if (rifiuto.isEmpty() && fisse.size() > h.FIXED_NUMBERS_OF_MATRIX_F)
        rifiuto = QStringLiteral("La matrice ha %1 fisse").arg(h.FIXED_NUMBERS_OF_MATRIX_F);
    if (!rifiuto.isEmpty()) {
        console.messaggio(rifiuto);
        return esito::FileRifiutato;
    }
    const std::optional<MATRIX_STRUCTURE> matrice = LeggiMatrice(file.front());
    if (!matrice)
        return esito::FileRifiutato;

    auto corpo = std::make_unique<Corpo>();
    Sistema& s = corpo->sistema;
    ImpostaPronostico(s, numeri);
    RisposteAdattamento risposte(ui, fisse);
    if (!AdattaVoce(s, *matrice, risposte))
        return esito::LimiteSuperato;
    SegnaSviluppato(s);
    if (!SalvaFile(s, uscitaSistema, ui))
        return esito::Fallito;
    UscitaStandard uscita;
    uscita.campi({QString::number(s.numeroColonne), s.tipoSistema});
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
