#pragma once

#include "Estrazione.h"

#include <QString>
#include <QStringList>

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
// new archive. A list that stops on a bad field, or yields no draw, is refused whole: the archive
// stays as it was and the result is false (the error is shown for a bad field).
bool LoadArchivioTMP(ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);
// The same rules on text already in memory; no message. False when refused.
bool LeggiListaEstrazioni(ArchivioEstrazioni& archivio, const QByteArray& testo);

// Every record, empty ones included, through QSaveFile: a failed save leaves the old file whole.
bool SaveArchivioEstrazioni(const ArchivioEstrazioni& archivio, const QString& percorso, Interfaccia& ui);

// The lines of the archive window's list, newest first; empty records are left out.
QStringList RigheArchivio(const ArchivioEstrazioni& archivio);

// cartellaDati + "/archivio/sestinaplan.dat".
QString PercorsoArchivio(const QString& cartellaDati);

} // namespace sestina
