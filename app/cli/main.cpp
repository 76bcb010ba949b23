#include "Comandi.h"
#include "Console.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "NomiGrezzi.h"
#include "OpzioniComando.h"
#include "RichiestaSviluppo.h"
#include "UscitaStandard.h"

#include <Errore.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace sestina::cli {
namespace {

// One command of the tool with what the parser checks before it runs.
struct Comando {
    const char* nome = nullptr;
    int (*esegui)(const Argomenti&) = nullptr;
    const char* uso = nullptr; // its lines of the usage text
    OpzioniDi opzioni{};
    // Said when the files are not as many as file says; by default "<nome> vuole un solo file" or
    // "<nome> non vuole argomenti".
    const char* motivoFile = nullptr;
    // The commands of the tool's first form share one line: the options of all of them may stand
    // anywhere on it, --help too, and one that is not this command's is refused with this reason.
    // Any other command reads only what follows its name, and an option not its own is unknown.
    const char* altrui = nullptr;
    // How many files it reads; -1 when it looks at its other arguments itself.
    int file = -1;
    // It measures and draws text, which takes the GUI application.
    bool stampa = false;
};

// Every command, in the order of the usage text.
constexpr Comando Tabella[] = {
    {.nome = "sviluppa",
     .esegui = EseguiSviluppa,
     .uso = "  sestinaplan-cli sviluppa --numeri LISTA [opzioni] [-o FILE.sec]\n",
     .opzioni = OpzioniSviluppo,
     .altrui = "sviluppa non ha --txt ne' --extrema"},
    {.nome = "apri",
     .esegui = EseguiApri,
     .uso = "  sestinaplan-cli apri FILE.sec\n",
     .altrui = "apri non ha opzioni",
     .file = 1},
    {.nome = "esporta",
     .esegui = EseguiEsporta,
     .uso = "  sestinaplan-cli esporta FILE.sec (--txt FILE.txt | --extrema FILE.ext)\n",
     .opzioni = {UnValore("txt"), UnValore("extrema")},
     .altrui = "esporta vuole solo --txt o --extrema",
     .file = 1},
    {.nome = "importa",
     .esegui = EseguiImporta,
     .uso = "  sestinaplan-cli importa FILE.txt|FILE.ext -o FILE.sec\n",
     .opzioni = {UnValore("o", "output")},
     .altrui = "importa vuole solo -o",
     .file = 1},
    {.nome = "verifica",
     .esegui = EseguiVerifica,
     .uso = "  sestinaplan-cli verifica FILE.sec --vincente \"N1 N2 N3 N4 N5 N6 J\" [--colonne]\n",
     .opzioni = {UnValore("vincente"), Interruttore("colonne")},
     .file = 1},
    {.nome = "archivio",
     .esegui = EseguiArchivio,
     .uso = "  sestinaplan-cli archivio (aggiorna | elenca | importa FILE.csv|FILE.txt)\n"
            "  sestinaplan-cli archivio aggiungi --data GG/MM/AAAA --concorso N --numeri \"N1 N2 N3 N4 N5 N6\" "
            "--jolly J [--superstar S]\n",
     .opzioni = {UnValore("data"), UnValore("concorso"), UnValore("numeri"), UnValore("jolly"), UnValore("superstar")}},
    {.nome = "pubblica",
     .esegui = EseguiPubblica,
     .uso = "  sestinaplan-cli pubblica --archivio FILE --versione X.Y.Z [--matrici CARTELLA] -o CARTELLA\n",
     .opzioni = {UnValore("matrici"), UnValore("archivio"), UnValore("versione"), UnValore("o")},
     .file = 0},
    {.nome = "matrici",
     .esegui = EseguiMatrici,
     .uso = "  sestinaplan-cli matrici (aggiorna | elenca) [--numeri V]\n",
     .opzioni = {UnValore("numeri")}},
    {.nome = "matrice",
     .esegui = EseguiMatrice,
     .uso = "  sestinaplan-cli matrice FILE.mspl\n",
     .motivoFile = "matrice vuole un solo file .mspl",
     .file = 1},
    {.nome = "matrice-genera",
     .esegui = EseguiMatriceGenera,
     .uso = "  sestinaplan-cli matrice-genera --numeri V --garanzia T [--secondi S | --lavoro N] [--seme N] -o "
            "FILE.mspl\n",
     .opzioni = {UnValore("o"), UnValore("numeri"), UnValore("garanzia"), UnValore("secondi"), UnValore("lavoro"),
                 UnValore("seme")},
     .file = 0},
    {.nome = "matrice-blocco",
     .esegui = EseguiMatriceBlocco,
     .uso = "  sestinaplan-cli matrice-blocco --numeri A --garanzia T --su P [--secondi S | --lavoro N] [--seme N]\n"
            "                                 --tabella FILE\n",
     .opzioni = {UnValore("tabella"), UnValore("numeri"), UnValore("garanzia"), UnValore("su"), UnValore("secondi"),
                 UnValore("lavoro"), UnValore("seme")},
     .file = 0},
    {.nome = "adatta",
     .esegui = EseguiAdatta,
     .uso = "  sestinaplan-cli adatta FILE.mspl --numeri LISTA [--fisse LISTA] -o OUT.sec\n",
     .opzioni = {UnValore("o"), UnValore("numeri"), UnValore("fisse")}},
    {.nome = "schedine",
     .esegui = EseguiSchedine,
     .uso = "  sestinaplan-cli schedine FILE.sec --tipo 2|5 [--da N] [--a M] [--superstar]\n"
            "                           (--pdf FILE.pdf | --stampante NOME)\n",
     .opzioni = {UnValore("tipo"), UnValore("pdf"), UnValore("stampante"), UnValore("da"), UnValore("a"),
                 Interruttore("superstar")},
     .file = 1,
     .stampa = true},
    {.nome = "taratura",
     .esegui = EseguiTaratura,
     .uso = "  sestinaplan-cli taratura --tipo 2|5 (--pdf FILE.pdf | --stampante NOME)\n",
     .opzioni = {UnValore("tipo"), UnValore("pdf"), UnValore("stampante")},
     .motivoFile = "taratura non vuole file",
     .file = 0,
     .stampa = true},
    {.nome = "tabulato",
     .esegui = EseguiTabulato,
     .uso = "  sestinaplan-cli tabulato FILE.sec [--copie N] [--senza-pronostico] [--senza-colonne] [--bianco-nero]\n"
            "                           [--superstar] (--pdf FILE.pdf | --stampante NOME)\n",
     .opzioni = {UnValore("copie"), UnValore("pdf"), UnValore("stampante"), Interruttore("senza-pronostico"),
                 Interruttore("senza-colonne"), Interruttore("bianco-nero"), Interruttore("superstar")},
     .file = 1,
     .stampa = true},
    {.nome = "impostazioni",
     .esegui = EseguiImpostazioni,
     .uso = "  sestinaplan-cli impostazioni [--costo-se EURO] [--costo-ss EURO] [--intestazione TESTO]\n"
            "                               [--stampante-tabulato NOME]\n",
     .opzioni = {UnValore("intestazione"), UnValore("costo-se"), UnValore("costo-ss"), UnValore("stampante-tabulato")},
     .file = 0},
    {.nome = "spoglio",
     .esegui = EseguiSpoglioEstrazioni,
     .uso = "  sestinaplan-cli spoglio FILE.sec [--archivio FILE.dat] [--dal DATA --al DATA]\n",
     .opzioni = {UnValore("dal"), UnValore("al"), UnValore("archivio")},
     .file = 1},
    {.nome = "statistiche",
     .esegui = EseguiStatistiche,
     .uso = "  sestinaplan-cli statistiche [--archivio FILE.dat] --csv OUT.csv\n",
     .opzioni = {UnValore("csv"), UnValore("archivio")},
     .file = 0},
    {.nome = "garanzia", .esegui = EseguiGaranzia, .uso = "  sestinaplan-cli garanzia FILE.sec\n", .file = 1},
    {.nome = "probabilita",
     .esegui = EseguiProbabilita,
     .uso = "  sestinaplan-cli probabilita FILE.sec [--premi \"P6 P51 P5 P4 P3 P2\"] [--superstar]\n",
     .opzioni = {UnValore("premi"), Interruttore("superstar")},
     .file = 1},
};

QString TestoUso() {
    QString uso = QStringLiteral("Uso:\n");
    for (const Comando& c : Tabella)
        uso += QString::fromUtf8(c.uso);
    return uso + QStringLiteral("  sestinaplan-cli --help\n"
                                "\n"
                                "sviluppa: sviluppa il sistema e scrive \"<colonne><TAB><tipo>\" e il costo.\n"
                                "  --numeri LISTA            numeri in gioco, 1-90\n"
                                "  --somma DA-A              somma dei sei numeri fra DA e A, 21-525\n"
                                "  --pari LISTA              quanti numeri pari sono ammessi, 0-6\n"
                                "  --fisse LISTA             numeri fissi, 1-90, al massimo 5 in gioco (quelli non in\n"
                                "                            gioco sono ignorati)\n"
                                "  --consecutivi LISTA       serie piu' lunga di consecutivi ammessa, 1-6\n"
                                "  --filtro NUMERI:PRESENZE  colonna filtro: i suoi numeri e quanti ne sono ammessi\n"
                                "                            (0-6); ripetibile, al massimo 2000 volte\n"
                                "  --ridotto X               sistema ridotto N-X, 1-4\n"
                                "  --superstar               colonne giocate con SuperStar (il costo usa i prezzi\n"
                                "                            delle impostazioni)\n"
                                "  -o, --output FILE.sec     salva il sistema sviluppato\n"
                                "apri: scrive \"<numeri in gioco><TAB><colonne><TAB><tipo>\", il pronostico e\n"
                                "  una riga per colonna.\n"
                                "esporta: scrive le colonne del sistema come elenco di testo o file Extrema.\n"
                                "importa: legge un elenco di colonne (.txt) o un file Extrema (.ext) e lo salva\n"
                                "  come sistema.\n"
                                "\n"
                                "LISTA: numeri e intervalli separati da virgole, per esempio 1-10,15,20.\n"
                                "Esito: 0 riuscito, 1 uso errato, 2 file non leggibile o importazione rifiutata,\n"
                                "3 limite delle colonne superato, 4 salvataggio o scrittura non riuscita,\n"
                                "5 download non riuscito.\n");
}

int UsoErrato(const QString& motivo) {
    Scrivi(stderr, (QStringLiteral("sestinaplan-cli: %1\n\n").arg(motivo) + TestoUso()).toUtf8());
    return esito::UsoErrato;
}

const Comando* Trova(const QString& nome) {
    for (const Comando& c : Tabella)
        if (nome == QLatin1String(c.nome))
            return &c;
    return nullptr;
}

bool Prende(const Comando& c, const QString& opzione) {
    return std::any_of(c.opzioni.begin(), c.opzioni.end(), [&](const Opzione& o) {
        return o.nome != nullptr &&
               (opzione == QLatin1String(o.nome) || (o.alias && opzione == QLatin1String(o.alias)));
    });
}

// The files as many as the command reads, and no option that must be given once given twice.
int Avvia(const Comando& c, const Argomenti& argomenti) {
    const QStringList& file = argomenti.file();
    if (c.file >= 0 && file.size() != c.file) {
        if (c.motivoFile != nullptr)
            throw ErroreUso(QString::fromUtf8(c.motivoFile));
        throw ErroreUso(
            (c.file == 1 ? QStringLiteral("%1 vuole un solo file") : QStringLiteral("%1 non vuole argomenti"))
                .arg(QLatin1String(c.nome)));
    }
    ControllaUnici(argomenti, c.opzioni);
    return c.esegui(argomenti);
}

// The options of the line shared by the commands of the first form, and --help.
std::vector<Opzione> OpzioniComuni() {
    std::vector<Opzione> opzioni{Opzione{"h", Valore::Nessuno, "help"}};
    for (const Comando& c : Tabella)
        if (c.altrui != nullptr)
            for (const Opzione& o : c.opzioni)
                if (o.nome != nullptr && std::none_of(opzioni.begin(), opzioni.end(), [&](const Opzione& gia) {
                        return std::strcmp(gia.nome, o.nome) == 0;
                    }))
                    opzioni.push_back(o);
    return opzioni;
}

int EseguiRigaComune(const QStringList& riga) {
    const std::vector<Opzione> opzioni = OpzioniComuni();
    Argomenti argomenti(opzioni, riga);
    if (argomenti.presente(QStringLiteral("help"))) {
        Scrivi(stdout, TestoUso().toUtf8());
        return esito::Riuscito;
    }
    if (argomenti.file().isEmpty())
        throw ErroreUso(QStringLiteral("manca il comando"));
    const QString nome = argomenti.togliComando();
    const Comando* c = Trova(nome);
    if (c == nullptr || c->altrui == nullptr)
        throw ErroreUso(QStringLiteral("comando sconosciuto: %1").arg(nome));
    for (const QString& opzione : argomenti.opzioniDate())
        if (!Prende(*c, opzione))
            throw ErroreUso(QString::fromUtf8(c->altrui));
    return Avvia(*c, argomenti);
}

int EseguiComando(const QStringList& argomentiProgramma) {
    try {
        const Comando* c = Trova(argomentiProgramma.value(1));
        if (c != nullptr && c->altrui == nullptr)
            return Avvia(*c, Argomenti(c->opzioni, argomentiProgramma.mid(2)));
        return EseguiRigaComune(argomentiProgramma.mid(1));
    } catch (const ErroreUso& e) {
        return UsoErrato(e.motivo());
    }
}

// Memory that runs out inside a command is told like any failure, never an abort.
int Esegui(const QStringList& argomentiProgramma) {
    try {
        return EseguiComando(argomentiProgramma);
    } catch (const std::bad_alloc&) {
        Console console;
        InterfacciaConsole ui(console);
        const QString comando = argomentiProgramma.value(1);
        MostraErrore(ui, Errore::comune(numeri_errore::MemoriaEsaurita), comando);
        return esito::FileRifiutato;
    }
}

bool ComandoDiStampa(int argc, char* argv[]) {
    if (argc < 2)
        return false;
    return std::any_of(std::begin(Tabella), std::end(Tabella),
                       [&](const Comando& c) { return c.stampa && std::strcmp(argv[1], c.nome) == 0; });
}

} // namespace
} // namespace sestina::cli

int main(int argc, char* argv[]) {
    // The print commands measure and draw text, which takes the GUI application; offscreen is enough.
    std::unique_ptr<QCoreApplication> app;
    if (sestina::cli::ComandoDiStampa(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("sestinaplan-cli"));
    sestina::cli::NomiGrezzi nomi(argc, argv);
    return sestina::cli::Esegui(nomi.argomenti());
}
