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

// Installed beside the program under share/, or still in the source tree of a build.
QString CartellaMatriciDistribuite() {
    const QString installate = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/sestinaplan/matrici");
    return QDir(installate).exists() ? installate : QStringLiteral(SESTINA_MATRICI_SORGENTE);
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

    m_istanza = std::make_unique<IstanzaUnica>(m_corpo.cartellaDati);
    if (m_istanza->avvisaIstanzaInCorso())
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
    m_istanza->ascolta([finestra = m_principale.get()] {
        if (finestra->isMinimized())
            finestra->showNormal();
        finestra->raise();
        finestra->activateWindow();
    });

    if (opzioni.attesaSplashMs > 0)
        AttendiMs(opzioni.attesaSplashMs);
    splash.close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();

    m_principale->show();
    m_principale->mostraSpoglioEstrazioni();

    const QString file = TestoRigaDiComando(argomenti);
    if (!file.isEmpty())
        QTimer::singleShot(0, m_principale.get(), [finestra = m_principale.get(), file] { finestra->ApriFile(file); });
    return true;
}

} // namespace sestina
