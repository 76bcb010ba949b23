#pragma once

#include "Download.h"
#include "Matrice.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace sestina {

struct Corpo;
class Interfaccia;

// The catalogue's entry for one matrix file, named by its file name. A file over the size limit is
// judged by its header, its CRC failed. Throws Errore when the file cannot be read.
VoceCatalogo VoceFileMatrice(const QString& percorso);

// Every header field by its name, in file order: numbers in decimal, texts trimmed, dates as
// yyyy-MM-dd (empty when out of range), RESERVED as its two bytes.
QList<std::pair<QString, QString>> CampiIntestazione(const MATRIX_HEADER& h);

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

// One update fetches at most this many files, and this many bytes with the list.
inline constexpr int MassimoMatriciPerAggiornamento = 500;
inline constexpr qint64 MassimoBytePerAggiornamento = 64 * 1024 * 1024;

// Fetches a page of the publisher's into percorso within the update's budget and stop.
using ScaricaPagina = std::function<bool(const QString& pagina, const QString& percorso, ContoDownload& conto)>;
// The publisher's pages by DownloadFile, the cache bypassed.
ScaricaPagina PagineDalServer(const QString& indirizzoServer, Interfaccia& ui);

// The window's side of an update.
class OsservatoreMatrici {
public:
    virtual ~OsservatoreMatrici() = default;
    // Before each name of the list and once at the end: how many are done.
    virtual void avanzamento(int fatte, int totale) = 0;
    // Asked between files and while one arrives: true ends the update there.
    virtual bool interrotto() = 0;
};

struct EsitoMatrici {
    bool listaScaricata = false;
    bool interrotto = false;
    int scaricate = 0;
    int scartate = 0; // not arrived, not a usable matrix, or beyond the update's limits
};

// "Matrici scaricate: n, scartate: m".
QString TestoEsitoMatrici(const EsitoMatrici& esito);

// A file the update may store: a matrix the program can adapt, whole (the version tag, the CRC,
// k = m = 6, every position from 1 to v and none twice in a column, 146 + 6 c bytes).
bool MatriceScaricabile(const QByteArray& file);

// The matrix update: the published list, then every name of it (percent-encoded in the query),
// each into a CartellaPrivata; a MatriceScaricabile is written over the local matrix of the same
// name (case aside), anything else is discarded and the local one stays. Names past the limits
// are discarded unfetched; a stop keeps what arrived before it.
EsitoMatrici AggiornaMatrici(const ScaricaPagina& scarica, const QString& cartellaMatrici,
                             OsservatoreMatrici* osservatore = nullptr);

// The matrices shipped with the program (origine) copied into the user's folder, each only when no
// file of its name (case aside) is there: a user's file is never overwritten. Returns how many.
int CopiaMatriciMancanti(const QString& origine, const QString& cartellaMatrici);

// The publisher's side: matrici/lista.txt and a copy of every *.mspl of cartellaMatrici under its
// published name (upper case, ".DAT"), below cartellaPubblicazione.
bool PubblicaMatrici(const QString& cartellaMatrici, const QString& cartellaPubblicazione);

} // namespace sestina
