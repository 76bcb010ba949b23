#include "AnteprimaStampa.h"

#include "Errore.h"
#include "SuperficieQt.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace sestina {

void MostraAnteprima(QWidget* genitore, const LavoroStampa& lavoro) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewDialog anteprima(&printer, genitore);
    anteprima.setObjectName(QStringLiteral("anteprima"));
    QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima, [&lavoro](QPrinter* p) {
        SuperficieQt superficie(*p, true);
        lavoro(superficie);
        try {
            superficie.chiudi();
        } catch (const Errore&) {
            // a preview that cannot paint shows what it has
        }
    });
    anteprima.exec();
}

Stampante StampantePredefinita() {
    return [](const LavoroStampa& lavoro) { return StampaSuStampante(lavoro); };
}

} // namespace sestina
