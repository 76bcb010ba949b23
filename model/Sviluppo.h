#pragma once

#include "Sistema.h"

#include <QString>

#include <cstdint>

namespace sestina {

class Interfaccia;

// What the progress window is told while a development runs. Every call is
// cheap for the engine; the window decides what to draw.
class OsservatoreSviluppo {
public:
    virtual ~OsservatoreSviluppo() = default;
    // The window opens and learns colonneIntegrale.
    virtual void avvio(double integrale) { (void)integrale; }
    // colonneElaborate and colonneSistema; always current when the window system runs.
    virtual void contatori(double elaborate, std::int32_t accettate) {
        (void)elaborate;
        (void)accettate;
    }
    // A new twentieth: the bar goes to passo * 5 and the labels show the counters.
    virtual void passo(std::int32_t passo, double integrale, double elaborate, std::int32_t accettate) {
        (void)passo;
        (void)integrale;
        (void)elaborate;
        (void)accettate;
    }
    virtual void allarme(const QString& testo) { (void)testo; }
    // The loops ended: the labels show the counters once more.
    virtual void fine(double integrale, double elaborate, std::int32_t accettate) {
        (void)integrale;
        (void)elaborate;
        (void)accettate;
    }
};

QString TestoAllarmeLimite();
QString MessaggioLimite();
// The kind of System after a completed development, from its conditions.
QString TipoSistema(const Sistema& s);
// The nearest step to elaborate/passo, halves to even.
std::int32_t PassoProgresso(double elaborate, double passo);

// Develops s.pronostico[0..numeriInGioco-1] (strictly ascending, 1..90) into the
// ColumnStore. Cancelled or stopped at the column limit: numeroColonne and
// tipoSistema keep their old values and sviluppoAnnullato stays true.
void Sviluppa(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

// The develop command: rebuilds the Prediction from the grid, unfixes fixed
// numbers that left it, develops, and marks the System developed when it gave
// columns without being cancelled. Returns whether it is now developed.
bool Elabora(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore);

} // namespace sestina
