#include "frmSplash.h"

#include "Errore.h"
#include "Finestre.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace sestina {

namespace {

QLabel* Etichetta(QWidget* genitore, const char* nome, const QString& testo, qreal scala, bool grassetto) {
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(QLatin1String(nome));
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * scala);
    f.setBold(grassetto);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

frmSplash::frmSplash(const QString& edizione, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(TitoloApplicazione);
    setFocusPolicy(Qt::StrongFocus);

    m_cornice = new QFrame(this);
    m_cornice->setObjectName(QStringLiteral("Frame1"));
    m_cornice->setFrameShape(QFrame::Box);
    m_cornice->setLineWidth(2);
    m_cornice->installEventFilter(this);

    auto* immagine = new QLabel(m_cornice);
    immagine->setObjectName(QStringLiteral("picLogo"));
    immagine->setPixmap(QIcon(QStringLiteral(":/immagini/logo.svg")).pixmap(QSize(160, 160)));

    auto* lblProductName = Etichetta(m_cornice, "lblProductName", TitoloApplicazione, 2.6, true);
    auto* lblVersion = Etichetta(m_cornice, "lblVersion",
                                 QStringLiteral("Versione %1.%2.%3")
                                     .arg(SESTINA_VERSIONE_MAJOR)
                                     .arg(SESTINA_VERSIONE_MINOR)
                                     .arg(SESTINA_VERSIONE_REVISION),
                                 1.3, true);
    auto* lbVersion = Etichetta(m_cornice, "lbVersion", edizione, 1.3, false);

    auto* testi = new QVBoxLayout;
    testi->addStretch(1);
    testi->addWidget(lblProductName);
    testi->addSpacing(12);
    testi->addWidget(lblVersion);
    testi->addWidget(lbVersion);
    testi->addStretch(1);

    auto* dentro = new QHBoxLayout(m_cornice);
    dentro->setContentsMargins(24, 24, 32, 24);
    dentro->addWidget(immagine);
    dentro->addSpacing(32);
    dentro->addLayout(testi, 1);

    auto* finestra = new QVBoxLayout(this);
    finestra->setContentsMargins(6, 6, 6, 6);
    finestra->addWidget(m_cornice);
    finestra->setSizeConstraint(QLayout::SetFixedSize);
}

bool frmSplash::eventFilter(QObject* oggetto, QEvent* evento) {
    // Clicks on the labels reach the frame too, since labels do not take them.
    if (oggetto == m_cornice && evento->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}

void frmSplash::keyPressEvent(QKeyEvent* evento) {
    evento->accept();
    close();
}

void frmSplash::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    CentraForm(*this);
    // The key that closes it can only arrive once it has the keyboard.
    activateWindow();
}

} // namespace sestina
