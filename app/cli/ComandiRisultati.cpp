#include "Comandi.h"

#include "Console.h"
#include "CorpoComando.h"
#include "ErroreUso.h"
#include "InterfacciaConsole.h"
#include "OpzioniComando.h"
#include "UscitaStandard.h"

#include <Archivio.h>
#include <CartellaIntera.h>
#include <Cartelle.h>
#include <Catalogo.h>
#include <Download.h>
#include <Errore.h>
#include <ErroriFile.h>
#include <FileIntero.h>
#include <FileSistema.h>
#include <ImportaEstrazioni.h>
#include <Sistema.h>
#include <SpoglioColonna.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <memory>
#include <optional>

namespace sestina::cli {
namespace {

// The seven boxes of the check as the user would type them: at most two digits each.
std::array<QString, 7> CaselleVincente(const QString& testo) {
    const QStringList voci = testo.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (voci.size() > 7)
        throw ErroreUso(QStringLiteral("--vincente vuole sei numeri e il Jolly"));
    std::array<QString, 7> caselle;
    static const QRegularExpression dueCifre(QStringLiteral("^[0-9]{1,2}$"));
    for (qsizetype i = 0; i < voci.size(); ++i) {
        if (!dueCifre.match(voci[i]).hasMatch())
            throw ErroreUso(QStringLiteral("--vincente: \"%1\" non e' un numero di due cifre").arg(voci[i]));
        caselle[static_cast<std::size_t>(i)] = voci[i];
    }
    return caselle;
}

bool VersioneValida(const QString& versione) {
    static const QRegularExpression forma(QStringLiteral("^[0-9]{1,9}\\.[0-9]{1,9}\\.[0-9]{1,9}$"));
    return forma.match(versione).hasMatch();
}

// The archive a publisher serves: a draw list (.txt), an archive file of the program (.dat) or the
// public CSV (.csv). Nothing is dropped: a bad draw refuses the whole file, naming it.
bool LeggiArchivioDaPubblicare(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui) {
    const QString tipo = QFileInfo(percorso).suffix().toLower();
    try {
        if (tipo != QStringLiteral("txt") && tipo != QStringLiteral("dat") && tipo != QStringLiteral("csv"))
            throw Errore::applicazione(QStringLiteral("Formato non riconosciuto: usare un file .txt, .dat o .csv"));
        QFile file(percorso);
        if (!QFileInfo(percorso).isFile() || !file.open(QIODevice::ReadOnly))
            throw ErroreDiApertura(percorso);
        const QByteArray byte = file.read(LimiteFileArchivio + 1);
        if (byte.size() > LimiteFileArchivio)
            throw Errore::applicazione(
                QStringLiteral("File troppo grande (limite %1 MiB)").arg(LimiteFileArchivio / (1024 * 1024)));
        if (tipo == QStringLiteral("dat"))
            archivio = LeggiFileArchivioRigoroso(byte);
        else if (tipo == QStringLiteral("txt"))
            archivio = LeggiListaEstrazioni(byte);
        else
            archivio = LeggiEstrazioniDaImportare(byte);
        if (!HaEstrazioni(archivio))
            throw Errore::applicazione(QStringLiteral("Il file non contiene estrazioni"));
        return true;
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("pubblica"));
        return false;
    }
}

// Writes the publication whole beside the old one, which stays until the new one can take its
// place. Empty when done, else what could not be written, named at its final place.
QString ScriviPubblicazione(const QString& cartella, const QString& versione, const ArchivioEstrazioni& archivio,
                            const QString& matrici) {
    const QDir uscita(cartella);
    QString fallito = cartella;
    const auto scrivi = [&](const QString& nuova) {
        const QDir dentro(nuova);
        fallito = uscita.filePath(QStringLiteral("ver.txt"));
        if (!ScriviFileIntero(dentro.filePath(QStringLiteral("ver.txt")), versione.toLatin1() + "\r\n"))
            return false;
        fallito = uscita.filePath(QStringLiteral("archivio.txt"));
        if (!ScriviFileIntero(dentro.filePath(QStringLiteral("archivio.txt")), ScriviListaEstrazioni(archivio)))
            return false;
        fallito = uscita.filePath(QStringLiteral("matrici"));
        if (!matrici.isEmpty() && !PubblicaMatrici(matrici, nuova))
            return false;
        fallito = cartella; // only the swap is left
        return true;
    };
    return ScriviCartellaIntera(cartella, scrivi) ? QString() : fallito;
}

struct Ambiente {
    Console console;
    InterfacciaConsole ui{console};
    QString cartellaDati = CartellaDatiPredefinita();
};

const QString ErroreDownload = QStringLiteral("Errore durante il download dell'aggiornamento");

} // namespace

int EseguiVerifica(const Argomenti& argomenti) {
    const auto testoVincente = Unico(argomenti, QStringLiteral("vincente"));
    if (!testoVincente)
        throw ErroreUso(QStringLiteral("verifica vuole --vincente \"N1 N2 N3 N4 N5 N6 J\""));
    std::array<QString, 7> caselle = CaselleVincente(*testoVincente);

    Console console;
    InterfacciaConsole ui(console);
    auto s = std::make_unique<Sistema>();
    if (!ApriFileSistema(*s, argomenti.file().front(), ui))
        return esito::FileRifiutato;
    if (const auto errore = ValidaColonnaSpoglio(caselle)) {
        ui.messaggio(errore->testo, errore->titolo, Icona::Esclamazione, Pulsanti::Ok);
        return esito::FileRifiutato;
    }
    ColonnaSpoglio vincente{};
    for (std::size_t i = 0; i < caselle.size(); ++i)
        vincente[i + 1] = static_cast<std::uint8_t>(ValoreCasella(caselle[i]));
    const EsitoSpoglio risultato = SpogliaColonne(s->colonne, ColonneValide(*s), vincente, ui);

    UscitaStandard uscita;
    const bool conColonne = argomenti.presente(QStringLiteral("colonne"));
    for (const int lista : {0, EsitoSpoglio::CinquePiuUno, 1, 2, 3, 4}) {
        const std::vector<int>& colonne = risultato.liste[static_cast<std::size_t>(lista)];
        QString riga = TitoloCategoria(lista) + QLatin1Char('\t') + QString::number(colonne.size());
        if (conColonne) {
            QStringList voci;
            voci.reserve(static_cast<qsizetype>(colonne.size()));
            for (const int c : colonne)
                voci << VoceColonna(c);
            riga += QLatin1Char('\t') + voci.join(QLatin1Char(' '));
        }
        uscita.riga(riga);
    }
    uscita.riga(TestoMaxPunti(risultato.maxPunti));
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

namespace {

const QString TitoloArchivio = QStringLiteral("Archivio Estrazioni");

int Aggiorna(Ambiente& a, ArchivioEstrazioni& archivio, const QString& fileArchivio) {
    const QString server = IndirizzoServer(PercorsoConfigurazione(a.cartellaDati));
    auto scarica = [&](const QString& percorso) { return DownloadFile(server + PaginaArchivio, percorso, true, a.ui); };
    const CartellaPrivata scratch;
    const QString fileDownload = scratch.valida() ? PercorsoDownloadArchivio(scratch.percorso()) : QString();
    switch (AggiornaArchivio(archivio, scarica, fileDownload, fileArchivio, a.ui)) {
    case EsitoAggiornamento::Aggiornato:
        return esito::Riuscito;
    case EsitoAggiornamento::SalvataggioFallito:
        return esito::Fallito;
    case EsitoAggiornamento::Incompleto:
        a.ui.messaggio(TestoAggiornamentoIncompleto, TitoloArchivio, Icona::Informazione, Pulsanti::Ok);
        return esito::DownloadFallito;
    case EsitoAggiornamento::DownloadFallito:
    case EsitoAggiornamento::ListaErrata:
        break;
    }
    a.ui.messaggio(ErroreDownload, TitoloArchivio, Icona::Critica, Pulsanti::Ok);
    return esito::DownloadFallito;
}

int RiferisciAggiunta(const EsitoAggiunta& aggiunta) {
    if (!aggiunta.riuscita)
        return esito::FileRifiutato;
    UscitaStandard uscita;
    uscita.riga(TestoEstrazioniAggiunte(aggiunta.aggiunte));
    return uscita.svuota() ? esito::Riuscito : esito::Fallito;
}

// The typed draw of "archivio aggiungi", validated as the window's dialog validates it.
std::optional<Estrazione> EstrazioneDaOpzioni(const Argomenti& argomenti, Interfaccia& ui) {
    EstrazioneDigitata d;
    d.data = Unico(argomenti, QStringLiteral("data"), {});
    d.concorso = Unico(argomenti, QStringLiteral("concorso"), {});
    const QStringList numeri = Unico(argomenti, QStringLiteral("numeri"), {})
                                   .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    d.caselle[6] = Unico(argomenti, QStringLiteral("jolly"), {});
    if (d.data.isEmpty() || d.concorso.isEmpty() || numeri.size() != 6 || d.caselle[6].isEmpty())
        throw ErroreUso(QStringLiteral("archivio aggiungi vuole --data GG/MM/AAAA --concorso N "
                                       "--numeri \"N1 N2 N3 N4 N5 N6\" --jolly J [--superstar S]"));
    static const QRegularExpression cifre(QStringLiteral("^[0-9]{1,2}$"));
    for (qsizetype i = 0; i < 6; ++i) {
        if (!cifre.match(numeri[i]).hasMatch())
            throw ErroreUso(QStringLiteral("--numeri: \"%1\" non e' un numero di due cifre").arg(numeri[i]));
        d.caselle[static_cast<std::size_t>(i)] = numeri[i];
    }
    if (!cifre.match(d.caselle[6]).hasMatch())
        throw ErroreUso(QStringLiteral("--jolly vuole un numero di due cifre"));
    d.superstar = Unico(argomenti, QStringLiteral("superstar"), {});
    Estrazione e;
    if (const auto errore = ValidaEstrazioneDigitata(d, e)) {
        ui.messaggio(errore->testo, errore->titolo, Icona::Esclamazione, Pulsanti::Ok);
        return std::nullopt;
    }
    return e;
}

} // namespace

int EseguiArchivio(const Argomenti& argomenti) {
    const QStringList& azione = argomenti.file();
    const QString nome = azione.value(0);
    const bool conFile = nome == QStringLiteral("importa");
    const bool semplice =
        nome == QStringLiteral("aggiorna") || nome == QStringLiteral("elenca") || nome == QStringLiteral("aggiungi");
    if ((conFile && azione.size() != 2) || (semplice && azione.size() != 1) || (!conFile && !semplice))
        throw ErroreUso(QStringLiteral("archivio vuole aggiorna, elenca, importa FILE oppure aggiungi"));
    if (nome != QStringLiteral("aggiungi") && !argomenti.opzioniDate().isEmpty())
        throw ErroreUso(QStringLiteral("le opzioni di archivio valgono solo per aggiungi"));

    Ambiente a;
    const QString fileArchivio = PercorsoArchivio(a.cartellaDati);
    CopiaArchivioIniziale(FileEstrazioniDistribuite(), fileArchivio);
    ArchivioEstrazioni archivio;
    if (!LoadArchivioEstrazioni(archivio, fileArchivio, a.ui))
        return esito::FileRifiutato;

    if (nome == QStringLiteral("elenca")) {
        UscitaStandard uscita;
        for (const QString& riga : RigheArchivio(archivio))
            uscita.riga(riga);
        return uscita.svuota() ? esito::Riuscito : esito::Fallito;
    }
    if (conFile)
        return RiferisciAggiunta(ImportaEstrazioni(archivio, azione[1], fileArchivio, a.ui));
    if (nome == QStringLiteral("aggiungi")) {
        const std::optional<Estrazione> nuova = EstrazioneDaOpzioni(argomenti, a.ui);
        if (!nuova)
            return esito::FileRifiutato;
        return RiferisciAggiunta(AggiungiAllArchivio(archivio, {*nuova}, fileArchivio, a.ui));
    }
    return Aggiorna(a, archivio, fileArchivio);
}

int EseguiPubblica(const Argomenti& argomenti) {
    const QString matrici = Unico(argomenti, QStringLiteral("matrici"), {});
    const QString fileArchivio = Unico(argomenti, QStringLiteral("archivio"), {});
    const QString versione = Unico(argomenti, QStringLiteral("versione"), {});
    const QString cartella = Unico(argomenti, QStringLiteral("o"), {});
    if (fileArchivio.isEmpty() || cartella.isEmpty())
        throw ErroreUso(QStringLiteral("pubblica vuole --archivio FILE, --versione X.Y.Z e -o CARTELLA"));
    if (!VersioneValida(versione))
        throw ErroreUso(QStringLiteral("--versione vuole tre numeri separati da punti, per esempio 1.0.0"));

    Console console;
    InterfacciaConsole ui(console);
    ArchivioEstrazioni archivio;
    if (!LeggiArchivioDaPubblicare(archivio, fileArchivio, ui))
        return esito::FileRifiutato;
    const QString fallito = ScriviPubblicazione(cartella, versione, archivio, matrici);
    if (!fallito.isEmpty()) {
        MostraErrore(ui, ErroreDiScrittura(fallito), QStringLiteral("pubblica"));
        return esito::Fallito;
    }
    return esito::Riuscito;
}

} // namespace sestina::cli
