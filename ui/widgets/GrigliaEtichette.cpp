#include "GrigliaEtichette.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace sestina {

namespace {
constexpr int LatoMinimo = 22; // still readable two-digit numbers at 800x600
constexpr int LatoComodo = 40;

// A colour taken part of the way towards another.
QColor Verso(const QColor& da, const QColor& a, double quota) {
    return QColor::fromRgbF(static_cast<float>(da.redF() + (a.redF() - da.redF()) * quota),
                            static_cast<float>(da.greenF() + (a.greenF() - da.greenF()) * quota),
                            static_cast<float>(da.blueF() + (a.blueF() - da.blueF()) * quota));
}
} // namespace

GrigliaEtichette::GrigliaEtichette(const QString& nome, const QStringList& testi, int colonne, QWidget* parent,
                                   int primoNome)
    : QWidget(parent), m_colonne(std::max(1, colonne)),
      m_righe((static_cast<int>(testi.size()) + std::max(1, colonne) - 1) / std::max(1, colonne)) {
    setObjectName(nome);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < testi.size(); ++i) {
        auto* etichetta = new QLabel(testi.at(i), this);
        etichetta->setObjectName(QStringLiteral("%1_%2").arg(nome).arg(primoNome + i));
        etichetta->setAlignment(Qt::AlignCenter);
        etichetta->setAutoFillBackground(true);
        etichetta->setFrameShape(QFrame::Box);
        etichetta->installEventFilter(this);
        m_etichette.append(etichetta);
        m_scelte.append(false);
        m_inerti.append(false);
        applicaAspetto(i);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

bool GrigliaEtichette::scelta(int indice) const {
    return m_scelte.at(indice);
}

void GrigliaEtichette::setScelta(int indice, bool scelta) {
    if (m_scelte.at(indice) == scelta)
        return;
    m_scelte[indice] = scelta;
    applicaAspetto(indice);
}

void GrigliaEtichette::setInerte(int indice, bool inerte) {
    if (m_inerti.at(indice) == inerte)
        return;
    m_inerti[indice] = inerte;
    applicaAspetto(indice);
}

void GrigliaEtichette::setColori(const ColoriGriglia& colori) {
    m_colori = colori;
    for (int i = 0; i < quante(); ++i)
        applicaAspetto(i);
}

void GrigliaEtichette::applicaAspetto(int indice) {
    QLabel* etichetta = m_etichette.at(indice);
    const bool si = m_scelte.at(indice);
    QPalette p = etichetta->palette();
    p.setColor(QPalette::Window, si ? m_colori.sfondoScelto : m_colori.sfondoLibero);
    const bool spento = m_inerti.at(indice);
    p.setColor(QPalette::WindowText,
               spento ? QColor(224, 224, 224) : (si ? m_colori.testoScelto : m_colori.testoLibero));
    // A disabled grid (a developed System) is greyed: the choice still reads, but plainly locked.
    const QColor grigio(176, 176, 176);
    p.setColor(QPalette::Disabled, QPalette::Window, Verso(p.color(QPalette::Active, QPalette::Window), grigio, 0.55));
    p.setColor(QPalette::Disabled, QPalette::WindowText,
               Verso(p.color(QPalette::Active, QPalette::WindowText), grigio, 0.45));
    etichetta->setPalette(p);
    QFont f = etichetta->font();
    f.setBold(si && m_colori.grassettoScelto);
    f.setItalic(spento);
    etichetta->setFont(f);
    // The tag the labels carried: "1" chosen, "0" not; tests and accessibility read it.
    etichetta->setProperty("tag", si ? QStringLiteral("1") : QStringLiteral("0"));
}

int GrigliaEtichette::indiceIn(QPoint punto) const {
    for (int i = 0; i < quante(); ++i)
        if (m_etichette.at(i)->geometry().contains(punto))
            return i;
    return -1;
}

bool GrigliaEtichette::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* etichetta = qobject_cast<QLabel*>(oggetto);
    const int indice = etichetta ? static_cast<int>(m_etichette.indexOf(etichetta)) : -1;
    if (indice < 0 || !isEnabled())
        return QWidget::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() != Qt::LeftButton)
            break;
        // A double click is two clicks to the user: each toggles once.
        m_trascina = m_trascinamentoAttivo;
        m_sotto = indice;
        spostaFuoco(indice);
        segnala(indice);
        return true;
    }
    case QEvent::MouseMove: {
        // The pressed label keeps receiving moves while the button is held.
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (!m_trascina || !(mouse->buttons() & Qt::LeftButton))
            break;
        const int sotto = indiceIn(mapFromGlobal(mouse->globalPosition().toPoint()));
        if (sotto != m_sotto) {
            m_sotto = sotto;
            if (sotto >= 0)
                segnala(sotto);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_trascina = false;
        m_sotto = -1;
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(oggetto, evento);
}

void GrigliaEtichette::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    disponi();
}

void GrigliaEtichette::setRapportoCella(double rapporto) {
    m_rapporto = std::max(0.2, rapporto);
    updateGeometry();
    disponi();
}

// Cells as large as the widget allows, centred, with the font scaled to the cell height.
void GrigliaEtichette::disponi() {
    const int lato =
        std::max(1, std::min(static_cast<int>(width() / (m_colonne * m_rapporto)), height() / std::max(1, m_righe)));
    const int larghezza = std::max(1, static_cast<int>(lato * m_rapporto));
    const int x0 = (width() - larghezza * m_colonne) / 2;
    const int y0 = (height() - lato * m_righe) / 2;
    for (int i = 0; i < quante(); ++i) {
        QLabel* etichetta = m_etichette.at(i);
        etichetta->setGeometry(x0 + (i % m_colonne) * larghezza, y0 + (i / m_colonne) * lato, larghezza, lato);
        QFont f = etichetta->font();
        f.setPixelSize(std::max(9, lato * 2 / 5));
        etichetta->setFont(f);
    }
}

QSize GrigliaEtichette::sizeHint() const {
    return {static_cast<int>(LatoComodo * m_rapporto) * m_colonne, LatoComodo * m_righe};
}

QSize GrigliaEtichette::minimumSizeHint() const {
    return {static_cast<int>(LatoMinimo * m_rapporto) * m_colonne, LatoMinimo * m_righe};
}

void GrigliaEtichette::segnala(int indice) {
    if (!m_inerti.at(indice))
        Q_EMIT commutata(indice);
}

void GrigliaEtichette::spostaFuoco(int nuovo) {
    if (quante() == 0)
        return;
    m_etichette.at(m_fuoco)->setFrameShadow(QFrame::Plain);
    m_etichette.at(m_fuoco)->setLineWidth(1);
    m_fuoco = std::clamp(nuovo, 0, quante() - 1);
    if (hasFocus())
        m_etichette.at(m_fuoco)->setLineWidth(3);
}

void GrigliaEtichette::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Left:
        spostaFuoco(m_fuoco - 1);
        break;
    case Qt::Key_Right:
        spostaFuoco(m_fuoco + 1);
        break;
    case Qt::Key_Up:
        spostaFuoco(m_fuoco - m_colonne);
        break;
    case Qt::Key_Down:
        spostaFuoco(m_fuoco + m_colonne);
        break;
    case Qt::Key_Space:
        if (quante() > 0)
            segnala(m_fuoco);
        break;
    default:
        QWidget::keyPressEvent(evento);
        return;
    }
    evento->accept();
}

void GrigliaEtichette::focusInEvent(QFocusEvent* evento) {
    QWidget::focusInEvent(evento);
    spostaFuoco(m_fuoco);
}

void GrigliaEtichette::focusOutEvent(QFocusEvent* evento) {
    QWidget::focusOutEvent(evento);
    if (quante() > 0)
        m_etichette.at(m_fuoco)->setLineWidth(1);
}

} // namespace sestina
