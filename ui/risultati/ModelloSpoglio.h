#pragma once

#include "SpoglioEstrazioni.h"

#include <QAbstractTableModel>

namespace sestina {

// The scrutiny grid as a model: row 0 the header, row 1 the totals, then one row per draw, each
// computed when shown. It keeps its own copy of the draws it shows, so an archive update while it
// is on screen cannot leave it pointing at records that are gone.
class ModelloSpoglio final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModelloSpoglio(QObject* parent = nullptr);

    // The empty grid: one column, two rows, a single "-".
    void svuota();
    void imposta(const ArchivioEstrazioni& archivio, EsitoSpoglioEstrazioni esito);
    const EsitoSpoglioEstrazioni& esito() const { return m_esito; }
    bool vuoto() const { return m_vuoto; }

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    // The cells of a row, as the grid writes them.
    QStringList celle(int riga) const;

private:
    bool m_vuoto = true;
    EsitoSpoglioEstrazioni m_esito;
    std::vector<Estrazione> m_estrazioni; // one per row of m_esito
};

} // namespace sestina
