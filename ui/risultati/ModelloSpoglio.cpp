#include "ModelloSpoglio.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace sestina {
namespace {

const QColor ColoreBase(255, 255, 192);
const QColor ColoreMax(128, 255, 128);
const QColor ColoreMin(192, 255, 192);
const QColor ColoreTotale(128, 255, 255);
constexpr int ColonnaBase = 3;

} // namespace

ModelloSpoglio::ModelloSpoglio(QObject* parent) : QAbstractTableModel(parent) {}

void ModelloSpoglio::svuota() {
    beginResetModel();
    m_vuoto = true;
    m_esito = {};
    m_estrazioni.clear();
    endResetModel();
}

void ModelloSpoglio::imposta(const ArchivioEstrazioni& archivio, EsitoSpoglioEstrazioni esito) {
    beginResetModel();
    m_vuoto = false;
    m_estrazioni.clear();
    m_estrazioni.reserve(esito.righe.size());
    for (RigaSpoglio& riga : esito.righe) {
        m_estrazioni.push_back(archivio.at(riga.record));
        riga.record = m_estrazioni.size() - 1;
    }
    m_esito = std::move(esito);
    endResetModel();
}

int ModelloSpoglio::rowCount(const QModelIndex& genitore) const {
    if (genitore.isValid())
        return 0;
    return m_vuoto ? 2 : static_cast<int>(m_esito.righe.size()) + RigheFisseSpoglio;
}

int ModelloSpoglio::columnCount(const QModelIndex& genitore) const {
    if (genitore.isValid())
        return 0;
    return m_vuoto ? 1 : ColonneGrigliaSpoglio;
}

QStringList ModelloSpoglio::celle(int riga) const {
    if (m_vuoto)
        return {riga == 0 ? QStringLiteral("-") : QString()};
    if (riga == 0)
        return IntestazioneSpoglio();
    if (riga == 1)
        return CelleTotaleSpoglio(m_esito);
    const RigaSpoglio& r = m_esito.righe[static_cast<std::size_t>(riga - RigheFisseSpoglio)];
    return CelleRigaSpoglio(m_estrazioni[r.record], r);
}

QVariant ModelloSpoglio::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid() || indice.row() >= rowCount() || indice.column() >= columnCount())
        return {};
    const int riga = indice.row();
    const int colonna = indice.column();
    switch (ruolo) {
    case Qt::DisplayRole:
        return celle(riga).value(colonna);
    case Qt::BackgroundRole:
        if (m_vuoto || riga == 0)
            return {};
        if (riga == 1)
            return QBrush(ColoreTotale);
        if (colonna == ColonnaBase)
            return QBrush(ColoreBase);
        if (colonna == ColonnaBase + 1)
            return QBrush(ColoreMax);
        if (colonna == ColonnaBase + 2)
            return QBrush(ColoreMin);
        return {};
    case Qt::ForegroundRole:
        return m_vuoto || riga == 0 ? QVariant() : QVariant(QBrush(Qt::black));
    case Qt::FontRole:
        if (!m_vuoto && riga == 1) {
            QFont grassetto;
            grassetto.setBold(true);
            return grassetto;
        }
        return {};
    default:
        return {};
    }
}

} // namespace sestina
