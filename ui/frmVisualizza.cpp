#include "frmVisualizza.h"

#include "Finestre.h"
#include "Formato.h"
#include "NavigatorePannelli.h"
#include "Sistema.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace sestina {

namespace {

constexpr qreal PuntiRighe = 13.0;

} // namespace

QString RigaVisualizza(const std::uint8_t* colonna) {
    // Joining avoids the dangling hyphen a zero in the last cell would otherwise leave.
    QString numeri;
    for (int j = 0; j < 6; ++j) {
        if (colonna[j] == 0)
            continue;
        if (!numeri.isEmpty())
            numeri += QLatin1Char('-');
        numeri += DueCifre(colonna[j]);
    }
    return QStringLiteral("  ") + numeri;
}

std::array<QString, ColonnePerPannello> RighePannello(const Sistema& sistema, int pannello) {
    std::array<QString, ColonnePerPannello> righe;
    // A count beyond the store would read past it; the store never holds more than the limit.
    const int colonne = ColonneValide(sistema);
    for (int r = 0; r < ColonnePerPannello; ++r) {
        const qint64 c = qint64{ColonnePerPannello} * pannello - (ColonnePerPannello - 1) + r;
        if (c >= 1 && c <= colonne)
            righe[static_cast<std::size_t>(r)] = RigaVisualizza(sistema.colonne.colonna(static_cast<int>(c)));
    }
    return righe;
}

frmVisualizza::frmVisualizza(const Sistema& sistema, QWidget* parent) : QDialog(parent), m_sistema(sistema) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmVisualizza"));
    setWindowTitle(QStringLiteral(" Visualizza"));
    setModal(true);
    setSizeGripEnabled(true);

    m_carattereRighe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_carattereRighe.setPointSizeF(PuntiRighe);
    m_carattereRighe.setBold(true);

    m_riquadro = new QFrame(this);
    m_riquadro->setObjectName(QStringLiteral("fraColonne"));
    m_riquadro->setFrameShape(QFrame::StyledPanel);
    m_riquadro->setFrameShadow(QFrame::Sunken);
    m_riquadro->setAutoFillBackground(true);
    m_riquadro->setBackgroundRole(QPalette::Base);
    auto* righe = new QVBoxLayout(m_riquadro);
    righe->setSpacing(0);
    for (int r = 0; r < ColonnePerPannello; ++r) {
        auto* riga = new QLabel(m_riquadro);
        riga->setObjectName(QStringLiteral("labVisualizza_%1").arg(r));
        riga->setFont(m_carattereRighe);
        riga->setForegroundRole(QPalette::Text);
        riga->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The lines follow the window's size through their font, so their own size must not
        // push the layout around.
        riga->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        righe->addWidget(riga, 1);
        m_righe[static_cast<std::size_t>(r)] = riga;
    }
    const QFontMetrics metrica(m_carattereRighe);
    const QMargins margini = righe->contentsMargins() + m_riquadro->contentsMargins();
    const int larghezza = metrica.horizontalAdvance(QStringLiteral("  00-00-00-00-00-00  "));
    m_riquadro->setMinimumSize(larghezza + margini.left() + margini.right(),
                               ColonnePerPannello * metrica.lineSpacing() + margini.top() + margini.bottom());

    auto* lblPannello = new QLabel(QStringLiteral("* Pannello n."), this);
    lblPannello->setObjectName(QStringLiteral("lblPannello"));
    m_numeroPannello = new QLabel(this);
    m_numeroPannello->setObjectName(QStringLiteral("labNscheda"));
    QFont grassetto = m_numeroPannello->font();
    grassetto.setBold(true);
    m_numeroPannello->setFont(grassetto);
    m_numeroPannello->setMinimumWidth(QFontMetrics(grassetto).horizontalAdvance(QStringLiteral("0000000")));
    auto* lblInfo = new QLabel(QStringLiteral("* 1 Pannello = 10 Colonne"), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));

    m_navigatore = new NavigatorePannelli(10, this);
    m_navigatore->setObjectName(QStringLiteral("navigatore"));

    auto* pannello = new QHBoxLayout;
    pannello->addWidget(lblPannello);
    pannello->addWidget(m_numeroPannello);
    pannello->addStretch(1);
    pannello->addWidget(lblInfo);

    auto* finestra = new QVBoxLayout(this);
    finestra->addWidget(m_riquadro, 1);
    finestra->addLayout(pannello);
    finestra->addWidget(m_navigatore);

    const int colonne = ColonneValide(m_sistema);
    m_navigatore->impostaLimiti(1, NumeroPannelli(colonne, ColonnePerPannello));
    connect(m_navigatore, &NavigatorePannelli::pannelloCambiato, this, &frmVisualizza::mostraPannello);
    mostraPannello(m_navigatore->corrente());

    adjustSize();
    setMinimumSize(size());
    m_dimensioneIniziale = size();
}

void frmVisualizza::mostraPannello(int pannello) {
    const auto righe = RighePannello(m_sistema, pannello);
    for (std::size_t r = 0; r < righe.size(); ++r)
        m_righe[r]->setText(righe[r]);
    m_numeroPannello->setText(QString::number(pannello));
}

void frmVisualizza::adattaCarattere() {
    if (m_dimensioneIniziale.isEmpty())
        return;
    // Scales the lines with the window, as far as the narrower direction allows.
    const qreal scala =
        std::min(qreal(width()) / m_dimensioneIniziale.width(), qreal(height()) / m_dimensioneIniziale.height());
    QFont f = m_carattereRighe;
    f.setPointSizeF(PuntiRighe * std::max(scala, qreal(1)));
    for (QLabel* riga : m_righe)
        riga->setFont(f);
}

void frmVisualizza::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    adattaCarattere();
}

} // namespace sestina
