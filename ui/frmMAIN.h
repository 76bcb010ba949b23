#pragma once

#include "Catalogo.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QGroupBox;

namespace sestina {

struct Corpo;
class DialoghiFile;
class GrigliaEtichette;
class Interfaccia;
class frmArchivio;
class frmSpoglio;
class frmStampa;
class frmSpoglioEstrazioni;
class frmStatistiche;

// The main window: the 90-number grid, the SuperStar box, the command buttons,
// the menus and the status bar. It renders the shared System and calls the
// operations below the windows; its public operations are those other windows
// call back into.
class frmMAIN final : public QMainWindow {
    Q_OBJECT
public:
    frmMAIN(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmMAIN)
    ~frmMAIN() override;

    void GrigliaNumeriClick(int indice);
    void CancellaPronostico();
    void ViewStatusBar();
    void LockGUI();
    void UnlockGUI();
    void UnlockMenuConditions();
    // Every check mark of the Condizioni menu from the System's conditions.
    void AggiornaMenuCondizioni();
    void chkSS_Click();
    // Reads the configuration into the prices, then refreshes the status bar.
    void ReadConfiguration();
    // Empties the System and the window (Cancella Sistema, and the window's load).
    void Azzera();
    // Opens a system file, as Apri and the command line do.
    void ApriFile(const QString& percorso);
    // The archive-scrutiny entry stays hidden until start-up has finished.
    void mostraSpoglioEstrazioni();
    // Start-up loads the archive window (and with it the archive) without showing it.
    void caricaFinestreNascoste();
    frmArchivio& finestraArchivio();
    // The check window, created hidden when first needed.
    frmSpoglio& finestraSpoglio();
    // The statistics window, loaded hidden at start-up after the archive.
    frmStatistiche& finestraStatistiche();
    frmSpoglioEstrazioni& finestraSpoglioEstrazioni();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void creaMenu();
    void creaComandi(QWidget* centrale);
    void creaBarraStato();
    QAction* voce(QMenu* menu, const char* nome, const QString& testo);
    QPushButton* pulsante(const char* nome, const QString& testo);

    // The grid, the counts, the SuperStar box, the states and the status bar from the System,
    // after an operation replaced it (open, import).
    void mostraSistema();
    void scriviNumeriInGioco(bool dueCifre);
    void scriviIntegrale();
    void aggiornaLogoSS();
    void applicaStato();

    void Elabora();
    void ProbabilitaDelSistema();
    void GaranziaDelSistema();
    void ModificaSistema();
    void MescolaColonne();
    void Salva();
    void SalvaCome();
    void Apri();
    void ImportaColonne();
    void ImportaExtrema();
    void EsportaColonne();
    void EsportaExtrema();
    void Visualizza(bool soloSeSviluppato);
    void Info();
    void Spoglio();
    void ArchivioEstrazioni();
    void Schedine();
    void Tabulato();
    void Impostazioni();
    void AdattaMatrice();
    void ElencoSistemiImmediati();
    ScaricaPagina scaricaDalServer();
    void SpoglioEstrazioni();
    void Statistiche();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;

    GrigliaEtichette* m_griglia = nullptr;
    QGroupBox* m_frameNumeri = nullptr;
    QLabel* m_labnumeri = nullptr;
    QLabel* m_lblIntegrale = nullptr;
    QCheckBox* m_chkSS = nullptr;
    QLabel* m_pannelli[4] = {};

    QMenu* m_menuCondizioni = nullptr;
    QMenu* m_menuOperazioni = nullptr;
    QMenu* m_menuStampa = nullptr;
    struct VoceCondizione {
        QAction* azione;
        std::function<bool()> accesa;
    };
    std::vector<VoceCondizione> m_vociCondizioni;
    // Commands whose windows are not part of the program yet: shown, never enabled.
    QList<QObject*> m_nonDisponibili;

    // The modeless windows live as long as the main window.
    std::unique_ptr<frmSpoglio> m_spoglio;
    std::unique_ptr<frmArchivio> m_archivio;
    std::unique_ptr<frmStampa> m_stampa;
    std::unique_ptr<frmStatistiche> m_statistiche;
    std::unique_ptr<frmSpoglioEstrazioni> m_spoglioEstrazioni;
};

} // namespace sestina
