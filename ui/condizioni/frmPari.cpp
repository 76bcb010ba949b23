#include "frmPari.h"

#include "InterruttoreOnOff.h"
#include "Sistema.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace sestina {

namespace {

// Row k: k even and 6-k odd numbers, the two counts under their headings.
QStringList DidascaliePari() {
    QStringList testi;
    for (int k = 0; k <= 6; ++k)
        testi << QStringLiteral("  %1                 %2").arg(k).arg(6 - k);
    return testi;
}

} // namespace

frmPari::frmPari(Sistema& sistema, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral("Pari e Dispari"), parent) {
    setObjectName(QStringLiteral("frmPari"));
    QGroupBox* frame = frameEsterno(QStringLiteral("framePariDispari"));

    m_righe = new GrigliaEtichette(QStringLiteral("labPariDispari"), DidascaliePari(), 1, frame);
    m_righe->setColori(ColoriCondizione());
    m_righe->setRapportoCella(5.0);
    for (int k = 0; k <= 6; ++k) {
        m_righe->etichetta(k)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_righe->etichetta(k)->setIndent(4);
    }
    auto* interruttore = new InterruttoreOnOff(QStringLiteral("optCondizione"), frame);

    // The headings are placed by hand over the two counts of the rows, wherever the rows' text falls.
    m_intestazioni = new QWidget(frame);
    m_pari = new QLabel(QStringLiteral("Pari"), m_intestazioni);
    m_pari->setObjectName(QStringLiteral("lblPari"));
    m_dispari = new QLabel(QStringLiteral("Dispari"), m_intestazioni);
    m_dispari->setObjectName(QStringLiteral("lblDispari"));
    m_intestazioni->setMinimumHeight(m_dispari->sizeHint().height());
    for (QObject* o : {static_cast<QObject*>(m_intestazioni), static_cast<QObject*>(m_righe),
                       static_cast<QObject*>(m_righe->etichetta(0))})
        o->installEventFilter(this);

    auto* griglia = new QGridLayout(frame);
    griglia->addWidget(m_intestazioni, 0, 0);
    griglia->addWidget(m_righe, 1, 0);
    griglia->addWidget(interruttore, 2, 0);

    auto* disposizione = new QVBoxLayout(this);
    disposizione->addWidget(frame);

    interruttore->collegaFlag(m_sistema.condPariDispari);
    for (int k = 0; k <= 6; ++k)
        if (m_sistema.pariAmmessi[static_cast<std::size_t>(k)] != 0)
            m_righe->setScelta(k, true);
    connect(m_righe, &GrigliaEtichette::commutata, this, &frmPari::commuta);
}

bool frmPari::eventFilter(QObject* oggetto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::FontChange:
    case QEvent::Show:
        allineaIntestazioni();
        break;
    default:
        break;
    }
    return DialogoCondizione::eventFilter(oggetto, evento);
}

// Each heading centred over its count in the first row: k is the first figure of the text, 6-k the last.
void frmPari::allineaIntestazioni() {
    const QLabel* riga = m_righe->etichetta(0);
    const QString testo = riga->text();
    const QFontMetrics misura(riga->font());
    const int inizio = riga->contentsRect().left() + riga->margin() + riga->indent();
    const auto centro = [&](qsizetype i) {
        const int x = inizio + misura.horizontalAdvance(testo.left(i)) + misura.horizontalAdvance(testo.at(i)) / 2;
        return m_intestazioni->mapFromGlobal(riga->mapToGlobal(QPoint(x, 0))).x();
    };
    qsizetype primo = 0;
    while (primo < testo.size() && testo.at(primo).isSpace())
        ++primo;
    qsizetype ultimo = testo.size() - 1;
    while (ultimo > primo && testo.at(ultimo).isSpace())
        --ultimo;
    const int altezza = m_intestazioni->height();
    for (const auto& [titolo, i] : {std::pair<QLabel*, qsizetype>{m_pari, primo}, {m_dispari, ultimo}}) {
        if (i >= testo.size())
            continue;
        const int larghezza = titolo->sizeHint().width();
        const int x = std::clamp(centro(i) - larghezza / 2, 0, std::max(0, m_intestazioni->width() - larghezza));
        titolo->setGeometry(x, 0, larghezza, altezza);
    }
}

void frmPari::commuta(int pari) {
    const bool scelta = !m_righe->scelta(pari);
    m_righe->setScelta(pari, scelta);
    m_sistema.pariAmmessi[static_cast<std::size_t>(pari)] = scelta ? Vero : Falso;
}

} // namespace sestina
