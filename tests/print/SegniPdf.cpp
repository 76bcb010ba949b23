#include "SegniPdf.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRectF>
#include <QTemporaryDir>

namespace sestina {
namespace {

constexpr int Dpi = 600;
constexpr double PixelPerMm = Dpi / 25.4;
constexpr double LatoSegnoMm = 2.0;
constexpr int Scuro = 128;

// The bounding box, in millimetres, of the dark pixels within the area (millimetres); empty if none.
QRectF ScuriIn(const QImage& pagina, const QRectF& area) {
    const int x0 = std::max(0, static_cast<int>(area.left() * PixelPerMm));
    const int y0 = std::max(0, static_cast<int>(area.top() * PixelPerMm));
    const int x1 = std::min(pagina.width() - 1, static_cast<int>(area.right() * PixelPerMm));
    const int y1 = std::min(pagina.height() - 1, static_cast<int>(area.bottom() * PixelPerMm));
    int minX = x1 + 1, minY = y1 + 1, maxX = -1, maxY = -1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (qGray(pagina.pixel(x, y)) < Scuro) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    if (maxX < 0)
        return {};
    // A pixel covers [i, i + 1): the box runs from the first dark pixel's edge to the last one's far edge.
    return QRectF(QPointF(minX / PixelPerMm, minY / PixelPerMm),
                  QPointF((maxX + 1) / PixelPerMm, (maxY + 1) / PixelPerMm));
}

QRectF Intorno(const QPointF& angolo) {
    return {angolo - QPointF(1.0, 1.0), QSizeF(LatoSegnoMm + 2.0, LatoSegnoMm + 2.0)};
}

} // namespace

QString ControllaSegniPdf(const QString& pdf, const QList<QPointF>& segni, const QList<QPointF>& vuoti,
                          double tolleranza) {
    QTemporaryDir cartella;
    const QString base = cartella.filePath(QStringLiteral("pagina"));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), QStringLiteral("-f"),
                    QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, base});
    if (!pdftoppm.waitForFinished(60'000) || pdftoppm.exitCode() != 0)
        return QStringLiteral("pdftoppm failed: ") + QString::fromLocal8Bit(pdftoppm.readAllStandardError());
    // An A4 page at 600 dpi is above the reader's default allocation limit.
    QImageReader::setAllocationLimit(512);
    const QImage pagina = QImageReader(base + QStringLiteral(".pgm")).read();
    if (pagina.isNull())
        return QStringLiteral("no page image");
    QStringList errori;
    for (const QPointF& a : segni) {
        const QRectF atteso(a, QSizeF(LatoSegnoMm, LatoSegnoMm));
        const QRectF trovato = ScuriIn(pagina, Intorno(a));
        const double scarto =
            std::max({std::abs(trovato.left() - atteso.left()), std::abs(trovato.top() - atteso.top()),
                      std::abs(trovato.right() - atteso.right()), std::abs(trovato.bottom() - atteso.bottom())});
        if (trovato.isNull() || scarto > tolleranza)
            errori << QString::asprintf("mark at %g,%g mm found at %.3f,%.3f to %.3f,%.3f", a.x(), a.y(),
                                        trovato.left(), trovato.top(), trovato.right(), trovato.bottom());
    }
    for (const QPointF& a : vuoti)
        if (!ScuriIn(pagina, Intorno(a)).isNull())
            errori << QStringLiteral("something dark at %1,%2 mm").arg(a.x()).arg(a.y());
    return errori.join(QLatin1Char('\n'));
}

} // namespace sestina
