#include "ImpostazioniStampa.h"

#include "Errore.h"
#include "classINI.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace sestina {

QString PrezzoInCentesimi(const QString& testo) {
    bool ok = false;
    const float euro = QLocale().toFloat(testo.trimmed(), &ok);
    if (!ok)
        throw Errore::comune(numeri_errore::TipoNonCorrispondente);
    const float centesimi = euro * 100.0f;
    if (!std::isfinite(centesimi))
        throw Errore::comune(numeri_errore::Overflow);
    char cifre[32];
    const auto fine = std::to_chars(cifre, cifre + sizeof cifre, centesimi);
    return QString::fromLatin1(cifre, fine.ptr - cifre);
}

QString PrezzoMostrato(float euro) {
    QLocale senzaGruppi;
    senzaGruppi.setNumberOptions(QLocale::OmitGroupSeparator);
    return senzaGruppi.toString(static_cast<double>(euro), 'f', 2);
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
