#include "frmAbout.h"

#include "Errore.h"
#include "Finestre.h"
#include "Interfaccia.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace sestina {

namespace {

QString TestoVersione() {
    return QStringLiteral("Versione %1.%2.%3")
        .arg(SESTINA_VERSIONE_MAJOR)
        .arg(SESTINA_VERSIONE_MINOR)
        .arg(SESTINA_VERSIONE_REVISION);
}

} // namespace

ServiziInformazioni ServiziInformazioni::predefiniti() {
    return {
        [] { return CercaInfoSistema(); },
        [](const QString& programma) { return QProcess::startDetached(programma, {}); },
        [](const QUrl& indirizzo) { return QDesktopServices::openUrl(indirizzo); },
    };
}

QString CercaInfoSistema([[maybe_unused]] const QStringList& cartelle) {
#ifdef Q_OS_WIN
    const QSettings msinfo(QStringLiteral(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO)"),
                           QSettings::NativeFormat);
    const QString percorso = msinfo.value(QStringLiteral("PATH")).toString();
    if (!percorso.isEmpty())
        return percorso;
    const QSettings posizione(QStringLiteral(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools Location)"),
                              QSettings::NativeFormat);
    const QString cartella = posizione.value(QStringLiteral("MSINFO")).toString();
    if (cartella.isEmpty())
        return {};
    const QString eseguibile = cartella + QStringLiteral("\\MSINFO32.EXE");
    return QFileInfo::exists(eseguibile) ? eseguibile : QString();
#else
    // Graphical tools only: a terminal one would start invisibly from a window.
    static const char* const noti[] = {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "lshw-gtk"};
    for (const char* nome : noti) {
        QString trovato = QStandardPaths::findExecutable(QLatin1String(nome), cartelle);
        if (!trovato.isEmpty())
            return trovato;
    }
    return {};
#endif
}

frmAbout::frmAbout(Interfaccia& ui, const QString& edizione, QWidget* parent, ServiziInformazioni servizi)
    : QDialog(parent), m_ui(ui), m_servizi(std::move(servizi)) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni su ") + TitoloApplicazione);
    setModal(true);

    auto* immagine = new QLabel(this);
    immagine->setObjectName(QStringLiteral("picLogo"));
    immagine->setPixmap(QIcon(QStringLiteral(":/immagini/logo.svg")).pixmap(QSize(96, 96)));
    immagine->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lblTitle = new QLabel(TitoloApplicazione, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titolo = lblTitle->font();
    titolo.setPointSizeF(titolo.pointSizeF() * 1.8);
    titolo.setBold(true);
    lblTitle->setFont(titolo);

    auto* lblVersion = new QLabel(TestoVersione(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDescription = new QLabel(QStringLiteral("Versione ") + edizione, this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));

    m_indirizzo = new QLabel(IndirizzoEditore, this);
    m_indirizzo->setObjectName(QStringLiteral("lbURL"));
    m_indirizzo->setToolTip(QStringLiteral("Click per aprire la pagina"));
    m_indirizzo->setCursor(Qt::PointingHandCursor);
    QFont sottolineato = m_indirizzo->font();
    sottolineato.setUnderline(true);
    m_indirizzo->setFont(sottolineato);
    QPalette blu = m_indirizzo->palette();
    blu.setColor(QPalette::WindowText, blu.color(QPalette::Link));
    m_indirizzo->setPalette(blu);
    m_indirizzo->installEventFilter(this);

    auto* testi = new QVBoxLayout;
    testi->addWidget(lblTitle);
    testi->addWidget(lblVersion);
    testi->addWidget(lblDescription);
    testi->addSpacing(8);
    testi->addWidget(m_indirizzo);
    testi->addStretch(1);

    auto* alto = new QHBoxLayout;
    alto->addWidget(immagine);
    alto->addSpacing(12);
    alto->addLayout(testi, 1);

    auto* linea = new QFrame(this);
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::infoSistema);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(cmdOK);
    pulsanti->addWidget(cmdSysInfo);

    auto* finestra = new QVBoxLayout(this);
    finestra->addLayout(alto);
    finestra->addWidget(linea);
    finestra->addLayout(pulsanti);
    finestra->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::infoSistema() {
    const QString strumento = m_servizi.cercaInfoSistema ? m_servizi.cercaInfoSistema() : QString();
    // A tool that is found but will not start is as unavailable as a missing one.
    if (!strumento.isEmpty() && m_servizi.avviaProgramma && m_servizi.avviaProgramma(strumento))
        return;
    m_ui.messaggio(QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase"),
                   TitoloApplicazione, Icona::Informazione, Pulsanti::Ok);
}

bool frmAbout::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == m_indirizzo && evento->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        // Pressing and sliding off the address is the usual way of changing one's mind.
        if (mouse->button() == Qt::LeftButton && m_indirizzo->rect().contains(mouse->position().toPoint()) &&
            m_servizi.apriIndirizzo)
            m_servizi.apriIndirizzo(QUrl(m_indirizzo->text()));
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace sestina
