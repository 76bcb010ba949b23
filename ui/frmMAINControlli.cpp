// The main window's controls: menus, the grid's frame, the command buttons, the status bar. Each
// control enters the table m_controlli with what it needs of the System, which applicaStato applies.

#include "frmMAIN.h"

#include "Corpo.h"
#include "Formato.h"
#include "GrigliaEtichette.h"
#include "frmConsecutivi.h"
#include "frmFiltri.h"
#include "frmFisse.h"
#include "frmPari.h"
#include "frmRidotto.h"
#include "frmSomma.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace sestina {

QMenu* frmMAIN::menu(const char* nome, const QString& titolo, Requisito requisito) {
    QMenu* m = menuBar()->addMenu(titolo);
    m->setObjectName(QString::fromLatin1(nome));
    m->menuAction()->setObjectName(QString::fromLatin1(nome) + QStringLiteral("_voce"));
    m_controlli.push_back({m->menuAction(), nullptr, requisito});
    return m;
}

QAction* frmMAIN::voce(QMenu* menu, const char* nome, const QString& testo, void (frmMAIN::*comando)(),
                       Requisito requisito) {
    QAction* azione = menu->addAction(testo);
    azione->setObjectName(QString::fromLatin1(nome));
    if (comando)
        connect(azione, &QAction::triggered, this, comando);
    m_controlli.push_back({azione, nullptr, requisito});
    return azione;
}

QPushButton* frmMAIN::pulsante(const char* nome, const QString& testo, void (frmMAIN::*comando)(),
                               Requisito requisito) {
    auto* p = new QPushButton(testo);
    p->setObjectName(QString::fromLatin1(nome));
    p->setMinimumHeight(34);
    connect(p, &QPushButton::clicked, this, comando);
    m_controlli.push_back({nullptr, p, requisito});
    return p;
}

void frmMAIN::creaMenu() {
    using R = Requisito;
    QMenu* file = menu("menufile", QStringLiteral("&File"), R::Nessuno);
    voce(file, "menuapri", QStringLiteral("&Apri"), &frmMAIN::Apri);
    voce(file, "menuImportaColonne", QStringLiteral("I&mporta Colonne"), &frmMAIN::ImportaColonne);
    voce(file, "menuImportaExtrema", QStringLiteral("Importa E&xtrema"), &frmMAIN::ImportaExtrema);
    file->addSeparator();
    voce(file, "menusalva", QStringLiteral("&Salva"), &frmMAIN::Salva);
    voce(file, "menusalvacome", QStringLiteral("Salva &come..."), &frmMAIN::SalvaCome);
    voce(file, "menuEsportaColonne", QStringLiteral("Esporta Colonne"), &frmMAIN::EsportaColonne);
    voce(file, "menuEsportaExtrema", QStringLiteral("Esporta Extre&ma"), &frmMAIN::EsportaExtrema);
    file->addSeparator();
    voce(file, "mnu_Elenco", QStringLiteral("&Elenco Sistemi Immediati"), &frmMAIN::ElencoSistemiImmediati);
    voce(file, "menuImpostazioni", QStringLiteral("&Impostazioni"), &frmMAIN::Impostazioni);
    file->addSeparator();
    connect(voce(file, "menuuscita", QStringLiteral("&Uscita"), nullptr), &QAction::triggered, this, &QWidget::close);

    creaMenuCondizioni(menu("menucondizioni", QStringLiteral("&Condizioni"), R::Pronostico));

    QMenu* op = menu("menuoperazioni", QStringLiteral("&Operazioni"), R::Pronostico);
    voce(op, "menuadattamatrice", QStringLiteral("&Adatta matrice"), &frmMAIN::AdattaMatrice, R::NonSviluppato);
    op->addSeparator();
    m_voceMescola =
        voce(op, "menuMescola", QStringLiteral("&Mescola Colonne"), &frmMAIN::MescolaColonne, R::Sviluppato);
    op->addSeparator();
    voce(op, "menucalcolo", QStringLiteral("&Elabora"), &frmMAIN::Elabora, R::NonSviluppato);
    voce(op, "menuspoglio", QStringLiteral("&Spoglio"), &frmMAIN::Spoglio, R::Sviluppato);
    m_voceSpoglioEstrazioni =
        voce(op, "menuSpoglioEstrazioni", QStringLiteral("Spoglio Estrazion&i"), &frmMAIN::SpoglioEstrazioni);
    m_voceSpoglioEstrazioni->setVisible(false);
    voce(op, "menuvisualizza", QStringLiteral("&Visualizza"), &frmMAIN::VisualizzaColonne, R::Sviluppato);
    voce(op, "menuEstrazioni", QStringLiteral("&Archivio Estrazioni"), &frmMAIN::ArchivioEstrazioni);
    voce(op, "menuStatistiche", QStringLiteral("S&tatistiche"), &frmMAIN::Statistiche);
    voce(op, "menuGaranzia", QStringLiteral("&Garanzia del Sistema"), &frmMAIN::GaranziaDelSistema, R::Colonne);
    voce(op, "menuProbabilita", QStringLiteral("&Probabilità del Sistema..."), &frmMAIN::ProbabilitaDelSistema,
         R::Colonne);
    op->addSeparator();
    voce(op, "menumodifiche", QStringLiteral("&Modifiche"), &frmMAIN::ModificaSistema, R::Sviluppato);

    QMenu* stampa = menu("menustampa", QStringLiteral("&Stampa"), R::Sviluppato);
    voce(stampa, "menutabulato", QStringLiteral("Stampa &Tabulato"), &frmMAIN::Tabulato);
    voce(stampa, "menuschedine", QStringLiteral("Stampa &Schedine"), &frmMAIN::Schedine);

    QAction* info = menuBar()->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("menuinfo"));
    connect(info, &QAction::triggered, this, &frmMAIN::Info);
    m_controlli.push_back({info, nullptr, R::Nessuno});
}

// Each item opens its editor; the check mark then tells whether the condition is on.
void frmMAIN::creaMenuCondizioni(QMenu* condizioni) {
    Sistema& s = m_corpo.sistema;
    struct Voce {
        const char* nome;
        QString testo;
        std::function<std::unique_ptr<QDialog>()> editore;
        Condizione condizione;
    };
    const Voce voci[] = {{"menuColonnaFiltro", QStringLiteral("&Colonne Filtro"),
                          [this, &s] { return std::make_unique<frmFiltri>(s, m_ui, this); }, Condizione::Filtri},
                         {"menuConsecutivi", QStringLiteral("C&onsecutivi"),
                          [this, &s] { return std::make_unique<frmConsecutivi>(s, this); }, Condizione::Consecutivi},
                         {"menuFisse", QStringLiteral("&Fisse"),
                          [this, &s] { return std::make_unique<frmFisse>(s, this); }, Condizione::Fisse},
                         {"menuPariDispari", QStringLiteral("&Pari e Dispari"),
                          [this, &s] { return std::make_unique<frmPari>(s, this); }, Condizione::PariDispari},
                         {"menuSomma", QStringLiteral("&Somma"),
                          [this, &s] { return std::make_unique<frmSomma>(s, m_ui, this); }, Condizione::Somma},
                         {"menuRidotto", QStringLiteral("&Ridotto"),
                          [this, &s] { return std::make_unique<frmRidotto>(s, this); }, Condizione::Ridotto}};
    for (const Voce& v : voci) {
        if (v.condizione == Condizione::Ridotto)
            condizioni->addSeparator();
        QAction* azione = voce(condizioni, v.nome, v.testo, nullptr);
        azione->setCheckable(true);
        m_vociCondizioni.push_back({azione, v.condizione});
        connect(azione, &QAction::triggered, this, [this, editore = v.editore] {
            // The menu is off below six numbers: a shortcut opens nothing, and the marks stay the model's.
            if (Soddisfatto(m_corpo.sistema, Requisito::Pronostico))
                editore()->exec();
            AggiornaMenuCondizioni();
        });
    }
}

void frmMAIN::creaGriglia(QWidget* centrale) {
    m_frameNumeri = new QGroupBox(centrale);
    m_frameNumeri->setObjectName(QStringLiteral("frameNumeri"));
    m_controlli.push_back({nullptr, m_frameNumeri, Requisito::NonSviluppato});
    m_griglia = new GrigliaEtichette(QStringLiteral("grnum"), NumeriDueCifre(1, NumeriGioco), 10, m_frameNumeri);
    m_griglia->setAccessibleName(QStringLiteral("Griglia dei numeri"));
    connect(m_griglia, &GrigliaEtichette::commutata, this, &frmMAIN::GrigliaNumeriClick);

    m_labnumeri = new QLabel(QStringLiteral("Numeri in gioco [00]"), m_frameNumeri);
    m_labnumeri->setObjectName(QStringLiteral("labnumeri"));
    auto* didascalia = new QLabel(QStringLiteral("Colonne Integrali"), m_frameNumeri);
    didascalia->setObjectName(QStringLiteral("lblCaptionColonneIntegrali"));
    m_lblIntegrale = new QLabel(QStringLiteral("0"), m_frameNumeri);
    m_lblIntegrale->setObjectName(QStringLiteral("lblIntegrale"));
    m_lblIntegrale->setToolTip(QStringLiteral("Colonne Integrali"));
    m_lblIntegrale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont grassetto = m_labnumeri->font();
    grassetto.setBold(true);
    grassetto.setPointSizeF(grassetto.pointSizeF() * 1.2);
    m_labnumeri->setFont(grassetto);
    m_lblIntegrale->setFont(grassetto);
    // Room for the widest texts, so a count is never clipped.
    const QFontMetrics misura(grassetto);
    m_labnumeri->setMinimumWidth(misura.horizontalAdvance(QStringLiteral("Numeri in gioco [00]")) + 8);
    m_lblIntegrale->setMinimumWidth(misura.horizontalAdvance(QStringLiteral("622.614.630")) + 8);

    auto* riepilogo = new QHBoxLayout;
    riepilogo->addWidget(m_labnumeri);
    riepilogo->addStretch();
    riepilogo->addWidget(didascalia);
    riepilogo->addWidget(m_lblIntegrale);
    auto* numeri = new QVBoxLayout(m_frameNumeri);
    numeri->addWidget(m_griglia, 1);
    numeri->addLayout(riepilogo);
}

void frmMAIN::creaComandi(QWidget* centrale) {
    creaGriglia(centrale);

    m_chkSS = new QCheckBox(centrale);
    m_chkSS->setAccessibleName(QStringLiteral("SuperStar"));
    m_chkSS->setObjectName(QStringLiteral("chkSS"));
    m_chkSS->setIcon(QIcon(QStringLiteral(":/immagini/superstar_off.svg")));
    m_chkSS->setIconSize(QSize(96, 40));
    m_chkSS->setToolTip(QStringLiteral("SuperStar"));
    connect(m_chkSS, &QCheckBox::toggled, this, &frmMAIN::chkSS_Click);
    m_controlli.push_back({nullptr, m_chkSS, Requisito::Nessuno});

    using R = Requisito;
    auto* operazioni = new QGroupBox(QStringLiteral("Operazioni"), centrale);
    operazioni->setObjectName(QStringLiteral("frameOperazioni"));
    auto* colonna = new QVBoxLayout(operazioni);
    for (QPushButton* p : {
             pulsante("cmdArchivio", QStringLiteral("Archivio Estrazioni"), &frmMAIN::ArchivioEstrazioni, R::Nessuno),
             pulsante("cmdModifiche", QStringLiteral("Modifica Sistema"), &frmMAIN::ModificaSistema, R::Sviluppato),
             pulsante("cmdAdatta", QStringLiteral("Adatta Matrice"), &frmMAIN::AdattaMatrice, R::DaSviluppare),
             pulsante("cmdSpoglio", QStringLiteral("Spoglio Sistema"), &frmMAIN::Spoglio, R::Sviluppato),
             pulsante("cmdVisualizza", QStringLiteral("Visualizza Sistema"), &frmMAIN::VisualizzaSviluppato,
                      R::Sviluppato),
             pulsante("cmdCancella", QStringLiteral("Cancella Sistema"), &frmMAIN::Azzera, R::NonSviluppato),
             pulsante("cmdCalcolo", QStringLiteral("Elabora Sistema"), &frmMAIN::Elabora, R::DaSviluppare),
             pulsante("cmdTabulato", QStringLiteral("Stampa Tabulato"), &frmMAIN::Tabulato, R::Sviluppato),
             pulsante("cmdSchedine", QStringLiteral("Stampa Schedine"), &frmMAIN::Schedine, R::Sviluppato),
         })
        colonna->addWidget(p);
    colonna->addStretch();

    auto* destra = new QVBoxLayout;
    destra->addWidget(m_chkSS, 0, Qt::AlignHCenter);
    destra->addWidget(operazioni, 1);
    auto* principale = new QHBoxLayout(centrale);
    principale->addWidget(m_frameNumeri, 1);
    principale->addLayout(destra);
}

void frmMAIN::creaBarraStato() {
    statusBar()->setObjectName(QStringLiteral("StBar"));
    const QString suggerimenti[4] = {QStringLiteral("Nome Sistema"), QStringLiteral("Numero Combinazioni"),
                                     QStringLiteral("Costo Sistema"), QStringLiteral("Tipo Sistema")};
    const int allunga[4] = {3, 2, 2, 2};
    for (int i = 0; i < 4; ++i) {
        m_pannelli[i] = new QLabel(statusBar());
        m_pannelli[i]->setObjectName(QStringLiteral("StBar_%1").arg(i + 1));
        m_pannelli[i]->setToolTip(suggerimenti[i]);
        m_pannelli[i]->setTextFormat(Qt::PlainText); // names and kinds come from files
        m_pannelli[i]->setFrameShape(QFrame::StyledPanel);
        m_pannelli[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(m_pannelli[i], allunga[i]);
    }
}

} // namespace sestina
