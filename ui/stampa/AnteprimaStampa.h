#pragma once

#include "UscitaStampa.h"

class QWidget;

namespace sestina {

// QPrintPreviewDialog of exactly the pages the job makes, documents following each other.
void MostraAnteprima(QWidget* genitore, const LavoroStampa& lavoro);

// The printer the windows' "&Stampa" uses; tests give their own recording surface.
using Stampante = std::function<EsitoUscita(const LavoroStampa&)>;
Stampante StampantePredefinita();

} // namespace sestina
