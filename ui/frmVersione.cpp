#include "frmVersione.h"

#include "Finestre.h"
#include "frmAbout.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace sestina {

frmVersione::frmVersione(std::function<void(const QString&)> apriIndirizzo, QWidget* parent)
    : QDialog(parent), m_apriIndirizzo(std::move(apriIndirizzo)) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmVersione"));
    setWindowTitle(QStringLiteral("Nuova Versione Disponibile!!"));
    setModal(true);

    m_locale = new QLabel(QStringLiteral("00.00.00"), this);
    m_locale->setObjectName(QStringLiteral("lbLocalVersion"));
    m_server = new QLabel(QStringLiteral("00.00.00"), this);
    m_server->setObjectName(QStringLiteral("lbRemoteVersion"));
    m_server->setTextFormat(Qt::PlainText); // the server's line, never markup
    QFont grassetto = m_locale->font();
    grassetto.setBold(true);
    m_locale->setFont(grassetto);
    m_server->setFont(grassetto);

    m_collegamento = new QLabel(IndirizzoEditore, this);
    m_collegamento->setObjectName(QStringLiteral("lbURL"));
    m_collegamento->setToolTip(QStringLiteral("Click per aprire la pagina"));
    m_collegamento->setCursor(Qt::PointingHandCursor);
    m_collegamento->setFocusPolicy(Qt::StrongFocus);
    QFont sottolineato = m_collegamento->font();
    sottolineato.setUnderline(true);
    m_collegamento->setFont(sottolineato);
    QPalette blu = m_collegamento->palette();
    blu.setColor(QPalette::WindowText, Qt::blue);
    m_collegamento->setPalette(blu);
    m_collegamento->installEventFilter(this);

    auto* versioni = new QFormLayout;
    versioni->addRow(QStringLiteral("Versione Locale"), m_locale);
    versioni->addRow(QStringLiteral("Versione sul Server"), m_server);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(versioni);
    tutto->addWidget(m_collegamento, 0, Qt::AlignHCenter);
    tutto->setSizeConstraint(QLayout::SetFixedSize);
}

void frmVersione::mostraVersioni() {
    m_locale->setText(localVersion);
    m_server->setText(remoteVersion);
}

bool frmVersione::event(QEvent* evento) {
    if (evento->type() == QEvent::Show || evento->type() == QEvent::WindowActivate)
        mostraVersioni();
    return QDialog::event(evento);
}

bool frmVersione::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == m_collegamento && m_apriIndirizzo) {
        const bool click = evento->type() == QEvent::MouseButtonRelease &&
                           static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
        const bool tasto =
            evento->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space ||
                                                   static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Return);
        if (click || tasto) {
            m_apriIndirizzo(m_collegamento->text());
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace sestina
