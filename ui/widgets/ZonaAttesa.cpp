#include "ZonaAttesa.h"

#include <QLabel>
#include <QStackedLayout>

namespace sestina {

ZonaAttesa::ZonaAttesa(QWidget* contenuto, const QString& nomeEtichetta, const QString& testo, QWidget* parent)
    : QWidget(parent), m_contenuto(contenuto), m_attesa(new QLabel(testo, this)), m_pila(new QStackedLayout(this)) {
    m_attesa->setObjectName(nomeEtichetta);
    m_attesa->setAlignment(Qt::AlignCenter);
    m_pila->addWidget(m_contenuto);
    m_pila->addWidget(m_attesa);
}

void ZonaAttesa::mostraContenuto(bool visibile) {
    m_pila->setCurrentWidget(visibile ? m_contenuto : static_cast<QWidget*>(m_attesa));
}

} // namespace sestina
