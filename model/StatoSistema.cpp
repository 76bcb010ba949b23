#include "StatoSistema.h"

namespace sestina {

void SegnaSviluppato(Sistema& s) {
    s.sistemaSviluppato = s.numeroColonne > 0 ? Vero : Falso;
}

void ScartaSviluppo(Sistema& s) {
    s.sistemaSviluppato = 0;
    s.colonne.azzera(s.numeroColonne);
    s.numeroColonne = 0;
    s.tipoSistema.clear();
}

bool CondizioneAccesa(const Sistema& s, Condizione c) {
    switch (c) {
    case Condizione::Filtri:
        return s.numeroFiltri >= 1;
    case Condizione::Consecutivi:
        return s.condConsecutivi != 0;
    case Condizione::Fisse:
        return s.condFisse != 0;
    case Condizione::PariDispari:
        return s.condPariDispari != 0;
    case Condizione::Somma:
        return s.condSomma != 0;
    case Condizione::Ridotto:
        return s.condRidotto != 0;
    }
    return false;
}

bool Condizionato(const Sistema& s) {
    for (const Condizione c :
         {Condizione::Filtri, Condizione::Consecutivi, Condizione::Fisse, Condizione::PariDispari, Condizione::Somma})
        if (CondizioneAccesa(s, c))
            return true;
    return false;
}

bool Soddisfatto(const Sistema& s, Requisito r) {
    const bool pronto = s.numeriInGioco >= 6;
    const bool sviluppato = s.sistemaSviluppato != 0;
    switch (r) {
    case Requisito::Nessuno:
        return true;
    case Requisito::Pronostico:
        return pronto;
    case Requisito::DaSviluppare:
        return pronto && !sviluppato;
    case Requisito::NonSviluppato:
        return !sviluppato;
    case Requisito::Sviluppato:
        return sviluppato;
    case Requisito::Colonne:
        return s.numeroColonne > 0;
    }
    return false;
}

} // namespace sestina
