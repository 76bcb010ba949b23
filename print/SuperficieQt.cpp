#include "SuperficieQt.h"

#include "Errore.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace sestina {
namespace {

Errore ErroreStampante() {
    return Errore::comune(numeri_errore::Stampante);
}

} // namespace

SuperficieQt::SuperficieQt(QPrinter& stampante, bool documentiUniti)
    : m_stampante(stampante), m_uniti(documentiUniti) {}

SuperficieQt::~SuperficieQt() {
    if (m_pittore.isActive())
        m_pittore.end();
}

void SuperficieQt::PreparaPdf(QPrinter& stampante, const QString& file) {
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(file);
    stampante.setResolution(1200);
    stampante.setFullPage(true);
    stampante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

QStringList SuperficieQt::StampantiInstallate() {
    return QPrinterInfo::availablePrinterNames();
}

bool SuperficieQt::selezionaStampante(const QString& nome) {
    // A PDF or a preview stays what it is; a job already running keeps its printer.
    if (m_stampante.outputFormat() != QPrinter::NativeFormat || m_pittore.isActive())
        return false;
    if (!StampantiInstallate().contains(nome))
        return false;
    m_stampante.setPrinterName(nome);
    return true;
}

void SuperficieQt::impostaA4Verticale() {
    // A document already begun keeps its pages.
    if (m_pittore.isActive())
        return;
    m_stampante.setPageOrientation(QPageLayout::Portrait);
    m_stampante.setPageSize(QPageSize(QPageSize::A4));
}

QSizeF SuperficieQt::areaMm() const {
    return m_stampante.pageLayout().paintRect(QPageLayout::Millimeter).size();
}

void SuperficieQt::guasto() {
    if (m_pittore.isActive())
        m_pittore.end();
    throw ErroreStampante();
}

void SuperficieQt::apriDocumento() {
    if (m_pittore.isActive()) { // united documents: the next one starts on a new page
        if (!m_stampante.newPage())
            guasto();
        return;
    }
    if (m_stampante.outputFormat() == QPrinter::NativeFormat)
        m_stampante.setResolution(qualita() == QualitaStampa::Bozza ? 300 : 600);
    if (!m_pittore.begin(&m_stampante))
        throw ErroreStampante();
    m_scala = m_stampante.resolution() / 25.4;
}

void SuperficieQt::apriPagina() {
    if (!m_stampante.newPage())
        guasto();
}

void SuperficieQt::chiudiDocumento() {
    if (m_uniti || !m_pittore.isActive())
        return;
    m_pittore.end();
    if (m_stampante.printerState() == QPrinter::Error)
        throw ErroreStampante();
}

void SuperficieQt::chiudi() {
    if (!m_pittore.isActive())
        return;
    m_pittore.end();
    if (m_stampante.printerState() == QPrinter::Error)
        throw ErroreStampante();
}

QPointF SuperficieQt::punto(double x, double y) const {
    return {x * m_scala, y * m_scala};
}

void SuperficieQt::disegnaTesto(double x, double y, double ascendente, const QString& testo, const QFont& font) {
    m_pittore.setFont(font);
    m_pittore.setPen(Qt::black);
    m_pittore.drawText(punto(x, y + ascendente), testo);
}

void SuperficieQt::disegnaRettangolo(const QRectF& area) {
    m_pittore.fillRect(QRectF(punto(area.left(), area.top()), punto(area.right(), area.bottom())), Qt::black);
}

void SuperficieQt::disegnaImmagine(const QImage& figura, const QRectF& area) {
    m_pittore.drawImage(QRectF(punto(area.left(), area.top()), punto(area.right(), area.bottom())), figura);
}

} // namespace sestina
