#include "frmNuovaEstrazione.h"

#include "Finestre.h"
#include "ImportaEstrazioni.h"
#include "Interfaccia.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace sestina {
namespace {

QLineEdit* Casella(const QString& nome, int cifre, QWidget* genitore) {
    auto* casella = new QLineEdit(genitore);
    casella->setObjectName(nome);
    casella->setMaxLength(cifre);
    casella->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(cifre)), casella));
    casella->setAlignment(Qt::AlignCenter);
    casella->setFixedWidth(casella->fontMetrics().horizontalAdvance(QString(cifre + 2, QLatin1Char('0'))) + 12);
    return casella;
}

} // namespace

frmNuovaEstrazione::frmNuovaEstrazione(Interfaccia& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmNuovaEstrazione"));
    setWindowTitle(QStringLiteral("Nuova Estrazione"));

    m_data = new QDateEdit(QDate::currentDate(), this);
    m_data->setObjectName(QStringLiteral("txtData"));
    m_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_data->setCalendarPopup(true);
    m_concorso = Casella(QStringLiteral("txtConcorso"), 5, this);

    auto* numeri = new QHBoxLayout;
    for (std::size_t i = 0; i < 6; ++i) {
        m_caselle[i] = Casella(QStringLiteral("txtNumero_%1").arg(i), 2, this);
        numeri->addWidget(m_caselle[i]);
    }
    numeri->addStretch(1);
    m_caselle[6] = Casella(QStringLiteral("txtJolly"), 2, this);
    m_superstar = Casella(QStringLiteral("txtSuperStar"), 2, this);
    m_superstar->setToolTip(QStringLiteral("Vuota per le estrazioni senza SuperStar"));

    auto* campi = new QFormLayout;
    campi->addRow(QStringLiteral("&Data:"), m_data);
    campi->addRow(QStringLiteral("&Concorso:"), m_concorso);
    auto* etichettaNumeri = new QLabel(QStringLiteral("&Numeri:"), this);
    etichettaNumeri->setBuddy(m_caselle[0]);
    campi->addRow(etichettaNumeri, numeri);
    campi->addRow(QStringLiteral("&Jolly:"), m_caselle[6]);
    campi->addRow(QStringLiteral("&SuperStar:"), m_superstar);

    auto* pulsanti = new QDialogButtonBox(this);
    auto* aggiungi = pulsanti->addButton(QStringLiteral("&Aggiungi"), QDialogButtonBox::AcceptRole);
    aggiungi->setObjectName(QStringLiteral("cmdAggiungi"));
    aggiungi->setDefault(true);
    pulsanti->addButton(QStringLiteral("A&nnulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &frmNuovaEstrazione::conferma);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(campi);
    tutto->addWidget(pulsanti);
    m_concorso->setFocus();
}

frmNuovaEstrazione::~frmNuovaEstrazione() = default;

void frmNuovaEstrazione::conferma() {
    EstrazioneDigitata d;
    d.data = m_data->date().toString(QStringLiteral("dd/MM/yyyy"));
    d.concorso = m_concorso->text();
    for (std::size_t i = 0; i < m_caselle.size(); ++i)
        d.caselle[i] = m_caselle[i]->text();
    d.superstar = m_superstar->text();
    if (const auto errore = ValidaEstrazioneDigitata(d, m_estrazione)) {
        m_ui.messaggio(errore->testo, errore->titolo, Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    accept();
}

} // namespace sestina
