#include "SuperficieRegistrata.h"

#include "Errore.h"

#include <utility>

namespace sestina {

SuperficieRegistrata::SuperficieRegistrata(QStringList stampanti, bool conserva)
    : m_stampanti(std::move(stampanti)), m_conserva(conserva) {}

bool SuperficieRegistrata::selezionaStampante(const QString& nome) {
    if (!m_stampanti.contains(nome))
        return false;
    m_selezionata = nome;
    return true;
}

void SuperficieRegistrata::apriDocumento() {
    m_paginaFisica = 1;
}

void SuperficieRegistrata::apriPagina() {
    ++m_paginaFisica;
}

void SuperficieRegistrata::chiudiDocumento() {
    m_pagineDocumenti.append(m_paginaFisica);
}

void SuperficieRegistrata::aggiungi(Tipo tipo, const QRectF& area, const QString& testo, const QFont& font) {
    if (m_guastoDopo >= 0 && m_quanti >= m_guastoDopo)
        throw Errore::comune(numeri_errore::Stampante);
    ++m_quanti;
    if (m_conserva)
        m_segni.append({tipo, static_cast<int>(m_pagineDocumenti.size()), m_paginaFisica, area, testo, font.family(),
                        font.pointSizeF(), font.bold()});
}

void SuperficieRegistrata::disegnaTesto(double x, double y, double, const QString& testo, const QFont& font) {
    // The box the text takes on paper; not measured when nothing is kept.
    const QSizeF misura =
        m_conserva ? QSizeF(metriche().larghezza(font, testo), metriche().altezzaRiga(font)) : QSizeF();
    aggiungi(Tipo::Testo, QRectF(QPointF(x, y), misura), testo, font);
}

void SuperficieRegistrata::disegnaRettangolo(const QRectF& area) {
    aggiungi(Tipo::Rettangolo, area, {}, font());
}

void SuperficieRegistrata::disegnaImmagine(const QImage&, const QRectF& area) {
    aggiungi(Tipo::Immagine, area, {}, font());
}

} // namespace sestina
