#include "UscitaStandard.h"

#include <Formato.h>

#include <cstdio>

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
    if (!m_blocco.isEmpty() && m_riuscito) {
        const auto dimensione = static_cast<std::size_t>(m_blocco.size());
        m_riuscito = std::fwrite(m_blocco.constData(), 1, dimensione, stdout) == dimensione;
    }
    m_blocco.resize(0); // keeps the capacity
    m_riuscito = m_riuscito && std::fflush(stdout) == 0;
    return m_riuscito;
}

} // namespace sestina::cli
