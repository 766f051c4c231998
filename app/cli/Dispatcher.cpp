#include "app/cli/Command.h"

#include <exception>

namespace tovren::cli {

namespace {

void printOverview(QTextStream &out)
{
    out << "用法: tovren [命令] [参数...]\n"
           "不带命令时打开主窗口。\n\n命令:\n";
    for (const Command &command : allCommands())
        out << "  " << command.name.leftJustified(16) << command.summary << '\n';
    out << "\n每个命令都接受 --help。\n";
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : allCommands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace

int dispatch(const QStringList &arguments, CommandIo &io)
{
    if (arguments.isEmpty() || arguments.first() == u"--help" || arguments.first() == u"-h"
        || arguments.first() == u"help") {
        printOverview(io.out);
        return 0;
    }
    const Command *command = findCommand(arguments.first());
    if (!command) {
        io.err << "未知的命令: " << arguments.first() << "\n";
        printOverview(io.err);
        return 2;
    }
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        io.out << command->usage;
        if (!command->usage.endsWith(u'\n'))
            io.out << '\n';
        return 0;
    }
    try {
        return command->run(rest, io);
    } catch (const std::exception &error) {
        io.err << "错误: " << QString::fromUtf8(error.what()) << "\n";
        return 1;
    }
}

} // namespace tovren::cli
