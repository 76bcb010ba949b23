#include "Errore.h"

#include "Interfaccia.h"

namespace sestina {

Errore::Errore(int numero, QString descrizione)
    : m_numero(numero), m_descrizione(std::move(descrizione)), m_what(m_descrizione.toUtf8()) {}

QString TestoErrore(const Errore& e, const QString& procedura, const QString& finestra) {
    const QString dove = finestra.isEmpty() ? QStringLiteral("Modulo corpo") : QStringLiteral("Form ") + finestra;
    return QStringLiteral("Error %1 (%2) in procedure %3 of %4").arg(e.numero()).arg(e.descrizione(), procedura, dove);
}

void MostraErrore(Interfaccia& ui, const Errore& e, const QString& procedura, const QString& finestra) {
    ui.messaggio(TestoErrore(e, procedura, finestra), TitoloApplicazione, Icona::Nessuna, Pulsanti::Ok);
}

} // namespace sestina
