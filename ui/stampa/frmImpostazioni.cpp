#include "frmImpostazioni.h"

#include "Corpo.h"
#include "Errore.h"
#include "ImpostazioniStampa.h"
#include "Interfaccia.h"
#include "SuperficieQt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace sestina {

frmImpostazioni::frmImpostazioni(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QDialog(parent), m_corpo(corpo), m_ui(ui) {
    setObjectName(QStringLiteral("frmImpostazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    auto* griglia = new QGridLayout(this);
    auto etichetta = [this, griglia](const char* nome, const QString& testo, int riga) {
        auto* l = new QLabel(testo, this);
        l->setObjectName(QString::fromLatin1(nome));
        griglia->addWidget(l, riga, 0);
    };
    auto campo = [this, griglia](const char* nome, int lunghezza, int riga) {
        auto* c = new QLineEdit(this);
        c->setObjectName(QString::fromLatin1(nome));
        c->setMaxLength(lunghezza);
        griglia->addWidget(c, riga, 1);
        return c;
    };
    etichetta("Label1", QStringLiteral("Intestazione stampa"), 0);
    m_mskIntestazione = campo("mskIntestazione", LunghezzaMassimaIntestazione, 0);
    m_mskIntestazione->setMinimumWidth(380);
    etichetta("Label2", QStringLiteral("Costo Colonna SE"), 1);
    m_txtCostoCol = campo("txtCostoCol", LunghezzaMassimaPrezzo, 1);
    etichetta("Label5", QStringLiteral("Costo Colonna SS"), 2);
    m_txtCostoColSS = campo("txtCostoColSS", LunghezzaMassimaPrezzo, 2);
    etichetta("Label3", QStringLiteral("Stampante Tabulato"), 3);
    m_cmbStampante = new QComboBox(this);
    m_cmbStampante->setObjectName(QStringLiteral("cmbStampante"));
    griglia->addWidget(m_cmbStampante, 3, 1);
    auto* salva = new QPushButton(QStringLiteral("&Salva"), this);
    salva->setObjectName(QStringLiteral("cmdSalva"));
    salva->setAutoDefault(false);
    griglia->addWidget(salva, 4, 1, Qt::AlignRight);
    connect(salva, &QPushButton::clicked, this, &frmImpostazioni::cmdSalva_Click);
    for (QLineEdit* prezzo : {m_txtCostoCol, m_txtCostoColSS}) {
        prezzo->installEventFilter(this);
        // What may be typed may be pasted, and nothing else.
        prezzo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.,]*")), prezzo));
    }

    m_mskIntestazione->setText(m_corpo.intestazioneStampa.left(LunghezzaMassimaIntestazione));
    m_txtCostoCol->setText(PrezzoMostrato(m_corpo.sistema.costoColonnaSE));
    m_txtCostoColSS->setText(PrezzoMostrato(m_corpo.sistema.costoColonnaSS));
    const QStringList stampanti = SuperficieQt::StampantiInstallate();
    m_cmbStampante->addItems(stampanti);
    m_cmbStampante->setCurrentIndex(static_cast<int>(stampanti.indexOf(m_corpo.stampanteTabulato)));
    if (!stampanti.isEmpty() && m_cmbStampante->currentIndex() < 0) {
        m_ui.messaggio(QStringLiteral("Attenzione selezionare una stampante"), QStringLiteral("Importante"),
                       Icona::Critica, Pulsanti::Ok);
        m_cmbStampante->setCurrentIndex(0);
    } else if (stampanti.isEmpty()) {
        m_ui.messaggio(QStringLiteral("Attenzione nessuna stampante installata"), QStringLiteral("Importante"),
                       Icona::Critica, Pulsanti::Ok);
    }
}

void frmImpostazioni::cmdSalva_Click() {
    try {
        SalvaImpostazioni(m_corpo.fileConfigurazione, {m_txtCostoCol->text(), m_txtCostoColSS->text(),
                                                       m_mskIntestazione->text(), m_cmbStampante->currentText()});
    } catch (const Errore& e) {
        MostraErrore(m_ui, e, QStringLiteral("cmdSalva_Click"), objectName());
        return;
    }
    accept();
}

bool frmImpostazioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if ((oggetto == m_txtCostoCol || oggetto == m_txtCostoColSS) && evento->type() == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        for (const QKeySequence::StandardKey comune : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                                       QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo})
            if (tasto->matches(comune))
                return false;
        switch (tasto->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        const QString testo = tasto->text();
        if (testo.size() == 1 && ((testo[0] >= QLatin1Char('0') && testo[0] <= QLatin1Char('9')) ||
                                  testo[0] == QLatin1Char(',') || testo[0] == QLatin1Char('.')))
            return false;
        if (!testo.isEmpty()) {
            m_ui.beep();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace sestina
