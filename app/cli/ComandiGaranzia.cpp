#include "Comandi.h"

#include "Console.h"
#include "CorpoComando.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"
#include "ProgressoConsole.h"
#include "UscitaStandard.h"

#include <Configurazione.h>
#include <Corpo.h>
#include <Formato.h>
#include <Garanzia.h>
#include <Probabilita.h>
#include <Sistema.h>

#include <QRegularExpression>

#include <cmath>
#include <memory>
#include <optional>

namespace sestina::cli {

int EseguiGaranzia(const Argomenti& argomenti) {
    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    if (!ApriFileSistema(*s, argomenti.file().front(), ui))
        return esito::FileRifiutato;
    ProgressoConsole progresso(console);
    const EsitoGaranzia garanzia = CalcolaGaranzia(*s, ui, progresso);
    UscitaStandard uscita;
    for (const RigaGaranzia& riga : garanzia.righe)
        uscita.riga(RigaTestoGaranzia(riga));
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

namespace {

// Six prizes in euro, best category first, with a decimal point or comma.
std::array<double, 6> Premi(const QString& testo) {
    const QStringList voci = testo.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (voci.size() != 6)
        throw ErroreUso(QStringLiteral("--premi vuole sei importi: \"P6 P51 P5 P4 P3 P2\""));
    std::array<double, 6> premi{};
    for (qsizetype i = 0; i < voci.size(); ++i) {
        bool ok = false;
        const double premio = QString(voci[i]).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || premio < 0 || !std::isfinite(premio))
            throw ErroreUso(QStringLiteral("--premi: \"%1\" non e' un importo").arg(voci[i]));
        premi[static_cast<std::size_t>(i)] = premio;
    }
    return premi;
}

} // namespace

int EseguiProbabilita(const Argomenti& argomenti) {
    const QString testoPremi = Unico(argomenti, QStringLiteral("premi"), {});
    std::optional<std::array<double, 6>> premi;
    if (!testoPremi.isEmpty())
        premi = Premi(testoPremi);

    Console console;
    InterfacciaConsole ui(console);
    // The cost of the play at the configured prices, as the window has it.
    const auto corpo = CorpoConSistema(argomenti.file().front(), argomenti.presente(QStringLiteral("superstar")), ui);
    if (!corpo || (premi && !LeggiConfigurazione(*corpo, ui)))
        return esito::FileRifiutato;
    Sistema* s = &corpo->sistema;
    ProgressoConsole progresso(console);
    const qint64 colonne = s->numeroColonne;
    const ProbabilitaSistema p = CalcolaProbabilita(CalcolaGaranzia(*s, ui, progresso), colonne);
    UscitaStandard uscita;
    for (int k = 6; k >= 2; --k) {
        const qint64 estrazioni = p.estrazioniAlmeno[static_cast<std::size_t>(k)];
        const std::optional<qint64> unoSu = UnoSu(estrazioni);
        uscita.riga(QStringLiteral("Punti %1\t%2\t%3\t%4")
                        .arg(k)
                        .arg(estrazioni)
                        .arg(EstrazioniPossibili)
                        .arg(unoSu ? QStringLiteral("1 su %1").arg(*unoSu) : QStringLiteral("-")));
    }
    for (const Categoria c : TutteLeCategorie)
        uscita.riga(QStringLiteral("Colonne attese %1\t%2").arg(NomeCategoria(c), ColonneAtteseTesto(colonne, c)));
    if (premi) {
        const Centesimi costo = s->costoSistema();
        const double atteso = PremioAtteso(colonne, *premi);
        uscita.riga(QStringLiteral("Costo della giocata\t") + ImportoNelLocale(costo, false, QLocale::c()));
        uscita.riga(QStringLiteral("Premio atteso\t%1").arg(atteso, 0, 'f', 6));
        uscita.riga(
            QStringLiteral("Rendimento atteso\t%1%").arg(RendimentoAtteso(atteso, costo).value_or(0), 0, 'f', 2));
    }
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
