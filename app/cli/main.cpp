#include "Comandi.h"
#include "ComandiGaranzia.h"
#include "ComandiMatrici.h"
#include "ComandiPropri.h"
#include "ComandiRisultati.h"
#include "ComandiStampa.h"
#include "ComandiStatistiche.h"
#include "Console.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "NomiGrezzi.h"
#include "RichiestaSviluppo.h"

#include <Errore.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

namespace sestina::cli {
namespace {

QString UsoComandiPropri() {
    QString uso;
    for (const ComandoProprio& c : ComandiPropri())
        uso += QString::fromUtf8(c.uso);
    return uso;
}

QString TestoUso() {
    return QStringLiteral("Uso:\n"
                          "  sestinaplan-cli sviluppa --numeri LISTA [opzioni] [-o FILE.sec]\n"
                          "  sestinaplan-cli apri FILE.sec\n"
                          "  sestinaplan-cli esporta FILE.sec (--txt FILE.txt | --extrema FILE.ext)\n"
                          "  sestinaplan-cli importa FILE.txt|FILE.ext -o FILE.sec\n"
                          "%1"
                          "  sestinaplan-cli --help\n"
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
                          "5 download non riuscito.\n")
        .arg(UsoComandiPropri());
}

void Scrivi(std::FILE* dove, const QString& testo) {
    const QByteArray byte = testo.toUtf8();
    std::fwrite(byte.constData(), 1, static_cast<std::size_t>(byte.size()), dove);
}

int UsoErrato(const QString& motivo) {
    Scrivi(stderr, QStringLiteral("sestinaplan-cli: %1\n\n").arg(motivo) + TestoUso());
    return esito::UsoErrato;
}

bool HaOpzioniColonne(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("txt")) || parser.isSet(QStringLiteral("extrema"));
}

int EseguiSviluppa(const QCommandLineParser& parser, const QStringList& argomenti) {
    if (HaOpzioniColonne(parser))
        throw ErroreUso(QStringLiteral("sviluppa non ha --txt ne' --extrema"));
    if (!argomenti.isEmpty())
        throw ErroreUso(QStringLiteral("argomento inatteso: %1").arg(argomenti.front()));
    return ComandoSviluppa(LeggiRichiestaSviluppo(parser));
}

// The single value of an option that may appear at most once.
std::optional<QString> ValoreUnico(const QCommandLineParser& parser, const QString& nome) {
    const QStringList valori = parser.values(nome);
    if (valori.size() > 1)
        throw ErroreUso(QStringLiteral("--%1 indicata piu' volte").arg(nome));
    return valori.isEmpty() ? std::nullopt : std::optional<QString>(valori.front());
}

int EseguiEsporta(const QCommandLineParser& parser, const QStringList& argomenti) {
    if (HaOpzioniSviluppo(parser))
        throw ErroreUso(QStringLiteral("esporta vuole solo --txt o --extrema"));
    if (argomenti.size() != 1)
        throw ErroreUso(QStringLiteral("esporta vuole un solo file"));
    const auto txt = ValoreUnico(parser, QStringLiteral("txt"));
    const auto extrema = ValoreUnico(parser, QStringLiteral("extrema"));
    if (txt.has_value() == extrema.has_value())
        throw ErroreUso(QStringLiteral("esporta vuole --txt oppure --extrema"));
    return txt ? ComandoEsporta(argomenti.front(), FormatoColonne::Txt, *txt)
               : ComandoEsporta(argomenti.front(), FormatoColonne::Extrema, *extrema);
}

int EseguiImporta(const QCommandLineParser& parser, const QStringList& argomenti) {
    if (HaCondizioniSviluppo(parser) || HaOpzioniColonne(parser))
        throw ErroreUso(QStringLiteral("importa vuole solo -o"));
    if (argomenti.size() != 1)
        throw ErroreUso(QStringLiteral("importa vuole un solo file"));
    const auto uscita = ValoreUnico(parser, QStringLiteral("o"));
    if (!uscita)
        throw ErroreUso(QStringLiteral("importa vuole -o FILE.sec"));
    // The kind of file is told by its extension, as the window's two import commands tell it.
    const QString estensione = QFileInfo(argomenti.front()).suffix().toLower();
    if (estensione == QStringLiteral("txt"))
        return ComandoImporta(argomenti.front(), FormatoColonne::Txt, *uscita);
    if (estensione == QStringLiteral("ext"))
        return ComandoImporta(argomenti.front(), FormatoColonne::Extrema, *uscita);
    throw ErroreUso(QStringLiteral("importa legge file .txt o .ext, non \"%1\"").arg(argomenti.front()));
}

int EseguiApri(const QCommandLineParser& parser, const QStringList& argomenti) {
    if (HaOpzioniSviluppo(parser) || HaOpzioniColonne(parser))
        throw ErroreUso(QStringLiteral("apri non ha opzioni"));
    if (argomenti.size() != 1)
        throw ErroreUso(QStringLiteral("apri vuole un solo file"));
    return ComandoApri(argomenti.front());
}

const ComandoProprio* TrovaComandoProprio(const QStringList& argomentiProgramma) {
    if (argomentiProgramma.size() < 2)
        return nullptr;
    for (const ComandoProprio& c : ComandiPropri())
        if (argomentiProgramma[1] == QString::fromLatin1(c.nome))
            return &c;
    return nullptr;
}

int EseguiComando(const QStringList& argomentiProgramma) {
    if (const ComandoProprio* proprio = TrovaComandoProprio(argomentiProgramma)) {
        try {
            return proprio->esegui(argomentiProgramma.mid(2));
        } catch (const ErroreUso& e) {
            return UsoErrato(e.motivo());
        }
    }
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({QStringLiteral("txt"), QString(), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("extrema"), QString(), QStringLiteral("FILE")});
    AggiungiOpzioniSviluppo(parser);
    if (!parser.parse(argomentiProgramma))
        return UsoErrato(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        Scrivi(stdout, TestoUso());
        return esito::Riuscito;
    }
    QStringList argomenti = parser.positionalArguments();
    if (argomenti.isEmpty())
        return UsoErrato(QStringLiteral("manca il comando"));
    const QString comando = argomenti.takeFirst();
    try {
        if (comando == QStringLiteral("sviluppa"))
            return EseguiSviluppa(parser, argomenti);
        if (comando == QStringLiteral("apri"))
            return EseguiApri(parser, argomenti);
        if (comando == QStringLiteral("esporta"))
            return EseguiEsporta(parser, argomenti);
        if (comando == QStringLiteral("importa"))
            return EseguiImporta(parser, argomenti);
        return UsoErrato(QStringLiteral("comando sconosciuto: %1").arg(comando));
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

} // namespace

const QList<ComandoProprio>& ComandiPropri() {
    static const QList<ComandoProprio> comandi = {
        {"verifica", "  sestinaplan-cli verifica FILE.sec --vincente \"N1 N2 N3 N4 N5 N6 J\" [--colonne]\n",
         EseguiVerifica},
        {"archivio",
         "  sestinaplan-cli archivio (aggiorna | elenca | importa FILE.csv|FILE.txt)\n"
         "  sestinaplan-cli archivio aggiungi --data GG/MM/AAAA --concorso N --numeri \"N1 N2 N3 N4 N5 N6\" --jolly J "
         "[--superstar S]\n",
         EseguiArchivio},
        {"pubblica", "  sestinaplan-cli pubblica --archivio FILE --versione X.Y.Z [--matrici CARTELLA] -o CARTELLA\n",
         EseguiPubblica},
        {"matrici", "  sestinaplan-cli matrici (aggiorna | elenca) [--numeri V]\n", EseguiMatrici},
        {"matrice", "  sestinaplan-cli matrice FILE.mspl\n", EseguiMatrice},
        {"matrice-genera",
         "  sestinaplan-cli matrice-genera --numeri V --garanzia T [--secondi S | --lavoro N] [--seme N] -o "
         "FILE.mspl\n",
         EseguiMatriceGenera},
        {"matrice-blocco",
         "  sestinaplan-cli matrice-blocco --numeri A --garanzia T --su P [--secondi S | --lavoro N] [--seme N]\n"
         "                                 --tabella FILE\n",
         EseguiMatriceBlocco},
        {"adatta", "  sestinaplan-cli adatta FILE.mspl --numeri LISTA [--fisse LISTA] -o OUT.sec\n", EseguiAdatta},
        {"schedine",
         "  sestinaplan-cli schedine FILE.sec --tipo 2|5 [--da N] [--a M] [--superstar]\n"
         "                           (--pdf FILE.pdf | --stampante NOME)\n",
         EseguiSchedine},
        {"taratura", "  sestinaplan-cli taratura --tipo 2|5 (--pdf FILE.pdf | --stampante NOME)\n", EseguiTaratura},
        {"tabulato",
         "  sestinaplan-cli tabulato FILE.sec [--copie N] [--senza-pronostico] [--senza-colonne] [--bianco-nero]\n"
         "                           [--superstar] (--pdf FILE.pdf | --stampante NOME)\n",
         EseguiTabulato},
        {"impostazioni",
         "  sestinaplan-cli impostazioni [--costo-se EURO] [--costo-ss EURO] [--intestazione TESTO]\n"
         "                               [--stampante-tabulato NOME]\n",
         EseguiImpostazioni},
        {"spoglio", "  sestinaplan-cli spoglio FILE.sec [--archivio FILE.dat] [--dal DATA --al DATA]\n",
         EseguiSpoglioEstrazioni},
        {"statistiche", "  sestinaplan-cli statistiche [--archivio FILE.dat] --csv OUT.csv\n", EseguiStatistiche},
        {"garanzia", "  sestinaplan-cli garanzia FILE.sec\n", EseguiGaranzia},
        {"probabilita", "  sestinaplan-cli probabilita FILE.sec [--premi \"P6 P51 P5 P4 P3 P2\"] [--superstar]\n",
         EseguiProbabilita},
    };
    return comandi;
}

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
