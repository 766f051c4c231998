#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

namespace tovren::cli {

/// Where a command writes: its results to out, its complaints to err.
struct CommandIo
{
    QTextStream &out;
    QTextStream &err;
};

/// One headless command of the `tovren` program.
///
/// A command gets the arguments that follow its name, already without "--help" handling: the
/// dispatcher prints the usage text itself. It returns the process exit code, non-zero on any
/// failure, after writing a clear message to err; it never leaves a half-written output file.
struct Command
{
    QString name;
    QString summary;
    QString usage; ///< the full --help text
    std::function<int(const QStringList &arguments, CommandIo &io)> run;
};

/// Every command the program knows, in the order --help lists them.
const std::vector<Command> &allCommands();

/// Runs `tovren ARGS...` without the program name; returns the exit code.
int dispatch(const QStringList &arguments, CommandIo &io);

} // namespace tovren::cli
