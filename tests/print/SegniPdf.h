#pragma once

#include <QList>
#include <QPointF>
#include <QString>

namespace sestina {

// Rasterises page 1 of a PDF with pdftoppm at 600 dpi and checks each expected 2 mm mark: the dark
// pixels around its place must span exactly the square whose top-left corner is given, within
// tolleranza millimetres, measured from the page's top-left corner. Around each of vuoti nothing
// may be dark. Returns what is wrong, empty when all holds.
QString ControllaSegniPdf(const QString& pdf, const QList<QPointF>& segni, const QList<QPointF>& vuoti,
                          double tolleranza);

} // namespace sestina
