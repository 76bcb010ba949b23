#include "NavigatorePannelli.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace sestina {

namespace {

struct DatiPulsante {
    const char* nome;
    const char* immagine;
    const char* suggerimento;
};

constexpr std::array<DatiPulsante, 6> Pulsanti{{
    {"cmdBOTTOM", ":/immagini/primo.svg", "Primo Pannello"},
    {"cmdPrev2", ":/immagini/indietro10.svg", "Indietro di 10 pannelli"},
    {"cmdPrev1", ":/immagini/indietro1.svg", "Indietro di 1 pannello"},
    {"cmdNext1", ":/immagini/avanti1.svg", "Avanti di 1 pannello"},
    {"cmdNext2", ":/immagini/avanti10.svg", "Avanti di 10 pannelli"},
    {"cmdTOP", ":/immagini/ultimo.svg", "Ultimo Pannello"},
}};

bool PassoRipetibile(ComandoPannello c) {
    return c != ComandoPannello::Primo && c != ComandoPannello::Ultimo;
}

// Keys that must keep their usual meaning: moving the focus, closing the window, modifiers
// on their own and combinations meant as shortcuts.
bool TastoRiservato(const QKeyEvent& e) {
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    switch (e.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

} // namespace

int PannelloDopo(ComandoPannello comando, int corrente, int primo, int ultimo, int passoGrande) {
    ultimo = std::max(ultimo, primo);
    int meta = corrente;
    switch (comando) {
    case ComandoPannello::Primo:
        return primo;
    case ComandoPannello::Ultimo:
        return ultimo;
    case ComandoPannello::Indietro2:
        meta = corrente - passoGrande;
        break;
    case ComandoPannello::Indietro1:
        meta = corrente - 1;
        break;
    case ComandoPannello::Avanti1:
        meta = corrente + 1;
        break;
    case ComandoPannello::Avanti2:
        meta = corrente + passoGrande;
        break;
    }
    return std::clamp(meta, primo, ultimo);
}

int NumeroPannelli(int elementi, int perPannello) {
    if (elementi <= 0 || perPannello <= 0)
        return 1;
    return elementi / perPannello + (elementi % perPannello != 0 ? 1 : 0);
}

NavigatorePannelli::NavigatorePannelli(int passoGrande, QWidget* parent)
    : QWidget(parent), m_passoGrande(std::max(passoGrande, 1)) {
    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(4);
    riga->addStretch(1);
    for (std::size_t i = 0; i < Pulsanti.size(); ++i) {
        const auto comando = static_cast<ComandoPannello>(i);
        auto* p = new QToolButton(this);
        p->setObjectName(QLatin1String(Pulsanti[i].nome));
        p->setIcon(QIcon(QLatin1String(Pulsanti[i].immagine)));
        p->setIconSize(QSize(32, 32));
        // Clicking must give the focus, or a held key could never repeat the step just clicked.
        p->setFocusPolicy(Qt::StrongFocus);
        connect(p, &QToolButton::clicked, this, [this, comando] { esegui(comando); });
        if (PassoRipetibile(comando))
            p->installEventFilter(this);
        m_pulsanti[i] = p;
        impostaSuggerimento(comando, QString::fromUtf8(Pulsanti[i].suggerimento));
        riga->addWidget(p);
        // A gap between the backward and the forward half.
        if (comando == ComandoPannello::Indietro1)
            riga->addSpacing(12);
    }
    riga->addStretch(1);
}

void NavigatorePannelli::impostaLimiti(int primo, int ultimo) {
    m_primo = primo;
    m_ultimo = std::max(ultimo, primo);
    vaiA(primo);
}

void NavigatorePannelli::vaiA(int pannello) {
    const int nuovo = std::clamp(pannello, m_primo, m_ultimo);
    if (nuovo == m_corrente)
        return;
    m_corrente = nuovo;
    Q_EMIT pannelloCambiato(m_corrente);
}

void NavigatorePannelli::esegui(ComandoPannello comando) {
    vaiA(PannelloDopo(comando, m_corrente, m_primo, m_ultimo, m_passoGrande));
}

void NavigatorePannelli::impostaSuggerimento(ComandoPannello comando, const QString& testo) {
    QToolButton* p = m_pulsanti[static_cast<std::size_t>(comando)];
    p->setToolTip(testo);
    p->setAccessibleName(testo);
}

bool NavigatorePannelli::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return QWidget::eventFilter(oggetto, evento);
    const auto* tasto = static_cast<QKeyEvent*>(evento);
    if (TastoRiservato(*tasto))
        return false;
    const auto trovato = std::find(m_pulsanti.begin(), m_pulsanti.end(), oggetto);
    if (trovato == m_pulsanti.end())
        return false;
    // Auto-repeated presses included: that is what makes a held key page on.
    esegui(static_cast<ComandoPannello>(trovato - m_pulsanti.begin()));
    return true;
}

} // namespace sestina
