#pragma once

#include "DialogoCondizione.h"
#include "OrdinePronostico.h"

#include <QPoint>

#include <array>

class QColor;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMimeData;

namespace sestina {

struct Corpo;

// Puts the numbers in play in the order in which they will take the places of a matrix's
// numbers: by dragging one number onto another, by Space on one and Space on another, or
// at random. The order is written into pronostico whenever the window closes.
class frmOrdinaPronostico final : public DialogoCondizione {
    Q_OBJECT
public:
    explicit frmOrdinaPronostico(Corpo& corpo, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmOrdinaPronostico)

    // What a drag of place posto carries. Only data made by this window is accepted
    // on its labels, so drops from other windows or programs are ignored.
    QMimeData* datiTrascinamento(int posto) const;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void allaChiusura() override;

private:
    QLabel* etichetta(int posto) const;
    int postoDi(QObject* oggetto) const;
    // The place a drag of ours comes from, or -1 for anything else.
    int origine(const QMimeData* dati) const;
    void sopra(int bersaglio, QDragMoveEvent& evento);
    void lascia(int bersaglio, QDropEvent& evento);
    bool scambia(int a, int b, const QColor& colore);
    void mostra(int posto);
    void tasto(int posto, QKeyEvent& evento);
    void ordineCasuale();

    Corpo& m_corpo;
    OrdinePronostico m_ordine;
    QByteArray m_marca; // tells our drags from anyone else's
    std::array<QLabel*, 90> m_etichette{};
    QLabel* m_trascinato = nullptr;
    QPoint m_pressione;
    int m_premuto = -1; // place pressed with the mouse, until the drag starts
    int m_preso = -1;   // place picked with Space, waiting for the second one
};

} // namespace sestina
