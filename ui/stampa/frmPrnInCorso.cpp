#include "frmPrnInCorso.h"

#include "Corpo.h"
#include "Interfaccia.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestina {

frmPrnInCorso::frmPrnInCorso(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QDialog(parent), m_corpo(corpo), m_ui(ui) {
    setObjectName(QStringLiteral("frmPrnInCorso"));
    setWindowTitle(QStringLiteral("Stampa in corso..."));
    setModal(false);
    m_label = new QLabel(QStringLiteral("Scheda n. 000000"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    QFont f = m_label->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    m_label->setFont(f);
    auto* interrompi = new QPushButton(QStringLiteral("&Interrompi"), this);
    interrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(m_label);
    colonna->addWidget(interrompi, 0, Qt::AlignHCenter);
    setMinimumWidth(260);
    connect(interrompi, &QPushButton::clicked, this, &frmPrnInCorso::cmdInterrompi_Click);
}

void frmPrnInCorso::impostaScheda(const QString& testo) {
    m_label->setText(testo);
}

void frmPrnInCorso::cmdInterrompi_Click() {
    m_ui.beep();
    if (m_ui.messaggio(QStringLiteral("Sicuro di interrompere la stampa ?"), windowTitle(), Icona::Domanda,
                       Pulsanti::SiNo) == Risposta::Si)
        m_corpo.stampaAnnullata = Vero;
}

} // namespace sestina
