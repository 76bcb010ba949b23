#pragma once

#include <QString>

namespace sestina {

// The platform's generic data location + "/Sestinaplan" (XDG_DATA_HOME moves it).
QString CartellaDatiPredefinita();

// Creates the folder and every missing folder above it; an existing folder is success.
bool CreaCartella(const QString& percorso);

// temp, txt, sistemi, extrema, archivio, csv and matrici below cartellaDati, in this order.
// A folder that cannot be created is skipped: the file operations in it report their own failures.
void CreaAlberoCartelle(const QString& cartellaDati);

// cartellaDati + "/impostazioni.cfg".
QString PercorsoConfigurazione(const QString& cartellaDati);

// Waits while letting the event loop run, sleeping 4 ms between looks at a monotonic clock,
// so that a wait across midnight or a clock change lasts the full time.
void AttendiMs(int millisecondi);

} // namespace sestina
