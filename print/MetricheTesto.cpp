#include "MetricheTesto.h"

#include <cmath>

namespace sestina {
namespace {

constexpr double Dpi = 1200.0;
constexpr double MmPerPunto = 25.4 / Dpi;

} // namespace

MetricheTesto::MetricheTesto() : m_dispositivo(1, 1, QImage::Format_Mono) {
    const int puntiPerMetro = static_cast<int>(std::lround(Dpi / 0.0254));
    m_dispositivo.setDotsPerMeterX(puntiPerMetro);
    m_dispositivo.setDotsPerMeterY(puntiPerMetro);
}

QFont MetricheTesto::Carattere(const QString& nome, double punti, bool grassetto) {
    QFont f(nome);
    f.setPointSizeF(punti > 0 ? punti : 1);
    f.setBold(grassetto);
    // Hinting would tie advances to the device's resolution; paper and PDF must agree.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const MetricheTesto::Voce& MetricheTesto::voce(const QFont& font) {
    if (m_ultima < m_voci.size() && m_voci[m_ultima].font == font)
        return m_voci[m_ultima];
    for (std::size_t i = 0; i < m_voci.size(); ++i)
        if (m_voci[i].font == font) {
            m_ultima = i;
            return m_voci[i];
        }
    const QFontMetricsF m(font, &m_dispositivo);
    m_voci.push_back({font, m, m.height() * MmPerPunto, m.ascent() * MmPerPunto});
    m_ultima = m_voci.size() - 1;
    return m_voci.back();
}

double MetricheTesto::larghezza(const QFont& font, const QString& testo) {
    return voce(font).metriche.horizontalAdvance(testo) * MmPerPunto;
}

double MetricheTesto::altezzaRiga(const QFont& font) {
    return voce(font).altezza;
}

double MetricheTesto::ascendente(const QFont& font) {
    return voce(font).ascendente;
}

} // namespace sestina
