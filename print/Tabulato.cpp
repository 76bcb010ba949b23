#include "Tabulato.h"

#include "Corpo.h"
#include "Errore.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "SuperficieStampa.h"
#include "TestiStampa.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace sestina {
namespace {

constexpr double Margine = 120;
constexpr double Passo = 250;
constexpr double XLogo = 4000;

constexpr int TrattiSeparatore = 96;
const QChar Tratto(0x2014);

// "€ ###,###,###.00": no digit before the decimal mark below 1.
QString ImportoTabulato(Centesimi importo) {
    QString cifre = ImportoNelLocale(importo);
    if (importo.valore() >= 0 && importo.valore() < 100 && cifre.startsWith(QLatin1Char('0')))
        cifre.remove(0, 1);
    return QStringLiteral("€ ") + cifre;
}

void Riga(SuperficieStampa& s, const QString& testo, bool aCapo = true) {
    s.spostaA(Margine, s.y());
    s.stampa(testo, aCapo);
}

double Larghezza(SuperficieStampa& s) {
    return s.areaStampabile().width() - Margine;
}

// A text that may be longer than the printable width goes on at the margin on the next lines,
// broken after a blank where it can be, so nothing passes the page's edge.
void RigaACapo(SuperficieStampa& s, const QString& testo, bool aCapo = true) {
    const double spazio = Larghezza(s);
    QString resto = testo;
    while (s.larghezzaTesto(resto) > spazio) {
        qsizetype entra = 1; // characters that fit, at least one
        while (entra < resto.size() && s.larghezzaTesto(resto.left(entra + 1)) <= spazio)
            ++entra;
        const qsizetype blank = resto.left(entra + 1).lastIndexOf(QLatin1Char(' '));
        const qsizetype taglio = blank > 0 ? blank + 1 : entra;
        Riga(s, resto.left(taglio));
        resto = resto.mid(taglio);
    }
    Riga(s, resto, aCapo);
}

// The line of em dashes, as long as the printable width lets it be.
void Separatore(SuperficieStampa& s) {
    const double tratto = s.larghezzaTesto(QString(Tratto));
    const int entrano = tratto > 0 ? static_cast<int>(Larghezza(s) / tratto) : TrattiSeparatore;
    Riga(s, QString(std::clamp(entrano, 1, TrattiSeparatore), Tratto));
}

void Scendi(SuperficieStampa& s, double quanto) {
    s.spostaA(Margine, s.y() + quanto);
}

void Pronostico(SuperficieStampa& s, Sistema& sis) {
    Separatore(s);
    Riga(s, QStringLiteral("Pronostico Sistema"));
    Separatore(s);
    AggiornaPronostico(sis);
    s.spostaA(Margine, s.y());
    for (int i = 0; i < sis.numeriInGioco; ++i) {
        s.stampa(DueCifre(sis.pronostico[static_cast<std::size_t>(i)]) + QLatin1Char(' '), false);
        if ((i + 1) % 31 == 0)
            Scendi(s, Passo);
    }
    Scendi(s, Passo);
    Separatore(s);
    Riga(s, QStringLiteral("Condizioni sistema "));
    Separatore(s);
    if (sis.condSomma)
        Riga(s, QStringLiteral("Somma   : Da %1 A %2").arg(sis.sommaDa).arg(sis.sommaA));
    else
        Riga(s, QStringLiteral("Somma   : Da -- ") + QStringLiteral(" A --"));
    QString pari = QStringLiteral("Pari    : ");
    QString dispari = QStringLiteral("Dispari : ");
    if (sis.condPariDispari)
        for (int k = 0; k <= 6; ++k)
            if (sis.pariAmmessi[static_cast<std::size_t>(k)]) {
                pari += DueCifre(k) + QLatin1Char(' ');
                dispari += DueCifre(6 - k) + QLatin1Char(' ');
            }
    Riga(s, pari);
    Riga(s, dispari);
    QString fisse = QStringLiteral("Fisse   : ");
    if (sis.condFisse)
        for (int n = 1; n <= 90; ++n)
            if (sis.numeriFissi[static_cast<std::size_t>(n)] == 1)
                fisse += DueCifre(n) + QLatin1Char(' ');
    Riga(s, fisse);
    Riga(s, QStringLiteral("Consecutivi : ") +
                (sis.condConsecutivi ? FormattaPresenze(sis.consecutiviAmmessi) : QString()));
    Scendi(s, Passo);
}

// The header of every page after the first.
void NuovaPagina(SuperficieStampa& s, const Sistema& sis) {
    s.nuovaPagina();
    s.spostaA(Margine, Passo);
    s.impostaGrassetto(true);
    RigaACapo(s, QStringLiteral("Pag. %1 del sistema %2 - %3").arg(s.pagina()).arg(sis.nomeSistema, RigaCrediti));
    s.impostaGrassetto(false);
    s.stampa(QString(), true);
}

void Colonne(SuperficieStampa& s, const Corpo& corpo, int limitePrimaPagina) {
    const Sistema& sis = corpo.sistema;
    const int colonne = ColonneValide(sis);
    const int blocchi = (colonne + ColonnePerBlocco - 1) / ColonnePerBlocco;
    Riga(s, QStringLiteral("Sviluppo"));
    // From the top of its first separator to the bottom of its last.
    const double altezzaBlocco = 2 * s.altezzaRiga() + 6 * Passo;
    int sullaPagina = 0;
    bool primaPagina = true;
    for (int b = 1; b <= blocchi; ++b) {
        // A page holds its count of blocks, fewer when the next would pass the bottom of the paper.
        const int limite = primaPagina ? limitePrimaPagina : 7;
        const bool entra = s.y() + altezzaBlocco <= s.areaStampabile().height();
        if (sullaPagina == limite || (!entra && (sullaPagina > 0 || primaPagina))) {
            NuovaPagina(s, sis);
            primaPagina = false;
            sullaPagina = 0;
        }
        const int prima = (b - 1) * ColonnePerBlocco + 1;
        const int ultima = std::min(colonne, prima + ColonnePerBlocco - 1);
        Separatore(s);
        for (int p = 0; p < 6; ++p) {
            s.spostaA(Margine, s.y());
            for (int c = prima; c <= ultima; ++c) {
                s.stampa(DueCifre(sis.colonne.colonna(c)[p]) + QLatin1Char(' '), false);
                s.stampa(QStringLiteral("| "), false);
            }
            Scendi(s, Passo);
        }
        Separatore(s);
        Scendi(s, Passo);
        ++sullaPagina;
    }
}

void Copia(SuperficieStampa& s, Corpo& corpo, const OpzioniTabulato& o, const QImage& logo) {
    Sistema& sis = corpo.sistema;
    s.impostaFont(CarattereTabulato, 10, true);
    s.spostaA(Margine, Passo);
    RigaACapo(s, QStringLiteral("Pag. %1 %2 - %3").arg(s.pagina()).arg(corpo.intestazioneStampa, RigaCrediti));
    s.impostaGrassetto(false);
    Separatore(s);
    const double yNome = s.y();
    RigaACapo(s, QStringLiteral("Nome Sistema ") + sis.nomeSistema, false);
    s.immagine(logo, XLogo, yNome);
    Scendi(s, 500);
    Riga(s, QStringLiteral("Colonne Sistema ") + QString::number(sis.numeroColonne));
    Scendi(s, Passo);
    Riga(s, QStringLiteral("Importo Sistema ") + ImportoTabulato(sis.costoSistema()));
    Scendi(s, Passo);
    RigaACapo(s, QStringLiteral("Numeri in gioco %1").arg(sis.numeriInGioco) + QChar(9) +
                     QStringLiteral("Tipo Sistema ") + sis.tipoSistema);
    Scendi(s, Passo);
    if (o.pronostico)
        Pronostico(s, sis);
    s.impostaDimensione(10);
    if (o.colonne)
        Colonne(s, corpo, o.pronostico ? 5 : 6);
    s.fineDocumento();
}

} // namespace

bool StampaTabulato(Corpo& corpo, const OpzioniTabulato& o, const QImage& logo, SuperficieStampa& s, Interfaccia& ui) {
    s.selezionaStampante(corpo.stampanteTabulato);
    if (!o.colonne && !o.pronostico) {
        ui.messaggio(QStringLiteral("Nessuna scelta selezionata"), QStringLiteral(" E R R O R E "), Icona::Esclamazione,
                     Pulsanti::Ok);
        return false;
    }
    try {
        // Seven blocks and a line of 96 characters fit a page of A4 standing up, whatever the printer's paper.
        s.impostaA4Verticale();
        s.impostaUnita(Unita::Twip);
        for (int copia = 0; copia < std::clamp(o.copie, 1, 20); ++copia)
            Copia(s, corpo, o, logo);
    } catch (const Errore& e) {
        ui.messaggio(QStringLiteral("Error %1 (%2) in procedure Stampa Tabulato").arg(e.numero()).arg(e.descrizione()),
                     TitoloApplicazione, Icona::Nessuna, Pulsanti::Ok);
        try {
            s.fineDocumento();
        } catch (const Errore&) {
        }
        return false;
    }
    return true;
}

QImage LogoTabulato(bool colori) {
    // 40 x 12 mm at 300 dpi.
    QImage logo(472, 142, QImage::Format_ARGB32);
    logo.setDotsPerMeterX(11811);
    logo.setDotsPerMeterY(11811);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fondo = colori ? QColor(194, 24, 91) : QColor(0, 0, 0);
    const QColor stella = colori ? QColor(255, 193, 7) : QColor(255, 255, 255);
    p.setPen(Qt::NoPen);
    p.setBrush(fondo);
    p.drawRoundedRect(QRectF(4, 4, 464, 134), 24, 24);
    p.setBrush(stella);
    QPolygonF punta;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 48 : 20;
        const double a = -M_PI / 2 + i * M_PI / 5;
        punta << QPointF(74 + r * std::cos(a), 72 + r * std::sin(a));
    }
    p.drawPolygon(punta);
    // The name whole inside the badge, whatever face stands in for Arial.
    const QString nome = QStringLiteral("Sestinaplan");
    const QRectF spazio(130, 0, 322, 142);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    for (int pixel = 64; pixel >= 12; pixel -= 2) {
        f.setPixelSize(pixel);
        if (QFontMetricsF(f, &logo).horizontalAdvance(nome) <= spazio.width())
            break;
    }
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(spazio, Qt::AlignVCenter | Qt::AlignLeft, nome);
    return logo;
}

} // namespace sestina
