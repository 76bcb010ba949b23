#include "UscitaStampa.h"

#include "Errore.h"
#include "SuperficieQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

namespace sestina {

bool StampaSuStampante(const LavoroStampa& lavoro, const QString& stampante) {
    QPrinter printer(QPrinter::HighResolution);
    if (!stampante.isEmpty())
        printer.setPrinterName(stampante);
    SuperficieQt superficie(printer, false);
    const bool riuscito = lavoro(superficie);
    try {
        superficie.chiudi();
    } catch (const Errore&) {
        return false;
    }
    return riuscito;
}

bool ScriviPdf(const QString& file, const LavoroStampa& lavoro) {
    const QFileInfo destinazione(file);
    QTemporaryFile provvisorio(QDir(destinazione.absolutePath()).filePath(QStringLiteral(".sestina-XXXXXX.pdf")));
    if (!provvisorio.open())
        return false;
    provvisorio.close();
    bool riuscito = false;
    {
        QPrinter printer(QPrinter::HighResolution);
        SuperficieQt::PreparaPdf(printer, provvisorio.fileName());
        SuperficieQt superficie(printer, true);
        riuscito = lavoro(superficie);
        try {
            superficie.chiudi();
        } catch (const Errore&) {
            riuscito = false;
        }
    }
    if (!riuscito)
        return false;
    if (destinazione.exists() && !QFile::remove(file))
        return false;
    if (!QFile::rename(provvisorio.fileName(), file))
        return false;
    provvisorio.setAutoRemove(false);
    // A temporary file is private to its owner; the PDF is an ordinary document.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    return true;
}

} // namespace sestina
