#pragma once

#include "Catalogo.h"
#include "StatoSistema.h"

#include <QMainWindow>

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
    // Marks the System developed when it holds columns, and the commands with it.
    void LockGUI();
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
    // The controls, built in frmMAINControlli.cpp.
    void creaMenu();
    void creaMenuCondizioni(QMenu* condizioni);
    void creaComandi(QWidget* centrale);
    void creaGriglia(QWidget* centrale);
    void creaBarraStato();
    QMenu* menu(const char* nome, const QString& titolo, Requisito requisito);
    // An item or a button that runs comando (none: connected by the caller) and is enabled by requisito.
    QAction* voce(QMenu* menu, const char* nome, const QString& testo, void (frmMAIN::*comando)(),
                  Requisito requisito = Requisito::Nessuno);
    QPushButton* pulsante(const char* nome, const QString& testo, void (frmMAIN::*comando)(), Requisito requisito);

    // The grid, the counts, the SuperStar box, the states and the status bar from the System,
    // after an operation replaced it (open, import).
    void mostraSistema();
    void scriviNumeriInGioco(bool dueCifre);
    void scriviIntegrale();
    void aggiornaLogoSS();
    // Every control's enabled state from the System, through the table m_controlli.
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
    void VisualizzaColonne() { Visualizza(false); }
    void VisualizzaSviluppato() { Visualizza(true); }
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

    QAction* m_voceMescola = nullptr;
    QAction* m_voceSpoglioEstrazioni = nullptr;
    struct VoceCondizione {
        QAction* azione;
        Condizione condizione;
    };
    std::vector<VoceCondizione> m_vociCondizioni;
    // Each control with what it needs of the System to be enabled: a menu's own entry and
    // a menu item are actions, the buttons and the grid's frame widgets.
    struct Controllo {
        QAction* azione;
        QWidget* widget;
        Requisito requisito;
    };
    std::vector<Controllo> m_controlli;

    // The modeless windows live as long as the main window.
    std::unique_ptr<frmSpoglio> m_spoglio;
    std::unique_ptr<frmArchivio> m_archivio;
    std::unique_ptr<frmStampa> m_stampa;
    std::unique_ptr<frmStatistiche> m_statistiche;
    std::unique_ptr<frmSpoglioEstrazioni> m_spoglioEstrazioni;
};

} // namespace sestina
