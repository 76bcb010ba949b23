#include "frmOrdinaPronostico.h"

#include "Corpo.h"
#include "Formato.h"

#include <QApplication>
#include <QDateTime>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <random>

namespace sestina {

namespace {

const QString FormatoPosto = QStringLiteral("application/x-sestinaplan-posto-pronostico");
constexpr int Colonne = 10;
const QColor Scambiato(255, 255, 0);
// One colour per random round, so the player sees which numbers the last press moved.
const std::array<QColor, 5> ColoriCasuali = {QColor(255, 255, 0), QColor(128, 255, 128), QColor(255, 128, 255),
                                             QColor(128, 255, 255), QColor(255, 128, 0)};

const Sistema& ordineCrescente(Sistema& sistema) {
    AggiornaPronostico(sistema);
    return sistema;
}

void coloraTesto(QLabel& etichetta, const QColor& colore) {
    QPalette p = etichetta.palette();
    p.setColor(QPalette::WindowText, colore);
    etichetta.setPalette(p);
}

} // namespace

frmOrdinaPronostico::frmOrdinaPronostico(Corpo& corpo, QWidget* parent)
    : DialogoCondizione(corpo.sistema, QStringLiteral("Ordine Pronostico"), parent), m_corpo(corpo),
      m_ordine(ordineCrescente(corpo.sistema)), m_marca(QByteArray::number(QCoreApplication::applicationPid()) + '/' +
                                                        QByteArray::number(reinterpret_cast<quintptr>(this))) {
    setObjectName(QStringLiteral("frmOrdinaPronostico"));

    auto* rnd = new QPushButton(QStringLiteral("&Rnd"), this);
    rnd->setObjectName(QStringLiteral("cmdPronosticoRnd"));
    rnd->setToolTip(QStringLiteral("Ordina il pronostico in modo casuale"));
    rnd->setAutoDefault(false);
    connect(rnd, &QPushButton::clicked, this, &frmOrdinaPronostico::ordineCasuale);

    auto* titolo = new QLabel(QStringLiteral("Trascina i numeri per cambiargli posto"), this);
    titolo->setObjectName(QStringLiteral("titleOrdinePronostico"));
    titolo->setToolTip(QStringLiteral("Dalla tastiera: frecce per spostarsi, Spazio su un numero e poi Spazio su un "
                                      "altro per scambiarli"));

    QGroupBox* cornice = frameEsterno(QStringLiteral("frameOrdinePronostico"));
    auto* griglia = new QGridLayout(cornice);
    griglia->setSpacing(2);
    griglia->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int quanti = m_ordine.quanti();
    for (int i = 0; i < NumeriGioco; ++i) {
        auto* cella = new QLabel(QStringLiteral("00"), cornice);
        cella->setObjectName(QStringLiteral("labPronosticoOrdinato_%1").arg(i));
        cella->setAlignment(Qt::AlignCenter);
        cella->setFrameShape(QFrame::Box);
        cella->setAutoFillBackground(true);
        cella->setFixedSize(40, 28);
        QPalette p = cella->palette();
        p.setColor(QPalette::Window, QColor(0, 0, 192));
        p.setColor(QPalette::WindowText, Qt::white);
        cella->setPalette(p);
        QFont f = cella->font();
        f.setBold(true);
        cella->setFont(f);
        const bool usata = i < quanti;
        cella->setProperty("tag", usata ? QStringLiteral("1") : QStringLiteral("0"));
        cella->setVisible(usata);
        if (usata) {
            cella->setText(DueCifre(m_ordine.numero(i)));
            cella->setAcceptDrops(true);
            cella->setFocusPolicy(Qt::StrongFocus);
            cella->installEventFilter(this);
        }
        m_etichette[static_cast<std::size_t>(i)] = cella;
        griglia->addWidget(cella, i / Colonne, i % Colonne);
    }

    m_trascinato = new QLabel(this);
    m_trascinato->setObjectName(QStringLiteral("l1"));
    m_trascinato->setAlignment(Qt::AlignCenter);
    m_trascinato->setMinimumWidth(34);

    auto* sopraRiga = new QHBoxLayout;
    sopraRiga->addWidget(titolo, 1);
    sopraRiga->addWidget(m_trascinato);
    sopraRiga->addWidget(rnd);
    auto* disposizione = new QVBoxLayout(this);
    disposizione->addLayout(sopraRiga);
    disposizione->addWidget(cornice);
}

QMimeData* frmOrdinaPronostico::datiTrascinamento(int posto) const {
    auto* dati = new QMimeData;
    dati->setData(FormatoPosto, m_marca + ' ' + QByteArray::number(posto));
    return dati;
}

int frmOrdinaPronostico::origine(const QMimeData* dati) const {
    if (!dati || !dati->hasFormat(FormatoPosto))
        return -1;
    const QList<QByteArray> parti = dati->data(FormatoPosto).split(' ');
    if (parti.size() != 2 || parti.at(0) != m_marca)
        return -1;
    bool ok = false;
    const int posto = parti.at(1).toInt(&ok);
    if (!ok || posto < 0 || posto >= m_ordine.quanti())
        return -1;
    return etichetta(posto)->property("tag").toString() == QLatin1String("1") ? posto : -1;
}

QLabel* frmOrdinaPronostico::etichetta(int posto) const {
    return m_etichette.at(static_cast<std::size_t>(posto));
}

int frmOrdinaPronostico::postoDi(QObject* oggetto) const {
    const auto trovata = std::find(m_etichette.begin(), m_etichette.end(), oggetto);
    return trovata == m_etichette.end() ? -1 : static_cast<int>(trovata - m_etichette.begin());
}

void frmOrdinaPronostico::mostra(int posto) {
    etichetta(posto)->setText(DueCifre(m_ordine.numero(posto)));
}

bool frmOrdinaPronostico::scambia(int a, int b, const QColor& colore) {
    if (!m_ordine.scambia(a, b))
        return false;
    for (const int posto : {a, b}) {
        mostra(posto);
        coloraTesto(*etichetta(posto), colore);
    }
    return true;
}

void frmOrdinaPronostico::sopra(int bersaglio, QDragMoveEvent& evento) {
    const int da = etichetta(bersaglio)->isEnabled() ? origine(evento.mimeData()) : -1;
    m_trascinato->setText(da >= 0 ? DueCifre(m_ordine.numero(da)) : QString());
    if (da >= 0)
        evento.acceptProposedAction();
    else
        evento.ignore();
}

void frmOrdinaPronostico::lascia(int bersaglio, QDropEvent& evento) {
    const int da = origine(evento.mimeData());
    const QLabel* su = etichetta(bersaglio);
    if (da < 0 || !su->isEnabled() || su->property("tag").toString() != QLatin1String("1") ||
        !scambia(da, bersaglio, Scambiato)) {
        evento.ignore();
        return;
    }
    m_trascinato->clear();
    evento.acceptProposedAction();
}

void frmOrdinaPronostico::tasto(int posto, QKeyEvent& evento) {
    const auto segnaPreso = [this](bool preso) {
        if (m_preso >= 0)
            etichetta(m_preso)->setFrameShadow(preso ? QFrame::Sunken : QFrame::Plain);
    };
    int verso = 0;
    switch (evento.key()) {
    case Qt::Key_Space:
        if (m_preso < 0) {
            m_preso = posto;
            segnaPreso(true);
            m_trascinato->setText(DueCifre(m_ordine.numero(posto)));
        } else {
            segnaPreso(false);
            scambia(m_preso, posto, Scambiato); // the same place twice just lets go
            m_preso = -1;
            m_trascinato->clear();
        }
        evento.accept();
        return;
    case Qt::Key_Left:
        verso = -1;
        break;
    case Qt::Key_Right:
        verso = 1;
        break;
    case Qt::Key_Up:
        verso = -Colonne;
        break;
    case Qt::Key_Down:
        verso = Colonne;
        break;
    default:
        evento.ignore();
        return;
    }
    const int nuovo = posto + verso;
    if (nuovo >= 0 && nuovo < m_ordine.quanti())
        etichetta(nuovo)->setFocus(Qt::OtherFocusReason);
    evento.accept();
}

bool frmOrdinaPronostico::eventFilter(QObject* oggetto, QEvent* evento) {
    const int posto = postoDi(oggetto);
    if (posto < 0)
        return DialogoCondizione::eventFilter(oggetto, evento);
    QLabel* questa = etichetta(posto);
    switch (evento->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::LeftButton) {
            m_premuto = posto;
            m_pressione = mouse->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (m_premuto != posto || !(mouse->buttons() & Qt::LeftButton) ||
            (mouse->position().toPoint() - m_pressione).manhattanLength() < QApplication::startDragDistance())
            break;
        m_premuto = -1;
        auto* trascinamento = new QDrag(questa);
        trascinamento->setMimeData(datiTrascinamento(posto));
        trascinamento->setPixmap(questa->grab());
        trascinamento->setHotSpot(m_pressione);
        trascinamento->exec(Qt::MoveAction);
        // Dropped, cancelled or let go outside: nothing is being dragged any more.
        m_trascinato->clear();
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_premuto = -1;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        sopra(posto, *static_cast<QDragMoveEvent*>(evento));
        return true;
    case QEvent::Drop:
        lascia(posto, *static_cast<QDropEvent*>(evento));
        return true;
    case QEvent::KeyPress:
        tasto(posto, *static_cast<QKeyEvent*>(evento));
        if (evento->isAccepted())
            return true;
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // A label draws no focus mark of its own.
        questa->setLineWidth(evento->type() == QEvent::FocusIn ? 3 : 1);
        break;
    default:
        break;
    }
    return DialogoCondizione::eventFilter(oggetto, evento);
}

void frmOrdinaPronostico::ordineCasuale() {
    std::mt19937 generatore(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
    m_corpo.coloreOrdineCasuale = (m_corpo.coloreOrdineCasuale + 1) % 5;
    const QColor& colore = ColoriCasuali[static_cast<std::size_t>(m_corpo.coloreOrdineCasuale)];
    if (m_preso >= 0) {
        etichetta(m_preso)->setFrameShadow(QFrame::Plain);
        m_preso = -1;
        m_trascinato->clear();
    }
    for (const auto& [a, b] : m_ordine.mescola(generatore))
        for (const int posto : {a, b})
            coloraTesto(*etichetta(posto), colore);
    for (int i = 0; i < m_ordine.quanti(); ++i)
        mostra(i);
}

void frmOrdinaPronostico::allaChiusura() {
    m_ordine.scriviIn(m_sistema);
}

} // namespace sestina
