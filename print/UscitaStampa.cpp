#include "UscitaStampa.h"

#include "Errore.h"
#include "SuperficieQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

namespace sestina {

EsitoUscita StampaSuStampante(const LavoroStampa& lavoro, const QString& stampante) {
    QPrinter printer(QPrinter::HighResolution);
    if (!stampante.isEmpty())
        printer.setPrinterName(stampante);
    SuperficieQt superficie(printer, false);
    const bool riuscito = lavoro(superficie);
    try {
        superficie.chiudi();
    } catch (const Errore&) {
        return riuscito ? EsitoUscita::NonScritta : EsitoUscita::LavoroNonRiuscito;
    }
    return riuscito ? EsitoUscita::Scritta : EsitoUscita::LavoroNonRiuscito;
}

EsitoUscita ScriviPdf(const QString& file, const LavoroStampa& lavoro) {
    const QFileInfo destinazione(file);
    QTemporaryFile provvisorio(QDir(destinazione.absolutePath()).filePath(QStringLiteral(".sestina-XXXXXX.pdf")));
    if (!provvisorio.open())
        return EsitoUscita::NonScritta;
    provvisorio.close();
    bool riuscito = false;
    bool chiuso = true;
    {
        QPrinter printer(QPrinter::HighResolution);
        SuperficieQt::PreparaPdf(printer, provvisorio.fileName());
        SuperficieQt superficie(printer, true);
        riuscito = lavoro(superficie);
        try {
            superficie.chiudi();
        } catch (const Errore&) {
            chiuso = false;
        }
    }
    if (!riuscito)
        return EsitoUscita::LavoroNonRiuscito;
    if (!chiuso || (destinazione.exists() && !QFile::remove(file)) || !QFile::rename(provvisorio.fileName(), file))
        return EsitoUscita::NonScritta;
    provvisorio.setAutoRemove(false);
    // A temporary file is private to its owner; the PDF is an ordinary document.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    return EsitoUscita::Scritta;
}

} // namespace sestina
