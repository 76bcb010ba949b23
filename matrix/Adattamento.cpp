#include "Adattamento.h"

#include "Errore.h"
#include "Interfaccia.h"
#include "Sistema.h"

#include <algorithm>

namespace sestina {
namespace {

constexpr int ColonnePerPausa = 1000;
constexpr int MassimoFisse = 5;

const QString TroppeColonne = QStringLiteral("Colonne superiori alla capienza della memoria\r"
                                             "scegliere un'altra matrice o contattare l'autore per un aggiornamento");

int Posizione(const Sistema& s, int numero) {
    for (int i = 0; i < s.numeriInGioco; ++i)
        if (s.pronostico[static_cast<std::size_t>(i)] == numero)
            return i;
    return -1;
}

} // namespace

bool PortaInTesta(Sistema& s, int numero, int posizione) {
    if (numero < 1 || numero > NumeriGioco || posizione < 0 || posizione >= s.numeriInGioco)
        return false;
    const int dove = Posizione(s, numero);
    if (dove < 0)
        return false;
    std::swap(s.pronostico[static_cast<std::size_t>(dove)], s.pronostico[static_cast<std::size_t>(posizione)]);
    return true;
}

std::optional<QString> ChiediFisse(Sistema& s, int f, Interfaccia& ui, std::vector<int>& fisse) {
    const auto prima = s.pronostico;
    QString nomi;
    fisse.clear();
    for (int i = 0; i < f;) {
        const std::optional<QString> risposta =
            ui.chiedi(QStringLiteral("Numero fisse"), QStringLiteral("Valore Fissa N.%1 ?").arg(i + 1),
                      QString::number(s.pronostico[static_cast<std::size_t>(i)]));
        if (!risposta) {
            s.pronostico = prima;
            fisse.clear();
            return std::nullopt;
        }
        bool ok = false;
        const int numero = risposta->trimmed().toInt(&ok);
        // A number already named keeps its place: moving it again would lose an earlier fixed number.
        const bool giaNominato = std::find(fisse.begin(), fisse.end(), numero) != fisse.end();
        if (!ok || giaNominato || !PortaInTesta(s, numero, i))
            continue;
        nomi += QStringLiteral("%1   ").arg(numero, 2, 10, QLatin1Char('0'));
        fisse.push_back(numero);
        ++i;
    }
    return nomi;
}

void MostraErroreMatrice(Interfaccia& ui, const QString& descrizione, const QString& dopo) {
    const Errore e = Errore::applicazione(descrizione);
    ui.messaggio(QStringLiteral("Error %1 (%2)").arg(e.numero()).arg(e.descrizione()) + dopo, QStringLiteral("ERROR"),
                 Icona::Esclamazione, Pulsanti::Ok);
}

bool AdattaMatrice(Sistema& s, const MATRIX_STRUCTURE& matrice, Interfaccia& ui, std::vector<int>& fisse) {
    const MATRIX_HEADER& h = matrice.intestazione;
    const auto prima = s.pronostico;
    const auto ripristina = [&] {
        s.pronostico = prima;
        fisse.clear();
        return false;
    };
    const int c = h.COLUMNS_OF_MATRIX_C;
    const bool adatta = c >= 0 && h.NUMBERS_OF_MATRIX_V <= s.numeriInGioco && h.LENGTH_OF_COLUMN_K == 6 &&
                        h.GARANTY_T >= 1 && h.GARANTY_T <= 6 && h.FIXED_NUMBERS_OF_MATRIX_F <= MassimoFisse &&
                        matrice.COLUMS.size() >= 6 * static_cast<std::size_t>(std::max(c, 0));
    fisse.clear();
    const int f = adatta ? int{h.FIXED_NUMBERS_OF_MATRIX_F} : 0;
    if (f > 0) {
        const std::optional<QString> nomi = ChiediFisse(s, f, ui, fisse);
        if (!nomi)
            return ripristina();
        if (ui.messaggio(QStringLiteral("Le Fisse del sistema sono\r\r") + *nomi + QStringLiteral("\r\r"),
                         TitoloApplicazione, Icona::Nessuna, Pulsanti::OkAnnulla) == Risposta::Annulla)
            return ripristina();
    }
    if (c > LimiteColonne) {
        MostraErroreMatrice(ui, TroppeColonne);
        return ripristina();
    }
    if (!adatta) {
        ui.messaggio(QStringLiteral("La matrice non si adatta al pronostico"), TitoloApplicazione, Icona::Esclamazione,
                     Pulsanti::Ok);
        return ripristina();
    }
    AzzeraSistema(s, true);
    const std::uint8_t* posizioni = matrice.COLUMS.data();
    const auto v = h.NUMBERS_OF_MATRIX_V;
    for (int j = 0; j < c; ++j) {
        if (j % ColonnePerPausa == 0)
            ui.elaboraEventi();
        std::uint8_t* colonna = s.colonne.colonna(j + 1);
        for (int p = 0; p < 6; ++p) {
            const std::uint8_t n =
                posizioni[static_cast<std::size_t>(p) * static_cast<std::size_t>(c) + static_cast<std::size_t>(j)];
            colonna[p] = n >= 1 && n <= v ? s.pronostico[n - 1u] : std::uint8_t{0};
        }
    }
    s.numeroColonne = c;
    return true;
}

bool AdattaVoce(Sistema& s, const MATRIX_STRUCTURE& matrice, Interfaccia& ui) {
    std::vector<int> fisse;
    if (!AdattaMatrice(s, matrice, ui, fisse))
        return false;
    const MATRIX_HEADER& h = matrice.intestazione;
    s.tipoSistema = QStringLiteral("Adatta Matrice");
    if (!fisse.empty()) {
        s.quantiFissi = static_cast<std::uint8_t>(fisse.size());
        for (const int n : fisse)
            s.numeriFissi[static_cast<std::size_t>(n)] = 1;
        s.condFisse = Vero;
    }
    if (h.LENGTH_OF_COLUMN_K != h.GARANTY_T) {
        const int livello = h.LENGTH_OF_COLUMN_K - h.GARANTY_T;
        s.condRidotto = Vero;
        s.livelloRiduzione = static_cast<std::uint8_t>(livello);
        s.tipoSistema = QStringLiteral("Ridotto N-%1").arg(livello);
    }
    return true;
}

} // namespace sestina
