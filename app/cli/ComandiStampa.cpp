#include "ComandiStampa.h"

#include "Console.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"

#include <Cartelle.h>
#include <Configurazione.h>
#include <Corpo.h>
#include <Errore.h>
#include <ErroriFile.h>
#include <FileSistema.h>
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

std::unique_ptr<Corpo> CorpoDelleCartelle() {
    auto corpo = std::make_unique<Corpo>();
    corpo->cartellaDati = CartellaDatiPredefinita();
    corpo->fileConfigurazione = PercorsoConfigurazione(corpo->cartellaDati);
    return corpo;
}

// The data folder's configuration and the System of percorso; null, with the exit status in
// esitoApertura, when either cannot be read.
std::unique_ptr<Corpo> CorpoConSistema(const QString& percorso, Interfaccia& ui, int& esitoApertura) {
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
    if (!LeggiConfigurazione(*corpo, ui)) {
        esitoApertura = esito::Fallito;
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
    const auto corpo = CorpoConSistema(file.front(), ui, esitoApertura);
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
    const auto corpo = CorpoConSistema(file.front(), ui, esitoApertura);
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

} // namespace sestina::cli
