#include "frmGeneraMatrice.h"

#include "FileMatrice.h"
#include "Formato.h"
#include "GeneraMatrice.h"
#include "Interfaccia.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sestina {

frmGeneraMatrice::frmGeneraMatrice(int v, QString cartellaMatrici, Interfaccia& ui, QWidget* parent)
    : QDialog(parent), m_v(v), m_cartella(std::move(cartellaMatrici)), m_ui(ui) {
    setObjectName(QStringLiteral("frmGeneraMatrice"));
    setWindowTitle(QStringLiteral("Genera Matrice di %1 numeri").arg(v));

    m_garanzia = new QSpinBox(this);
    m_garanzia->setObjectName(QStringLiteral("txtGaranzia"));
    // Past VMassimoCinqueSeSei numbers a "5 if 6" design would take too long to check.
    m_garanzia->setRange(2, v > VMassimoPerGaranzia(5) ? 4 : 5);
    m_garanzia->setValue(4);
    m_garanzia->setSuffix(QStringLiteral(" se 6"));
    m_secondi = new QSpinBox(this);
    m_secondi->setObjectName(QStringLiteral("txtSecondi"));
    m_secondi->setRange(1, 3600);
    m_secondi->setValue(60);
    m_secondi->setSuffix(QStringLiteral(" s"));
    m_lblColonne = new QLabel(QStringLiteral("-"), this);
    m_lblColonne->setObjectName(QStringLiteral("lblColonne"));
    m_lblScoperte = new QLabel(QStringLiteral("-"), this);
    m_lblScoperte->setObjectName(QStringLiteral("lblScoperte"));

    auto* campi = new QFormLayout;
    campi->addRow(QStringLiteral("&Garanzia"), m_garanzia);
    campi->addRow(QStringLiteral("&Tempo"), m_secondi);
    campi->addRow(QStringLiteral("Colonne della migliore"), m_lblColonne);
    campi->addRow(QStringLiteral("Sestine ancora scoperte"), m_lblScoperte);

    m_cmdGenera = new QPushButton(QStringLiteral("&Genera"), this);
    m_cmdGenera->setObjectName(QStringLiteral("cmdGenera"));
    m_cmdInterrompi = new QPushButton(QStringLiteral("&Interrompi"), this);
    m_cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    m_cmdInterrompi->setEnabled(false);
    m_cmdGenera->setDefault(true);
    connect(m_cmdGenera, &QPushButton::clicked, this, &frmGeneraMatrice::cmdGenera_Click);
    connect(m_cmdInterrompi, &QPushButton::clicked, this, [this] { m_interrotta = true; });

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(m_cmdGenera);
    pulsanti->addWidget(m_cmdInterrompi);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(campi);
    tutto->addLayout(pulsanti);
}

void frmGeneraMatrice::progresso(int colonne, std::uint64_t costo) {
    m_lblColonne->setText(colonne > 0 ? FormattaIntero(colonne)
                                      : QStringLiteral("-")); // 0: the greedy is still at work
    m_lblScoperte->setText(FormattaIntero(static_cast<qint64>(costo)));
    m_ui.elaboraEventi();
}

bool frmGeneraMatrice::annullato() {
    return m_interrotta;
}

void frmGeneraMatrice::cmdGenera_Click() {
    if (m_inCorso)
        return;
    m_inCorso = true;
    m_interrotta = false;
    for (QWidget* w :
         {static_cast<QWidget*>(m_garanzia), static_cast<QWidget*>(m_secondi), static_cast<QWidget*>(m_cmdGenera)})
        w->setEnabled(false);
    m_cmdInterrompi->setEnabled(true);
    m_cmdInterrompi->setFocus();
    QApplication::setOverrideCursor(Qt::BusyCursor);

    RichiestaOttimizzazione richiesta;
    richiesta.v = m_v;
    richiesta.t = m_garanzia->value();
    richiesta.secondi = m_secondi->value();
    richiesta.seme = static_cast<std::uint64_t>(QDate::currentDate().toJulianDay());
    const std::optional<MATRIX_STRUCTURE> matrice = GeneraMatrice(richiesta, *this, QDate::currentDate());

    QApplication::restoreOverrideCursor();
    m_inCorso = false;
    m_cmdInterrompi->setEnabled(false);
    for (QWidget* w :
         {static_cast<QWidget*>(m_garanzia), static_cast<QWidget*>(m_secondi), static_cast<QWidget*>(m_cmdGenera)})
        w->setEnabled(true);
    if (!matrice) {
        m_ui.messaggio(QStringLiteral("Nessuna matrice trovata"), windowTitle(), Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    const QString file = QDir(m_cartella).filePath(NomeMatriceGenerata(m_v, richiesta.t));
    if (QFile::exists(file) &&
        m_ui.messaggio(QStringLiteral("La matrice %1 esiste già: sostituirla con quella di %2 colonne?")
                           .arg(QFileInfo(file).fileName())
                           .arg(matrice->intestazione.COLUMNS_OF_MATRIX_C),
                       windowTitle(), Icona::Domanda, Pulsanti::SiNo) != Risposta::Si)
        return;
    if (!QDir().mkpath(m_cartella) || !SalvaMatrice(*matrice, file)) {
        m_ui.messaggio(QStringLiteral("Impossibile scrivere ") + file, windowTitle(), Icona::Critica, Pulsanti::Ok);
        return;
    }
    m_fileScritto = file;
    accept();
}

void frmGeneraMatrice::closeEvent(QCloseEvent* evento) {
    // A close during the search is a stop: the window goes once the best design is saved.
    if (m_inCorso) {
        m_interrotta = true;
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void frmGeneraMatrice::keyPressEvent(QKeyEvent* evento) {
    if (m_inCorso && evento->key() == Qt::Key_Escape) {
        m_interrotta = true;
        return;
    }
    QDialog::keyPressEvent(evento);
}

} // namespace sestina
