#include "Mescola.h"

#include "Errore.h"
#include "Interfaccia.h"

#include <QTime>

#include <cstring>
#include <utility>
#include <vector>

namespace sestina {

void PermutaColonne(ColumnStore& colonne, int numeroColonne, std::mt19937& generatore) {
    const int n = numeroColonne;
    if (n < 2)
        return;
    std::vector<int> indici(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i)
        indici[static_cast<std::size_t>(i)] = i;
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    for (int i = 1; i <= n; ++i) {
        int j = static_cast<int>(uniforme(generatore) * n) + 1;
        if (j > n) // guards the rare rounding of r * n up to n
            j = n;
        std::swap(indici[static_cast<std::size_t>(i)], indici[static_cast<std::size_t>(j)]);
        const int a = indici[static_cast<std::size_t>(i)];
        const int b = indici[static_cast<std::size_t>(j)];
        std::uint8_t temp[6];
        std::memcpy(temp, colonne.colonna(a), 6);
        std::memcpy(colonne.colonna(a), colonne.colonna(b), 6);
        std::memcpy(colonne.colonna(b), temp, 6);
    }
}

bool MescolaColonne(Sistema& s, Interfaccia& ui) {
    if (ui.messaggio(QStringLiteral("Vuoi mescolare le colonne"), TitoloApplicazione, Icona::Nessuna, Pulsanti::SiNo) !=
        Risposta::Si)
        return false;
    std::mt19937 generatore(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    PermutaColonne(s.colonne, s.numeroColonne, generatore);
    return true;
}

} // namespace sestina
