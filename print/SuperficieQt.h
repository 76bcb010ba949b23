#pragma once

#include "SuperficieComune.h"

#include <QPainter>

class QPrinter;

namespace sestina {

// Paints on a QPrinter: a real printer, a PDF file or a print preview. With documentiUniti the
// documents follow each other as pages of one output (a PDF, a preview) instead of each being
// its own job; the output is finished by the destructor or chiudi().
class SuperficieQt final : public SuperficieComune {
public:
    SuperficieQt(QPrinter& stampante, bool documentiUniti);
    ~SuperficieQt() override;
    SuperficieQt(const SuperficieQt&) = delete;
    SuperficieQt& operator=(const SuperficieQt&) = delete;

    // A PDF file on A4 portrait whose printable area is the whole page.
    static void PreparaPdf(QPrinter& stampante, const QString& file);
    // The installed printers' device names, in the platform's order.
    static QStringList StampantiInstallate();

    QStringList stampanti() const override { return StampantiInstallate(); }
    bool selezionaStampante(const QString& nome) override;
    void impostaA4Verticale() override;
    void chiudi();

protected:
    QSizeF areaMm() const override;
    void apriDocumento() override;
    void apriPagina() override;
    void chiudiDocumento() override;
    void disegnaTesto(double x, double y, double ascendente, const QString& testo, const QFont& font) override;
    void disegnaRettangolo(const QRectF& area) override;
    void disegnaImmagine(const QImage& figura, const QRectF& area) override;

private:
    QPointF punto(double x, double y) const;
    [[noreturn]] void guasto();

    QPrinter& m_stampante;
    bool m_uniti;
    QPainter m_pittore;
    double m_scala = 1; // device pixels per millimetre
};

} // namespace sestina
