#include "Finestre.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace sestina {

void CentraForm(QWidget& finestra) {
    QScreen* schermo = finestra.screen() ? finestra.screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect cornice = finestra.frameGeometry();
    cornice.moveCenter(schermo->availableGeometry().center());
    finestra.move(cornice.topLeft());
}

namespace {

// Lives as a child of its window, so it goes with it.
class Centratore final : public QObject {
public:
    Centratore(QWidget& finestra, bool ogniVolta) : QObject(&finestra), m_ogniVolta(ogniVolta) {
        finestra.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        // The show event comes before the window is mapped, so it appears in its place at once.
        if (evento->type() == QEvent::Show && !evento->spontaneous() && (m_ogniVolta || !m_fatto)) {
            m_fatto = true;
            CentraForm(*static_cast<QWidget*>(oggetto));
        }
        return false;
    }

private:
    bool m_ogniVolta;
    bool m_fatto = false;
};

} // namespace

void CentraAllaComparsa(QWidget& finestra, bool ogniVolta) {
    new Centratore(finestra, ogniVolta);
}

QFont CarattereCourier(qreal punti) {
    QFont carattere(QStringLiteral("Courier New"));
    carattere.setStyleHint(QFont::TypeWriter);
    carattere.setFixedPitch(true);
    carattere.setPointSizeF(punti);
    return carattere;
}

void IntestazioneLista(QLabel& intestazione, const QString& testo, const QString& riga, const QListView& lista) {
    const QStringList titoli = testo.split(QLatin1Char('|'));
    const QStringList campi = riga.split(QLatin1Char('|'));
    QStringList allineati;
    for (qsizetype i = 0; i < titoli.size(); ++i) {
        const QString titolo = titoli.at(i).trimmed();
        const qsizetype spazio = i < campi.size() ? campi.at(i).size() : titolo.size() + 2;
        const qsizetype prima = std::max<qsizetype>(0, (spazio - titolo.size() + 1) / 2);
        allineati << (QString(prima, QLatin1Char(' ')) + titolo).leftJustified(spazio, QLatin1Char(' '));
    }
    intestazione.setFont(lista.font());
    intestazione.setText(allineati.join(QLatin1Char('|')));
    intestazione.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    intestazione.setMargin(0);
    // Where a list view starts an item's text: its frame, then the style's text margin.
    const int margine = lista.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &lista) + 1;
    intestazione.setIndent(lista.frameWidth() + margine);
}

void MostraModeless(QWidget& finestra) {
    if (finestra.isMinimized())
        finestra.showNormal();
    else
        finestra.show();
    finestra.raise();
    finestra.activateWindow();
}

void ScaricaForm(const QString& salvo) {
    for (QWidget* finestra : QApplication::topLevelWidgets())
        if (finestra->isVisible() && (salvo.isEmpty() || finestra->objectName() != salvo))
            finestra->close();
}

} // namespace sestina
