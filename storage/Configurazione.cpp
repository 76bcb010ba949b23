#include "Configurazione.h"

#include "Corpo.h"
#include "Errore.h"
#include "classINI.h"

namespace sestina {
namespace {

const QString Sezione = QStringLiteral("Impostazioni");

Centesimi Prezzo(const classINI& ini, const QString& chiave, const QString& predefinito) {
    return CentesimiDaTesto(ini.getProperty(Sezione, chiave, predefinito));
}

} // namespace

bool LeggiConfigurazione(Corpo& corpo, Interfaccia& ui) {
    classINI ini;
    ini.FileINI(corpo.fileConfigurazione);
    Sistema& s = corpo.sistema;
    try {
        s.costoColonnaSE = Prezzo(ini, QStringLiteral("costo_colonna_se"), QStringLiteral("100"));
        s.costoColonnaSS = Prezzo(ini, QStringLiteral("costo_colonna_ss"), QStringLiteral("150"));
    } catch (const Errore& e) {
        MostraErrore(ui, e, QStringLiteral("ReadConfiguration"));
        return false;
    }
    s.scegliCosto();
    corpo.intestazioneStampa = ini.getProperty(Sezione, QStringLiteral("intestazione_stampa"),
                                               QStringLiteral("RICEVITORIA XXX- CAMBIA LE IMPOSTAZIONI DAL MENU FILE"));
    corpo.stampanteTabulato = ini.getProperty(Sezione, QStringLiteral("stampante_tabulato"), QStringLiteral("N/A"));
    return true;
}

} // namespace sestina
