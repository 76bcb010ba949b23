#include "TaraturaScheda.h"

#include "Cp1252.h"
#include "Errore.h"
#include "ErroriFile.h"
#include "FileIntero.h"

#include <QDir>

#include <cmath>
#include <cstring>

namespace sestina {
namespace {

constexpr int Record = 128;
constexpr int Records = 10;
constexpr int NomeMassimo = Record - 2;
constexpr int FileMassimo = Record * Records;
// The scroll bars cover 0 to 300 mm; a value past them is no position on a slip.
constexpr float PosizioneMassima = 300.0f;

float LeggiFloat(const QByteArray& b, int record) {
    const qsizetype at = static_cast<qsizetype>(record) * Record;
    if (b.size() < at + 4)
        return 0;
    std::uint32_t bit = 0;
    for (int i = 3; i >= 0; --i)
        bit = (bit << 8) | static_cast<std::uint8_t>(b[at + i]);
    float v = 0;
    std::memcpy(&v, &bit, sizeof v);
    return std::isfinite(v) && v >= 0.0f && v <= PosizioneMassima ? v : 0.0f;
}

int LeggiU16(const QByteArray& b, qsizetype at) {
    if (b.size() < at + 2)
        return -1;
    return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}

void ScriviFloat(QByteArray& b, int record, float v) {
    std::uint32_t bit = 0;
    std::memcpy(&bit, &v, sizeof v);
    for (int i = 0; i < 4; ++i)
        b[record * Record + i] = static_cast<char>((bit >> (8 * i)) & 0xFF);
}

void ScriviU16(QByteArray& b, int at, std::uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

} // namespace

TaraturaScheda TaraturaPredefinita(TipoScheda tipo) {
    TaraturaScheda t;
    if (tipo == TipoScheda::DueColonne) {
        t.distanzaX = 5.0f;
        t.distanzaY = 4.5f;
        t.pannelloTop = 103.3f;
        t.pannelloLeft = 22.3f;
        t.intestazioneX = 2.0f;
        t.intestazioneY = 203.5f;
        t.nomeX = 2.0f;
        t.nomeY = 0.1f;
    } else {
        t.distanzaX = 5.0f;
        t.distanzaY = 3.52f;
        t.pannelloTop = 31.6f;
        t.pannelloLeft = 7.2f;
        t.intestazioneX = 1.5f;
        t.intestazioneY = 0.5f;
        t.nomeX = 2.3f;
        t.nomeY = 190.0f;
    }
    return t;
}

void ApplicaPredefiniti(TaraturaScheda& t, TipoScheda tipo) {
    const TaraturaScheda d = TaraturaPredefinita(tipo);
    auto scegli = [](float& v, float predefinito) {
        if (v == 0.0f)
            v = predefinito;
    };
    scegli(t.distanzaX, d.distanzaX);
    scegli(t.distanzaY, d.distanzaY);
    scegli(t.pannelloTop, d.pannelloTop);
    scegli(t.pannelloLeft, d.pannelloLeft);
    scegli(t.intestazioneX, d.intestazioneX);
    scegli(t.intestazioneY, d.intestazioneY);
    scegli(t.nomeX, d.nomeX);
    scegli(t.nomeY, d.nomeY);
}

QString FileTaratura(const QString& cartellaDati, TipoScheda tipo) {
    return QDir(cartellaDati)
        .filePath(tipo == TipoScheda::DueColonne ? QStringLiteral("NewScheda2colSS.cfg")
                                                 : QStringLiteral("NewScheda5colSS.cfg"));
}

TaraturaScheda DecodificaTaratura(const QByteArray& b) {
    TaraturaScheda t;
    t.distanzaX = LeggiFloat(b, 0);
    t.distanzaY = LeggiFloat(b, 1);
    t.pannelloTop = LeggiFloat(b, 2);
    t.pannelloLeft = LeggiFloat(b, 3);
    t.intestazioneX = LeggiFloat(b, 4);
    t.intestazioneY = LeggiFloat(b, 5);
    t.nomeX = LeggiFloat(b, 6);
    t.nomeY = LeggiFloat(b, 7);
    const int tag = LeggiU16(b, 8 * Record);
    const int valore = LeggiU16(b, 8 * Record + 2);
    t.qualita =
        (tag == 2 && valore >= 0) ? static_cast<std::int16_t>(static_cast<std::uint16_t>(valore)) : QualitaBassa;
    const qsizetype inizioNome = 9 * Record + 2;
    const int lunghezza = LeggiU16(b, 9 * Record);
    if (lunghezza > 0) {
        const qsizetype disponibili = std::max<qsizetype>(0, b.size() - inizioNome);
        const qsizetype quanti = std::min<qsizetype>({lunghezza, NomeMassimo, disponibili});
        t.stampante = DaCp1252(b.mid(inizioNome, quanti));
    }
    return t;
}

QByteArray CodificaTaratura(const TaraturaScheda& t) {
    QByteArray b(FileMassimo, '\0');
    const float valori[] = {t.distanzaX,     t.distanzaY,     t.pannelloTop, t.pannelloLeft,
                            t.intestazioneX, t.intestazioneY, t.nomeX,       t.nomeY};
    for (int i = 0; i < 8; ++i)
        ScriviFloat(b, i, valori[i]);
    ScriviU16(b, 8 * Record, 2);
    ScriviU16(b, 8 * Record + 2, static_cast<std::uint16_t>(t.qualita));
    const QByteArray nome = ACp1252(t.stampante).left(NomeMassimo);
    ScriviU16(b, 9 * Record, static_cast<std::uint16_t>(nome.size()));
    std::memcpy(b.data() + 9 * Record + 2, nome.constData(), static_cast<std::size_t>(nome.size()));
    return b;
}

TaraturaScheda LeggiTaratura(const QString& cartellaDati, TipoScheda tipo) {
    QByteArray byte;
    try {
        byte = LeggiInizioFile(FileTaratura(cartellaDati, tipo), FileMassimo);
    } catch (const Errore&) {
        // unreadable: every position takes its default
    }
    TaraturaScheda t = DecodificaTaratura(byte);
    ApplicaPredefiniti(t, tipo);
    return t;
}

void SalvaTaratura(const QString& cartellaDati, TipoScheda tipo, const TaraturaScheda& t) {
    const QString percorso = FileTaratura(cartellaDati, tipo);
    if (!ScriviFileIntero(percorso, CodificaTaratura(t)))
        throw ErroreDiScrittura(percorso);
}

int PosizioneScorrimento(float valore, int scala) {
    const double v = std::nearbyint(static_cast<double>(valore) * scala);
    if (!(v >= 0))
        return 0;
    return v > 1e9 ? 1'000'000'000 : static_cast<int>(v);
}

} // namespace sestina
