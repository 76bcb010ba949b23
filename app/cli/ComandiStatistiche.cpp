#include "Comandi.h"

#include "Console.h"
#include "CorpoComando.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"
#include "UscitaStandard.h"

#include <Archivio.h>
#include <Cartelle.h>
#include <Errore.h>
#include <ErroriFile.h>
#include <FileSistema.h>
#include <ImportaEstrazioni.h>
#include <Sistema.h>
#include <SpoglioEstrazioni.h>
#include <Statistiche.h>

#include <QFileInfo>

#include <memory>

namespace sestina::cli {
namespace {

// The archive file (or a draw list, .txt), by default the data folder's. A file that is missing is
// refused rather than created, as the window would: a command must not leave files behind.
bool LeggiArchivio(ArchivioEstrazioni& archivio, QString percorso, Interfaccia& ui) {
    if (percorso.isEmpty()) {
        percorso = PercorsoArchivio(CartellaDatiPredefinita());
        CopiaArchivioIniziale(FileEstrazioniDistribuite(), percorso);
    }
    if (!QFileInfo(percorso).isFile()) {
        MostraErrore(ui, ErroreDiApertura(percorso), QStringLiteral("LoadArchivioEstrazioni"),
                     QStringLiteral("frmUpdate"));
        return false;
    }
    bool letto = false;
    if (QFileInfo(percorso).suffix().toLower() == QStringLiteral("txt")) {
        const EsitoLista esito = LoadArchivioTMP(archivio, percorso, ui);
        if (esito == EsitoLista::Errata)
            return false;
        letto = esito == EsitoLista::Letta;
    } else {
        if (!LoadArchivioEstrazioni(archivio, percorso, ui))
            return false;
        letto = HaEstrazioni(archivio);
    }
    // Nothing to scrutinise or count: said, rather than a page of zeros.
    if (!letto)
        ui.messaggio(QStringLiteral("L'archivio non contiene estrazioni: ") + percorso,
                     QStringLiteral("Archivio Estrazioni"), Icona::Esclamazione, Pulsanti::Ok);
    return letto;
}

const QString ProceduraSpoglio = QStringLiteral("SpoglioArchivioEstrazioni");
const QString FinestraSpoglio = QStringLiteral("frmSpoglioEstrazioni");

} // namespace

int EseguiSpoglioEstrazioni(const Argomenti& argomenti) {
    const QString dal = Unico(argomenti, QStringLiteral("dal"), {});
    const QString al = Unico(argomenti, QStringLiteral("al"), {});

    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    if (!ApriFileSistema(*s, argomenti.file().front(), ui))
        return esito::FileRifiutato;
    ArchivioEstrazioni archivio;
    if (!LeggiArchivio(archivio, Unico(argomenti, QStringLiteral("archivio"), {}), ui))
        return esito::FileRifiutato;
    const QStringList date = DateEstrazioni(archivio);
    if (date.isEmpty()) // LeggiArchivio refused an archive without draws
        return esito::FileRifiutato;
    if (date.size() > LimiteDateSpoglio) {
        ui.messaggio(TestoArchivioTroppoGrande(), TitoloArchivioTroppoGrande(), Icona::Critica, Pulsanti::Ok);
        return esito::FileRifiutato;
    }

    IntervalloSpoglio intervallo;
    try {
        intervallo = TrovaIntervallo(archivio, dal.isEmpty() ? date.front() : dal, al.isEmpty() ? date.back() : al);
    } catch (const Errore& e) {
        MostraErrore(ui, e, ProceduraSpoglio, FinestraSpoglio);
        return esito::FileRifiutato;
    }
    const EsitoSpoglioEstrazioni risultato = SpogliaEstrazioni(*s, archivio, intervallo, ui);
    UscitaStandard uscita;
    for (int r = 0; r < static_cast<int>(risultato.righe.size()) + RigheFisseSpoglio; ++r)
        uscita.campi(CelleGrigliaSpoglio(archivio, risultato, r));
    for (const auto& [titolo, valore] : RiepilogoSpoglio(risultato))
        uscita.campi({titolo, valore});
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

int EseguiStatistiche(const Argomenti& argomenti) {
    const QString csv = Unico(argomenti, QStringLiteral("csv"), {});
    if (csv.isEmpty())
        throw ErroreUso(QStringLiteral("statistiche vuole --csv FILE.csv"));

    Console console;
    InterfacciaConsole ui(console);
    ArchivioEstrazioni archivio;
    if (!LeggiArchivio(archivio, Unico(argomenti, QStringLiteral("archivio"), {}), ui))
        return esito::FileRifiutato;
    const Statistiche st = CalcolaStatistiche(archivio);
    if (!ScriviFileStatistiche(csv, st.csv)) {
        MostraErrore(ui, ErroreDiScrittura(csv), QStringLiteral("refreshStat"), QStringLiteral("frmStatistiche"));
        return esito::Fallito;
    }
    UscitaStandard uscita;
    for (const TipoStatistica tipo : TutteLeStatistiche) {
        uscita.riga(TitoloStatistica(tipo));
        for (const Barra& b : BarreStatistica(st.tabelle, tipo))
            uscita.riga(b.etichetta);
    }
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
