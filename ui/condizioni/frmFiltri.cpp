#include "frmFiltri.h"

#include "Errore.h"
#include "Filtri.h"
#include "Formato.h"
#include "GrigliaEtichette.h"
#include "Interfaccia.h"
#include "InterruttoreOnOff.h"
#include "NavigatorePannelli.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace sestina {

namespace {

constexpr int Presenze = 7; // a developed column holds 0..6 numbers of a filter column

QLabel* Valore(QWidget* genitore, const char* nome) {
    auto* etichetta = new QLabel(genitore);
    etichetta->setObjectName(QLatin1String(nome));
    etichetta->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    etichetta->setFrameShape(QFrame::StyledPanel);
    etichetta->setFrameShadow(QFrame::Sunken);
    QFont grassetto = etichetta->font();
    grassetto.setBold(true);
    etichetta->setFont(grassetto);
    // Room for the widest count, so paging never shifts the layout.
    etichetta->setMinimumWidth(QFontMetrics(grassetto).horizontalAdvance(QStringLiteral("00.000")) + 10);
    return etichetta;
}

// The pager's own buttons, found by the names it gives them.
QToolButton* PulsanteNavigatore(const NavigatorePannelli& navigatore, const char* nome) {
    return navigatore.findChild<QToolButton*>(QLatin1String(nome));
}

} // namespace

frmFiltri::frmFiltri(Sistema& sistema, Interfaccia& ui, QWidget* parent)
    : DialogoCondizione(sistema, QStringLiteral(" Colonne Filtro"), parent), m_ui(ui) {
    setObjectName(QStringLiteral("frmFiltri"));
    creaControlli();

    // Numbers not in play never carry a choice, so collecting a panel drops them.
    for (int i = 0; i < NumeriGioco; ++i)
        m_griglia->setInerte(i, !m_sistema.selezionati[static_cast<std::size_t>(i)]);
    m_lblTotFiltri->setText(FormattaNumeroFiltri(MaxFiltri));

    m_navigatore->impostaLimiti(1, MaxFiltri);
    m_pannello = m_navigatore->corrente();
    mostra(m_sistema.colonneFiltro[static_cast<std::size_t>(m_pannello)]);

    connect(m_griglia, &GrigliaEtichette::commutata, this, &frmFiltri::numeroCommutato);
    connect(m_presenze, &GrigliaEtichette::commutata, this, &frmFiltri::presenzaCommutata);
    connect(m_interruttore, &InterruttoreOnOff::premuto, this, &frmFiltri::interruttorePremuto);
    connect(m_navigatore, &NavigatorePannelli::pannelloCambiato, this, &frmFiltri::cambiaPannello);
    connect(m_cmdCancella, &QToolButton::clicked, this, &frmFiltri::cancella);
    connect(m_cmdCancellaTutto, &QToolButton::clicked, this, &frmFiltri::cancellaTutto);

    impostaOrdineTab();
    // A developed System can only be paged through, so the keyboard starts on the pager.
    if (sviluppato())
        PulsanteNavigatore(*m_navigatore, "cmdNext1")->setFocus();
    else
        m_griglia->setFocus();

    // Fits a 800x600 screen with room for the window frame.
    resize(minimumSizeHint().expandedTo(QSize(660, 540)));
}

void frmFiltri::creaControlli() {
    QGroupBox* frame = frameEsterno(QStringLiteral("frameCondizione"));

    m_griglia = new GrigliaEtichette(QStringLiteral("labGriglia"), NumeriDueCifre(1, NumeriGioco), 10, frame);
    m_griglia->setAccessibleName(QStringLiteral("Numeri della colonna filtro"));
    ColoriGriglia blu = ColoriCondizione();
    blu.sfondoScelto = QColor(0, 0, 255);
    m_griglia->setColori(blu);

    auto* framePresenze = new QGroupBox(QStringLiteral("Presenze"), frame);
    framePresenze->setObjectName(QStringLiteral("framePresenze"));
    m_presenze =
        new GrigliaEtichette(QStringLiteral("lbPresenze"), NumeriDueCifre(0, Presenze), Presenze, framePresenze);
    m_presenze->setAccessibleName(QStringLiteral("Presenze ammesse"));
    ColoriGriglia rosso = ColoriCondizione();
    rosso.testoScelto = QColor(255, 255, 0);
    m_presenze->setColori(rosso);
    auto* rigaPresenze = new QVBoxLayout(framePresenze);
    rigaPresenze->addWidget(m_presenze);

    m_interruttore = new InterruttoreOnOff(QStringLiteral("optCond"), frame);

    m_lblNumSelezionati = Valore(frame, "lblNumSelezionati");
    m_lblnFiltro = Valore(frame, "lblnFiltro");
    m_lblTotFiltri = Valore(frame, "lblTotFiltri");
    m_lblTotFiltriON = Valore(frame, "lblTotFiltriON");
    m_lblTotFiltriOFF = Valore(frame, "lblTotFiltriOFF");
    auto* contatori = new QGridLayout;
    const std::pair<const char*, QLabel*> righe[] = {
        {"Selezionati", m_lblNumSelezionati}, {"ID", m_lblnFiltro}, {"TOT", m_lblTotFiltri}, {"ON", m_lblTotFiltriON},
        {"OFF", m_lblTotFiltriOFF},
    };
    int riga = 0;
    for (const auto& [didascalia, valore] : righe) {
        auto* testo = new QLabel(QLatin1String(didascalia), frame);
        testo->setBuddy(valore);
        contatori->addWidget(testo, riga, 0);
        contatori->addWidget(valore, riga, 1);
        ++riga;
    }

    m_cmdCancella =
        pulsanteCancella("cmdCancella", ":/immagini/cancellafiltro.svg", QStringLiteral("Cancella la colonna filtro"));
    m_cmdCancellaTutto = pulsanteCancella("cmdCancellaTutto", ":/immagini/cancellafiltri.svg",
                                          QStringLiteral("Cancella tutte le colonne filtro"));
    auto* cancellazioni = new QHBoxLayout;
    cancellazioni->addStretch(1);
    cancellazioni->addWidget(m_cmdCancella);
    cancellazioni->addWidget(m_cmdCancellaTutto);
    cancellazioni->addStretch(1);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(m_griglia, 9);
    sinistra->addWidget(framePresenze, 2);

    auto* destra = new QVBoxLayout;
    destra->addWidget(m_interruttore);
    destra->addSpacing(8);
    destra->addLayout(contatori);
    destra->addStretch(1);
    destra->addLayout(cancellazioni);

    auto* contenuto = new QHBoxLayout(frame);
    contenuto->addLayout(sinistra, 1);
    contenuto->addLayout(destra);

    // Outside the outer frame: a developed System can still be paged through.
    m_navigatore = new NavigatorePannelli(100, this);
    m_navigatore->setObjectName(QStringLiteral("navigatore"));
    // The big steps here are 100 panels; the tooltips say so.
    m_navigatore->impostaSuggerimento(ComandoPannello::Indietro2, QStringLiteral("Indietro di 100 pannelli"));
    m_navigatore->impostaSuggerimento(ComandoPannello::Avanti2, QStringLiteral("Avanti di 100 pannelli"));

    auto* finestra = new QVBoxLayout(this);
    finestra->addWidget(frame, 1);
    finestra->addWidget(m_navigatore);
}

QToolButton* frmFiltri::pulsanteCancella(const char* nome, const char* immagine, const QString& suggerimento) {
    auto* pulsante = new QToolButton(frameEsterno(QStringLiteral("frameCondizione")));
    pulsante->setObjectName(QLatin1String(nome));
    pulsante->setIcon(QIcon(QLatin1String(immagine)));
    pulsante->setIconSize(QSize(32, 32));
    pulsante->setToolTip(suggerimento);
    pulsante->setAccessibleName(suggerimento);
    pulsante->setFocusPolicy(Qt::StrongFocus);
    return pulsante;
}

void frmFiltri::impostaOrdineTab() {
    QList<QWidget*> ordine{m_griglia,     m_presenze,        m_interruttore->opzione(0), m_interruttore->opzione(1),
                           m_cmdCancella, m_cmdCancellaTutto};
    for (const char* nome : {"cmdBOTTOM", "cmdPrev2", "cmdPrev1", "cmdNext1", "cmdNext2", "cmdTOP"})
        ordine << PulsanteNavigatore(*m_navigatore, nome);
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

void frmFiltri::mostra(const FilterColumn& filtro) {
    m_selezionati = 0;
    for (int i = 0; i < NumeriGioco; ++i) {
        const bool si = !m_griglia->inerte(i) && filtro.numeri[static_cast<std::size_t>(i + 1)] != 0;
        m_griglia->setScelta(i, si);
        m_selezionati += si ? 1 : 0;
    }
    for (int k = 0; k < Presenze; ++k)
        m_presenze->setScelta(k, (filtro.presenze & potenzeDiDue[static_cast<std::size_t>(k)]) != 0);
    m_interruttore->scegli(filtro.attiva != 0 ? 0 : 1);
    aggiornaSelezionati();
    m_lblnFiltro->setText(FormattaNumeroFiltri(m_pannello));
    aggiornaContatori();
}

FilterColumn frmFiltri::raccogli() const {
    FilterColumn filtro;
    for (int i = 0; i < NumeriGioco; ++i)
        filtro.numeri[static_cast<std::size_t>(i + 1)] = m_griglia->scelta(i) ? 1 : 0;
    for (int k = 0; k < Presenze; ++k)
        if (m_presenze->scelta(k))
            filtro.presenze |= potenzeDiDue[static_cast<std::size_t>(k)];
    filtro.attiva = m_interruttore->acceso() ? Vero : Falso;
    return filtro;
}

void frmFiltri::cambiaPannello(int pannello) {
    m_sistema.colonneFiltro[static_cast<std::size_t>(m_pannello)] = raccogli();
    m_pannello = pannello;
    mostra(m_sistema.colonneFiltro[static_cast<std::size_t>(m_pannello)]);
}

void frmFiltri::numeroCommutato(int indice) {
    // The grid ignores numbers not in play already; the System is the authority.
    if (!m_sistema.selezionati[static_cast<std::size_t>(indice)])
        return;
    const bool si = !m_griglia->scelta(indice);
    m_griglia->setScelta(indice, si);
    m_selezionati += si ? 1 : -1;
    aggiornaSelezionati();
}

void frmFiltri::presenzaCommutata(int k) {
    m_presenze->setScelta(k, !m_presenze->scelta(k));
}

void frmFiltri::interruttorePremuto(int indice, bool cambiato) {
    if (!cambiato)
        return;
    m_sistema.numeroFiltri = static_cast<std::int16_t>(m_sistema.numeroFiltri + (indice == 0 ? 1 : -1));
    aggiornaContatori();
}

void frmFiltri::cancella() {
    if (m_interruttore->acceso())
        --m_sistema.numeroFiltri;
    // Slot p receives the empty panel when it is collected, like any edit.
    mostra(FilterColumn{});
}

void frmFiltri::cancellaTutto() {
    const QString domanda = QStringLiteral("Questa funzione cancellera' tutte le colonne filtro presenti") +
                            QStringLiteral("\r\n") + QStringLiteral("Vuoi procedere ?");
    if (m_ui.messaggio(domanda, TitoloApplicazione, Icona::Nessuna, Pulsanti::SiNo) != Risposta::Si)
        return;
    CancellaTuttiFiltri(m_sistema);
    m_pannello = 1;
    {
        // Going back to panel 1 must not write the panel shown before into its slot.
        const QSignalBlocker silenzio(m_navigatore);
        m_navigatore->vaiA(m_pannello);
    }
    mostra(m_sistema.colonneFiltro[static_cast<std::size_t>(m_pannello)]);
}

void frmFiltri::aggiornaSelezionati() {
    m_lblNumSelezionati->setText(QString::number(m_selezionati));
}

void frmFiltri::aggiornaContatori() {
    m_lblTotFiltriON->setText(FormattaNumeroFiltri(m_sistema.numeroFiltri));
    m_lblTotFiltriOFF->setText(FormattaNumeroFiltri(MaxFiltri - m_sistema.numeroFiltri));
}

void frmFiltri::allaChiusura() {
    m_sistema.colonneFiltro[static_cast<std::size_t>(m_pannello)] = raccogli();
    CompattaFiltri(m_sistema);
}

} // namespace sestina
