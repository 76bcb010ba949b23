#include "GrigliaSpoglio.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSortFilterProxyModel>

namespace sestina {
namespace {

constexpr int RigheFisse = 2;

// Only the fixed rows of the model.
class SoloRigheFisse final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int riga, const QModelIndex&) const override { return riga < RigheFisse; }
};

} // namespace

GrigliaSpoglio::GrigliaSpoglio(QWidget* parent) : QTableView(parent), m_fisse(new QTableView(this)) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fisse->setObjectName(QStringLiteral("flexGridFisse"));
    m_fisse->horizontalHeader()->hide();
    m_fisse->verticalHeader()->hide();
    m_fisse->setFocusPolicy(Qt::NoFocus);
    m_fisse->setSelectionMode(QAbstractItemView::NoSelection);
    m_fisse->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fisse->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fisse->setFrameShape(QFrame::NoFrame);
    m_fisse->setStyleSheet(QStringLiteral("QTableView { border-bottom: 1px solid palette(dark); }"));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_fisse->horizontalScrollBar(), &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int colonna, int, int larghezza) { m_fisse->setColumnWidth(colonna, larghezza); });
}

void GrigliaSpoglio::setModel(QAbstractItemModel* modello) {
    QTableView::setModel(modello);
    auto* filtro = new SoloRigheFisse(m_fisse);
    filtro->setSourceModel(modello);
    if (QAbstractItemModel* vecchio = m_fisse->model(); vecchio && vecchio->parent() == m_fisse)
        vecchio->deleteLater();
    m_fisse->setModel(filtro);
    connect(modello, &QAbstractItemModel::modelReset, this, [this] { allinea(); });
    allinea();
}

void GrigliaSpoglio::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    allinea();
}

void GrigliaSpoglio::updateGeometries() {
    QTableView::updateGeometries();
    allinea();
}

// Moving up into the rows under the overlay scrolls them out from under it.
QModelIndex GrigliaSpoglio::moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) {
    const QModelIndex corrente = QTableView::moveCursor(azione, modificatori);
    if (corrente.isValid() && corrente.row() >= RigheFisse && rowViewportPosition(corrente.row()) < m_fisse->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    return corrente;
}

void GrigliaSpoglio::allinea() {
    if (!model())
        return;
    int altezza = 0;
    for (int r = 0; r < std::min(RigheFisse, model()->rowCount()); ++r) {
        m_fisse->setRowHeight(r, rowHeight(r));
        altezza += rowHeight(r);
    }
    for (int c = 0; c < model()->columnCount(); ++c)
        m_fisse->setColumnWidth(c, columnWidth(c));
    m_fisse->setGeometry(frameWidth(), frameWidth(), viewport()->width(), altezza);
    m_fisse->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_fisse->raise();
}

} // namespace sestina
