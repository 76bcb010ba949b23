#pragma once

#include "TaraturaScheda.h"

#include <QString>

#include <optional>

namespace sestina {

struct Corpo;
class Interfaccia;
class ProgressoStampa;
class SuperficieStampa;

struct IntervalloSchede {
    int primo;
    int ultimo;
};

enum class EsitoStampa { Rifiutata, Stampata, Interrotta, Fallita };

int ColonnePerScheda(TipoScheda tipo);
// numeroColonne / colonnePerScheda rounded up.
int NumeroSchede(int numeroColonne, int colonnePerScheda);

// The three range checks of 'DA' and 'A' as typed; each refusal beeps and shows its box.
// An empty 'DA' is refused as below the minimum: it would start the range before the first column.
std::optional<IntervalloSchede> ControllaIntervallo(const QString& da, const QString& a, int numeroSchede,
                                                    Interfaccia& ui);

// The slip job: checks the range, then lays out slips primo..ultimo of the System on the surface,
// one page each, with the given calibration (its printer is made the target when installed).
// A stop request (corpo.stampaAnnullata, polled once per slip after letting events run) ends the
// document before the next slip; a failure shows the common error of the job's procedure.
EsitoStampa StampaSchede(Corpo& corpo, TipoScheda tipo, const TaraturaScheda& taratura, const QString& da,
                         const QString& a, SuperficieStampa& superficie, Interfaccia& ui, ProgressoStampa* progresso);

// The dialog's two jobs: the calibration of the kind read afresh from the data folder.
EsitoStampa StampaScheda2ColonneSS(Corpo& corpo, const QString& da, const QString& a, SuperficieStampa& superficie,
                                   Interfaccia& ui, ProgressoStampa* progresso);
EsitoStampa StampaScheda5ColonneSS(Corpo& corpo, const QString& da, const QString& a, SuperficieStampa& superficie,
                                   Interfaccia& ui, ProgressoStampa* progresso);

// One test slip with every cell marked, on the printer named by taratura.stampante when installed.
// A printer failure shows "Stampante non installata"; false when the test did not print.
bool StampaTestTaratura(TipoScheda tipo, const TaraturaScheda& taratura, const QString& intestazione,
                        SuperficieStampa& superficie, Interfaccia& ui);

} // namespace sestina
