#pragma once

#include "DialogoCondizione.h"
#include "Sistema.h"

class QLabel;
class QToolButton;

namespace sestina {

class GrigliaEtichette;
class Interfaccia;
class InterruttoreOnOff;
class NavigatorePannelli;

// The filter columns, one per panel. The shown panel is written back into its
// slot when the user pages away or closes; on closing the switched-on columns
// are moved to the front.
class frmFiltri final : public DialogoCondizione {
    Q_OBJECT

public:
    frmFiltri(Sistema& sistema, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmFiltri)

protected:
    void allaChiusura() override;

private:
    void creaControlli();
    QToolButton* pulsanteCancella(const char* nome, const char* immagine, const QString& suggerimento);
    void impostaOrdineTab();

    void mostra(const FilterColumn& filtro);
    FilterColumn raccogli() const;
    void cambiaPannello(int pannello);
    void numeroCommutato(int indice);
    void presenzaCommutata(int k);
    void interruttorePremuto(int indice, bool cambiato);
    void cancella();
    void cancellaTutto();
    void aggiornaSelezionati();
    void aggiornaContatori();

    Interfaccia& m_ui;
    GrigliaEtichette* m_griglia = nullptr;
    GrigliaEtichette* m_presenze = nullptr;
    InterruttoreOnOff* m_interruttore = nullptr;
    QToolButton* m_cmdCancella = nullptr;
    QToolButton* m_cmdCancellaTutto = nullptr;
    QLabel* m_lblNumSelezionati = nullptr;
    QLabel* m_lblnFiltro = nullptr;
    QLabel* m_lblTotFiltri = nullptr;
    QLabel* m_lblTotFiltriON = nullptr;
    QLabel* m_lblTotFiltriOFF = nullptr;
    NavigatorePannelli* m_navigatore = nullptr;
    int m_pannello = 1;
    int m_selezionati = 0;
};

} // namespace sestina
