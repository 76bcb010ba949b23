#include "frmStatistiche.h"

#include "Corpo.h"
#include "Download.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "Finestre.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QValueAxis>

namespace sestina {
namespace {

const QString NomeFinestra = QStringLiteral("frmStatistiche");

const std::array<QString, 6> Didascalie = {QStringLiteral("&Consecutivi"), QStringLiteral("&Ripetuti"),
                                           QStringLiteral("&Pari"),        QStringLiteral("&Dispari"),
                                           QStringLiteral("&Somma"),       QStringLiteral("&Frequenza")};

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
    m_vista->setMinimumSize(720, 460);
    m_lbElaborazione = new QLabel(QStringLiteral("Elaborazione in corso\r\nAttendere...."), this);
    m_lbElaborazione->setObjectName(QStringLiteral("lbElaborazione"));
    m_lbElaborazione->setAlignment(Qt::AlignCenter);
    auto* zona = new QWidget(this);
    m_pila = new QStackedLayout(zona);
    m_pila->addWidget(m_vista);
    m_pila->addWidget(m_lbElaborazione);

    auto* tutto = new QHBoxLayout(this);
    tutto->addWidget(scelte);
    tutto->addWidget(zona, 1);

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
    m_pila->setCurrentWidget(m_lbElaborazione);
    m_ui.elaboraEventi();
    const Statistiche st = CalcolaStatistiche(m_corpo.archivioEstrazioni);
    m_tabelle = st.tabelle;
    if (!ScriviFileStatistiche(m_fileStatistiche, st.csv))
        MostraErrore(m_ui, ErroreDiScrittura(m_fileStatistiche), QStringLiteral("refreshStat"), NomeFinestra);
    m_pila->setCurrentWidget(m_vista);
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

    const std::vector<Barra> barre = BarreStatistica(m_tabelle, tipo);
    auto* serie = new QBarSeries;
    auto* valori = new QBarSet(TitoloStatistica(tipo));
    QStringList etichette;
    int massimo = 0;
    for (const Barra& b : barre) {
        *valori << b.valore;
        etichette << b.etichetta;
        massimo = std::max(massimo, b.valore);
    }
    serie->append(valori);

    auto* grafico = new QChart;
    grafico->setTitle(TitoloStatistica(tipo));
    grafico->addSeries(serie);
    auto* categorie = new QBarCategoryAxis;
    categorie->append(etichette);
    categorie->setLabelsFont(CarattereCourier(barre.size() > 10 ? 6.0 : 8.0));
    categorie->setTruncateLabels(false);
    if (barre.size() > 10)
        categorie->setLabelsAngle(-90);
    grafico->addAxis(categorie, Qt::AlignBottom);
    serie->attachAxis(categorie);
    auto* scala = new QValueAxis;
    scala->setRange(0, std::max(1, massimo));
    scala->setLabelFormat(QStringLiteral("%d"));
    grafico->addAxis(scala, Qt::AlignLeft);
    serie->attachAxis(scala);
    grafico->legend()->setVisible(true);
    grafico->legend()->setAlignment(Qt::AlignBottom);

    QChart* vecchio = m_vista->chart();
    m_vista->setChart(grafico);
    delete vecchio;
    m_vista->show();
}

void frmStatistiche::closeEvent(QCloseEvent* evento) {
    hide();
    if (m_corpo.chiusuraInCorso)
        evento->accept();
    else
        evento->ignore();
}

} // namespace sestina
