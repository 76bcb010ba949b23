#pragma once

#include <QString>

#include <exception>

namespace sestina {

class Interfaccia;

inline const QString TitoloApplicazione = QStringLiteral("Sestinaplan");

// The numbers users know from the platform's runtime errors.
namespace numeri_errore {
inline constexpr int Applicazione = -2147211504; // application-error base + 10000
inline constexpr int Overflow = 6;
inline constexpr int MemoriaEsaurita = 7;
inline constexpr int IndiceFuoriIntervallo = 9;
inline constexpr int TipoNonCorrispondente = 13;
inline constexpr int NomeFileErrato = 52;
inline constexpr int FileNonTrovato = 53;
inline constexpr int InputOltreFine = 62;
inline constexpr int AccessoNegato = 75;
inline constexpr int PercorsoNonTrovato = 76;
inline constexpr int Stampante = 482;
} // namespace numeri_errore

// The description shown with a number of the list above, in Italian like every other text.
QString DescrizioneErrore(int numero);

// An unexpected failure: it travels up to the named procedure, which shows it.
class Errore : public std::exception {
public:
    Errore(int numero, QString descrizione);
    int numero() const { return m_numero; }
    const QString& descrizione() const { return m_descrizione; }
    const char* what() const noexcept override { return m_what.constData(); }

    static Errore applicazione(const QString& descrizione) { return {numeri_errore::Applicazione, descrizione}; }
    // One of the numbered failures above, with the description users know for it.
    static Errore comune(int numero);

private:
    int m_numero;
    QString m_descrizione;
    QByteArray m_what;
};

// "Error <n> (<description>) in procedure <procedura> of Form <finestra>",
// or "... of Modulo corpo" when finestra is empty.
QString TestoErrore(const Errore& e, const QString& procedura, const QString& finestra = {});

// The common error box: only OK, no icon, the application's title.
void MostraErrore(Interfaccia& ui, const Errore& e, const QString& procedura, const QString& finestra = {});

} // namespace sestina
