#include "SuperficieComune.h"

namespace sestina {
namespace {

constexpr double MmPerTwip = 25.4 / 1440.0;

} // namespace

SuperficieComune::SuperficieComune() : m_font(MetricheTesto::Carattere(m_nomeFont, m_punti, m_grassetto)) {}

double SuperficieComune::inMm(double v) const {
    return m_unita == Unita::Twip ? v * MmPerTwip : v;
}

double SuperficieComune::daMm(double v) const {
    return m_unita == Unita::Twip ? v / MmPerTwip : v;
}

QSizeF SuperficieComune::areaStampabile() const {
    const QSizeF mm = areaMm();
    return {daMm(mm.width()), daMm(mm.height())};
}

void SuperficieComune::impostaFont(const QString& nome, double punti, bool grassetto) {
    m_nomeFont = nome;
    m_punti = punti;
    m_grassetto = grassetto;
    m_font = MetricheTesto::Carattere(m_nomeFont, m_punti, m_grassetto);
}

void SuperficieComune::impostaGrassetto(bool grassetto) {
    impostaFont(m_nomeFont, m_punti, grassetto);
}

void SuperficieComune::impostaDimensione(double punti) {
    impostaFont(m_nomeFont, punti, m_grassetto);
}

void SuperficieComune::spostaA(double x, double y) {
    m_xMm = inMm(x);
    m_yMm = inMm(y);
}

void SuperficieComune::preparaDisegno() {
    if (!m_aperto) {
        apriDocumento();
        m_aperto = true;
        m_paginaDaAprire = false;
    } else if (m_paginaDaAprire) {
        apriPagina();
        m_paginaDaAprire = false;
    }
}

void SuperficieComune::stampa(const QString& testo, bool aCapo) {
    preparaDisegno();
    disegnaTesto(m_xMm, m_yMm, m_metriche.ascendente(m_font), testo, m_font);
    if (aCapo) {
        m_xMm = 0;
        m_yMm += m_metriche.altezzaRiga(m_font);
    } else {
        m_xMm += m_metriche.larghezza(m_font, testo);
    }
}

void SuperficieComune::rettangolo(double x1, double y1, double x2, double y2) {
    preparaDisegno();
    disegnaRettangolo(QRectF(QPointF(inMm(x1), inMm(y1)), QPointF(inMm(x2), inMm(y2))).normalized());
}

void SuperficieComune::immagine(const QImage& figura, double x, double y) {
    if (figura.isNull() || figura.dotsPerMeterX() <= 0 || figura.dotsPerMeterY() <= 0)
        return;
    preparaDisegno();
    const double larghezza = figura.width() * 1000.0 / figura.dotsPerMeterX();
    const double altezza = figura.height() * 1000.0 / figura.dotsPerMeterY();
    disegnaImmagine(figura, QRectF(inMm(x), inMm(y), larghezza, altezza));
}

void SuperficieComune::nuovaPagina() {
    ++m_pagina;
    m_xMm = 0;
    m_yMm = 0;
    if (m_aperto)
        m_paginaDaAprire = true;
}

void SuperficieComune::fineDocumento() {
    const bool aperto = m_aperto;
    m_aperto = false;
    m_paginaDaAprire = false;
    m_pagina = 1;
    m_xMm = 0;
    m_yMm = 0;
    if (aperto)
        chiudiDocumento();
}

} // namespace sestina
