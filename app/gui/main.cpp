#include "Applicazione.h"
#include "Avvio.h"
#include "Corpo.h"
#include "DialoghiFile.h"
#include "Errore.h"
#include "InterfacciaQt.h"
#include "MappaWidget.h"
#include "frmMAIN.h"

#include <QApplication>
#include <QIcon>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    sestina::Applicazione app(argc, argv);
    QApplication::setApplicationName(sestina::TitoloApplicazione);
    QApplication::setDesktopFileName(QStringLiteral("sestinaplan"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/immagini/icona.svg")));
    sestina::CaricaTraduzioniQt(app, QLocale::system());

    // Holds the ColumnStore of the whole run: on the heap, it is 11 MB.
    auto corpo = std::make_unique<sestina::Corpo>();
    sestina::InterfacciaQt ui;
    app.impostaInterfaccia(&ui);
    // ui goes before app: events of the shutdown find no box to show.
    const auto scollega = qScopeGuard([&app] { app.impostaInterfaccia(nullptr); });
    sestina::DialoghiFileQt dialoghi;
    sestina::Avvio avvio(*corpo, ui, dialoghi);

    sestina::Avvio::Opzioni opzioni;
    // Start-up measurement: no splash wait, and leave once the main window is up.
    const bool misura = qEnvironmentVariableIsSet("SESTINAPLAN_MISURA_AVVIO");
    if (misura)
        opzioni.attesaSplashMs = 0;
    if (!avvio.esegui(QApplication::arguments(), opzioni))
        return 0;
    if (misura) {
        QTimer::singleShot(0, &app, [&] {
            corpo->chiusuraInCorso = true;
            avvio.principale()->close();
        });
    }
    // The end-to-end test asks where the widgets are, once the window has settled on the screen.
    const QString mappa = qEnvironmentVariable("SESTINAPLAN_MAPPA_WIDGET");
    if (!mappa.isEmpty())
        QTimer::singleShot(500, &app, [&avvio, mappa] { sestina::ScriviMappaWidget(*avvio.principale(), mappa); });
    return QApplication::exec();
}
