#include "StampaSchede.h"

#include "Corpo.h"
#include "Errore.h"
#include "Formato.h"
#include "GeometriaScheda.h"
#include "Interfaccia.h"
#include "ProgressoStampa.h"
#include "SuperficieStampa.h"
#include "TestiStampa.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <limits>

namespace sestina {
namespace {

// A field of digits as a number; an empty one is 0, one too long for an int saturates.
qint64 LeggiCampo(const QString& testo) {
    qint64 v = 0;
    for (const QChar c : testo) {
        if (!c.isDigit())
            continue;
        v = v * 10 + c.digitValue();
        if (v > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max() + qint64{1};
    }
    return v;
}

void Segna(SuperficieStampa& s, QPointF p) {
    s.rettangolo(p.x(), p.y(), p.x() + LatoSegno, p.y() + LatoSegno);
}

QString NumeroScheda(int n) {
    return QStringLiteral("Scheda n. ") + QLocale().toString(n);
}

QString Importo(TipoScheda tipo, Centesimi importo) {
    if (tipo == TipoScheda::DueColonne)
        return QStringLiteral("         € ") + ImportoNelLocale(importo, false);
    return QStringLiteral("   € ") + ImportoNelLocale(importo);
}

void PreparaSuperficie(SuperficieStampa& s, const TaraturaScheda& t) {
    s.impostaStatoDisegno();
    s.impostaUnita(Unita::Millimetri);
    s.impostaQualita(t.qualitaNormale() ? QualitaStampa::Media : QualitaStampa::Bozza);
    s.impostaFont(CarattereSchede, 10, false);
}

void Intestazione(SuperficieStampa& s, const TaraturaScheda& t, const QString& testo) {
    s.impostaFont(CarattereSchede, 8, false);
    s.spostaA(t.intestazioneX, t.intestazioneY);
    s.stampa(testo, true);
}

// The text block under the system name: its lines start at nomeX.
void ACapo(SuperficieStampa& s, const TaraturaScheda& t) {
    s.spostaA(t.nomeX, s.y());
}

// The system name, then (after the progress label is set) slip number, amount and credit line.
template <typename Etichetta>
void BloccoNome(SuperficieStampa& s, TipoScheda tipo, const TaraturaScheda& t, const QString& nome,
                const QString& scheda, const QString& importo, Etichetta&& etichetta) {
    const bool due = tipo == TipoScheda::DueColonne;
    s.impostaFont(CarattereSchede, due ? 6 : 8, false);
    s.spostaA(t.nomeX, t.nomeY);
    s.stampa(nome, true);
    etichetta();
    ACapo(s, t);
    s.impostaFont(CarattereSchede, 8, false);
    s.stampa(scheda, false);
    s.impostaFont(CarattereSchede, due ? 28 : 24, false);
    s.stampa(importo, true);
    ACapo(s, t);
    s.impostaFont(CarattereSchede, 10, due);
    s.stampa(RigaCrediti, true);
}

QString Procedura(TipoScheda tipo) {
    return tipo == TipoScheda::DueColonne ? QStringLiteral("StampaScheda2ColonneSS")
                                          : QStringLiteral("StampaScheda5ColonneSS");
}

// The numbers of the columns on one slip, one panel a column.
struct SegniScheda {
    std::array<std::array<bool, 91>, 5> segni{};
    // A panel with no valid number is left blank and not paid.
    std::array<bool, 5> presente{};

    int presenti() const { return static_cast<int>(std::count(presente.begin(), presente.end(), true)); }
};

SegniScheda LeggiSegni(const Sistema& sis, qint64 inizio, int perScheda) {
    SegniScheda r;
    for (int c = 0; c < perScheda; ++c) {
        const qint64 indice = inizio + c;
        if (indice > sis.numeroColonne)
            continue;
        const std::uint8_t* col = sis.colonne.colonna(static_cast<int>(indice));
        for (int k = 0; k < 6; ++k)
            if (col[k] >= 1 && col[k] <= 90) {
                r.segni[static_cast<std::size_t>(c)][col[k]] = true;
                r.presente[static_cast<std::size_t>(c)] = true;
            }
    }
    return r;
}

// The marks of one slip: the numbers of each panel and, where it is played, its SuperStar box.
void SegnaScheda(SuperficieStampa& s, TipoScheda tipo, const TaraturaScheda& t, const SegniScheda& r, bool superStar) {
    if (tipo == TipoScheda::DueColonne) {
        for (int p = 1; p <= 2; ++p) {
            const auto& tab = r.segni[static_cast<std::size_t>(p - 1)];
            if (superStar && (p == 1 || r.presente[1]))
                Segna(s, SuperStarDueColonne(t, p));
            for (int riga = 14; riga >= 0; --riga)
                for (int k = 0; k < 6; ++k)
                    if (tab[static_cast<std::size_t>(k * 15 + riga + 1)])
                        Segna(s, CellaDueColonne(t, p, k * 15 + riga + 1));
        }
        return;
    }
    for (int p = 1; p <= ColonnePerScheda(tipo); ++p) {
        const auto& tab = r.segni[static_cast<std::size_t>(p - 1)];
        for (int n = 1; n <= 90; ++n) {
            if (tab[static_cast<std::size_t>(n)])
                Segna(s, CellaCinqueColonne(t, p, n));
            if (n == 15 && superStar && r.presente[static_cast<std::size_t>(p - 1)])
                Segna(s, SuperStarCinqueColonne(t, p));
        }
    }
}

// Ends the document after a failure; when the printer is gone nothing more can reach it.
void ChiudiDopoErrore(SuperficieStampa& s) {
    try {
        s.fineDocumento();
    } catch (const Errore&) {
    }
}

} // namespace

int ColonnePerScheda(TipoScheda tipo) {
    return tipo == TipoScheda::DueColonne ? 2 : 5;
}

int NumeroSchede(int numeroColonne, int colonnePerScheda) {
    if (numeroColonne <= 0 || colonnePerScheda <= 0)
        return 0;
    return (numeroColonne + colonnePerScheda - 1) / colonnePerScheda;
}

std::optional<IntervalloSchede> ControllaIntervallo(const QString& da, const QString& a, int numeroSchede,
                                                    Interfaccia& ui) {
    const qint64 primo = LeggiCampo(da);
    const qint64 ultimo = LeggiCampo(a);
    auto rifiuta = [&ui](const QString& testo, const QString& titolo) {
        ui.beep();
        ui.messaggio(testo, titolo, Icona::Esclamazione, Pulsanti::Ok);
        return std::nullopt;
    };
    if (primo > ultimo)
        return rifiuta(QStringLiteral("'DA' è maggiore di 'A'"), QStringLiteral(" !!! E R R O R E !!! "));
    if (da.trimmed().isEmpty() || primo < 1)
        return rifiuta(QStringLiteral("'DA' è minore del minimo"), QStringLiteral("!!! E R R O R E !!!"));
    if (!a.trimmed().isEmpty() && ultimo > numeroSchede)
        return rifiuta(QStringLiteral("'A' è maggiore del massimo"), QStringLiteral("!!! E R R O R E !!!"));
    return IntervalloSchede{static_cast<int>(primo), static_cast<int>(ultimo)};
}

EsitoStampa StampaSchede(Corpo& corpo, TipoScheda tipo, const TaraturaScheda& t, const QString& da, const QString& a,
                         SuperficieStampa& s, Interfaccia& ui, ProgressoStampa* progresso) {
    Sistema& sis = corpo.sistema;
    const int perScheda = ColonnePerScheda(tipo);
    const auto intervallo = ControllaIntervallo(da, a, NumeroSchede(sis.numeroColonne, perScheda), ui);
    if (!intervallo)
        return EsitoStampa::Rifiutata;
    s.selezionaStampante(t.stampante);
    if (progresso)
        progresso->apri();
    corpo.stampaAnnullata = Falso;
    auto chiudiProgresso = [progresso] {
        if (progresso)
            progresso->chiudi();
    };
    const bool superStar = sis.superStar != 0;
    try {
        PreparaSuperficie(s, t);
        const qint64 primaColonna = (qint64{intervallo->primo} - 1) * perScheda + 1;
        const qint64 ultimaColonna = std::min<qint64>(qint64{intervallo->ultimo} * perScheda, sis.numeroColonne);
        int numero = intervallo->primo;
        for (qint64 inizio = primaColonna; inizio <= ultimaColonna; inizio += perScheda, ++numero) {
            ui.elaboraEventi();
            if (corpo.stampaAnnullata) {
                chiudiProgresso();
                s.fineDocumento();
                return EsitoStampa::Interrotta;
            }
            Intestazione(s, t, corpo.intestazioneStampa);

            const SegniScheda segni = LeggiSegni(sis, inizio, perScheda);
            SegnaScheda(s, tipo, t, segni, superStar);

            const Centesimi importo = sis.costoColonna * segni.presenti();
            BloccoNome(s, tipo, t, sis.nomeSistema, NumeroScheda(numero), Importo(tipo, importo), [&] {
                if (progresso)
                    progresso->scheda(QStringLiteral("Scheda n. %1").arg(numero, 5, 10, QLatin1Char('0')));
            });
            s.nuovaPagina();
        }
        s.fineDocumento();
    } catch (const Errore& e) {
        MostraErrore(ui, e, Procedura(tipo), QStringLiteral("frmStampa"));
        ChiudiDopoErrore(s);
        chiudiProgresso();
        return EsitoStampa::Fallita;
    }
    chiudiProgresso();
    return EsitoStampa::Stampata;
}

EsitoStampa StampaScheda2ColonneSS(Corpo& corpo, const QString& da, const QString& a, SuperficieStampa& superficie,
                                   Interfaccia& ui, ProgressoStampa* progresso) {
    const TaraturaScheda t = LeggiTaratura(corpo.cartellaDati, TipoScheda::DueColonne);
    return StampaSchede(corpo, TipoScheda::DueColonne, t, da, a, superficie, ui, progresso);
}

EsitoStampa StampaScheda5ColonneSS(Corpo& corpo, const QString& da, const QString& a, SuperficieStampa& superficie,
                                   Interfaccia& ui, ProgressoStampa* progresso) {
    const TaraturaScheda t = LeggiTaratura(corpo.cartellaDati, TipoScheda::CinqueColonne);
    return StampaSchede(corpo, TipoScheda::CinqueColonne, t, da, a, superficie, ui, progresso);
}

bool StampaTestTaratura(TipoScheda tipo, const TaraturaScheda& t, const QString& intestazione, SuperficieStampa& s,
                        Interfaccia& ui) {
    const bool due = tipo == TipoScheda::DueColonne;
    try {
        s.selezionaStampante(t.stampante);
        PreparaSuperficie(s, t);
        s.impostaGrassetto(false);
        Intestazione(s, t, intestazione);
        if (due) {
            for (int p = 1; p <= 2; ++p) {
                Segna(s, SuperStarDueColonne(t, p));
                for (int r = 14; r >= 0; --r)
                    for (int k = 0; k < 6; ++k)
                        Segna(s, CellaDueColonne(t, p, k * 15 + r + 1));
            }
        } else {
            s.impostaFont(CarattereSchede, 6, false);
            for (int p = 1; p <= 5; ++p)
                for (int n = 1; n <= 90; ++n) {
                    const QPointF c = CellaCinqueColonne(t, p, n);
                    Segna(s, c);
                    s.spostaA(c.x(), c.y());
                    s.stampa(DueCifre(n), false);
                    if (n == 15) {
                        const QPointF ss = SuperStarCinqueColonne(t, p);
                        Segna(s, ss);
                        s.spostaA(ss.x(), ss.y());
                        s.stampa(QStringLiteral("SS"), false);
                    }
                }
        }
        BloccoNome(s, tipo, t, QStringLiteral("labelSistema -----------"), QStringLiteral("Scheda n. 0.000"),
                   due ? QStringLiteral("         € 00,00") : QStringLiteral(" € 0,00"), [] {});
        s.fineDocumento();
        return true;
    } catch (const Errore&) {
        ui.messaggio(QStringLiteral("Stampante non installata"), QStringLiteral("!!! E R R O R E !!!"), Icona::Critica,
                     Pulsanti::Ok);
        ChiudiDopoErrore(s);
        return false;
    }
}

} // namespace sestina
