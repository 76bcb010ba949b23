#include "CorniceGaranzia.h"

#include "Errore.h"
#include "Formato.h"
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

CorniceGaranzia CreaCorniceGaranzia(QWidget& finestra, const QString& nomeTabella, const QStringList& intestazioni,
                                    int righe) {
    CorniceGaranzia c{};
    c.sistema = new QLabel(&finestra);
    c.sistema->setObjectName(QStringLiteral("lblSistema"));
    c.sistema->setTextFormat(Qt::PlainText); // the kind of System comes from its file
    c.tabella = new QTableWidget(righe, static_cast<int>(intestazioni.size()), &finestra);
    c.tabella->setObjectName(nomeTabella);
    c.tabella->setHorizontalHeaderLabels(intestazioni);
    c.tabella->verticalHeader()->hide();
    c.tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.ricalcola = new QPushButton(QStringLiteral("&Ricalcola"), &finestra);
    c.ricalcola->setObjectName(QStringLiteral("cmdCalcola"));
    c.disposizione = new QVBoxLayout(&finestra);
    c.disposizione->addWidget(c.sistema);
    c.disposizione->addWidget(c.tabella);
    c.disposizione->addWidget(c.ricalcola, 0, Qt::AlignRight);
    return c;
}

QString DescrizioneSistema(const Sistema& s) {
    return QStringLiteral("%1: %2 colonne su %3 numeri")
        .arg(s.tipoSistema.isEmpty() ? QStringLiteral("Sistema") : s.tipoSistema, FormattaIntero(s.numeroColonne))
        .arg(s.numeriInGioco);
}

QTableWidgetItem* CellaNumero(const QString& testo) {
    auto* cella = new QTableWidgetItem(testo);
    cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cella->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cella;
}

std::optional<EsitoGaranzia> GaranziaSottoProgresso(Sistema& s, Interfaccia& ui, QWidget& finestra) {
    std::optional<EsitoGaranzia> esito;
    finestra.setEnabled(false);
    {
        frmCalcolo progresso(s, ui);
        progresso.show();
        try {
            esito = CalcolaGaranzia(s, ui, progresso);
        } catch (const std::bad_alloc&) {
            esito.reset();
            MostraErrore(ui, Errore::comune(numeri_errore::MemoriaEsaurita), QStringLiteral("calcola"),
                         finestra.objectName());
        }
        progresso.hide();
    }
    finestra.setEnabled(true);
    return esito;
}

} // namespace sestina
