#include "Configurazione.h"

#include "Corpo.h"
#include "Errore.h"
#include "classINI.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace sestina {
namespace {

const QString Sezione = QStringLiteral("Impostazioni");

// Cents as typed in the user's locale, to euro in the precision the prices are kept in.
float Prezzo(const classINI& ini, const QString& chiave, const QString& predefinito) {
    bool ok = false;
    const double centesimi = QLocale().toDouble(ini.getProperty(Sezione, chiave, predefinito), &ok);
    if (!ok)
        throw Errore::comune(numeri_errore::TipoNonCorrispondente);
    const double euro = centesimi / 100.0;
    if (!std::isfinite(euro) || std::fabs(euro) > std::numeric_limits<float>::max())
        throw Errore::comune(numeri_errore::Overflow);
    return static_cast<float>(euro);
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
