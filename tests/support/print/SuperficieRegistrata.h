#pragma once

#include "SuperficieComune.h"

#include <QList>
#include <QRectF>

namespace sestina {

// Records every mark a layout puts on paper, in millimetres, so that layouts are checked without
// a printer. Pages and documents count only what would come out of the printer.
class SuperficieRegistrata final : public SuperficieComune {
public:
    enum class Tipo { Testo, Rettangolo, Immagine };
    struct Segno {
        Tipo tipo;
        int documento; // from 0
        int pagina;    // printed page of its document, from 1
        QRectF area;   // the box a text takes (its advance, one line high); a box; a picture
        QString testo;
        QString font;
        double punti;
        bool grassetto;
    };

    // conserva false keeps only the counters: for layouts of hundreds of thousands of slips.
    explicit SuperficieRegistrata(QStringList stampanti = {}, bool conserva = true);

    QStringList stampanti() const override { return m_stampanti; }
    bool selezionaStampante(const QString& nome) override;
    // Only noted: the printable area is the one set below.
    void impostaA4Verticale() override { m_a4 = true; }
    bool a4() const { return m_a4; }
    // The printable area in millimetres, as a printer with its margins has it; A4 with none by default.
    void impostaArea(QSizeF mm) { m_area = mm; }

    const QList<Segno>& segni() const { return m_segni; }
    // Documents sent so far, and the printed pages of each.
    const QList<int>& pagineDocumenti() const { return m_pagineDocumenti; }
    qint64 quantiSegni() const { return m_quanti; }
    const QString& stampanteSelezionata() const { return m_selezionata; }
    // Makes the next operation fail as a printer that went away does.
    void guastaDopo(qint64 segni) { m_guastoDopo = segni; }

protected:
    QSizeF areaMm() const override { return m_area; }
    void apriDocumento() override;
    void apriPagina() override;
    void chiudiDocumento() override;
    void disegnaTesto(double x, double y, double ascendente, const QString& testo, const QFont& font) override;
    void disegnaRettangolo(const QRectF& area) override;
    void disegnaImmagine(const QImage& figura, const QRectF& area) override;

private:
    void aggiungi(Tipo tipo, const QRectF& area, const QString& testo, const QFont& font);

    QStringList m_stampanti;
    bool m_conserva;
    QString m_selezionata;
    QList<Segno> m_segni;
    QList<int> m_pagineDocumenti;
    int m_paginaFisica = 0;
    qint64 m_quanti = 0;
    qint64 m_guastoDopo = -1;
    bool m_a4 = false;
    QSizeF m_area{210, 297};
};

} // namespace sestina
