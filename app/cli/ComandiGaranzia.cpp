#include "ComandiGaranzia.h"

#include "Console.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "ProgressoConsole.h"
#include "UscitaStandard.h"

#include <Errore.h>
#include <FileSistema.h>
#include <Garanzia.h>
#include <Sistema.h>

#include <QCommandLineParser>

#include <memory>

namespace sestina::cli {

int EseguiGaranzia(const QStringList& argomenti) {
    QCommandLineParser parser;
    if (!parser.parse(QStringList{QStringLiteral("sestinaplan-cli")} + argomenti))
        throw ErroreUso(parser.errorText());
    const QStringList file = parser.positionalArguments();
    if (file.size() != 1)
        throw ErroreUso(QStringLiteral("garanzia vuole un solo file"));

    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    try {
        if (!ApriSistema(*s, file.front(), ui))
            return esito::FileRifiutato;
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ApriSistema"));
        return esito::FileRifiutato;
    }
    ProgressoConsole progresso(console);
    const EsitoGaranzia garanzia = CalcolaGaranzia(*s, ui, progresso);
    UscitaStandard uscita;
    for (const RigaGaranzia& riga : garanzia.righe)
        uscita.riga(RigaTestoGaranzia(riga));
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

} // namespace sestina::cli
