#pragma once

#include <QCommandLineParser>
#include <QStringList>

namespace sestina::cli {

// Parses the options of a command that reads its own; returns its positional arguments.
// Throws ErroreUso for an unknown option or a missing value.
QStringList Analizza(QCommandLineParser& parser, const QStringList& argomenti);

// The value of an option given at most once; empty when absent. Throws ErroreUso when repeated.
QString Unico(const QCommandLineParser& parser, const QString& nome);

} // namespace sestina::cli
