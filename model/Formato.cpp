#include "Formato.h"

#include <QLocale>

#include <cmath>

namespace sestina {

QString DueCifre(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QStringList NumeriDueCifre(int primo, int quanti) {
    QStringList testi;
    for (int n = primo; n < primo + quanti; ++n)
        testi << DueCifre(n);
    return testi;
}

QString FormattaContatore(double valore) {
    return QLatin1Char(' ') + QLocale().toString(static_cast<qlonglong>(std::llround(valore)));
}

QString FormattaIntero(qint64 valore) {
    return QLocale().toString(static_cast<qlonglong>(valore));
}

QString ImportoNelLocale(Centesimi importo, bool separatoreMigliaia, const QLocale& nelLocale) {
    QLocale locale = nelLocale;
    if (!separatoreMigliaia)
        locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const qint64 c = importo.valore();
    // Whole division keeps every cent; the sign goes before the euro digits, "-0,50" included.
    const qint64 euro = c / 100;
    const qint64 resto = c % 100;
    const QString segno = c < 0 ? locale.negativeSign() : QString();
    return segno + locale.toString(static_cast<qlonglong>(euro < 0 ? -euro : euro)) + locale.decimalPoint() +
           QStringLiteral("%1").arg(resto < 0 ? -resto : resto, 2, 10, QLatin1Char('0'));
}

QString FormattaEuro(Centesimi importo) {
    return QStringLiteral("€ ") + ImportoNelLocale(importo);
}

QString FormattaPresenze(std::int32_t maschera) {
    QString testo;
    for (int k = 0; k <= 6; ++k)
        if (maschera & (std::int32_t{1} << k))
            testo += DueCifre(k) + QLatin1Char(' ');
    return testo.trimmed();
}

QString TestoTempoTrascorso(qint64 secondi) {
    const qint64 giorni = secondi / 86400;
    const qint64 ore = (secondi % 86400) / 3600;
    const qint64 minuti = (secondi % 3600) / 60;
    const qint64 sec = secondi % 60;
    return QStringLiteral("%1 %2 %3:%4:%5")
        .arg(giorni)
        .arg(giorni == 1 ? QStringLiteral("Day") : QStringLiteral("Days"))
        .arg(DueCifre(static_cast<int>(ore)), DueCifre(static_cast<int>(minuti)), DueCifre(static_cast<int>(sec)));
}

QString RigaColonnaTxt(const std::uint8_t* colonna) {
    QByteArray riga;
    AggiungiRigaColonnaTxt(riga, colonna);
    return QString::fromLatin1(riga);
}

int ScriviNumeriColonna(char* destinazione, const std::uint8_t* colonna, char separatore) {
    int lunghezza = 0;
    for (int p = 0; p < 6; ++p) {
        const int n = colonna[p];
        if (n == 0)
            continue;
        if (n >= 100) // only a damaged column holds one; keep every digit rather than hide it
            destinazione[lunghezza++] = static_cast<char>('0' + n / 100);
        destinazione[lunghezza++] = static_cast<char>('0' + n / 10 % 10);
        destinazione[lunghezza++] = static_cast<char>('0' + n % 10);
        destinazione[lunghezza++] = separatore;
    }
    return lunghezza;
}

void AggiungiRigaColonnaTxt(QByteArray& destinazione, const std::uint8_t* colonna) {
    char riga[1 + LunghezzaMassimaNumeri];
    riga[0] = ' ';
    destinazione.append(riga, 1 + ScriviNumeriColonna(riga + 1, colonna, ' '));
}

} // namespace sestina
