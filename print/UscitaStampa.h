#pragma once

#include <QString>

#include <functional>

namespace sestina {

class SuperficieStampa;

// A job lays out on the surface it is given; false when it did not complete.
using LavoroStampa = std::function<bool(SuperficieStampa&)>;

// How a job sent out ended: written; stopped by the job itself (which has told why); or not
// written because the printer or the file refused it, which nobody has told yet.
enum class EsitoUscita { Scritta, LavoroNonRiuscito, NonScritta };

// On the default printer, or on the installed printer with device name stampante; each document
// the job ends is its own print job.
EsitoUscita StampaSuStampante(const LavoroStampa& lavoro, const QString& stampante = {});

// Into one PDF file (A4 portrait, margins 0), documents following each other. The file is written
// beside its place and moved there only when the job completed, so a refused or failed job leaves
// whatever was there before. A folder that takes no file is NonScritta before the job runs.
EsitoUscita ScriviPdf(const QString& file, const LavoroStampa& lavoro);

} // namespace sestina
