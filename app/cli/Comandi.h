#pragma once

namespace sestina::cli {

class Argomenti;

// The commands of the tool, each listed in the table of main.cpp with its options. Each gets its
// command line already checked against them and returns the exit status; it throws ErroreUso for a
// line it cannot run. Messages go to standard error, results to standard output.

// Comandi.cpp
// sviluppa --numeri LISTA [conditions] [-o FILE.sec]: develops and prints "<columns><TAB><type>" and the cost.
int EseguiSviluppa(const Argomenti& argomenti);
// apri FILE.sec: the header, the prediction and one line per column.
int EseguiApri(const Argomenti& argomenti);
// esporta FILE.sec (--txt FILE.txt | --extrema FILE.ext): the columns as a column list or an Extrema file.
int EseguiEsporta(const Argomenti& argomenti);
// importa FILE.txt|FILE.ext -o FILE.sec: a column list or an Extrema file saved as a system file.
int EseguiImporta(const Argomenti& argomenti);

// ComandiRisultati.cpp
// verifica FILE.sec --vincente "N1 N2 N3 N4 N5 N6 J" [--colonne]: the check window's scoring.
int EseguiVerifica(const Argomenti& argomenti);
// archivio aggiorna | elenca: the archive window's update, and its list newest first.
int EseguiArchivio(const Argomenti& argomenti);
// pubblica --archivio FILE --versione X.Y.Z [--matrici CARTELLA] -o CARTELLA: the folder a publisher serves.
int EseguiPubblica(const Argomenti& argomenti);

// ComandiMatrici.cpp
// matrici (aggiorna | elenca) [--numeri V]: the matrix window's download, and its catalogue lines
// (only the matrices of V numbers with --numeri).
int EseguiMatrici(const Argomenti& argomenti);
// matrice FILE.mspl: every header field as "<FIELD><TAB><value>", then versioneValida and crcValido.
int EseguiMatrice(const Argomenti& argomenti);
// matrice-genera --numeri V --garanzia T [--secondi S | --lavoro N] [--seme N] -o FILE.mspl: the optimiser.
int EseguiMatriceGenera(const Argomenti& argomenti);
// matrice-blocco --numeri A --garanzia T --su P [--secondi S | --lavoro N] [--seme N] --tabella FILE: a
// building block of the split construction, put in the table when it is smaller than the table's.
int EseguiMatriceBlocco(const Argomenti& argomenti);
// adatta FILE.mspl --numeri LISTA [--fisse LISTA] -o OUT.sec: the adaptation of the matrix window.
int EseguiAdatta(const Argomenti& argomenti);

// ComandiStampa.cpp
// schedine FILE.sec --tipo 2|5 [--da N] [--a M] [--superstar] (--pdf OUT.pdf | --stampante NOME): the slip job.
int EseguiSchedine(const Argomenti& argomenti);
// taratura --tipo 2|5 (--pdf OUT.pdf | --stampante NOME): the test slip with the saved calibration.
int EseguiTaratura(const Argomenti& argomenti);
// tabulato FILE.sec [--copie N] [--senza-pronostico] [--senza-colonne] [--bianco-nero] [--superstar]
// (--pdf | --stampante): the listing; into one PDF the copies follow each other, each from "Pag. 1".
int EseguiTabulato(const Argomenti& argomenti);
// impostazioni [--costo-se EURO] [--costo-ss EURO] [--intestazione TESTO] [--stampante-tabulato NOME]:
// prints the print settings; with options, saves them as the settings dialog does, then prints them.
int EseguiImpostazioni(const Argomenti& argomenti);

// ComandiStatistiche.cpp
// spoglio FILE.sec [--archivio FILE.dat] [--dal DATA --al DATA]: the scrutiny window's grid and summary.
int EseguiSpoglioEstrazioni(const Argomenti& argomenti);
// statistiche [--archivio FILE.dat] --csv OUT.csv: the statistics file and the six charts' bars.
int EseguiStatistiche(const Argomenti& argomenti);

// ComandiGaranzia.cpp
// garanzia FILE.sec: for p = 6 down to 2, the subsets, the count of each best score and the guarantee.
int EseguiGaranzia(const Argomenti& argomenti);
// probabilita FILE.sec [--premi "P6 P51 P5 P4 P3 P2"] [--superstar]: the odds of each prize and the
// expected return.
int EseguiProbabilita(const Argomenti& argomenti);

} // namespace sestina::cli
