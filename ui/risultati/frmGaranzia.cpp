#include "frmGaranzia.h"

#include "Errore.h"
#include "Finestre.h"
#include "Formato.h"
#include "Garanzia.h"
#include "Interfaccia.h"
#include "Sistema.h"
#include "frmCalcolo.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <new>

namespace sestina {
namespace {

const QStringList Intestazioni = {QStringLiteral("Indovinati"), QStringLiteral("Combinazioni"), QStringLiteral("Max 0"),
                                  QStringLiteral("Max 1"),      QStringLiteral("Max 2"),        QStringLiteral("Max 3"),
                                  QStringLiteral("Max 4"),      QStringLiteral("Max 5"),        QStringLiteral("Max 6"),
                                  QStringLiteral("Garanzia")};

QTableWidgetItem* Cella(const QString& testo) {
    auto* cella = new QTableWidgetItem(testo);
    cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cella->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cella;
}

} // namespace

frmGaranzia::frmGaranzia(Sistema& sistema, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_sistema(sistema), m_ui(ui) {
    setObjectName(QStringLiteral("frmGaranzia"));
    setWindowTitle(QStringLiteral("Garanzia del Sistema"));

    m_lblSistema = new QLabel(this);
    m_lblSistema->setObjectName(QStringLiteral("lblSistema"));
    m_lblSistema->setTextFormat(Qt::PlainText); // the kind of System comes from its file
    m_griglia = new QTableWidget(0, static_cast<int>(Intestazioni.size()), this);
    m_griglia->setObjectName(QStringLiteral("grdGaranzia"));
    m_griglia->setHorizontalHeaderLabels(Intestazioni);
    m_griglia->verticalHeader()->hide();
    m_griglia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lblEsito = new QLabel(this);
    m_lblEsito->setObjectName(QStringLiteral("lblEsito"));
    m_cmdCalcola = new QPushButton(QStringLiteral("&Ricalcola"), this);
    m_cmdCalcola->setObjectName(QStringLiteral("cmdCalcola"));
    connect(m_cmdCalcola, &QPushButton::clicked, this, [this] { calcola(); });

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addWidget(m_lblSistema);
    disposizione->addWidget(m_griglia);
    disposizione->addWidget(m_lblEsito);
    disposizione->addWidget(m_cmdCalcola, 0, Qt::AlignRight);
    resize(760, 260);
}

bool frmGaranzia::calcola() {
    m_lblSistema->setText(QStringLiteral("%1: %2 colonne su %3 numeri")
                              .arg(m_sistema.tipoSistema.isEmpty() ? QStringLiteral("Sistema") : m_sistema.tipoSistema,
                                   FormattaIntero(m_sistema.numeroColonne))
                              .arg(m_sistema.numeriInGioco));
    m_griglia->setRowCount(0);
    m_lblEsito->clear();
    setEnabled(false);
    bool completa = false;
    {
        frmCalcolo progresso(m_sistema, m_ui);
        progresso.show();
        try {
            const EsitoGaranzia esito = CalcolaGaranzia(m_sistema, m_ui, progresso);
            completa = !esito.annullata;
            if (completa)
                mostra(esito);
            else
                m_lblEsito->setText(QStringLiteral("Calcolo annullato"));
        } catch (const std::bad_alloc&) {
            MostraErrore(m_ui, Errore::comune(numeri_errore::MemoriaEsaurita), QStringLiteral("calcola"), objectName());
        }
        progresso.hide();
    }
    setEnabled(true);
    return completa;
}

void frmGaranzia::mostra(const EsitoGaranzia& esito) {
    m_griglia->setRowCount(static_cast<int>(esito.righe.size()));
    for (int r = 0; r < static_cast<int>(esito.righe.size()); ++r) {
        const RigaGaranzia& riga = esito.righe[static_cast<std::size_t>(r)];
        m_griglia->setItem(r, 0, Cella(QString::number(riga.p)));
        m_griglia->setItem(r, 1, Cella(FormattaIntero(riga.sottoinsiemi)));
        for (int k = 0; k <= 6; ++k)
            m_griglia->setItem(r, 2 + k, Cella(FormattaIntero(riga.migliori[static_cast<std::size_t>(k)])));
        m_griglia->setItem(r, 9, Cella(TestoGaranzia(riga)));
    }
    m_griglia->resizeColumnsToContents();
}

} // namespace sestina
