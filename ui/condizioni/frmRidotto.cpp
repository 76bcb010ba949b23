#include "frmRidotto.h"

#include "GrigliaEtichette.h"
#include "InterruttoreOnOff.h"
#include "Sistema.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace sestina {

frmRidotto::frmRidotto(Sistema& sistema, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral("Sistema Ridotto"), parent) {
    setObjectName(QStringLiteral("frmRidotto"));
    QGroupBox* esterno = frameEsterno(QStringLiteral("frameCondizione"));
    auto* colonna = new QVBoxLayout(esterno);

    auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCondizione"), esterno);
    interruttore->setTitle(QStringLiteral("Condizione Ridotto"));
    interruttore->collegaFlag(m_sistema.condRidotto);
    colonna->addWidget(interruttore);

    // Label k (named from 1) chooses livelloRiduzione = k.
    const QStringList didascalie{QStringLiteral("Garanzia 5 (n-1)"), QStringLiteral("Garanzia 4 (n-2)"),
                                 QStringLiteral("Garanzia 3 (n-3)"), QStringLiteral("Garanzia 2 (n-4)")};
    m_livelli = new GrigliaEtichette(QStringLiteral("lbRidotto"), didascalie, 1, esterno, 1);
    m_livelli->setColori(ColoriCondizione());
    m_livelli->setRapportoCella(4.5);
    m_livelli->setTrascinamento(false);
    connect(m_livelli, &GrigliaEtichette::commutata, this, [this](int indice) {
        mostraLivello(indice + 1);
        m_sistema.livelloRiduzione = static_cast<std::uint8_t>(indice + 1);
    });
    colonna->addWidget(m_livelli);

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addWidget(esterno);

    const int livello = m_sistema.livelloRiduzione;
    mostraLivello(livello >= 1 && livello <= 4 ? livello : 0);
}

void frmRidotto::mostraLivello(int livello) {
    for (int i = 0; i < m_livelli->quante(); ++i)
        m_livelli->setScelta(i, i + 1 == livello);
}

} // namespace sestina
