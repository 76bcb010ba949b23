#include "UscitaStandard.h"

#include <Formato.h>

namespace sestina::cli {
namespace {

constexpr qsizetype DimensioneBlocco = 1 << 20;

} // namespace

UscitaStandard::UscitaStandard() {
    m_blocco.reserve(DimensioneBlocco + 64);
}

QString SenzaControlli(QString testo, bool tieniTab) {
    for (QChar& c : testo) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && !(tieniTab && u == u'\t')) || (u >= 0x7F && u <= 0x9F))
            c = QLatin1Char(' ');
    }
    return testo;
}

bool Scrivi(std::FILE* dove, const QByteArray& byte) {
    const auto dimensione = static_cast<std::size_t>(byte.size());
    const bool scritti = std::fwrite(byte.constData(), 1, dimensione, dove) == dimensione;
    return std::fflush(dove) == 0 && scritti;
}

void UscitaStandard::campi(const QStringList& valori) {
    QStringList puliti;
    puliti.reserve(valori.size());
    for (const QString& v : valori)
        puliti << SenzaControlli(v);
    riga(puliti.join(QLatin1Char('\t')));
}

void UscitaStandard::riga(const QString& testo) {
    m_blocco += SenzaControlli(testo, true).toUtf8();
    m_blocco += '\n';
    forseSvuota();
}

void UscitaStandard::rigaColonna(const std::uint8_t* colonna) {
    AggiungiRigaColonnaTxt(m_blocco, colonna);
    m_blocco += '\n';
    forseSvuota();
}

void UscitaStandard::forseSvuota() {
    if (m_blocco.size() >= DimensioneBlocco)
        svuota();
}

bool UscitaStandard::svuota() {
    // After a failed write nothing more goes out, so a script never reads a listing with a hole.
    m_riuscito = m_riuscito && Scrivi(stdout, m_blocco);
    m_blocco.resize(0); // keeps the capacity
    return m_riuscito;
}

} // namespace sestina::cli
