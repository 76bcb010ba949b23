#pragma once

#include "Centesimi.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace sestina {

// A number of the game, or any small count, as two digits: "07".
QString DueCifre(int n);
// quanti consecutive numbers from primo, each as DueCifre: the captions of number grids.
QStringList NumeriDueCifre(int primo, int quanti);

// The counter pattern " #,###,###,###,##0": a leading blank, grouped in the default locale.
QString FormattaContatore(double valore);

// "###,##0" in the default locale.
QString FormattaIntero(qint64 valore);

// Whole euro and two cent digits with a locale's marks, by default the user's: "1.298.528,00", or
// without the thousands separator "1298528,00". Exact for any amount.
QString ImportoNelLocale(Centesimi importo, bool separatoreMigliaia = true, const QLocale& locale = QLocale());

// "€ ###,###,##0.00" in the default locale.
QString FormattaEuro(Centesimi importo);

// The set bits 0..6 of a presence mask as "00 02 05"; empty mask, empty text.
QString FormattaPresenze(std::int32_t maschera);

// "0 Days 01:02:07", "1 Day 00:00:00".
QString TestoTempoTrascorso(qint64 secondi);

// Each non-zero number of a column as two digits followed by separatore; returns the bytes written,
// at most LunghezzaMassimaNumeri.
inline constexpr int LunghezzaMassimaNumeri = 6 * 4;
int ScriviNumeriColonna(char* destinazione, const std::uint8_t* colonna, char separatore);

// The column-list line: a blank, then each non-zero number as two digits and a blank.
QString RigaColonnaTxt(const std::uint8_t* colonna);
// The same line appended as bytes, for listings of millions of columns.
void AggiungiRigaColonnaTxt(QByteArray& destinazione, const std::uint8_t* colonna);

} // namespace sestina
