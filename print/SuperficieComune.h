#pragma once

#include "MetricheTesto.h"
#include "SuperficieStampa.h"

#include <QFont>
#include <QRectF>

namespace sestina {

// What both surfaces share: units, the current position, the font, the page count and the lazy
// page break that keeps a final empty page off the paper. Subclasses only draw, in millimetres.
class SuperficieComune : public SuperficieStampa {
public:
    QSizeF areaStampabile() const override;
    void impostaUnita(Unita unita) override { m_unita = unita; }
    void impostaQualita(QualitaStampa qualita) override { m_qualita = qualita; }
    void impostaStatoDisegno() override {}
    void impostaFont(const QString& nome, double punti, bool grassetto) override;
    void impostaGrassetto(bool grassetto) override;
    void impostaDimensione(double punti) override;

    double larghezzaTesto(const QString& testo) override { return daMm(m_metriche.larghezza(m_font, testo)); }
    double altezzaRiga() override { return daMm(m_metriche.altezzaRiga(m_font)); }
    void spostaA(double x, double y) override;
    double x() const override { return daMm(m_xMm); }
    double y() const override { return daMm(m_yMm); }
    void stampa(const QString& testo, bool aCapo) override;
    void rettangolo(double x1, double y1, double x2, double y2) override;
    void immagine(const QImage& figura, double x, double y) override;

    void nuovaPagina() override;
    void fineDocumento() override;
    int pagina() const override { return m_pagina; }

    QualitaStampa qualita() const { return m_qualita; }
    const QFont& font() const { return m_font; }

protected:
    SuperficieComune();

    // The printable area in millimetres.
    virtual QSizeF areaMm() const = 0;
    virtual void apriDocumento() = 0;
    virtual void apriPagina() = 0;
    virtual void chiudiDocumento() = 0;
    // Top-left corner of the text at (x, y) mm; ascendente is the font's ascent in mm.
    virtual void disegnaTesto(double x, double y, double ascendente, const QString& testo, const QFont& font) = 0;
    virtual void disegnaRettangolo(const QRectF& area) = 0;
    virtual void disegnaImmagine(const QImage& figura, const QRectF& area) = 0;

    bool documentoAperto() const { return m_aperto; }
    MetricheTesto& metriche() { return m_metriche; }

private:
    double inMm(double v) const;
    double daMm(double v) const;
    // Starts the document or the page a drawing lands on.
    void preparaDisegno();

    MetricheTesto m_metriche;
    Unita m_unita = Unita::Millimetri;
    QualitaStampa m_qualita = QualitaStampa::Media;
    QString m_nomeFont = QStringLiteral("Arial");
    double m_punti = 10;
    bool m_grassetto = false;
    QFont m_font;
    double m_xMm = 0;
    double m_yMm = 0;
    int m_pagina = 1;
    bool m_aperto = false;
    bool m_paginaDaAprire = false;
};

} // namespace sestina
