#include "frmStampa.h"

#include "CampoCifre.h"
#include "Corpo.h"
#include "DialoghiFile.h"
#include "ErroriFile.h"
#include "Finestre.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"
#include "ProgressoStampa.h"
#include "StampaSchede.h"
#include "frmPrnInCorso.h"
#include "frmTaratura.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace sestina {
namespace {

// The progress window for the length of one job.
class ProgressoFinestra final : public ProgressoStampa {
public:
    ProgressoFinestra(Corpo& corpo, Interfaccia& ui, QWidget* genitore)
        : m_corpo(corpo), m_ui(ui), m_genitore(genitore) {}
    void apri() override {
        m_finestra = std::make_unique<frmPrnInCorso>(m_corpo, m_ui, m_genitore);
        m_finestra->setWindowFlag(Qt::Window);
        CentraAllaComparsa(*m_finestra);
        m_finestra->show();
    }
    void scheda(const QString& etichetta) override {
        if (m_finestra)
            m_finestra->impostaScheda(etichetta);
    }
    void chiudi() override { m_finestra.reset(); }

private:
    Corpo& m_corpo;
    Interfaccia& m_ui;
    QWidget* m_genitore;
    std::unique_ptr<frmPrnInCorso> m_finestra;
};

} // namespace

frmStampa::frmStampa(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi), m_stampante(StampantePredefinita()) {
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(QStringLiteral("Stampa Schedine"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    CentraAllaComparsa(*this, true); // opened again for every job

    auto* immagini = new QHBoxLayout;
    QGroupBox* frame = creaTipoScheda(immagini);
    QGridLayout* campi = creaIntervallo();
    QVBoxLayout* comandi = creaComandi();
    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(frame);
    sinistra->addLayout(campi);
    sinistra->addStretch();
    auto* principale = new QHBoxLayout(this);
    principale->addLayout(sinistra);
    principale->addLayout(immagini);
    principale->addLayout(comandi);

    m_corpo.tipoScheda = 0;
    optTipoScheda_Click(0);
}

QGroupBox* frmStampa::creaTipoScheda(QHBoxLayout* immagini) {
    auto* frame = new QGroupBox(QStringLiteral("Tipo schedina"), this);
    frame->setObjectName(QStringLiteral("frameTipoScheda"));
    auto* righeTipo = new QVBoxLayout(frame);
    const QString didascalie[2] = {QStringLiteral("&2 Colonne"), QStringLiteral("&5 Colonne")};
    const QString figure[2] = {QStringLiteral(":/immagini/scheda2.svg"), QStringLiteral(":/immagini/scheda5.svg")};
    for (int i = 0; i < 2; ++i) {
        m_opt[i] = new OpzioneEvidenziata(didascalie[i], frame);
        m_opt[i]->setObjectName(QStringLiteral("optTipoScheda_%1").arg(i));
        m_opt[i]->setAutoFillBackground(true);
        righeTipo->addWidget(m_opt[i]);
        connect(m_opt[i], &QRadioButton::clicked, this, [this, i] { optTipoScheda_Click(i); });
        m_img[i] = new QLabel(this);
        m_img[i]->setObjectName(QStringLiteral("imgScheda_%1").arg(i));
        m_img[i]->setPixmap(QIcon(figure[i]).pixmap(i == 0 ? QSize(160, 240) : QSize(240, 160)));
        // Both pictures take the same room, so the window keeps its size when the kind changes.
        m_img[i]->setFixedSize(240, 240);
        m_img[i]->setAlignment(Qt::AlignCenter);
        immagini->addWidget(m_img[i]);
    }
    return frame;
}

QGridLayout* frmStampa::creaIntervallo() {
    auto* label1 = new QLabel(QStringLiteral(" Totale schedine"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_labSchede = new QLabel(this);
    m_labSchede->setObjectName(QStringLiteral("labSchede"));
    auto* label2 = new QLabel(QStringLiteral("Da"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_txtDa = new CampoCifre(CampoCifre::Cifre::Intere, m_ui, this);
    m_txtDa->setObjectName(QStringLiteral("txtDa"));
    auto* label3 = new QLabel(QStringLiteral("a"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    m_txtA = new CampoCifre(CampoCifre::Cifre::Intere, m_ui, this);
    m_txtA->setObjectName(QStringLiteral("txtA"));
    for (CampoCifre* campo : {m_txtDa, m_txtA})
        campo->setMaxLength(9);
    // Enter walks from 'Da' to 'A' to the print button.
    connect(m_txtDa, &CampoCifre::invio, this, [this] { m_txtA->setFocus(); });
    connect(m_txtA, &CampoCifre::invio, this, [this] { m_cmdStampa->setFocus(); });

    auto* campi = new QGridLayout;
    campi->addWidget(label1, 0, 0);
    campi->addWidget(m_labSchede, 0, 1);
    campi->addWidget(label2, 1, 0);
    campi->addWidget(m_txtDa, 1, 1);
    campi->addWidget(label3, 2, 0);
    campi->addWidget(m_txtA, 2, 1);
    return campi;
}

QVBoxLayout* frmStampa::creaComandi() {
    m_cmdStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    m_cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    auto* taratura = new QPushButton(QStringLiteral("&Taratura"), this);
    taratura->setObjectName(QStringLiteral("cmdTaratura"));
    auto* anteprima = new QPushButton(QStringLiteral("&Anteprima"), this);
    anteprima->setObjectName(QStringLiteral("cmdAnteprima"));
    auto* pdf = new QPushButton(QStringLiteral("Salva &PDF"), this);
    pdf->setObjectName(QStringLiteral("cmdPdf"));
    connect(m_cmdStampa, &QPushButton::clicked, this, &frmStampa::cmdStampa_Click);
    connect(taratura, &QPushButton::clicked, this, &frmStampa::cmdTaratura_Click);
    connect(anteprima, &QPushButton::clicked, this, &frmStampa::cmdAnteprima_Click);
    connect(pdf, &QPushButton::clicked, this, &frmStampa::cmdPdf_Click);
    auto* comandi = new QVBoxLayout;
    for (QPushButton* p : {m_cmdStampa, taratura, anteprima, pdf})
        comandi->addWidget(p);
    comandi->addStretch();
    return comandi;
}

frmStampa::~frmStampa() = default;

TipoScheda frmStampa::tipo() const {
    return m_corpo.tipoScheda == 0 ? TipoScheda::DueColonne : TipoScheda::CinqueColonne;
}

void frmStampa::optTipoScheda_Click(int indice) {
    const int t = indice == 0 ? 0 : 1;
    for (int i = 0; i < 2; ++i) {
        m_opt[i]->setChecked(i == t);
        EvidenziaOpzione(*m_opt[i], i == t);
        m_img[i]->setVisible(i == t);
    }
    m_corpo.tipoScheda = t;
    m_corpo.colonnePerScheda = static_cast<std::uint8_t>(t == 0 ? 2 : 5);
    const int schede = NumeroSchede(m_corpo.sistema.numeroColonne, m_corpo.colonnePerScheda);
    m_labSchede->setText(QString::number(schede));
    m_txtDa->setText(QStringLiteral("1"));
    m_txtA->setText(QString::number(schede));
}

LavoroStampa frmStampa::lavoro(ProgressoStampa* progresso) {
    const TipoScheda t = tipo();
    const QString da = m_txtDa->text();
    const QString a = m_txtA->text();
    return [this, t, da, a, progresso](SuperficieStampa& s) {
        const EsitoStampa esito = t == TipoScheda::DueColonne
                                      ? StampaScheda2ColonneSS(m_corpo, da, a, s, m_ui, progresso)
                                      : StampaScheda5ColonneSS(m_corpo, da, a, s, m_ui, progresso);
        return esito == EsitoStampa::Stampata || esito == EsitoStampa::Interrotta;
    };
}

void frmStampa::cmdStampa_Click() {
    setEnabled(false);
    ProgressoFinestra progresso(m_corpo, m_ui, this);
    const EsitoUscita esito = m_stampante(lavoro(&progresso));
    setEnabled(true);
    if (esito == EsitoUscita::NonScritta)
        MostraErrore(m_ui, Errore::comune(numeri_errore::Stampante), QStringLiteral("cmdStampa_Click"), objectName());
}

void frmStampa::cmdTaratura_Click() {
    frmTaratura finestra(tipo(), m_corpo, m_ui, m_dialoghi, this);
    finestra.impostaStampante(m_stampante);
    finestra.exec();
}

void frmStampa::cmdAnteprima_Click() {
    // Only the range is laid out, so a refusal is told before the preview opens.
    const int schede = NumeroSchede(m_corpo.sistema.numeroColonne, ColonnePerScheda(tipo()));
    if (!ControllaIntervallo(m_txtDa->text(), m_txtA->text(), schede, m_ui))
        return;
    MostraAnteprima(this, lavoro(nullptr));
}

void frmStampa::cmdPdf_Click() {
    const int schede = NumeroSchede(m_corpo.sistema.numeroColonne, ColonnePerScheda(tipo()));
    if (!ControllaIntervallo(m_txtDa->text(), m_txtA->text(), schede, m_ui))
        return;
    const QString file = m_dialoghi.salva(this, QDir::homePath(), QStringLiteral("schedine.pdf"),
                                          QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    setEnabled(false);
    const EsitoUscita esito = ScriviPdf(file, lavoro(nullptr));
    setEnabled(true);
    if (esito == EsitoUscita::NonScritta)
        MostraErrore(m_ui, ErroreDiScrittura(file), QStringLiteral("cmdPdf_Click"), objectName());
}

void frmStampa::closeEvent(QCloseEvent* evento) {
    QWidget::closeEvent(evento);
    if (evento->isAccepted())
        Q_EMIT chiusa();
}

} // namespace sestina
