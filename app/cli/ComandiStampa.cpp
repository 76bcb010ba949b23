#include "Comandi.h"

#include "Console.h"
#include "CorpoComando.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"
#include "UscitaStandard.h"

#include <Cartelle.h>
#include <Configurazione.h>
#include <Corpo.h>
#include <Errore.h>
#include <ErroriFile.h>
#include <ImpostazioniStampa.h>
#include <StampaSchede.h>
#include <SuperficieQt.h>
#include <Tabulato.h>
#include <UscitaStampa.h>

#include <memory>

namespace sestina::cli {
namespace {

TipoScheda LeggiTipo(const Argomenti& argomenti) {
    const QString tipo = Unico(argomenti, QStringLiteral("tipo"), {});
    if (tipo == QStringLiteral("2"))
        return TipoScheda::DueColonne;
    if (tipo == QStringLiteral("5"))
        return TipoScheda::CinqueColonne;
    throw ErroreUso(QStringLiteral("--tipo vuole 2 o 5"));
}

// Where the job goes: a PDF file or an installed printer, never some other printer.
struct Uscita {
    QString pdf;
    QString stampante;
};

Uscita LeggiUscita(const Argomenti& argomenti) {
    Uscita u{Unico(argomenti, QStringLiteral("pdf"), {}), Unico(argomenti, QStringLiteral("stampante"), {})};
    if (u.pdf.isEmpty() == u.stampante.isEmpty())
        throw ErroreUso(QStringLiteral("serve --pdf FILE oppure --stampante NOME"));
    return u;
}

bool StampanteInstallata(const Uscita& u, Interfaccia& ui) {
    if (u.stampante.isEmpty() || SuperficieQt::StampantiInstallate().contains(u.stampante))
        return true;
    ui.messaggio(QStringLiteral("Stampante non installata"), QStringLiteral("!!! E R R O R E !!!"), Icona::Critica,
                 Pulsanti::Ok);
    return false;
}

// The job on its output; an output that refused it is told as the windows tell it (the job tells
// its own failures). Exit 4 either way.
int Esegui(const Uscita& u, const LavoroStampa& lavoro, Interfaccia& ui) {
    const EsitoUscita esito = u.pdf.isEmpty() ? StampaSuStampante(lavoro, u.stampante) : ScriviPdf(u.pdf, lavoro);
    if (esito == EsitoUscita::NonScritta && u.pdf.isEmpty())
        MostraErrore(ui, Errore::comune(numeri_errore::Stampante), QStringLiteral("StampaSuStampante"));
    else if (esito == EsitoUscita::NonScritta)
        MostraErrore(ui, ErroreDiScrittura(u.pdf), QStringLiteral("ScriviPdf"));
    return esito == EsitoUscita::Scritta ? esito::Riuscito : esito::Fallito;
}

// A print job: where it goes and, once the printer is known to be there, its System with the
// configuration; corpo is null, with the reason told, when either is missing. The SuperStar is the
// main window's box, not part of the system file: the commands take it as an option.
struct DaStampare {
    Uscita uscita;
    std::unique_ptr<Corpo> corpo;
};

DaStampare ApriDaStampare(const Argomenti& argomenti, Interfaccia& ui) {
    DaStampare stampa{LeggiUscita(argomenti), nullptr};
    if (!StampanteInstallata(stampa.uscita, ui))
        return stampa;
    stampa.corpo = CorpoConSistema(argomenti.file().front(), argomenti.presente(QStringLiteral("superstar")), ui);
    if (stampa.corpo && !LeggiConfigurazione(*stampa.corpo, ui))
        stampa.corpo.reset();
    return stampa;
}

// The saved calibration of the slip, sent to the printer the command names.
TaraturaScheda TaraturaPer(const Uscita& uscita, const QString& cartellaDati, TipoScheda tipo) {
    TaraturaScheda taratura = LeggiTaratura(cartellaDati, tipo);
    if (!uscita.stampante.isEmpty())
        taratura.stampante = uscita.stampante;
    return taratura;
}

} // namespace

int EseguiSchedine(const Argomenti& argomenti) {
    const TipoScheda tipo = LeggiTipo(argomenti);
    Console console;
    InterfacciaConsole ui(console);
    const DaStampare stampa = ApriDaStampare(argomenti, ui);
    if (!stampa.corpo)
        return esito::FileRifiutato;
    const int schede = NumeroSchede(stampa.corpo->sistema.numeroColonne, ColonnePerScheda(tipo));
    const QString da = Unico(argomenti, QStringLiteral("da"), QStringLiteral("1"));
    const QString a = Unico(argomenti, QStringLiteral("a"), QString::number(schede));
    for (const QString& campo : {da, a})
        for (const QChar c : campo)
            if (!c.isDigit() || c.unicode() > '9')
                throw ErroreUso(QStringLiteral("--da e --a vogliono numeri"));
    // Refused before anything is opened, so a refusal writes no file.
    if (!ControllaIntervallo(da, a, schede, ui))
        return esito::FileRifiutato;

    const TaraturaScheda taratura = TaraturaPer(stampa.uscita, stampa.corpo->cartellaDati, tipo);
    return Esegui(
        stampa.uscita,
        [&](SuperficieStampa& s) {
            return StampaSchede(*stampa.corpo, tipo, taratura, da, a, s, ui, nullptr) == EsitoStampa::Stampata;
        },
        ui);
}

int EseguiTaratura(const Argomenti& argomenti) {
    const TipoScheda tipo = LeggiTipo(argomenti);
    const Uscita uscita = LeggiUscita(argomenti);

    Console console;
    InterfacciaConsole ui(console);
    if (!StampanteInstallata(uscita, ui))
        return esito::FileRifiutato;
    auto corpo = CorpoDelleCartelle();
    LeggiConfigurazione(*corpo, ui);
    const TaraturaScheda taratura = TaraturaPer(uscita, corpo->cartellaDati, tipo);
    return Esegui(
        uscita,
        [&](SuperficieStampa& s) { return StampaTestTaratura(tipo, taratura, corpo->intestazioneStampa, s, ui); }, ui);
}

int EseguiTabulato(const Argomenti& argomenti) {
    OpzioniTabulato opzioni;
    opzioni.colonne = !argomenti.presente(QStringLiteral("senza-colonne"));
    opzioni.pronostico = !argomenti.presente(QStringLiteral("senza-pronostico"));
    if (const auto copie = Unico(argomenti, QStringLiteral("copie"))) {
        bool ok = false;
        opzioni.copie = copie->toInt(&ok);
        if (!ok || opzioni.copie < 1 || opzioni.copie > 20)
            throw ErroreUso(QStringLiteral("--copie vuole un numero da 1 a 20"));
    }
    Console console;
    InterfacciaConsole ui(console);
    const DaStampare stampa = ApriDaStampare(argomenti, ui);
    if (!stampa.corpo)
        return esito::FileRifiutato;
    if (!stampa.uscita.stampante.isEmpty())
        stampa.corpo->stampanteTabulato = stampa.uscita.stampante;
    if (!opzioni.colonne && !opzioni.pronostico) {
        ui.messaggio(QStringLiteral("Nessuna scelta selezionata"), QStringLiteral(" E R R O R E "), Icona::Esclamazione,
                     Pulsanti::Ok);
        return esito::FileRifiutato;
    }
    const QImage logo = LogoTabulato(!argomenti.presente(QStringLiteral("bianco-nero")));
    return Esegui(
        stampa.uscita, [&](SuperficieStampa& s) { return StampaTabulato(*stampa.corpo, opzioni, logo, s, ui); }, ui);
}

namespace {

// The settings in the order of the dialog's fields, each as the dialog shows it.
bool StampaImpostazioni(const Corpo& corpo) {
    UscitaStandard uscita;
    uscita.campi({QStringLiteral("Intestazione stampa"), corpo.intestazioneStampa});
    uscita.campi({QStringLiteral("Costo Colonna SE"), PrezzoMostrato(corpo.sistema.costoColonnaSE)});
    uscita.campi({QStringLiteral("Costo Colonna SS"), PrezzoMostrato(corpo.sistema.costoColonnaSS)});
    uscita.campi({QStringLiteral("Stampante Tabulato"), corpo.stampanteTabulato});
    return uscita.svuota();
}

QString PrezzoDaOpzione(const Argomenti& argomenti, const QString& opzione, Centesimi attuale) {
    const auto testo = Unico(argomenti, opzione);
    if (!testo)
        return PrezzoMostrato(attuale);
    if (!PrezzoDigitabile(*testo))
        throw ErroreUso(QStringLiteral("--%1 vuole un prezzo in euro di al massimo %2 caratteri, come 1,20")
                            .arg(opzione)
                            .arg(LunghezzaMassimaPrezzo));
    return *testo;
}

} // namespace

int EseguiImpostazioni(const Argomenti& argomenti) {
    const QString intestazione = Unico(argomenti, QStringLiteral("intestazione"), {});
    if (intestazione.size() > LunghezzaMassimaIntestazione)
        throw ErroreUso(
            QStringLiteral("--intestazione vuole al massimo %1 caratteri").arg(LunghezzaMassimaIntestazione));

    Console console;
    InterfacciaConsole ui(console);
    auto corpo = CorpoDelleCartelle();
    const bool letta = LeggiConfigurazione(*corpo, ui);
    if (argomenti.opzioniDate().isEmpty())
        return letta ? (StampaImpostazioni(*corpo) ? esito::Riuscito : esito::Fallito) : esito::FileRifiutato;

    // As the dialog saves: all four values, those not given as they were read.
    const ImpostazioniStampa valori{
        PrezzoDaOpzione(argomenti, QStringLiteral("costo-se"), corpo->sistema.costoColonnaSE),
        PrezzoDaOpzione(argomenti, QStringLiteral("costo-ss"), corpo->sistema.costoColonnaSS),
        argomenti.presente(QStringLiteral("intestazione"))
            ? intestazione
            : corpo->intestazioneStampa.left(LunghezzaMassimaIntestazione),
        Unico(argomenti, QStringLiteral("stampante-tabulato"), corpo->stampanteTabulato)};
    CreaCartella(corpo->cartellaDati);
    try {
        SalvaImpostazioni(corpo->fileConfigurazione, valori);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("cmdSalva_Click"), QStringLiteral("frmImpostazioni"));
        return esito::Fallito;
    }
    if (!LeggiConfigurazione(*corpo, ui))
        return esito::Fallito;
    return StampaImpostazioni(*corpo) ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
