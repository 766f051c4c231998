#pragma once

#include "app/cli/Command.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace tovren::test {

/// What one run of a `tovren` command printed and returned.
struct CommandRun
{
    int code = 0;
    QString out;
    QString err;
};

/// Runs `tovren ARGS...` through the real dispatcher, capturing both streams.
inline CommandRun runCommand(const QStringList &arguments)
{
    CommandRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    cli::CommandIo io{out, err};
    result.code = cli::dispatch(arguments, io);
    out.flush();
    err.flush();
    return result;
}

} // namespace tovren::test
