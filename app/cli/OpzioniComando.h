#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

namespace sestina::cli {

// What an option takes after its name.
enum class Valore { Nessuno, UnaVolta, Ripetibile };

// One option of a command as the table of commands declares it.
struct Opzione {
    const char* nome = nullptr; // "numeri" is --numeri; one letter, "o", is -o
    Valore valore = Valore::Nessuno;
    const char* alias = nullptr; // a second name of the same option
};

constexpr Opzione Interruttore(const char* nome) {
    return {nome, Valore::Nessuno};
}
constexpr Opzione UnValore(const char* nome, const char* alias = nullptr) {
    return {nome, Valore::UnaVolta, alias};
}
constexpr Opzione PiuValori(const char* nome) {
    return {nome, Valore::Ripetibile};
}

// The options of one command; the slots it leaves empty have no name.
using OpzioniDi = std::array<Opzione, 9>;

// A command line read against the options of its command.
class Argomenti final {
public:
    // The arguments after the program's name. Throws ErroreUso for an unknown option, a missing
    // value or a value after a switch, in the parser's own words.
    Argomenti(std::span<const Opzione> opzioni, const QStringList& argomenti);

    // The arguments that are not options.
    const QStringList& file() const { return m_file; }
    // Takes the first of them off: the command's name on a line of the tool's shared options.
    QString togliComando() { return m_file.isEmpty() ? QString() : m_file.takeFirst(); }
    bool presente(const QString& nome) const { return m_parser.isSet(nome); }
    QStringList valori(const QString& nome) const { return m_parser.values(nome); }
    // The options given, each by the name it was given with.
    QStringList opzioniDate() const { return m_parser.optionNames(); }

private:
    QCommandLineParser m_parser;
    QStringList m_file;
};

// The value of an option given at most once; nothing when it is absent. Throws ErroreUso when repeated.
std::optional<QString> Unico(const Argomenti& argomenti, const QString& nome);
// The same, or mancante when the option is absent.
QString Unico(const Argomenti& argomenti, const QString& nome, const QString& mancante);
// Unico of every option of opzioni that takes one value: a repeated one is refused before any work.
void ControllaUnici(const Argomenti& argomenti, std::span<const Opzione> opzioni);

} // namespace sestina::cli
