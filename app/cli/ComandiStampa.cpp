#include "ComandiStampa.h"

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
#include <FileSistema.h>
#include <ImpostazioniStampa.h>
#include <StampaSchede.h>
#include <SuperficieQt.h>
#include <Tabulato.h>
#include <UscitaStampa.h>

#include <QCommandLineParser>

#include <cstring>
#include <memory>

namespace sestina::cli {
namespace {

TipoScheda LeggiTipo(const QCommandLineParser& parser) {
    const QString tipo = Unico(parser, QStringLiteral("tipo"));
    if (tipo == QStringLiteral("2"))
        return TipoScheda::DueColonne;
    if (tipo == QStringLiteral("5"))
        return TipoScheda::CinqueColonne;
    throw ErroreUso(QStringLiteral("--tipo vuole 2 o 5"));
}

void AggiungiUscita(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("pdf"), QString(), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("stampante"), QString(), QStringLiteral("NOME")});
}

// Where the job goes: a PDF file or an installed printer, never some other printer.
struct Uscita {
    QString pdf;
    QString stampante;
};

Uscita LeggiUscita(const QCommandLineParser& parser) {
    Uscita u{Unico(parser, QStringLiteral("pdf")), Unico(parser, QStringLiteral("stampante"))};
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

// The SuperStar is the main window's box, not part of the system file: the commands take it as an option.
void AggiungiSuperStar(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("superstar"), QString()});
}

// The data folder's configuration and the System of percorso, played with the SuperStar or not
// (its boxes and its price); null, with the exit status in esitoApertura, when either cannot be read.
std::unique_ptr<Corpo> CorpoConSistema(const QString& percorso, bool superStar, Interfaccia& ui, int& esitoApertura) {
    auto corpo = CorpoDelleCartelle();
    try {
        if (!ApriSistema(corpo->sistema, percorso, ui)) {
            esitoApertura = esito::FileRifiutato;
            return nullptr;
        }
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ApriSistema"));
        esitoApertura = esito::FileRifiutato;
        return nullptr;
    }
    corpo->sistema.superStar = superStar ? Vero : Falso;
    if (!LeggiConfigurazione(*corpo, ui)) {
        esitoApertura = esito::FileRifiutato;
        return nullptr;
    }
    return corpo;
}

} // namespace

bool ComandoDiStampa(int argc, char* argv[]) {
    if (argc < 2)
        return false;
    for (const char* nome : {"schedine", "taratura", "tabulato"})
        if (std::strcmp(argv[1], nome) == 0)
            return true;
    return false;
}

int EseguiSchedine(const QStringList& argomenti) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("tipo"), QString(), QStringLiteral("2|5")});
    parser.addOption({QStringLiteral("da"), QString(), QStringLiteral("N")});
    parser.addOption({QStringLiteral("a"), QString(), QStringLiteral("M")});
    AggiungiSuperStar(parser);
    AggiungiUscita(parser);
    const QStringList file = Analizza(parser, argomenti);
    if (file.size() != 1)
        throw ErroreUso(QStringLiteral("schedine vuole un solo file"));
    const TipoScheda tipo = LeggiTipo(parser);
    const Uscita uscita = LeggiUscita(parser);

    Console console;
    InterfacciaConsole ui(console);
    if (!StampanteInstallata(uscita, ui))
        return esito::FileRifiutato;
    int esitoApertura = esito::Riuscito;
    const auto corpo = CorpoConSistema(file.front(), parser.isSet(QStringLiteral("superstar")), ui, esitoApertura);
    if (!corpo)
        return esitoApertura;
    const int schede = NumeroSchede(corpo->sistema.numeroColonne, ColonnePerScheda(tipo));
    const QString da = parser.isSet(QStringLiteral("da")) ? Unico(parser, QStringLiteral("da")) : QStringLiteral("1");
    const QString a = parser.isSet(QStringLiteral("a")) ? Unico(parser, QStringLiteral("a")) : QString::number(schede);
    for (const QString& campo : {da, a})
        for (const QChar c : campo)
            if (!c.isDigit() || c.unicode() > '9')
                throw ErroreUso(QStringLiteral("--da e --a vogliono numeri"));
    // Refused before anything is opened, so a refusal writes no file.
    if (!ControllaIntervallo(da, a, schede, ui))
        return esito::FileRifiutato;

    TaraturaScheda taratura = LeggiTaratura(corpo->cartellaDati, tipo);
    if (!uscita.stampante.isEmpty())
        taratura.stampante = uscita.stampante;
    return Esegui(
        uscita,
        [&](SuperficieStampa& s) {
            return StampaSchede(*corpo, tipo, taratura, da, a, s, ui, nullptr) == EsitoStampa::Stampata;
        },
        ui);
}

int EseguiTaratura(const QStringList& argomenti) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("tipo"), QString(), QStringLiteral("2|5")});
    AggiungiUscita(parser);
    if (!Analizza(parser, argomenti).isEmpty())
        throw ErroreUso(QStringLiteral("taratura non vuole file"));
    const TipoScheda tipo = LeggiTipo(parser);
    const Uscita uscita = LeggiUscita(parser);

    Console console;
    InterfacciaConsole ui(console);
    if (!StampanteInstallata(uscita, ui))
        return esito::FileRifiutato;
    auto corpo = CorpoDelleCartelle();
    LeggiConfigurazione(*corpo, ui);
    TaraturaScheda taratura = LeggiTaratura(corpo->cartellaDati, tipo);
    if (!uscita.stampante.isEmpty())
        taratura.stampante = uscita.stampante;
    return Esegui(
        uscita,
        [&](SuperficieStampa& s) { return StampaTestTaratura(tipo, taratura, corpo->intestazioneStampa, s, ui); }, ui);
}

int EseguiTabulato(const QStringList& argomenti) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("copie"), QString(), QStringLiteral("N")});
    parser.addOption({QStringLiteral("senza-pronostico"), QString()});
    parser.addOption({QStringLiteral("senza-colonne"), QString()});
    parser.addOption({QStringLiteral("bianco-nero"), QString()});
    AggiungiSuperStar(parser);
    AggiungiUscita(parser);
    const QStringList file = Analizza(parser, argomenti);
    if (file.size() != 1)
        throw ErroreUso(QStringLiteral("tabulato vuole un solo file"));
    OpzioniTabulato opzioni;
    opzioni.colonne = !parser.isSet(QStringLiteral("senza-colonne"));
    opzioni.pronostico = !parser.isSet(QStringLiteral("senza-pronostico"));
    if (parser.isSet(QStringLiteral("copie"))) {
        bool ok = false;
        opzioni.copie = Unico(parser, QStringLiteral("copie")).toInt(&ok);
        if (!ok || opzioni.copie < 1 || opzioni.copie > 20)
            throw ErroreUso(QStringLiteral("--copie vuole un numero da 1 a 20"));
    }
    const Uscita uscita = LeggiUscita(parser);

    Console console;
    InterfacciaConsole ui(console);
    if (!StampanteInstallata(uscita, ui))
        return esito::FileRifiutato;
    int esitoApertura = esito::Riuscito;
    const auto corpo = CorpoConSistema(file.front(), parser.isSet(QStringLiteral("superstar")), ui, esitoApertura);
    if (!corpo)
        return esitoApertura;
    if (!uscita.stampante.isEmpty())
        corpo->stampanteTabulato = uscita.stampante;
    if (!opzioni.colonne && !opzioni.pronostico) {
        ui.messaggio(QStringLiteral("Nessuna scelta selezionata"), QStringLiteral(" E R R O R E "), Icona::Esclamazione,
                     Pulsanti::Ok);
        return esito::FileRifiutato;
    }
    const QImage logo = LogoTabulato(!parser.isSet(QStringLiteral("bianco-nero")));
    return Esegui(
        uscita, [&](SuperficieStampa& s) { return StampaTabulato(*corpo, opzioni, logo, s, ui); }, ui);
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

QString PrezzoDaOpzione(const QCommandLineParser& parser, const QString& opzione, Centesimi attuale) {
    if (!parser.isSet(opzione))
        return PrezzoMostrato(attuale);
    QString testo = Unico(parser, opzione);
    if (!PrezzoDigitabile(testo))
        throw ErroreUso(QStringLiteral("--%1 vuole un prezzo in euro di al massimo %2 caratteri, come 1,20")
                            .arg(opzione)
                            .arg(LunghezzaMassimaPrezzo));
    return testo;
}

} // namespace

int EseguiImpostazioni(const QStringList& argomenti) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("costo-se"), QString(), QStringLiteral("EURO")});
    parser.addOption({QStringLiteral("costo-ss"), QString(), QStringLiteral("EURO")});
    parser.addOption({QStringLiteral("intestazione"), QString(), QStringLiteral("TESTO")});
    parser.addOption({QStringLiteral("stampante-tabulato"), QString(), QStringLiteral("NOME")});
    if (!Analizza(parser, argomenti).isEmpty())
        throw ErroreUso(QStringLiteral("impostazioni non vuole argomenti"));
    const QString intestazione = Unico(parser, QStringLiteral("intestazione"));
    if (intestazione.size() > LunghezzaMassimaIntestazione)
        throw ErroreUso(
            QStringLiteral("--intestazione vuole al massimo %1 caratteri").arg(LunghezzaMassimaIntestazione));

    Console console;
    InterfacciaConsole ui(console);
    auto corpo = CorpoDelleCartelle();
    const bool letta = LeggiConfigurazione(*corpo, ui);
    if (parser.optionNames().isEmpty())
        return letta ? (StampaImpostazioni(*corpo) ? esito::Riuscito : esito::Fallito) : esito::FileRifiutato;

    // As the dialog saves: all four values, those not given as they were read.
    const ImpostazioniStampa valori{
        PrezzoDaOpzione(parser, QStringLiteral("costo-se"), corpo->sistema.costoColonnaSE),
        PrezzoDaOpzione(parser, QStringLiteral("costo-ss"), corpo->sistema.costoColonnaSS),
        parser.isSet(QStringLiteral("intestazione")) ? intestazione
                                                     : corpo->intestazioneStampa.left(LunghezzaMassimaIntestazione),
        parser.isSet(QStringLiteral("stampante-tabulato")) ? Unico(parser, QStringLiteral("stampante-tabulato"))
                                                           : corpo->stampanteTabulato};
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
