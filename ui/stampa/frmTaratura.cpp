#include "frmTaratura.h"

#include "Corpo.h"
#include "DialoghiFile.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "Finestre.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"
#include "SceltaStampante.h"
#include "StampaSchede.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace sestina {

// Destroying the window takes the focus from its fields, which then end their editing: by then
// this object is half destroyed, so nothing may answer.
frmTaratura::~frmTaratura() {
    for (QLineEdit* campo : m_campi)
        if (campo)
            campo->disconnect(this);
}

frmTaratura::frmTaratura(TipoScheda tipo, Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent)
    : QDialog(parent), m_tipo(tipo), m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi),
      m_stampante(StampantePredefinita()), m_scala(tipo == TipoScheda::DueColonne ? 10 : 100) {
    const bool due = tipo == TipoScheda::DueColonne;
    setObjectName(due ? QStringLiteral("frmTaratura2SS") : QStringLiteral("frmTaratura5SS"));
    setWindowTitle(due ? QStringLiteral("Taratura Scheda 2 Colonne") : QStringLiteral("Taratura Scheda 5 Colonne"));
    CentraAllaComparsa(*this);

    QGridLayout* griglia = creaCoppie();
    creaQualitaEStampante(griglia);
    QVBoxLayout* comandi = creaComandi();
    auto* principale = new QHBoxLayout(this);
    principale->addLayout(griglia);
    principale->addLayout(comandi);
    carica();
}

QGridLayout* frmTaratura::creaCoppie() {
    struct Gruppo {
        QString titolo;
        const char* nomeFrame;
        Campo campi[2];
        const char* barre[2];
        const char* testi[2];
    };
    const Gruppo gruppi[4] = {
        {QStringLiteral("Distanza tra Numeri"), "frameDistanza", {X, Y}, {"VsX", "VsY"}, {"labX", "labY"}},
        {QStringLiteral("Pannello Numeri"), "framePannello", {Left, Top}, {"vsLeft", "VsTop"}, {"labLeft", "labTop"}},
        {QStringLiteral("Posiz. Intestazione"),
         "frameIntestazione",
         {WebX, WebY},
         {"vsWebX", "vsWebY"},
         {"labWebX", "labWebY"}},
        {QStringLiteral("Nome Sistema"), "frameNome", {NomeX, NomeY}, {"vsNomeX", "vsNomeY"}, {"labNomeX", "labNomeY"}},
    };
    auto* griglia = new QGridLayout;
    for (int g = 0; g < 4; ++g) {
        auto* frame = new QGroupBox(gruppi[g].titolo, this);
        frame->setObjectName(QString::fromLatin1(gruppi[g].nomeFrame));
        new QGridLayout(frame);
        for (int k = 0; k < 2; ++k)
            creaValore(gruppi[g].campi[k], k, gruppi[g].barre[k], gruppi[g].testi[k], frame);
        if (g == 0)
            frame->setEnabled(false);
        griglia->addWidget(frame, g / 2, g % 2);
    }
    return griglia;
}

void frmTaratura::creaValore(Campo c, int riga, const char* barra, const char* testo, QGroupBox* frame) {
    auto* righe = static_cast<QGridLayout*>(frame->layout());
    auto* asse = new QLabel(riga == 0 ? QStringLiteral("X :") : QStringLiteral("Y :"), frame);
    righe->addWidget(asse, riga, 0);
    // A value is typed here too: the scroll bar alone moves by one step a click.
    m_campi[c] = new QLineEdit(frame);
    m_campi[c]->setObjectName(QString::fromLatin1(testo));
    m_campi[c]->setMaximumWidth(90);
    m_campi[c]->setToolTip(QStringLiteral("Millimetri: scrivere il valore e premere Invio"));
    asse->setBuddy(m_campi[c]);
    righe->addWidget(m_campi[c], riga, 1);
    connect(m_campi[c], &QLineEdit::editingFinished, this, [this, c] { scrivi(c); });
    m_barre[c] = new QScrollBar(Qt::Vertical, frame);
    m_barre[c]->setObjectName(QString::fromLatin1(barra));
    m_barre[c]->setRange(0, 300 * m_scala);
    m_barre[c]->setSingleStep(1);
    m_barre[c]->setPageStep(m_scala);
    m_barre[c]->setFixedHeight(40);
    righe->addWidget(m_barre[c], riga, 2);
    connect(m_barre[c], &QScrollBar::valueChanged, this, [this, c](int v) { scorri(c, v); });
}

void frmTaratura::creaQualitaEStampante(QGridLayout* griglia) {
    auto* qualita = new QGroupBox(QStringLiteral("Qualita' di stampa"), this);
    qualita->setObjectName(QStringLiteral("frameQualita"));
    auto* rigaQualita = new QHBoxLayout(qualita);
    const QString opzioni[2] = {QStringLiteral("&Normale"), QStringLiteral("&Bassa")};
    for (int i = 0; i < 2; ++i) {
        m_opt[i] = new OpzioneEvidenziata(opzioni[i], qualita);
        m_opt[i]->setObjectName(QStringLiteral("optColor_%1").arg(i));
        m_opt[i]->setAutoFillBackground(true);
        rigaQualita->addWidget(m_opt[i]);
        connect(m_opt[i], &QRadioButton::clicked, this, [this, i] { optColor_Click(i); });
    }
    auto* frameStampante = new QGroupBox(QStringLiteral("&Stampante"), this);
    frameStampante->setObjectName(QStringLiteral("frameStampante"));
    m_cmbStampante = new SceltaStampante(frameStampante);
    (new QVBoxLayout(frameStampante))->addWidget(m_cmbStampante);
    griglia->addWidget(qualita, 2, 0);
    griglia->addWidget(frameStampante, 2, 1);
}

QVBoxLayout* frmTaratura::creaComandi() {
    const bool due = m_tipo == TipoScheda::DueColonne;
    auto* immagine = new QLabel(this);
    immagine->setObjectName(QStringLiteral("Image1"));
    immagine->setPixmap(QIcon(due ? QStringLiteral(":/immagini/scheda2.svg") : QStringLiteral(":/immagini/scheda5.svg"))
                            .pixmap(due ? QSize(140, 210) : QSize(210, 140)));
    auto* comandi = new QVBoxLayout;
    const std::pair<const char*, QString> pulsanti[4] = {{"cmdTest", QStringLiteral("Test Taratura")},
                                                         {"cmdSalva", QStringLiteral("Salva Taratura")},
                                                         {"cmdAnteprima", QStringLiteral("&Anteprima")},
                                                         {"cmdPdf", QStringLiteral("Salva &PDF")}};
    void (frmTaratura::*azioni[4])() = {&frmTaratura::cmdTest_Click, &frmTaratura::cmdSalva_Click,
                                        &frmTaratura::cmdAnteprima_Click, &frmTaratura::cmdPdf_Click};
    comandi->addWidget(immagine);
    for (int i = 0; i < 4; ++i) {
        auto* p = new QPushButton(pulsanti[i].second, this);
        p->setObjectName(QString::fromLatin1(pulsanti[i].first));
        p->setAutoDefault(false);
        connect(p, &QPushButton::clicked, this, azioni[i]);
        comandi->addWidget(p);
    }
    comandi->addStretch();
    return comandi;
}

void frmTaratura::carica() {
    m_taratura = LeggiTaratura(m_corpo.cartellaDati, m_tipo);
    m_cmbStampante->carica(m_taratura.stampante, m_ui);
    for (int c = 0; c < Campi; ++c) {
        const Campo campo = static_cast<Campo>(c);
        const int posizione = PosizioneScorrimento(valore(campo), m_scala);
        const QSignalBlocker silenzio(m_barre[c]);
        m_barre[c]->setValue(posizione);
        scorri(campo, m_barre[c]->value()); // the window holds positions to its step
    }
    optColor_Click(m_taratura.qualitaNormale() ? 0 : 1);
}

float& frmTaratura::valore(Campo c) {
    TaraturaScheda& t = m_taratura;
    float* campi[Campi] = {&t.distanzaX,     &t.distanzaY,     &t.pannelloTop, &t.pannelloLeft,
                           &t.intestazioneX, &t.intestazioneY, &t.nomeX,       &t.nomeY};
    return *campi[c];
}

void frmTaratura::scorri(Campo c, int posizione) {
    valore(c) = static_cast<float>(posizione) / static_cast<float>(m_scala);
    m_campi[c]->setText(QLocale().toString(posizione / static_cast<double>(m_scala), 'g', 12));
}

void frmTaratura::scrivi(Campo c) {
    const QString testo = m_campi[c]->text().trimmed();
    // The locale's decimal mark, or a point; never a thousands mark.
    bool numero = false;
    double mm = 0;
    for (QLocale lingua : {QLocale(), QLocale::c()}) {
        lingua.setNumberOptions(QLocale::RejectGroupSeparator);
        if (!numero)
            mm = lingua.toDouble(testo, &numero);
    }
    const int posizione = numero && mm >= 0 ? PosizioneScorrimento(static_cast<float>(mm), m_scala) : -1;
    if (posizione < m_barre[c]->minimum() || posizione > m_barre[c]->maximum()) {
        m_ui.beep();
        scorri(c, m_barre[c]->value()); // the value in force comes back
        return;
    }
    m_barre[c]->setValue(posizione);
    scorri(c, m_barre[c]->value());
}

void frmTaratura::optColor_Click(int indice) {
    for (int i = 0; i < 2; ++i) {
        m_opt[i]->setChecked(i == indice);
        EvidenziaOpzione(*m_opt[i], i == indice);
    }
    m_taratura.qualita = indice == 0 ? QualitaNormale : QualitaBassa;
}

TaraturaScheda frmTaratura::perStampa() const {
    TaraturaScheda t = m_taratura;
    t.stampante = m_cmbStampante->currentText();
    return t;
}

void frmTaratura::cmdSalva_Click() {
    m_taratura.stampante = m_cmbStampante->currentText();
    try {
        SalvaTaratura(m_corpo.cartellaDati, m_tipo, m_taratura);
    } catch (const Errore& e) {
        MostraErrore(m_ui, e, QStringLiteral("cmdSalva_Click"), objectName());
    }
}

LavoroStampa frmTaratura::lavoro(const TaraturaScheda& t) {
    return
        [this, t](SuperficieStampa& s) { return StampaTestTaratura(m_tipo, t, m_corpo.intestazioneStampa, s, m_ui); };
}

void frmTaratura::cmdTest_Click() {
    if (m_stampante(lavoro(perStampa())) == EsitoUscita::NonScritta)
        MostraErrore(m_ui, Errore::comune(numeri_errore::Stampante), QStringLiteral("cmdTest_Click"), objectName());
}

void frmTaratura::cmdAnteprima_Click() {
    MostraAnteprima(this, lavoro(perStampa()));
}

void frmTaratura::cmdPdf_Click() {
    const QString file = m_dialoghi.salva(this, QDir::homePath(), QStringLiteral("taratura.pdf"),
                                          QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    if (ScriviPdf(file, lavoro(perStampa())) == EsitoUscita::NonScritta)
        MostraErrore(m_ui, ErroreDiScrittura(file), QStringLiteral("cmdPdf_Click"), objectName());
}

} // namespace sestina
