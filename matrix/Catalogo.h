#pragma once

#include "Matrice.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace sestina {

struct Corpo;

// The names (no folder) of the files in cartella matching filtro, in the file system's order;
// none gives one empty name.
QStringList ElencaFile(const QString& cartella, const QString& filtro);

// cartellaDati + "/matrici".
QString CartellaMatrici(const QString& cartellaDati);

// The *.mspl files of the folder with k = m = 6 and, unless numeri is 0, v = numeri; sorted by v
// with the exchange sort (equal v are not kept in listing order). With no file listed the catalogue
// keeps one empty entry per name listed.
std::vector<VoceCatalogo> CatalogoDellaCartella(const QString& cartellaMatrici, int numeri);
// The same for the data folder of corpo, into corpo.catalogoMatrici.
void CaricaCatalogoMatrici(Corpo& corpo, int numeri);

// " 10 | 06 | 05 | 06 | 00 |     14 | 100%      ": a line of the catalogue list.
QString RigaCatalogo(const VoceCatalogo& voce);

// A name from the publisher's list is a plain file name: no separator, "..", drive, control
// character, and at most 64 characters. Others are skipped.
bool NomePubblicatoValido(const QString& nome);
// "LISTA.DAT" -> "LISTA.mspl" (exact-case replacement).
QString NomeLocaleMatrice(const QString& nomePubblicato);

using ScaricaPagina = std::function<bool(const QString& pagina, const QString& percorso)>;

struct EsitoMatrici {
    bool listaScaricata = false;
    int scaricate = 0;
    int saltate = 0;
};

// The matrix update: the published list into cartellaTemp, then every name of it into
// cartellaTemp, copied whole over the local matrix of the same name (case aside). A file that
// does not arrive is skipped and the local one stays.
EsitoMatrici AggiornaMatrici(const ScaricaPagina& scarica, const QString& cartellaTemp, const QString& cartellaMatrici);

// The matrices shipped with the program (origine) copied into the user's folder, each only when no
// file of its name (case aside) is there: a user's file is never overwritten. Returns how many.
int CopiaMatriciMancanti(const QString& origine, const QString& cartellaMatrici);

// The publisher's side: matrici/lista.txt and a copy of every *.mspl of cartellaMatrici under its
// published name (upper case, ".DAT"), below cartellaPubblicazione.
bool PubblicaMatrici(const QString& cartellaMatrici, const QString& cartellaPubblicazione);

} // namespace sestina
