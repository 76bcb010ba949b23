#include "Comandi.h"

#include "Console.h"
#include "CorpoComando.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"
#include "ProgressoConsole.h"
#include "RichiestaSviluppo.h"
#include "UscitaStandard.h"

#include <QFileInfo>

#include <ColonneTxt.h>
#include <Configurazione.h>
#include <Corpo.h>
#include <Errore.h>
#include <Extrema.h>
#include <FileSistema.h>
#include <Formato.h>
#include <Interfaccia.h>
#include <RegoleEditori.h>
#include <Sistema.h>
#include <Sviluppo.h>

#include <algorithm>
#include <memory>

namespace sestina::cli {
namespace {

bool Sviluppa(Sistema& s, InterfacciaConsole& ui, Console& console) {
    ProgressoConsole progresso(console);
    try {
        Elabora(s, ui, progresso);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("Elabora"));
        return false;
    }
    console.chiudiProgresso();
    return true;
}

bool Salva(Sistema& s, const QString& percorso, InterfacciaConsole& ui) {
    s.fileSistema = QFileInfo(percorso).absoluteFilePath();
    try {
        return SalvaFile(s, s.fileSistema, ui);
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("SalvaFile"));
        return false;
    }
}

QString RigaPronostico(const Sistema& s) {
    QStringList numeri;
    for (int k = 0; k < s.numeriInGioco; ++k)
        numeri.append(DueCifre(s.pronostico[static_cast<std::size_t>(k)]));
    return numeri.join(QLatin1Char(' '));
}

bool StampaSistema(const Sistema& s) {
    UscitaStandard uscita;
    uscita.campi({QString::number(s.numeriInGioco), QString::number(s.numeroColonne), s.tipoSistema});
    uscita.riga(RigaPronostico(s));
    // Never past the store, whatever a damaged file claimed.
    const int colonne = ColonneValide(s);
    for (int i = 1; i <= colonne; ++i)
        uscita.rigaColonna(s.colonne.colonna(i));
    return uscita.svuota();
}

} // namespace

int EseguiSviluppa(const Argomenti& argomenti) {
    if (!argomenti.file().isEmpty())
        throw ErroreUso(QStringLiteral("argomento inatteso: %1").arg(argomenti.file().front()));
    const RichiestaSviluppo richiesta = LeggiRichiestaSviluppo(argomenti);
    Console console;
    InterfacciaConsole ui(console);
    const auto corpo = CorpoDelleCartelle();
    Sistema& s = corpo->sistema;
    ApplicaRichiesta(s, richiesta);
    if (!FissiEntroIlLimite(s)) {
        ui.messaggio(TestoMassimoFissi(), TitoloApplicazione, Icona::Esclamazione, Pulsanti::Ok);
        return esito::UsoErrato;
    }
    // The prices of the configuration, as the window has them; SuperStar chosen above.
    if (!LeggiConfigurazione(*corpo, ui))
        return esito::FileRifiutato;
    if (!Sviluppa(s, ui, console))
        return esito::Fallito;
    // Nothing else cancels here: a cancelled development stopped at the column limit.
    if (s.sviluppoAnnullato)
        return esito::LimiteSuperato;
    if (!richiesta.fileUscita.isEmpty() && !Salva(s, richiesta.fileUscita, ui))
        return esito::Fallito;
    UscitaStandard uscita;
    uscita.campi({QString::number(s.numeroColonne), s.tipoSistema});
    uscita.riga(FormattaEuro(s.costoSistema()));
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiApri(const Argomenti& argomenti) {
    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    if (!ApriFileSistema(*s, argomenti.file().front(), ui))
        return esito::FileRifiutato;
    return StampaSistema(*s) ? esito::Riuscito : esito::Fallito;
}

int EseguiEsporta(const Argomenti& argomenti) {
    const auto txt = Unico(argomenti, QStringLiteral("txt"));
    const auto extrema = Unico(argomenti, QStringLiteral("extrema"));
    if (txt.has_value() == extrema.has_value())
        throw ErroreUso(QStringLiteral("esporta vuole --txt oppure --extrema"));
    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    if (!ApriFileSistema(*s, argomenti.file().front(), ui))
        return esito::FileRifiutato;
    if (extrema) {
        s->fileSistema = QFileInfo(*extrema).absoluteFilePath(); // as the window's save dialog does
        return SalvaExtrema(*s, s->fileSistema, ui) ? esito::Riuscito : esito::Fallito;
    }
    if (!EsportaColonneTxt(*s, *txt, ui))
        return esito::Fallito;
    ui.messaggio(QStringLiteral("File ") + s->nomeSistema + QStringLiteral(" esportato"), TitoloApplicazione,
                 Icona::Informazione, Pulsanti::Ok);
    return esito::Riuscito;
}

int EseguiImporta(const Argomenti& argomenti) {
    const auto fileSistema = Unico(argomenti, QStringLiteral("o"));
    if (!fileSistema)
        throw ErroreUso(QStringLiteral("importa vuole -o FILE.sec"));
    // The kind of file is told by its extension, as the window's two import commands tell it.
    const QString percorso = argomenti.file().front();
    const QString estensione = QFileInfo(percorso).suffix().toLower();
    if (estensione != QStringLiteral("txt") && estensione != QStringLiteral("ext"))
        throw ErroreUso(QStringLiteral("importa legge file .txt o .ext, non \"%1\"").arg(percorso));
    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    const bool importato =
        estensione == QStringLiteral("txt") ? ImportaColonneTxt(*s, percorso, ui) : ImportaExtrema(*s, percorso, ui);
    if (!importato)
        return esito::FileRifiutato;
    return Salva(*s, *fileSistema, ui) ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
