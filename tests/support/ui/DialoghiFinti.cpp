#include "DialoghiFinti.h"

#include <QtGlobal>

namespace sestina {

QString DialoghiFinti::prossima() {
    if (risposte.empty())
        qFatal("Unexpected file dialog");
    QString r = risposte.front();
    risposte.pop_front();
    return r;
}

QString DialoghiFinti::apri(QWidget*, const QString& cartella, const QString& filtro) {
    richieste.append({cartella, filtro, {}, {}});
    return prossima();
}

QString DialoghiFinti::salva(QWidget*, const QString& cartella, const QString& proposta, const QString& filtro,
                             const QString& estensione) {
    richieste.append({cartella, filtro, proposta, estensione});
    return prossima();
}

} // namespace sestina
