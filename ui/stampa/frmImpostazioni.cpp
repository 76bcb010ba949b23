#include "frmImpostazioni.h"

#include "CampoCifre.h"
#include "Corpo.h"
#include "Errore.h"
#include "ImpostazioniStampa.h"
#include "Interfaccia.h"
#include "SceltaStampante.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    auto campo = [griglia](QLineEdit* c, const char* nome, int lunghezza, int riga) {
        c->setObjectName(QString::fromLatin1(nome));
        c->setMaxLength(lunghezza);
        griglia->addWidget(c, riga, 1);
    };
    etichetta("Label1", QStringLiteral("Intestazione stampa"), 0);
    m_mskIntestazione = new QLineEdit(this);
    campo(m_mskIntestazione, "mskIntestazione", LunghezzaMassimaIntestazione, 0);
    m_mskIntestazione->setMinimumWidth(380);
    etichetta("Label2", QStringLiteral("Costo Colonna SE"), 1);
    m_txtCostoCol = new CampoCifre(CampoCifre::Cifre::Decimali, m_ui, this);
    campo(m_txtCostoCol, "txtCostoCol", LunghezzaMassimaPrezzo, 1);
    etichetta("Label5", QStringLiteral("Costo Colonna SS"), 2);
    m_txtCostoColSS = new CampoCifre(CampoCifre::Cifre::Decimali, m_ui, this);
    campo(m_txtCostoColSS, "txtCostoColSS", LunghezzaMassimaPrezzo, 2);
    etichetta("Label3", QStringLiteral("Stampante Tabulato"), 3);
    m_cmbStampante = new SceltaStampante(this);
    griglia->addWidget(m_cmbStampante, 3, 1);
    auto* salva = new QPushButton(QStringLiteral("&Salva"), this);
    salva->setObjectName(QStringLiteral("cmdSalva"));
    salva->setAutoDefault(false);
    griglia->addWidget(salva, 4, 1, Qt::AlignRight);
    connect(salva, &QPushButton::clicked, this, &frmImpostazioni::cmdSalva_Click);

    m_mskIntestazione->setText(m_corpo.intestazioneStampa.left(LunghezzaMassimaIntestazione));
    m_txtCostoCol->setText(PrezzoMostrato(m_corpo.sistema.costoColonnaSE));
    m_txtCostoColSS->setText(PrezzoMostrato(m_corpo.sistema.costoColonnaSS));
    m_cmbStampante->carica(m_corpo.stampanteTabulato, m_ui);
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

} // namespace sestina
