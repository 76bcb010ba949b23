#include "OpzioniComando.h"

#include "ErroreUso.h"

namespace sestina::cli {

QStringList Analizza(QCommandLineParser& parser, const QStringList& argomenti) {
    if (!parser.parse(QStringList{QStringLiteral("sestinaplan-cli")} + argomenti))
        throw ErroreUso(parser.errorText());
    return parser.positionalArguments();
}

QString Unico(const QCommandLineParser& parser, const QString& nome) {
    const QStringList valori = parser.values(nome);
    if (valori.size() > 1)
        throw ErroreUso(QStringLiteral("--%1 indicata piu' volte").arg(nome));
    return valori.isEmpty() ? QString() : valori.front();
}

} // namespace sestina::cli
