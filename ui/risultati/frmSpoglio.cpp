#include "frmSpoglio.h"

#include "Corpo.h"
#include "Finestre.h"
#include "Formato.h"
#include "Interfaccia.h"

#include <QAbstractListModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sestina {

// One result list: the items are made when shown, so a list of a million columns costs nothing.
class ModelloColonneVincenti final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void imposta(std::vector<int> colonne) {
        beginResetModel();
        m_colonne = std::move(colonne);
        endResetModel();
    }
    int rowCount(const QModelIndex& genitore = {}) const override {
        return genitore.isValid() ? 0 : static_cast<int>(m_colonne.size());
    }
    QVariant data(const QModelIndex& indice, int ruolo) const override {
        if (ruolo != Qt::DisplayRole || !indice.isValid() || indice.row() >= rowCount())
            return {};
        return VoceColonna(m_colonne[static_cast<std::size_t>(indice.row())]);
    }

private:
    std::vector<int> m_colonne;
};

namespace {

// Top to bottom of the window, best category first; the values are list indexes.
constexpr std::array<int, 6> OrdineSulloSchermo = {0, EsitoSpoglio::CinquePiuUno, 1, 2, 3, 4};

QString NomeLista(int lista) {
    return lista == EsitoSpoglio::CinquePiuUno ? QStringLiteral("listVin5p") : QStringLiteral("listVin_%1").arg(lista);
}

QString NomeContatore(int lista) {
    return lista == EsitoSpoglio::CinquePiuUno ? QStringLiteral("labNv5p") : QStringLiteral("labNv_%1").arg(lista);
}

} // namespace

frmSpoglio::frmSpoglio(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui) {
    CentraAllaComparsa(*this);
    setObjectName(QStringLiteral("frmSpoglio"));
    setWindowTitle(QStringLiteral("Spoglio"));

    QGroupBox* colonna = creaColonna();
    QVBoxLayout* comandi = creaComandi();
    QGridLayout* risultati = creaRisultati();
    m_labMaxPunti = new QLabel(TestoMaxPunti(std::nullopt), this);
    m_labMaxPunti->setObjectName(QStringLiteral("labMaxPunti"));
    QFont grassetto = m_labMaxPunti->font();
    grassetto.setBold(true);
    m_labMaxPunti->setFont(grassetto);

    auto* alto = new QHBoxLayout;
    alto->addWidget(colonna, 1);
    alto->addLayout(comandi);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(alto);
    tutto->addLayout(risultati, 1);
    tutto->addWidget(m_labMaxPunti);
    resize(minimumSizeHint().width(), 480);

    aggiorna();
}

QGroupBox* frmSpoglio::creaColonna() {
    auto* colonna = new QGroupBox(QStringLiteral("Colonna vincente"), this);
    colonna->setObjectName(QStringLiteral("fraColonna"));
    auto* caselle = new QHBoxLayout(colonna);
    for (int i = 0; i < 7; ++i) {
        auto* casella = new QLineEdit(colonna);
        casella->setObjectName(QStringLiteral("meSpoglio_%1").arg(i));
        casella->setInputMask(QStringLiteral("99;_"));
        casella->setAlignment(Qt::AlignCenter);
        casella->setFixedWidth(casella->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        casella->installEventFilter(this);
        if (i == 6) {
            auto* jolly = new QLabel(QStringLiteral("Jolly"), colonna);
            jolly->setObjectName(QStringLiteral("lbJolly"));
            jolly->setBuddy(casella);
            caselle->addSpacing(12);
            caselle->addWidget(jolly);
        }
        caselle->addWidget(casella);
        m_caselle[static_cast<std::size_t>(i)] = casella;
    }
    caselle->addStretch(1);
    return colonna;
}

QVBoxLayout* frmSpoglio::creaComandi() {
    m_cmdSpoglio = new QPushButton(QStringLiteral("&Spoglio"), this);
    m_cmdSpoglio->setObjectName(QStringLiteral("cmdSpoglio"));
    auto* cancella = new QPushButton(QStringLiteral("&Cancella"), this);
    cancella->setObjectName(QStringLiteral("cmdCancella"));
    connect(m_cmdSpoglio, &QPushButton::clicked, this, &frmSpoglio::cmdSpoglio_Click);
    connect(cancella, &QPushButton::clicked, this, &frmSpoglio::cmdCancella_Click);
    auto* comandi = new QVBoxLayout;
    comandi->addWidget(m_cmdSpoglio);
    comandi->addWidget(cancella);
    return comandi;
}

QGridLayout* frmSpoglio::creaRisultati() {
    auto* risultati = new QGridLayout;
    const QFont courier = CarattereCourier(10.0);
    for (int colonnaGriglia = 0; colonnaGriglia < 6; ++colonnaGriglia) {
        const int lista = OrdineSulloSchermo[static_cast<std::size_t>(colonnaGriglia)];
        auto* titolo = new QLabel(TitoloCategoria(lista), this);
        titolo->setAlignment(Qt::AlignCenter);
        auto* vista = new QListView(this);
        vista->setObjectName(NomeLista(lista));
        vista->setFont(courier);
        vista->setUniformItemSizes(true);
        vista->setEditTriggers(QAbstractItemView::NoEditTriggers);
        vista->setMinimumWidth(vista->fontMetrics().horizontalAdvance(QStringLiteral("C. 1850000")) + 30);
        auto* modello = new ModelloColonneVincenti(vista);
        vista->setModel(modello);
        auto* contatore = new QLabel(QStringLiteral("0"), this);
        contatore->setObjectName(NomeContatore(lista));
        contatore->setAlignment(Qt::AlignCenter);
        contatore->setFrameShape(QFrame::Panel);
        contatore->setFrameShadow(QFrame::Sunken);
        titolo->setBuddy(vista);
        risultati->addWidget(titolo, 0, colonnaGriglia);
        risultati->addWidget(vista, 1, colonnaGriglia);
        risultati->addWidget(contatore, 2, colonnaGriglia);
        m_liste[static_cast<std::size_t>(lista)] = vista;
        m_modelli[static_cast<std::size_t>(lista)] = modello;
        m_contatori[static_cast<std::size_t>(lista)] = contatore;
    }
    risultati->setRowStretch(1, 1);
    return risultati;
}

frmSpoglio::~frmSpoglio() = default;

void frmSpoglio::svuotaRisultati() {
    for (std::size_t i = 0; i < m_modelli.size(); ++i) {
        m_modelli[i]->imposta({});
        m_contatori[i]->setText(QStringLiteral("0"));
    }
}

void frmSpoglio::aggiorna() {
    svuotaRisultati();
    for (std::size_t i = 0; i < m_caselle.size(); ++i) {
        const std::uint8_t valore = m_corpo.colonnaSpoglio[i + 1];
        m_caselle[i]->setText(valore != 0 ? DueCifre(valore) : QString());
    }
}

void frmSpoglio::cmdCancella_Click() {
    svuotaRisultati();
    m_corpo.colonnaSpoglio = {};
    for (QLineEdit* casella : m_caselle)
        casella->clear();
    m_caselle[0]->setFocus();
}

void frmSpoglio::lasciaCasella(int indice) {
    const int valore = ValoreCasella(m_caselle[static_cast<std::size_t>(indice)]->text());
    if (valore != 0)
        m_corpo.colonnaSpoglio[static_cast<std::size_t>(indice + 1)] = static_cast<std::uint8_t>(valore);
}

void frmSpoglio::cmdSpoglio_Click() {
    std::array<QString, 7> testi;
    for (std::size_t i = 0; i < testi.size(); ++i)
        testi[i] = m_caselle[i]->text();
    const std::optional<ColonnaErrata> errore = ValidaColonnaSpoglio(testi);
    for (std::size_t i = 0; i < 6; ++i)
        m_caselle[i]->setText(testi[i]);
    if (errore) {
        m_ui.messaggio(errore->testo, errore->titolo, Icona::Esclamazione, Pulsanti::Ok);
        m_caselle[static_cast<std::size_t>(errore->casella)]->setFocus();
        return;
    }
    for (std::size_t i = 0; i < testi.size(); ++i)
        m_corpo.colonnaSpoglio[i + 1] = static_cast<std::uint8_t>(ValoreCasella(testi[i]));

    svuotaRisultati();
    EsitoSpoglio esito;
    {
        Occupato occupato(m_ui);
        setEnabled(false);
        const Sistema& s = m_corpo.sistema;
        esito = SpogliaColonne(s.colonne, ColonneValide(s), m_corpo.colonnaSpoglio, m_ui);
        setEnabled(true);
    }
    mostraEsito(esito);
}

void frmSpoglio::mostraEsito(const EsitoSpoglio& esito) {
    for (std::size_t i = 0; i < m_modelli.size(); ++i) {
        m_contatori[i]->setText(QString::number(esito.liste[i].size()));
        m_modelli[i]->imposta(esito.liste[i]);
    }
    m_labMaxPunti->setText(TestoMaxPunti(esito.maxPunti));
}

bool frmSpoglio::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* casella = qobject_cast<QLineEdit*>(oggetto);
    const auto dove = std::find(m_caselle.begin(), m_caselle.end(), casella);
    if (!casella || dove == m_caselle.end())
        return QWidget::eventFilter(oggetto, evento);
    if (evento->type() == QEvent::FocusOut) {
        lasciaCasella(static_cast<int>(dove - m_caselle.begin()));
    } else if (evento->type() == QEvent::FocusIn) {
        // Now for the keyboard, and again once a click has placed the caret.
        casella->selectAll();
        QTimer::singleShot(0, casella, [casella] { casella->selectAll(); });
    } else if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            const auto indice = dove - m_caselle.begin();
            if (indice < 6)
                m_caselle[static_cast<std::size_t>(indice + 1)]->setFocus(Qt::TabFocusReason);
            else
                m_cmdSpoglio->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

} // namespace sestina
