#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace sestina {

struct Corpo;
class DialoghiFile;
class Interfaccia;
class ZonaAttesa;

// The draw archive ("Archivio Estrazioni"): loaded hidden at start-up so the archive is in memory
// before any window needs it; closing only hides it until the program ends.
class frmArchivio final : public QWidget {
    Q_OBJECT
public:
    // scarica fetches the publisher's draw list into the given file.
    using Scaricatore = std::function<bool(const QString& percorso)>;

    frmArchivio(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, Scaricatore scarica, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmArchivio)
    ~frmArchivio() override;

    // The statistics window's refresh and show, called by the button and after an update.
    void impostaStatistiche(std::function<void()> aggiorna, std::function<void()> mostra);
    // Asks the check window to show colonnaSpoglio, creating it hidden when needed.
    void impostaSpoglio(std::function<void()> aggiornaSpoglio);
    // Told after the archive changed (update, import, typed draw), beside the statistics' refresh.
    void impostaArchivioCambiato(std::function<void()> cambiato);

    void PopolaListView();
    void cmdUpdate_Click();
    void cmdStatistiche_Click();
    void cmdImporta_Click();
    void cmdNuova_Click();
    void lst_DblClick(int riga);

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // The list of draws under its header, in a zone the working label takes while it is filled.
    ZonaAttesa* creaLista(QLabel* intestazione);
    QGroupBox* creaUltima();
    QHBoxLayout* creaPiede();
    void mostraLista(bool visibile);
    void archivioCambiato();
    void riferisciAggiunta(int aggiunte);

    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;
    Scaricatore m_scarica;
    std::function<void()> m_aggiornaStatistiche;
    std::function<void()> m_mostraStatistiche;
    std::function<void()> m_aggiornaSpoglio;
    std::function<void()> m_archivioCambiato;

    QString m_fileArchivio;
    bool m_aggiornamentoInCorso = false;
    // The archive record (0-based) behind each line, newest first.
    std::vector<std::size_t> m_recordDellaRiga;

    ZonaAttesa* m_zonaLista = nullptr;
    QListWidget* m_lst = nullptr;
    QLabel* m_lbLast = nullptr;
    QLabel* m_lbTotale = nullptr;
    QPushButton* m_cmdUpdate = nullptr;
};

} // namespace sestina
