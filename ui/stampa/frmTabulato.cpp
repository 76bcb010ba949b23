#include "frmTabulato.h"

#include "Configurazione.h"
#include "Corpo.h"
#include "DialoghiFile.h"
#include "ErroriFile.h"
#include "Interfaccia.h"
#include "Tabulato.h"
#include "frmImpostazioni.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

namespace sestina {

frmTabulato::frmTabulato(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi, QWidget* parent)
    : QDialog(parent), m_corpo(corpo), m_ui(ui), m_dialoghi(dialoghi), m_stampante(StampantePredefinita()) {
    setObjectName(QStringLiteral("frmTabulato"));
    setWindowTitle(QStringLiteral("Stampa Tabulato"));
    auto casella = [this](const char* nome, const QString& testo) {
        auto* c = new QCheckBox(testo, this);
        c->setObjectName(QString::fromLatin1(nome));
        c->setChecked(true);
        return c;
    };
    m_chkCol = casella("chkCol", QStringLiteral("C&olonne"));
    m_chkProno = casella("chkProno", QStringLiteral("&Pronostico"));
    m_chkColor = casella("chkColor", QStringLiteral("A colori"));
    auto* label2 = new QLabel(QStringLiteral("Copie"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_labCopie = new QLabel(QStringLiteral("1"), this);
    m_labCopie->setObjectName(QStringLiteral("labCopie"));
    m_vsCopie = new QScrollBar(Qt::Vertical, this);
    m_vsCopie->setObjectName(QStringLiteral("VsCopie"));
    m_vsCopie->setRange(1, 20);
    m_vsCopie->setFixedHeight(40);
    connect(m_vsCopie, &QScrollBar::valueChanged, this, [this](int v) { m_labCopie->setText(QString::number(v)); });
    QLabel* loghi[2];
    for (int i = 0; i < 2; ++i) {
        loghi[i] = new QLabel(this);
        loghi[i]->setObjectName(i == 0 ? QStringLiteral("logoBW") : QStringLiteral("logoColor"));
        loghi[i]->setPixmap(QPixmap::fromImage(LogoTabulato(i == 1)).scaledToWidth(160, Qt::SmoothTransformation));
    }
    auto pulsante = [this](const char* nome, const QString& testo, void (frmTabulato::*azione)()) {
        auto* p = new QPushButton(testo, this);
        p->setObjectName(QString::fromLatin1(nome));
        p->setAutoDefault(false);
        connect(p, &QPushButton::clicked, this, azione);
        return p;
    };
    auto* griglia = new QGridLayout(this);
    griglia->addWidget(m_chkCol, 0, 0);
    griglia->addWidget(m_chkProno, 1, 0);
    griglia->addWidget(m_chkColor, 2, 0);
    griglia->addWidget(label2, 0, 1);
    griglia->addWidget(m_labCopie, 1, 1);
    griglia->addWidget(m_vsCopie, 0, 2, 2, 1);
    griglia->addWidget(loghi[0], 3, 0);
    griglia->addWidget(loghi[1], 3, 1, 1, 2);
    griglia->addWidget(pulsante("cmdStampa", QStringLiteral("&Stampa"), &frmTabulato::cmdStampa_Click), 0, 3);
    griglia->addWidget(
        pulsante("cmdImpostazioni", QStringLiteral("&Impostazioni"), &frmTabulato::cmdImpostazioni_Click), 1, 3);
    griglia->addWidget(pulsante("cmdAnteprima", QStringLiteral("&Anteprima"), &frmTabulato::cmdAnteprima_Click), 2, 3);
    griglia->addWidget(pulsante("cmdPdf", QStringLiteral("Salva &PDF"), &frmTabulato::cmdPdf_Click), 3, 3);
}

OpzioniTabulato frmTabulato::opzioni() const {
    OpzioniTabulato o;
    o.colonne = m_chkCol->isChecked();
    o.pronostico = m_chkProno->isChecked();
    o.copie = m_vsCopie->value();
    return o;
}

LavoroStampa frmTabulato::lavoro() {
    const OpzioniTabulato o = opzioni();
    const QImage logo = LogoTabulato(m_chkColor->isChecked());
    return [this, o, logo](SuperficieStampa& s) { return StampaTabulato(m_corpo, o, logo, s, m_ui); };
}

void frmTabulato::cmdStampa_Click() {
    setEnabled(false);
    const EsitoUscita esito = m_stampante(lavoro());
    setEnabled(true);
    if (esito == EsitoUscita::NonScritta)
        MostraErrore(m_ui, Errore::comune(numeri_errore::Stampante), QStringLiteral("cmdStampa_Click"), objectName());
}

void frmTabulato::cmdImpostazioni_Click() {
    {
        frmImpostazioni finestra(m_corpo, m_ui, this);
        finestra.exec();
    }
    LeggiConfigurazione(m_corpo, m_ui);
}

void frmTabulato::cmdAnteprima_Click() {
    MostraAnteprima(this, lavoro());
}

void frmTabulato::cmdPdf_Click() {
    const QString file = m_dialoghi.salva(this, QDir::homePath(), QStringLiteral("tabulato.pdf"),
                                          QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    setEnabled(false);
    const EsitoUscita esito = ScriviPdf(file, lavoro());
    setEnabled(true);
    if (esito == EsitoUscita::NonScritta)
        MostraErrore(m_ui, ErroreDiScrittura(file), QStringLiteral("cmdPdf_Click"), objectName());
}

} // namespace sestina
