#include "SviluppoComune.h"

#include "Errore.h"
#include "Formato.h"
#include "Interfaccia.h"
#include "Sistema.h"
#include "StatoSistema.h"

#include <cmath>

namespace sestina {

QString TestoAllarmeLimite() {
    return QStringLiteral("ATTENZIONE !!! Sviluppo superiore alla capienza della memoria");
}

QString MessaggioLimite() {
    return QStringLiteral("!!! Sviluppo superiore alla capienza della memoria") + QLatin1Char('\r') +
           QStringLiteral("puoi generare al massimo") + FormattaContatore(LimiteColonne) + QStringLiteral(" colonne");
}

QString TipoSistema(const Sistema& s) {
    const bool altra = Condizionato(s);
    if (!s.condRidotto)
        return altra ? QStringLiteral("Condizionato") : QStringLiteral("Integrale");
    QString tipo = QStringLiteral("Ridotto N-") + QString::number(s.livelloRiduzione);
    if (altra)
        tipo += QStringLiteral(" Condizionato");
    return tipo;
}

std::int32_t PassoProgresso(double elaborate, double passo) {
    return static_cast<std::int32_t>(std::nearbyint(elaborate / passo));
}

void VerificaPronostico(const Sistema& s) {
    int precedente = 0;
    for (int k = 0; k < s.numeriInGioco; ++k) {
        const int numero = s.pronostico[static_cast<std::size_t>(k)];
        if (numero <= precedente || numero > NumeriGioco)
            throw Errore::applicazione(QStringLiteral("Pronostico non valido"));
        precedente = numero;
    }
}

void SegnalaLimite(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    osservatore.allarme(TestoAllarmeLimite());
    ui.messaggio(MessaggioLimite(), QStringLiteral("ATTENZIONE"), Icona::Critica, Pulsanti::Ok);
    s.sviluppoAnnullato = Vero;
}

void ConcludiSviluppo(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore, double integrale, double elaborate,
                      std::int32_t accettate) {
    s.numeroColonne = accettate;
    s.tipoSistema = TipoSistema(s);
    osservatore.fine(integrale, elaborate, accettate);
    const qint64 secondi = s.oraInizio.secsTo(QDateTime::currentDateTime());
    ui.messaggio(TestoTempoTrascorso(secondi), TitoloApplicazione, Icona::Nessuna, Pulsanti::Ok);
}

bool Elabora(Sistema& s, Interfaccia& ui, OsservatoreSviluppo& osservatore) {
    AggiornaPronostico(s);
    for (int n = 1; n <= NumeriGioco; ++n) {
        auto& fisso = s.numeriFissi[static_cast<std::size_t>(n)];
        if (fisso == 1 && !s.selezionati[static_cast<std::size_t>(n - 1)]) {
            fisso = 0;
            --s.quantiFissi;
        }
    }
    Sviluppa(s, ui, osservatore);
    if (!s.sviluppoAnnullato)
        SegnaSviluppato(s);
    return s.sistemaSviluppato != 0;
}

} // namespace sestina
