#include "OpzioniComando.h"

#include "ErroreUso.h"

namespace sestina::cli {

Argomenti::Argomenti(std::span<const Opzione> opzioni, const QStringList& argomenti) {
    for (const Opzione& o : opzioni) {
        if (o.nome == nullptr)
            continue;
        QStringList nomi{QString::fromLatin1(o.nome)};
        if (o.alias != nullptr)
            nomi << QString::fromLatin1(o.alias);
        // A value name is what makes the parser expect a value.
        m_parser.addOption({nomi, QString(), o.valore == Valore::Nessuno ? QString() : QStringLiteral("VALORE")});
    }
    if (!m_parser.parse(QStringList{QStringLiteral("sestinaplan-cli")} + argomenti))
        throw ErroreUso(m_parser.errorText());
    m_file = m_parser.positionalArguments();
}

std::optional<QString> Unico(const Argomenti& argomenti, const QString& nome) {
    const QStringList valori = argomenti.valori(nome);
    if (valori.size() > 1)
        throw ErroreUso(QStringLiteral("--%1 indicata piu' volte").arg(nome));
    return valori.isEmpty() ? std::nullopt : std::optional<QString>(valori.front());
}

QString Unico(const Argomenti& argomenti, const QString& nome, const QString& mancante) {
    return Unico(argomenti, nome).value_or(mancante);
}

void ControllaUnici(const Argomenti& argomenti, std::span<const Opzione> opzioni) {
    for (const Opzione& o : opzioni)
        if (o.nome != nullptr && o.valore == Valore::UnaVolta)
            Unico(argomenti, QString::fromLatin1(o.nome));
}

} // namespace sestina::cli
