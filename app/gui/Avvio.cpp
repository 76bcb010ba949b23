#include "Avvio.h"

#include "Archivio.h"
#include "Cartelle.h"
#include "Catalogo.h"
#include "Corpo.h"
#include "Desktop.h"
#include "Download.h"
#include "Finestre.h"
#include "ImportaEstrazioni.h"
#include "IstanzaUnica.h"
#include "Versione.h"
#include "frmMAIN.h"
#include "frmSplash.h"
#include "frmVersione.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace sestina {

QString TestoRigaDiComando(const QStringList& argomenti) {
    return argomenti.mid(1).join(QLatin1Char(' ')).trimmed();
}

namespace {

// Beside the program under share/, where the build puts them as the package does.
QString CartellaMatriciDistribuite() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/sestinaplan/matrici"));
}

} // namespace

Avvio::Avvio(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi) : m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi) {}

Avvio::~Avvio() = default;

// The version window when the server is newer; false then, and the program ends.
bool Avvio::ControllaVersione() {
    const std::optional<QString> remota = NewVersion(IndirizzoServer(m_corpo.fileConfigurazione), m_ui);
    if (!remota)
        return true;
    frmVersione finestra([](const QString& indirizzo) { ApriIndirizzo(indirizzo); });
    finestra.localVersion = VersioneLocale();
    finestra.remoteVersion = *remota;
    finestra.exec();
    ScaricaForm(QString());
    return false;
}

bool Avvio::esegui(const QStringList& argomenti, const Opzioni& opzioni) {
    m_corpo.chiusuraInCorso = false;
    m_corpo.cartellaDati = opzioni.cartellaDati.isEmpty() ? CartellaDatiPredefinita() : opzioni.cartellaDati;
    CreaAlberoCartelle(m_corpo.cartellaDati);
    m_corpo.fileConfigurazione = PercorsoConfigurazione(m_corpo.cartellaDati);
    m_corpo.edizione = QStringLiteral("Freeware");
    CopiaMatriciMancanti(opzioni.matriciDistribuite.isEmpty() ? CartellaMatriciDistribuite()
                                                              : opzioni.matriciDistribuite,
                         CartellaMatrici(m_corpo.cartellaDati));

    // The name is taken here, at the check: a start a moment later finds this instance.
    const QString file = QString(TestoRigaDiComando(argomenti)).remove(QLatin1Char('"'));
    m_istanza = std::make_unique<IstanzaUnica>(m_corpo.cartellaDati);
    if (m_istanza->cediAIstanzaInCorso(file))
        return false;
    CopiaArchivioIniziale(opzioni.estrazioniDistribuite.isEmpty() ? FileEstrazioniDistribuite()
                                                                  : opzioni.estrazioniDistribuite,
                          PercorsoArchivio(m_corpo.cartellaDati));

    frmSplash splash(m_corpo.edizione);
    splash.show();
    QCoreApplication::processEvents();

    if (!ControllaVersione())
        return false;

    m_principale = std::make_unique<frmMAIN>(m_corpo, m_ui, m_dialoghi);
    m_principale->caricaFinestreNascoste();
    m_principale->Azzera();

    if (opzioni.attesaSplashMs > 0)
        AttendiMs(opzioni.attesaSplashMs);
    splash.close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();

    m_principale->show();
    m_principale->mostraSpoglioEstrazioni();

    if (!file.isEmpty())
        QTimer::singleShot(0, m_principale.get(), [finestra = m_principale.get(), file] { finestra->ApriFile(file); });
    // Later starts' requests, those that came during start-up first, after this start's own file.
    m_istanza->ascolta([this](const QString& richiesto) {
        m_richieste << richiesto;
        QTimer::singleShot(0, m_principale.get(), [this] { serviRichieste(); });
    });
    return true;
}

// The window comes forward and opens each file as the command line does, once nothing else is
// going on in it: not in a development or a print job (the window is disabled), nor under a dialog.
void Avvio::serviRichieste() {
    frmMAIN* finestra = m_principale.get();
    if (!finestra || m_richieste.isEmpty() || m_riprovaInCorso)
        return;
    if (!finestra->isEnabled() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_riprovaInCorso = true;
        QTimer::singleShot(250, finestra, [this] {
            m_riprovaInCorso = false;
            serviRichieste();
        });
        return;
    }
    if (finestra->isMinimized())
        finestra->showNormal();
    finestra->raise();
    finestra->activateWindow();
    while (!m_richieste.isEmpty()) {
        const QString file = m_richieste.takeFirst();
        if (!file.isEmpty())
            finestra->ApriFile(file);
    }
}

} // namespace sestina
