// The publisher's matrix list and the catalogue: the input is the downloaded list; each name it
// holds is "downloaded" as a copy of the input itself, then the folder is listed.
#include "Bersaglio.h"
#include "Catalogo.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QString base = sestina::fuzz::Cartella();
    const QString temp = base + QStringLiteral("/temp/");
    const QString matrici = base + QStringLiteral("/matrici");
    QDir(matrici).removeRecursively();
    QDir().mkpath(matrici);
    QDir().mkpath(temp);
    const QByteArray input(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    int pagine = 0;
    auto scarica = [&](const QString&, const QString& percorso) {
        if (++pagine > 8)
            return false;
        // A name from the list must never lead outside the temporary folder.
        if (!percorso.startsWith(temp))
            __builtin_trap();
        QFile file(percorso);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size();
    };
    sestina::AggiornaMatrici(scarica, temp, matrici);
    for (const QString& nome : QDir(matrici).entryList(QDir::Files))
        if (nome.contains(QLatin1Char('/')) || nome.contains(QStringLiteral("..")))
            __builtin_trap();
    sestina::CatalogoDellaCartella(matrici, 0);
    return 0;
}
