// The publisher's matrix list and the catalogue: the input is the downloaded list; each name it
// holds is "downloaded" as a copy of the input itself, then the folder is listed.
#include "Bersaglio.h"
#include "Catalogo.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const QString matrici = sestina::fuzz::Cartella() + QStringLiteral("/matrici");
    QDir(matrici).removeRecursively();
    QDir().mkpath(matrici);
    const QByteArray input(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(dimensione));
    int pagine = 0;
    auto scarica = [&](const QString& pagina, const QString& percorso, sestina::ContoDownload& conto) {
        if (++pagine > 8)
            return false;
        // A name from the list must never lead outside the update's own folder, nor out of the query.
        if (!percorso.startsWith(QDir::tempPath() + QStringLiteral("/sestinaplan-")) ||
            percorso.count(QLatin1Char('/')) != QDir::tempPath().count(QLatin1Char('/')) + 2 ||
            pagina.count(QLatin1Char('?')) != 1 || pagina.contains(QLatin1Char('#')) ||
            pagina.count(QLatin1Char('=')) != (pagina.contains(QStringLiteral("lista.asp")) ? 2 : 1))
            __builtin_trap();
        conto.disponibili -= input.size();
        QFile file(percorso);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size();
    };
    sestina::AggiornaMatrici(scarica, matrici);
    for (const QString& nome : QDir(matrici).entryList(QDir::Files)) {
        if (nome.contains(QLatin1Char('/')) || nome.contains(QStringLiteral("..")))
            __builtin_trap();
        // Only a usable matrix is ever stored.
        QFile file(QDir(matrici).filePath(nome));
        if (!file.open(QIODevice::ReadOnly) || !sestina::MatriceScaricabile(file.readAll()))
            __builtin_trap();
    }
    sestina::CatalogoDellaCartella(matrici, 0);
    return 0;
}
