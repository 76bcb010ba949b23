#include "SceltaStampante.h"

#include "Interfaccia.h"
#include "SuperficieQt.h"

namespace sestina {

SceltaStampante::SceltaStampante(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("cmbStampante"));
}

void SceltaStampante::carica(const QString& salvata, Interfaccia& ui) {
    const QStringList stampanti = SuperficieQt::StampantiInstallate();
    clear();
    addItems(stampanti);
    setCurrentIndex(static_cast<int>(stampanti.indexOf(salvata)));
    if (!stampanti.isEmpty() && currentIndex() < 0) {
        ui.messaggio(QStringLiteral("Attenzione selezionare una stampante"), QStringLiteral("Importante"),
                     Icona::Critica, Pulsanti::Ok);
        setCurrentIndex(0);
    } else if (stampanti.isEmpty()) {
        ui.messaggio(QStringLiteral("Attenzione nessuna stampante installata"), QStringLiteral("Importante"),
                     Icona::Critica, Pulsanti::Ok);
    }
}

} // namespace sestina
