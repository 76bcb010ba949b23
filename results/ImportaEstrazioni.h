#pragma once

#include "Estrazione.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace sestina {

class Interfaccia;

// The draws of a file the user imports, oldest first: the public CSV (header
// "date,contest_number,n1,...,superstar", ISO dates), the same columns with ";" and dd/mm/yyyy
// dates as spreadsheets save them, or the downloaded draw list. Dates become dd/mm/yyyy. Throws an
// application error "Riga n: ..." for the first bad line.
ArchivioEstrazioni LeggiEstrazioniDaImportare(const QByteArray& testo);

// The archive with the new draws merged in by date: a new date goes in date order, a known date
// with the same numbers is ignored, a known date with other numbers throws
// "Il concorso del dd/mm/yyyy è diverso da quello in archivio". Empty records are dropped.
struct Unione {
    ArchivioEstrazioni archivio;
    int aggiunte = 0;
};
Unione UnisciEstrazioni(const ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuove);

// Merges nuove into the archive, saves the file whole (only when something was added) and only
// then changes memory. A refusal is shown (title: the archive window's caption) and changes nothing.
struct EsitoAggiunta {
    bool riuscita = false;
    int aggiunte = 0;
};
EsitoAggiunta AggiungiAllArchivio(ArchivioEstrazioni& archivio, const ArchivioEstrazioni& nuove,
                                  const QString& fileArchivio, Interfaccia& ui);
// Reads a file as LeggiEstrazioniDaImportare and adds its draws.
EsitoAggiunta ImportaEstrazioni(ArchivioEstrazioni& archivio, const QString& file, const QString& fileArchivio,
                                Interfaccia& ui);
QString TestoEstrazioniAggiunte(int aggiunte);

// A draw typed in: the date as dd/mm/yyyy, the draw number, the six numbers and the Jolly as the
// check window's boxes, the SuperStar (empty for none). The check window's messages where they
// apply. The numbers are kept in ascending order.
struct EstrazioneDigitata {
    QString data;
    QString concorso;
    std::array<QString, 7> caselle; // six numbers, then the Jolly
    QString superstar;
};
struct ErroreDigitazione {
    QString testo;
    QString titolo;
};
std::optional<ErroreDigitazione> ValidaEstrazioneDigitata(EstrazioneDigitata& d, Estrazione& risultato);

// The draws shipped with the program, under share/sestinaplan beside its folder (installed, or in
// the build tree). Empty when not found.
QString FileEstrazioniDistribuite();
// Fills fileArchivio from the shipped draws when it is missing or holds no draw; never over draws.
// True when it wrote the file.
bool CopiaArchivioIniziale(const QString& fileDistribuito, const QString& fileArchivio);

} // namespace sestina
