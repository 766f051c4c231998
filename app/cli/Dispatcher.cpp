#include "app/AppInfo.h"
#include "app/cli/Command.h"
#include "report/platform/DataFolders.h"

#include <algorithm>
#include <exception>

namespace tovren::cli {

namespace {

void printOverview(QTextStream &out)
{
    out << "用法: tovren [命令] [参数...]\n"
           "不带命令时打开主窗口; tovren 文件.qxf 在设计器中打开模板, tovren 文件.qxp "
           "预览准备好的报表。\n\n"
           "命令:\n";
    // The names column is as wide as the longest name, so no name runs into its summary.
    qsizetype nameWidth = QStringLiteral("--version").size();
    for (const Command &command : allCommands())
        nameWidth = std::max(nameWidth, command.name.size());
    nameWidth += 2;
    for (const Command &command : allCommands())
        out << "  " << command.name.leftJustified(nameWidth) << command.summary << '\n';
    out << "  " << QStringLiteral("--version").leftJustified(nameWidth)
        << "显示版本和程序数据所在的文件夹\n";
    out << "\n每个命令都接受 --help。\n";
}

/// The version, and the folder of fonts configuration, help and gallery the program reads: a
/// technician checking an installation wants both.
void printVersion(QTextStream &out)
{
    const QString data = platform::DataFolders::shippedDir();
    out << app::kApplicationTitle << ' ' << app::kApplicationVersion << '\n'
        << "程序数据: " << (data.isEmpty() ? QStringLiteral("未找到") : data) << '\n';
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
    if (arguments.isEmpty() || arguments.first() == u"--help" || arguments.first() == u"-h" ||
        arguments.first() == u"help") {
        printOverview(io.out);
        return 0;
    }
    if (arguments.first() == u"--version") {
        printVersion(io.out);
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
