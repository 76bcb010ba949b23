#include "ImpostazioniStampa.h"

#include "Formato.h"
#include "classINI.h"

namespace sestina {

bool PrezzoDigitabile(const QString& testo) {
    if (testo.size() > LunghezzaMassimaPrezzo)
        return false;
    for (const QChar c : testo)
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != QLatin1Char(',') && c != QLatin1Char('.'))
            return false;
    return true;
}

QString PrezzoInCentesimi(const QString& testo) {
    return QString::number(CentesimiDaEuro(testo).valore());
}

QString PrezzoMostrato(Centesimi prezzo) {
    return ImportoNelLocale(prezzo, false);
}

void SalvaImpostazioni(const QString& fileConfigurazione, const ImpostazioniStampa& v) {
    const QString sezione = QStringLiteral("Impostazioni");
    classINI ini;
    ini.FileINI(fileConfigurazione);
    ini.setProperty(sezione, QStringLiteral("costo_colonna_se"), PrezzoInCentesimi(v.costoColonnaSE));
    ini.setProperty(sezione, QStringLiteral("costo_colonna_ss"), PrezzoInCentesimi(v.costoColonnaSS));
    ini.setProperty(sezione, QStringLiteral("intestazione_stampa"), v.intestazione);
    ini.setProperty(sezione, QStringLiteral("stampante_tabulato"), v.stampante);
}

} // namespace sestina
