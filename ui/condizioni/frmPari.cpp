#include "frmPari.h"

#include "InterruttoreOnOff.h"
#include "Sistema.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace sestina {

namespace {

// Row k: k even and 6-k odd numbers, the two counts under their headings.
QStringList DidascaliePari() {
    QStringList testi;
    for (int k = 0; k <= 6; ++k)
        testi << QStringLiteral("  %1                 %2").arg(k).arg(6 - k);
    return testi;
}

} // namespace

frmPari::frmPari(Sistema& sistema, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral("Pari e Dispari"), parent) {
    setObjectName(QStringLiteral("frmPari"));
    QGroupBox* frame = frameEsterno(QStringLiteral("framePariDispari"));

    m_righe = new GrigliaEtichette(QStringLiteral("labPariDispari"), DidascaliePari(), 1, frame);
    m_righe->setColori(ColoriCondizione());
    m_righe->setRapportoCella(5.0);
    for (int k = 0; k <= 6; ++k)
        m_righe->etichetta(k)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCondizione"), frame);

    auto* griglia = new QGridLayout(frame);
    auto* pari = new QLabel(QStringLiteral("Pari"), frame);
    auto* dispari = new QLabel(QStringLiteral("Dispari"), frame);
    dispari->setAlignment(Qt::AlignRight);
    griglia->addWidget(pari, 0, 0);
    griglia->addWidget(dispari, 0, 1);
    griglia->addWidget(m_righe, 1, 0, 1, 2);
    griglia->addWidget(interruttore, 2, 0, 1, 2);

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addWidget(frame);

    interruttore->collegaFlag(m_sistema.condPariDispari);
    for (int k = 0; k <= 6; ++k)
        if (m_sistema.pariAmmessi[static_cast<std::size_t>(k)] != 0)
            m_righe->setScelta(k, true);
    connect(m_righe, &GrigliaEtichette::commutata, this, &frmPari::commuta);
}

void frmPari::commuta(int pari) {
    const bool scelta = !m_righe->scelta(pari);
    m_righe->setScelta(pari, scelta);
    m_sistema.pariAmmessi[static_cast<std::size_t>(pari)] = scelta ? Vero : Falso;
}

} // namespace sestina
