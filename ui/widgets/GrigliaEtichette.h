#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;

namespace sestina {

// The colours of a grid of toggling labels, chosen and not chosen.
struct ColoriGriglia {
    QColor sfondoScelto{0, 0, 192};
    QColor testoScelto{Qt::white};
    QColor sfondoLibero{Qt::white};
    QColor testoLibero{0, 0, 192};
    bool grassettoScelto = true;
};

// A grid of toggling labels. A press toggles the label under the pointer; dragging
// with the button held toggles every label the pointer enters, once per entry.
// The grid only reports the toggles: the owner changes its model and calls
// setScelta, so the model stays the one copy of the selection. Arrows move a
// focus mark and Space toggles, so the grid works from the keyboard too.
class GrigliaEtichette final : public QWidget {
    Q_OBJECT
public:
    // Labels are named <nome>_<primoNome + index>; cells are filled row by row. Indices in
    // the interface always count from 0; primoNome only serves designs that number from 1.
    GrigliaEtichette(const QString& nome, const QStringList& testi, int colonne, QWidget* parent = nullptr,
                     int primoNome = 0);
    Q_DISABLE_COPY_MOVE(GrigliaEtichette)

    int quante() const { return static_cast<int>(m_etichette.size()); }
    QLabel* etichetta(int indice) const { return m_etichette.at(indice); }
    bool scelta(int indice) const;
    void setScelta(int indice, bool scelta);
    void setColori(const ColoriGriglia& colori);
    // An inert label (a number not in play) shows light grey italic text and ignores
    // clicks, drags and Space; its choice is left as it was.
    void setInerte(int indice, bool inerte);
    bool inerte(int indice) const { return m_inerti.at(indice); }
    // Without the drag gesture only a press toggles (lists of exclusive choices).
    void setTrascinamento(bool attivo) { m_trascinamentoAttivo = attivo; }
    // Width over height of a cell, for labels that carry more than a number.
    void setRapportoCella(double rapporto);
    // Index of the label at a point of this widget, or -1 between labels.
    int indiceIn(QPoint punto) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void commutata(int indice);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    void disponi();
    void applicaAspetto(int indice);
    void spostaFuoco(int nuovo);
    void segnala(int indice);

    QList<QLabel*> m_etichette;
    QList<bool> m_scelte;
    QList<bool> m_inerti;
    ColoriGriglia m_colori;
    int m_colonne;
    double m_rapporto = 1.0;
    int m_righe;
    int m_sotto = -1; // label under the pointer during a drag, -1 between labels
    bool m_trascina = false;
    bool m_trascinamentoAttivo = true;
    int m_fuoco = 0; // keyboard position
};

} // namespace sestina
