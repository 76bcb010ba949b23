#pragma once

#include "FakeInterfaccia.h"
#include "Sviluppo.h"

#include <QStringList>

namespace sestina {

// Records everything a development tells its progress window, and the
// counters the window would show each time the window system runs.
class RegistroSviluppo final : public OsservatoreSviluppo {
public:
    explicit RegistroSviluppo(FakeInterfaccia& ui) {
        ui.durante = [this, prima = ui.durante](int n) {
            eventi << QStringLiteral("eventi %1 %2").arg(elaborate).arg(accettate);
            if (prima)
                prima(n);
        };
    }
    void avvio(double integrale) override { eventi << QStringLiteral("avvio %1").arg(integrale, 0, 'f', 0); }
    void contatori(double e, std::int32_t a) override {
        elaborate = e;
        accettate = a;
    }
    void passo(std::int32_t p, double integrale, double e, std::int32_t a) override {
        eventi << QStringLiteral("passo %1 %2 %3 %4").arg(p).arg(integrale, 0, 'f', 0).arg(e, 0, 'f', 0).arg(a);
    }
    void allarme(const QString& testo) override { eventi << QStringLiteral("allarme ") + testo; }
    void fine(double integrale, double e, std::int32_t a) override {
        eventi << QStringLiteral("fine %1 %2 %3").arg(integrale, 0, 'f', 0).arg(e, 0, 'f', 0).arg(a);
    }

    QStringList eventi;
    double elaborate = 0;
    std::int32_t accettate = 0;
};

} // namespace sestina
