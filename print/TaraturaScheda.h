#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace sestina {

enum class TipoScheda { DueColonne = 0, CinqueColonne = 1 };

inline constexpr std::int16_t QualitaNormale = 9999;
inline constexpr std::int16_t QualitaBassa = 1111;

// The calibration of one slip kind, every position in millimetres.
struct TaraturaScheda {
    float distanzaX = 0;
    float distanzaY = 0;
    float pannelloTop = 0;
    float pannelloLeft = 0;
    float intestazioneX = 0;
    float intestazioneY = 0;
    float nomeX = 0;
    float nomeY = 0;
    std::int16_t qualita = QualitaBassa;
    QString stampante;

    bool qualitaNormale() const { return qualita == QualitaNormale; }
};

// The default table of the kind.
TaraturaScheda TaraturaPredefinita(TipoScheda tipo);
// Each position that is exactly 0 takes its default.
void ApplicaPredefiniti(TaraturaScheda& t, TipoScheda tipo);

// cartellaDati + "/NewScheda2colSS.cfg" or "/NewScheda5colSS.cfg".
QString FileTaratura(const QString& cartellaDati, TipoScheda tipo);

// The ten 128-byte records. A short or missing record, or a position that is not a finite number
// from 0 to 300 mm, reads as 0; a name longer than its record is cut. Defaults are not applied here.
TaraturaScheda DecodificaTaratura(const QByteArray& byte);
// Every record written in full; a device name longer than 126 bytes is cut.
QByteArray CodificaTaratura(const TaraturaScheda& t);

// The kind's file with the defaults applied; a missing or unreadable file (a device, a FIFO) reads
// as all zeros. Bytes after the ten records are not read.
TaraturaScheda LeggiTaratura(const QString& cartellaDati, TipoScheda tipo);
// Through QSaveFile: on failure throws Errore and the old file stays whole.
void SalvaTaratura(const QString& cartellaDati, TipoScheda tipo, const TaraturaScheda& t);

// A scroll bar's position for a value: value × scala rounded to nearest, a half to the even neighbour.
int PosizioneScorrimento(float valore, int scala);

} // namespace sestina
