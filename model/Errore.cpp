#include "Errore.h"

#include "Interfaccia.h"

namespace sestina {

Errore::Errore(int numero, QString descrizione)
    : m_numero(numero), m_descrizione(std::move(descrizione)), m_what(m_descrizione.toUtf8()) {}

QString DescrizioneErrore(int numero) {
    switch (numero) {
    case numeri_errore::Overflow:
        return QStringLiteral("Overflow");
    case numeri_errore::MemoriaEsaurita:
        return QStringLiteral("Memoria esaurita");
    case numeri_errore::IndiceFuoriIntervallo:
        return QStringLiteral("Indice non compreso nell'intervallo");
    case numeri_errore::TipoNonCorrispondente:
        return QStringLiteral("Tipo non corrispondente");
    case numeri_errore::NomeFileErrato:
        return QStringLiteral("Nome o numero di file non valido");
    case numeri_errore::FileNonTrovato:
        return QStringLiteral("Impossibile trovare il file");
    case numeri_errore::InputOltreFine:
        return QStringLiteral("Input oltre la fine del file");
    case numeri_errore::AccessoNegato:
        return QStringLiteral("Errore di accesso al percorso/file");
    case numeri_errore::PercorsoNonTrovato:
        return QStringLiteral("Impossibile trovare il percorso");
    case numeri_errore::Stampante:
        return QStringLiteral("Errore della stampante");
    default:
        return QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
    }
}

Errore Errore::comune(int numero) {
    return {numero, DescrizioneErrore(numero)};
}

QString TestoErrore(const Errore& e, const QString& procedura, const QString& finestra) {
    const QString dove = finestra.isEmpty() ? QStringLiteral("Modulo corpo") : QStringLiteral("Form ") + finestra;
    return QStringLiteral("Error %1 (%2) in procedure %3 of %4").arg(e.numero()).arg(e.descrizione(), procedura, dove);
}

void MostraErrore(Interfaccia& ui, const Errore& e, const QString& procedura, const QString& finestra) {
    ui.messaggio(TestoErrore(e, procedura, finestra), TitoloApplicazione, Icona::Nessuna, Pulsanti::Ok);
}

} // namespace sestina
