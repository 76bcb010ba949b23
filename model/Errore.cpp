#include "Errore.h"

#include "Interfaccia.h"

namespace sestina {

Errore::Errore(int numero, QString descrizione)
    : m_numero(numero), m_descrizione(std::move(descrizione)), m_what(m_descrizione.toUtf8()) {}

Errore Errore::comune(int numero) {
    switch (numero) {
    case numeri_errore::Overflow:
        return {numero, QStringLiteral("Overflow")};
    case numeri_errore::MemoriaEsaurita:
        return {numero, QStringLiteral("Out of memory")};
    case numeri_errore::IndiceFuoriIntervallo:
        return {numero, QStringLiteral("Subscript out of range")};
    case numeri_errore::TipoNonCorrispondente:
        return {numero, QStringLiteral("Type mismatch")};
    case numeri_errore::NomeFileErrato:
        return {numero, QStringLiteral("Bad file name or number")};
    case numeri_errore::FileNonTrovato:
        return {numero, QStringLiteral("File not found")};
    case numeri_errore::InputOltreFine:
        return {numero, QStringLiteral("Input past end of file")};
    case numeri_errore::AccessoNegato:
        return {numero, QStringLiteral("Path/File access error")};
    case numeri_errore::PercorsoNonTrovato:
        return {numero, QStringLiteral("Path not found")};
    default:
        return {numero, QStringLiteral("Application-defined or object-defined error")};
    }
}

QString TestoErrore(const Errore& e, const QString& procedura, const QString& finestra) {
    const QString dove = finestra.isEmpty() ? QStringLiteral("Modulo corpo") : QStringLiteral("Form ") + finestra;
    return QStringLiteral("Error %1 (%2) in procedure %3 of %4").arg(e.numero()).arg(e.descrizione(), procedura, dove);
}

void MostraErrore(Interfaccia& ui, const Errore& e, const QString& procedura, const QString& finestra) {
    ui.messaggio(TestoErrore(e, procedura, finestra), TitoloApplicazione, Icona::Nessuna, Pulsanti::Ok);
}

} // namespace sestina
