#include "Modali.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QWidget>

namespace sestina {

Modali::Modali() {
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { controlla(); });
    m_timer.start();
}

Modali::~Modali() = default;

void Modali::quandoAppare(std::function<void(QWidget*)> gestore) {
    m_gestori.push_back(std::move(gestore));
}

void Modali::controlla() {
    QWidget* modale = QApplication::activeModalWidget();
    if (!modale || !modale->isVisible() || modale == m_ultimo)
        return;
    if (m_gestori.empty())
        qFatal("Unexpected modal window: %s \"%s\"", qPrintable(modale->objectName()),
               qPrintable(modale->windowTitle()));
    m_ultimo = modale;
    auto gestore = std::move(m_gestori.front());
    m_gestori.pop_front();
    // Let the window finish showing before the handler closes it.
    QTimer::singleShot(0, modale, [gestore = std::move(gestore), modale, this] {
        gestore(modale);
        m_ultimo = nullptr;
    });
}

bool Fotografa(QWidget* w, const QString& nome) {
    const QDir cartella(QCoreApplication::applicationDirPath() + QStringLiteral("/finestre"));
    return cartella.mkpath(QStringLiteral(".")) && w->grab().save(cartella.filePath(nome));
}

namespace {

QList<int> ColonneCambiate(const QImage& prima, const QImage& dopo, const QWidget* w) {
    QList<int> centri;
    int inizio = -1;
    for (int x = 0; x <= prima.width(); ++x) {
        bool cambiata = false;
        for (int y = 0; x < prima.width() && y < prima.height() && !cambiata; ++y)
            cambiata = prima.pixel(x, y) != dopo.pixel(x, y);
        if (cambiata && inizio < 0)
            inizio = x;
        if (!cambiata && inizio >= 0) {
            centri << w->mapTo(w->window(), QPoint((inizio + x - 1) / 2, 0)).x();
            inizio = -1;
        }
    }
    return centri;
}

QString SenzaSbarre(QString testo) {
    return testo.replace(QLatin1Char('|'), QLatin1Char(' '));
}

} // namespace

namespace {

QList<int> SbarreEtichetta(QLabel* etichetta) {
    const QString testo = etichetta->text();
    const QImage con = etichetta->grab().toImage();
    etichetta->setText(SenzaSbarre(testo));
    const QImage senza = etichetta->grab().toImage();
    etichetta->setText(testo);
    return ColonneCambiate(con, senza, etichetta);
}

QList<int> SbarreRiga(QListWidget* lista, int riga) {
    QListWidgetItem* voce = lista->item(riga);
    const QString testo = voce->text();
    const QImage con = lista->viewport()->grab().toImage();
    voce->setText(SenzaSbarre(testo));
    const QImage senza = lista->viewport()->grab().toImage();
    voce->setText(testo);
    return ColonneCambiate(con, senza, lista->viewport());
}

} // namespace

QString SbarreNonAllineate(QLabel* intestazione, QListWidget* lista, int riga) {
    const QList<int> sopra = SbarreEtichetta(intestazione);
    const QList<int> sotto = SbarreRiga(lista, riga);
    bool allineate = !sopra.isEmpty() && sopra.size() == sotto.size();
    for (qsizetype i = 0; allineate && i < sopra.size(); ++i)
        allineate = qAbs(sopra.at(i) - sotto.at(i)) <= 1;
    if (allineate)
        return {};
    const auto testo = [](const QList<int>& l) {
        QStringList t;
        for (int x : l)
            t << QString::number(x);
        return t.join(QLatin1Char(' '));
    };
    return QStringLiteral("header bars at %1, row bars at %2").arg(testo(sopra), testo(sotto));
}

bool Centrata(const QWidget* finestra) {
    const QScreen* schermo = finestra->screen();
    const QPoint scarto = finestra->frameGeometry().center() - schermo->availableGeometry().center();
    if (scarto.manhattanLength() <= 2)
        return true;
    qWarning("%s stands %d, %d px off the centre", qPrintable(finestra->objectName()), scarto.x(), scarto.y());
    return false;
}

} // namespace sestina
