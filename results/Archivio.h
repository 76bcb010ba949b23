#pragma once

#include "Estrazione.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace sestina {

class Interfaccia;

// The archive file: 20-byte records, no header. Reads every record whose first number is not 0;
// a trailing partial record is dropped and a record with a number, Jolly or SuperStar outside
// 1..90 counts as empty. A missing file is created empty; an empty file leaves one empty record.
// A file over LimiteFileArchivio is refused. Failures show the common error of
// LoadArchivioEstrazioni (form frmUpdate) and return false with the archive unchanged.
inline constexpr qint64 LimiteFileArchivio = 8 * 1024 * 1024;
bool LoadArchivioEstrazioni(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// The downloaded draw list (CR LF lines, "|"-separated, 10 fields a draw, oldest first) into a
// new archive. A list that stops on a bad field (its error shown: Errata), or yields no draw
// (SenzaEstrazioni, nothing shown), is refused whole: the archive stays as it was.
enum class EsitoLista { Letta, SenzaEstrazioni, Errata };
EsitoLista LoadArchivioTMP(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// Every record, empty ones included, through QSaveFile: a failed save leaves the old file whole.
bool SaveArchivioEstrazioni(const ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// The publisher's draw list of the archive's draws, oldest first, CR LF; empty records left out.
QByteArray ScriviListaEstrazioni(const ArchivioEstrazioni& archivio);

// The lines of the archive window's list, newest first; empty records are left out.
QStringList RigheArchivio(const ArchivioEstrazioni& archivio);

// The update: scarica fetches the draw list into fileDownload; the list is read, saved over
// fileArchivio and only then put in memory, so a failure anywhere changes neither.
// DownloadFallito covers a failed download and a list without draws: the caller says so.
enum class EsitoAggiornamento { Aggiornato, DownloadFallito, ListaErrata, SalvataggioFallito };
EsitoAggiornamento AggiornaArchivio(ArchivioEstrazioni& archivio, const std::function<bool(const QString&)>& scarica,
                                    const QString& fileDownload, const QString& fileArchivio, Interfaccia& ui);

// The temporary folder's "sestinaplan_download.dat"; cartellaTemp ends with its separator.
QString PercorsoDownloadArchivio(const QString& cartellaTemp);
// cartellaDati + "/archivio/sestinaplan.dat".
QString PercorsoArchivio(const QString& cartellaDati);

} // namespace sestina
