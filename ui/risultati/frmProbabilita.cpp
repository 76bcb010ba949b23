#include "frmProbabilita.h"

#include "CorniceGaranzia.h"
#include "Corpo.h"
#include "Errore.h"
#include "Formato.h"
#include "Garanzia.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sestina {
namespace {

const QStringList Intestazioni = {QStringLiteral("Categoria"), QStringLiteral("Estrazioni vincenti"),
                                  QStringLiteral("Probabilità"), QStringLiteral("Colonne attese"),
                                  QStringLiteral("Premio (€)")};
constexpr int ColonnaPremio = 4;

// The draws that win at least a category: the Jolly is not counted, so 5+1 has none of its own.
int PuntiDellaCategoria(Categoria c) {
    switch (c) {
    case Categoria::Sei:
        return 6;
    case Categoria::CinquePiuUno:
        return 0;
    case Categoria::Cinque:
        return 5;
    case Categoria::Quattro:
        return 4;
    case Categoria::Tre:
        return 3;
    case Categoria::Due:
        break;
    }
    return 2;
}

QString NelLocale(const QString& decimale) {
    return QString(decimale).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

// Destroying the window takes the focus from its fields, which then end their editing: by then
// this object is half destroyed, so nothing may answer.
frmProbabilita::~frmProbabilita() {
    for (QLineEdit* campo : m_premi)
        if (campo)
            campo->disconnect(this);
}

frmProbabilita::frmProbabilita(Corpo& corpo, Interfaccia& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_corpo(corpo), m_ui(ui) {
    setObjectName(QStringLiteral("frmProbabilita"));
    setWindowTitle(QStringLiteral("Probabilità del Sistema"));

    const CorniceGaranzia cornice = CreaCorniceGaranzia(*this, QStringLiteral("grdProbabilita"), Intestazioni,
                                                        static_cast<int>(TutteLeCategorie.size()));
    m_lblSistema = cornice.sistema;
    m_griglia = cornice.tabella;
    m_griglia->setSelectionMode(QAbstractItemView::NoSelection);
    creaPremi();
    QWidget::setTabOrder(m_premi.back(), cornice.ricalcola);

    m_lblCosto = new QLabel(this);
    m_lblCosto->setObjectName(QStringLiteral("lblCosto"));
    m_lblPremioAtteso = new QLabel(this);
    m_lblPremioAtteso->setObjectName(QStringLiteral("lblPremioAtteso"));
    m_lblRendimento = new QLabel(this);
    m_lblRendimento->setObjectName(QStringLiteral("lblRendimento"));
    auto* rendimento = new QFormLayout;
    rendimento->addRow(QStringLiteral("Costo di una giocata:"), m_lblCosto);
    rendimento->addRow(QStringLiteral("Premio atteso per giocata:"), m_lblPremioAtteso);
    rendimento->addRow(QStringLiteral("Rendimento atteso:"), m_lblRendimento);
    cornice.disposizione->insertLayout(CorniceGaranzia::SottoLaTabella, rendimento);
    connect(cornice.ricalcola, &QPushButton::clicked, this, [this] { calcola(); });
    resize(720, 380);
}

// Each category's name, and the user's prize for it in a field of the table.
void frmProbabilita::creaPremi() {
    const PremiUtente premi = LeggiPremi(m_corpo.fileConfigurazione);
    for (std::size_t i = 0; i < TutteLeCategorie.size(); ++i) {
        const int riga = static_cast<int>(i);
        m_griglia->setItem(riga, 0, CellaNumero(QStringLiteral("Punti ") + NomeCategoria(TutteLeCategorie[i])));
        auto* premio = new QLineEdit(TestoPremio(premi[i]), m_griglia);
        premio->setObjectName(QStringLiteral("txtPremio_%1").arg(i));
        premio->setAlignment(Qt::AlignRight);
        premio->setPlaceholderText(QStringLiteral("0,00"));
        connect(premio, &QLineEdit::textChanged, this, &frmProbabilita::aggiornaRendimento);
        connect(premio, &QLineEdit::editingFinished, this, &frmProbabilita::salvaPremi);
        m_griglia->setCellWidget(riga, ColonnaPremio, premio);
        m_premi[i] = premio;
    }
}

bool frmProbabilita::calcola() {
    Sistema& s = m_corpo.sistema;
    m_colonne = s.numeroColonne;
    m_lblSistema->setText(DescrizioneSistema(s));
    for (int r = 0; r < m_griglia->rowCount(); ++r)
        for (int c = 1; c < ColonnaPremio; ++c)
            m_griglia->setItem(r, c, CellaNumero(QString()));
    const std::optional<EsitoGaranzia> garanzia = GaranziaSottoProgresso(s, m_ui, *this);
    m_calcolata = garanzia && !garanzia->annullata;
    if (m_calcolata)
        mostra(CalcolaProbabilita(*garanzia, m_colonne));
    aggiornaRendimento();
    return m_calcolata;
}

void frmProbabilita::mostra(const ProbabilitaSistema& p) {
    for (std::size_t i = 0; i < TutteLeCategorie.size(); ++i) {
        const int riga = static_cast<int>(i);
        const int punti = PuntiDellaCategoria(TutteLeCategorie[i]);
        const qint64 estrazioni = punti > 0 ? p.estrazioniAlmeno[static_cast<std::size_t>(punti)] : -1;
        m_griglia->setItem(riga, 1, CellaNumero(estrazioni >= 0 ? FormattaIntero(estrazioni) : QStringLiteral("-")));
        m_griglia->setItem(riga, 2, CellaNumero(estrazioni >= 0 ? TestoUnoSu(estrazioni) : QStringLiteral("-")));
        m_griglia->setItem(riga, 3, CellaNumero(NelLocale(ColonneAtteseTesto(m_colonne, TutteLeCategorie[i]))));
    }
    m_griglia->resizeColumnsToContents();
    m_griglia->setColumnWidth(ColonnaPremio, std::max(m_griglia->columnWidth(ColonnaPremio), 130));
}

void frmProbabilita::aggiornaRendimento() {
    const Centesimi costo = m_corpo.sistema.costoColonna * m_colonne;
    m_lblCosto->setText(FormattaEuro(costo));
    std::array<double, 6> euro{};
    for (std::size_t i = 0; i < m_premi.size(); ++i) {
        bool ok = false;
        const std::optional<qint64> centesimi = PremioDaTesto(m_premi[i]->text(), &ok);
        if (!ok) {
            m_lblPremioAtteso->setText(
                QStringLiteral("Premio non valido: Punti %1").arg(NomeCategoria(TutteLeCategorie[i])));
            m_lblRendimento->clear();
            return;
        }
        euro[i] = static_cast<double>(centesimi.value_or(0)) / 100;
    }
    if (!m_calcolata) {
        m_lblPremioAtteso->clear();
        m_lblRendimento->clear();
        return;
    }
    const double atteso = PremioAtteso(m_colonne, euro);
    m_lblPremioAtteso->setText(QStringLiteral("€ ") + QLocale().toString(atteso, 'f', 4));
    const std::optional<double> rendimento = RendimentoAtteso(atteso, costo);
    m_lblRendimento->setText(rendimento ? QLocale().toString(*rendimento, 'f', 2) + QStringLiteral(" %")
                                        : QStringLiteral("-"));
}

void frmProbabilita::salvaPremi() {
    PremiUtente premi;
    for (std::size_t i = 0; i < m_premi.size(); ++i) {
        bool ok = false;
        premi[i] = PremioDaTesto(m_premi[i]->text(), &ok);
        if (!ok)
            return;
    }
    if (premi == LeggiPremi(m_corpo.fileConfigurazione))
        return;
    try {
        SalvaPremi(m_corpo.fileConfigurazione, premi);
    } catch (const Errore& e) {
        MostraErrore(m_ui, e, QStringLiteral("salvaPremi"), objectName());
    }
}

} // namespace sestina
