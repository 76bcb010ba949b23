#include "frmFisse.h"

#include "Formato.h"
#include "InterruttoreOnOff.h"
#include "RegoleEditori.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sestina {

frmFisse::frmFisse(Sistema& sistema, QWidget* parent) : DialogoCondizione(sistema, QStringLiteral(" Fisse"), parent) {
    setObjectName(QStringLiteral("frmFisse"));
    QGroupBox* frame = frameEsterno(QStringLiteral("frameFisse"));
    m_griglia = new GrigliaEtichette(QStringLiteral("labGriglia"), NumeriDueCifre(1, NumeriGioco), 10, frame);
    m_griglia->setColori(ColoriCondizione());
    m_conteggio = new QLabel(frame);
    m_conteggio->setObjectName(QStringLiteral("l1"));
    m_conteggio->setToolTip(TestoMassimoFissi());
    auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCondFisse"), frame);

    auto* piede = new QHBoxLayout;
    piede->addWidget(new QLabel(QStringLiteral("Fisse"), frame));
    piede->addWidget(m_conteggio);
    piede->addStretch();
    piede->addWidget(interruttore);
    auto* colonna = new QVBoxLayout(frame);
    colonna->addWidget(m_griglia, 1);
    colonna->addLayout(piede);
    (new QVBoxLayout(this))->addWidget(frame);

    // A mark on a number that left the Prediction is neither shown nor kept.
    const std::array<bool, 90> fissi = FissiVisibili(m_sistema);
    for (int i = 0; i < NumeriGioco; ++i) {
        const auto u = static_cast<std::size_t>(i);
        m_griglia->setInerte(i, !m_sistema.selezionati[u]);
        m_griglia->setScelta(i, fissi[u]);
    }
    interruttore->collegaFlag(m_sistema.condFisse);
    m_sistema.quantiFissi = static_cast<std::uint8_t>(quanti());
    m_conteggio->setText(QString::number(quanti()));
    connect(m_griglia, &GrigliaEtichette::commutata, this, &frmFisse::commuta);
    resize(sizeHint().expandedTo(QSize(420, 440)));
}

int frmFisse::quanti() const {
    int n = 0;
    for (int i = 0; i < NumeriGioco; ++i)
        n += m_griglia->scelta(i) ? 1 : 0;
    return n;
}

void frmFisse::commuta(int indice) {
    // Numbers out of play are inert in the grid; the cap of five is silent.
    if (m_griglia->scelta(indice))
        m_griglia->setScelta(indice, false);
    else if (quanti() < MassimoFissi)
        m_griglia->setScelta(indice, true);
    m_conteggio->setText(QString::number(quanti()));
}

void frmFisse::allaChiusura() {
    std::array<bool, 90> fissi{};
    for (int i = 0; i < NumeriGioco; ++i)
        fissi[static_cast<std::size_t>(i)] = m_griglia->scelta(i);
    ScriviFissi(m_sistema, fissi);
}

} // namespace sestina
