#pragma once

#include <QTableView>

namespace sestina {

// A table whose first two rows stay on top while the others scroll: a second view showing only
// those rows lies over the top of this one and follows its columns and horizontal scrolling.
class GrigliaSpoglio final : public QTableView {
    Q_OBJECT
public:
    explicit GrigliaSpoglio(QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(GrigliaSpoglio)

    void setModel(QAbstractItemModel* modello) override;
    // The overlay of the fixed rows, for the tests and for whoever styles the grid.
    QTableView* righeFisse() const { return m_fisse; }

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) override;

private:
    void allinea();

    QTableView* m_fisse;
};

} // namespace sestina
