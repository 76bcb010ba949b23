#include "frmGaranzia.h"

#include "CorniceGaranzia.h"
#include "Formato.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sestina {
namespace {

const QStringList Intestazioni = {QStringLiteral("Indovinati"), QStringLiteral("Combinazioni"), QStringLiteral("Max 0"),
                                  QStringLiteral("Max 1"),      QStringLiteral("Max 2"),        QStringLiteral("Max 3"),
                                  QStringLiteral("Max 4"),      QStringLiteral("Max 5"),        QStringLiteral("Max 6"),
                                  QStringLiteral("Garanzia")};

} // namespace

frmGaranzia::frmGaranzia(Sistema& sistema, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_sistema(sistema), m_ui(ui) {
    setObjectName(QStringLiteral("frmGaranzia"));
    setWindowTitle(QStringLiteral("Garanzia del Sistema"));

    const CorniceGaranzia cornice = CreaCorniceGaranzia(*this, QStringLiteral("grdGaranzia"), Intestazioni, 0);
    m_lblSistema = cornice.sistema;
    m_griglia = cornice.tabella;
    m_lblEsito = new QLabel(this);
    m_lblEsito->setObjectName(QStringLiteral("lblEsito"));
    cornice.disposizione->insertWidget(CorniceGaranzia::SottoLaTabella, m_lblEsito);
    connect(cornice.ricalcola, &QPushButton::clicked, this, [this] { calcola(); });
    resize(760, 260);
}

bool frmGaranzia::calcola() {
    m_lblSistema->setText(DescrizioneSistema(m_sistema));
    m_griglia->setRowCount(0);
    m_lblEsito->clear();
    const std::optional<EsitoGaranzia> esito = GaranziaSottoProgresso(m_sistema, m_ui, *this);
    if (esito && esito->annullata)
        m_lblEsito->setText(QStringLiteral("Calcolo annullato"));
    else if (esito)
        mostra(*esito);
    return esito && !esito->annullata;
}

void frmGaranzia::mostra(const EsitoGaranzia& esito) {
    m_griglia->setRowCount(static_cast<int>(esito.righe.size()));
    for (int r = 0; r < static_cast<int>(esito.righe.size()); ++r) {
        const RigaGaranzia& riga = esito.righe[static_cast<std::size_t>(r)];
        m_griglia->setItem(r, 0, CellaNumero(QString::number(riga.p)));
        m_griglia->setItem(r, 1, CellaNumero(FormattaIntero(riga.sottoinsiemi)));
        for (int k = 0; k <= 6; ++k)
            m_griglia->setItem(r, 2 + k, CellaNumero(FormattaIntero(riga.migliori[static_cast<std::size_t>(k)])));
        m_griglia->setItem(r, 9, CellaNumero(TestoGaranzia(riga)));
    }
    m_griglia->resizeColumnsToContents();
}

} // namespace sestina
