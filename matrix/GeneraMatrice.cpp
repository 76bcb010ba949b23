#include "GeneraMatrice.h"

#include "Errore.h"
#include "FileMatrice.h"

namespace sestina {

QString NomeMatriceGenerata(int v, int t) {
    return QStringLiteral("%1numeri-%2se6.mspl").arg(v).arg(t);
}

MATRIX_STRUCTURE MatriceDaDisegno(int v, int t, const std::vector<Blocco>& disegno, const QDate& oggi) {
    std::vector<std::array<std::uint8_t, 6>> colonne;
    colonne.reserve(disegno.size());
    for (const Blocco b : disegno) {
        std::array<std::uint8_t, 6> colonna{};
        std::size_t i = 0;
        for (int p = 0; p < v && i < colonna.size(); ++p)
            if (b & (Blocco{1} << p))
                colonna[i++] = static_cast<std::uint8_t>(p + 1);
        colonne.push_back(colonna);
    }
    const DescrizioneMatrice testi{QStringLiteral("100%"), TitoloApplicazione,
                                   QStringLiteral("%1 numeri, garanzia %2 se 6").arg(v).arg(t), oggi,
                                   oggi.addYears(10)};
    return CreaMatrice(v, t, 0, colonne, testi);
}

std::optional<MATRIX_STRUCTURE> GeneraMatrice(const RichiestaOttimizzazione& richiesta,
                                              OsservatoreOttimizzazione& osservatore, const QDate& oggi) {
    const std::vector<Blocco> disegno = OttimizzaMatrice(richiesta, osservatore);
    if (disegno.empty() || !VerificaGaranzia(richiesta.v, richiesta.t, disegno))
        return std::nullopt;
    return MatriceDaDisegno(richiesta.v, richiesta.t, disegno, oggi);
}

} // namespace sestina
