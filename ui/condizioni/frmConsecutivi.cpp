#include "frmConsecutivi.h"

#include "Formato.h"
#include "InterruttoreOnOff.h"
#include "RegoleEditori.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sestina {

frmConsecutivi::frmConsecutivi(Sistema& sistema, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral("Numeri Consecutivi"), parent) {
    setObjectName(QStringLiteral("frmConsecutivi"));
    AggiornaPronostico(m_sistema);
    QGroupBox* frame = frameEsterno(QStringLiteral("frameCondizione"));

    auto* consecutivi = new QGroupBox(QStringLiteral("Consecutivi"), frame);
    const QStringList testi{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")};
    m_lunghezze = new GrigliaEtichette(QStringLiteral("lbPresenze"), testi, 6, consecutivi, 1);
    m_lunghezze->setColori(ColoriCondizione());
    (new QVBoxLayout(consecutivi))->addWidget(m_lunghezze);

    auto* massimo = new QLabel(DueCifre(SequenzaPiuLunga(m_sistema)), frame);
    massimo->setObjectName(QStringLiteral("l1"));
    massimo->setToolTip(QStringLiteral("Sequenza più lunga del pronostico"));
    auto* rigaMassimo = new QHBoxLayout;
    rigaMassimo->addWidget(new QLabel(QStringLiteral("Max"), frame));
    rigaMassimo->addWidget(massimo);
    rigaMassimo->addStretch();

    auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCond"), frame);
    auto* colonna = new QVBoxLayout(frame);
    colonna->addWidget(consecutivi);
    colonna->addLayout(rigaMassimo);
    colonna->addWidget(interruttore);
    (new QVBoxLayout(this))->addWidget(frame);

    for (int k = 1; k <= 6; ++k)
        if (m_sistema.consecutiviAmmessi & potenzeDiDue[static_cast<std::size_t>(k)])
            m_lunghezze->setScelta(k - 1, true);
    connect(m_lunghezze, &GrigliaEtichette::commutata, this,
            [this](int i) { m_lunghezze->setScelta(i, !m_lunghezze->scelta(i)); });
    interruttore->collegaFlag(m_sistema.condConsecutivi);
}

void frmConsecutivi::allaChiusura() {
    std::array<bool, 7> scelte{};
    for (int k = 1; k <= 6; ++k)
        scelte[static_cast<std::size_t>(k)] = m_lunghezze->scelta(k - 1);
    m_sistema.consecutiviAmmessi = MascheraConsecutivi(scelte);
}

} // namespace sestina
