#pragma once

#include "Estrazione.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace sestina {

class Interfaccia;

// Why a draw cannot be, or an empty text when it can: six different numbers 1..90, a Jolly 1..90
// that is not one of them, a SuperStar 1..90 or 0 for none (the draws before 2006).
QString ProblemaEstrazione(const Estrazione& e);
bool EstrazioneValida(const Estrazione& e);
bool HaEstrazioni(const ArchivioEstrazioni& archivio);
// The draws of the archive, empty records left out.
qsizetype NumeroEstrazioni(const ArchivioEstrazioni& archivio);

// The archive file: 20-byte records, no header. Reads every record whose first number is not 0;
// a trailing partial record is dropped and a record that breaks the draw rules counts as empty. A missing file is
// created empty; an empty file leaves one empty record. A file over LimiteFileArchivio is refused. Failures show the
// common error of LoadArchivioEstrazioni (form frmUpdate) and return false with the archive unchanged.
inline constexpr qint64 LimiteFileArchivio = 8 * 1024 * 1024;
bool LoadArchivioEstrazioni(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// An archive file for publishing, where nothing is dropped: its size a multiple of 20, at least one
// draw, every record a valid draw or empty. Throws an application error naming the record.
ArchivioEstrazioni LeggiFileArchivioRigoroso(const QByteArray& byte);

// The downloaded draw list (CR LF lines, "|"-separated, 10 fields a draw, oldest first) into a
// new archive. Blank lines, lines of another field count and a header before the first draw are
// skipped. A list that stops on a bad field or a draw the game cannot have, or whose last line has
// no line end (cut short), is refused whole with its error shown (Errata); one that yields no draw
// (SenzaEstrazioni, nothing shown) too: the archive stays as it was.
enum class EsitoLista { Letta, SenzaEstrazioni, Errata };
EsitoLista LoadArchivioTMP(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// The archive file's bytes: every record, empty ones included.
QByteArray ByteArchivio(const ArchivioEstrazioni& archivio);
// Every record, empty ones included, through QSaveFile: a failed save leaves the old file whole.
bool SaveArchivioEstrazioni(const ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// The publisher's draw list of the archive's draws, oldest first, CR LF; empty records left out.
QByteArray ScriviListaEstrazioni(const ArchivioEstrazioni& archivio);

// The lines of the archive window's list, newest first; empty records are left out.
QStringList RigheArchivio(const ArchivioEstrazioni& archivio);

// The list's draws; throws an application error "Riga n: ..." on a bad line. With UltimaRiga::Troncata,
// a last line without its line end is such an error (a download cut short).
enum class UltimaRiga { Troncata, Ammessa };
ArchivioEstrazioni LeggiListaEstrazioni(const QByteArray& testo, UltimaRiga ultima = UltimaRiga::Troncata);

// The update: scarica fetches the draw list into fileDownload; the list is read, saved over
// fileArchivio and only then put in memory, so a failure anywhere changes neither.
// DownloadFallito covers a failed download and a list without draws: the caller says so.
// Incompleto: the archive held draws and the list lacks its newest date or has fewer draws.
enum class EsitoAggiornamento { Aggiornato, DownloadFallito, ListaErrata, SalvataggioFallito, Incompleto };
inline const QString TestoAggiornamentoIncompleto =
    QStringLiteral("L'aggiornamento ricevuto è incompleto: l'archivio non è stato modificato");
// Whether a new list may replace the archive: it keeps the newest archived date and as many draws.
bool ListaCompleta(const ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuova);
EsitoAggiornamento AggiornaArchivio(ArchivioEstrazioni& archivio, const std::function<bool(const QString&)>& scarica,
                                    const QString& fileDownload, const QString& fileArchivio, Interfaccia& ui);

// The temporary folder's "sestinaplan_download.dat"; cartellaTemp ends with its separator.
QString PercorsoDownloadArchivio(const QString& cartellaTemp);
// The date without the blanks that pad it to 10 characters.
QString SenzaRiempimento(QString data);
// cartellaDati + "/archivio/sestinaplan.dat".
QString PercorsoArchivio(const QString& cartellaDati);

} // namespace sestina
