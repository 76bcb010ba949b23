#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

#include <vector>

namespace sestina {

// Text widths and line heights in millimetres, measured on one fixed 1200 dpi device so that the
// recorded layout and the printed one advance by exactly the same amounts.
class MetricheTesto final {
public:
    MetricheTesto();

    static QFont Carattere(const QString& nome, double punti, bool grassetto);

    double larghezza(const QFont& font, const QString& testo);
    double altezzaRiga(const QFont& font);
    double ascendente(const QFont& font);

private:
    struct Voce {
        QFont font;
        QFontMetricsF metriche;
        double altezza;
        double ascendente;
    };
    const Voce& voce(const QFont& font);

    QImage m_dispositivo;
    std::vector<Voce> m_voci;
    std::size_t m_ultima = 0;
};

} // namespace sestina
