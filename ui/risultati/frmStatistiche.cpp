#include "frmStatistiche.h"

#include "Corpo.h"
#include "Download.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "Finestre.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"
#include "ZonaAttesa.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>

namespace sestina {
namespace {

const QString NomeFinestra = QStringLiteral("frmStatistiche");

const std::array<QString, 8> Didascalie = {QStringLiteral("&Consecutivi"), QStringLiteral("&Ripetuti"),
                                           QStringLiteral("&Pari"),        QStringLiteral("&Dispari"),
                                           QStringLiteral("&Somma"),       QStringLiteral("&Frequenza"),
                                           QStringLiteral("Ri&tardi"),     QStringLiteral("Ritardo &Max")};

// Bar labels keep their blanks only in a fixed-pitch face.
const qreal PuntiEtichette = 9.0;
// Space of a chart around its bars: title, legend, value axis.
constexpr int BordoGrafico = 150;

int AltezzaBarra() {
    return QFontMetrics(CarattereCourier(PuntiEtichette)).height() + 4;
}

} // namespace

frmStatistiche::frmStatistiche(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui) {
    setObjectName(NomeFinestra);
    setWindowTitle(QStringLiteral("Statistiche Archivio Estrazioni"));

    auto* scelte = new QGroupBox(QStringLiteral("Statistica"), this);
    scelte->setObjectName(QStringLiteral("fraStatistiche"));
    auto* colonna = new QVBoxLayout(scelte);
    for (std::size_t i = 0; i < Didascalie.size(); ++i) {
        auto* opzione = new QRadioButton(Didascalie[i], scelte);
        opzione->setObjectName(QStringLiteral("optStatistica_%1").arg(i));
        opzione->setAutoFillBackground(true);
        connect(opzione, &QRadioButton::clicked, this, [this, i] { mostraStatistica(TutteLeStatistiche[i]); });
        colonna->addWidget(opzione);
        m_opzioni << opzione;
    }
    colonna->addStretch(1);

    m_vista = new QChartView(new QChart, this);
    m_vista->setObjectName(QStringLiteral("grafico"));
    m_vista->setRenderHint(QPainter::Antialiasing);
    m_vista->setMinimumSize(560, 7 * AltezzaBarra() + BordoGrafico);
    // The charts of 90 numbers are taller than any screen: they scroll, one readable bar a line.
    m_scorrimento = new QScrollArea(this);
    m_scorrimento->setObjectName(QStringLiteral("scorrimentoGrafico"));
    m_scorrimento->setWidgetResizable(true);
    m_scorrimento->setFrameShape(QFrame::NoFrame);
    m_scorrimento->setWidget(m_vista);
    m_zona = new ZonaAttesa(m_scorrimento, QStringLiteral("lbElaborazione"),
                            QStringLiteral("Elaborazione in corso\r\nAttendere...."), this);

    auto* tutto = new QHBoxLayout(this);
    tutto->addWidget(scelte);
    tutto->addWidget(m_zona, 1);
    resize(900, 660);

    // The window's load: statistics files of earlier runs go, then the first refresh.
    PulisciFileStatistiche(CartellaTemp());
    refreshStat();
}

frmStatistiche::~frmStatistiche() = default;

QChart* frmStatistiche::grafico() const {
    return m_vista->chart();
}

void frmStatistiche::refreshStat() {
    m_fileStatistiche = PercorsoFileStatistiche(CartellaTemp(), QDateTime::currentDateTime());
    m_zona->mostraContenuto(false);
    m_ui.elaboraEventi();
    const Statistiche st = CalcolaStatistiche(m_corpo.archivioEstrazioni);
    m_tabelle = st.tabelle;
    if (!ScriviFileStatistiche(m_fileStatistiche, st.csv))
        MostraErrore(m_ui, ErroreDiScrittura(m_fileStatistiche), QStringLiteral("refreshStat"), NomeFinestra);
    m_zona->mostraContenuto(true);
    mostraStatistica(TipoStatistica::Consecutivi);
}

void frmStatistiche::mostraStatistica(TipoStatistica tipo) {
    const auto scelta = static_cast<qsizetype>(std::find(TutteLeStatistiche.begin(), TutteLeStatistiche.end(), tipo) -
                                               TutteLeStatistiche.begin());
    for (qsizetype i = 0; i < m_opzioni.size(); ++i) {
        m_opzioni[i]->setChecked(i == scelta);
        EvidenziaOpzione(*m_opzioni[i], i == scelta);
    }
    m_vista->hide();
    Occupato occupato(m_ui);

    // Horizontal bars: each label on a line of its own, the first bar on top.
    const std::vector<Barra> barre = BarreStatistica(m_tabelle, tipo);
    auto* serie = new QHorizontalBarSeries;
    auto* valori = new QBarSet(TitoloStatistica(tipo));
    QStringList etichette;
    int massimo = 0;
    for (std::size_t i = barre.size(); i-- > 0;) {
        const Barra& b = barre[i];
        *valori << b.valore;
        // The axis draws its labels as rich text, which would fold the blanks into one.
        etichette << QString(b.etichetta).replace(QLatin1Char(' '), QChar(0x00A0));
        massimo = std::max(massimo, b.valore);
    }
    serie->append(valori);
    serie->setBarWidth(0.7);

    auto* grafico = new QChart;
    grafico->setTitle(TitoloStatistica(tipo));
    grafico->addSeries(serie);
    auto* categorie = new QBarCategoryAxis;
    categorie->append(etichette);
    categorie->setLabelsFont(CarattereCourier(PuntiEtichette));
    categorie->setTruncateLabels(false);
    grafico->addAxis(categorie, Qt::AlignLeft);
    serie->attachAxis(categorie);
    auto* scala = new QValueAxis;
    scala->setRange(0, std::max(1, massimo));
    scala->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(scala, Qt::AlignBottom);
    serie->attachAxis(scala);
    grafico->legend()->setVisible(true);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    m_vista->setMinimumHeight(static_cast<int>(barre.size()) * AltezzaBarra() + BordoGrafico);

    QChart* vecchio = m_vista->chart();
    m_vista->setChart(grafico);
    delete vecchio;
    m_vista->show();
    m_scorrimento->ensureVisible(0, 0);
}

void frmStatistiche::closeEvent(QCloseEvent* evento) {
    hide();
    evento->setAccepted(m_corpo.chiusuraInCorso);
}

} // namespace sestina
