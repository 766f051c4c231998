#include "app/AppInfo.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/db/ConnectionSettings.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "report/platform/SettingsStore.h"

namespace tovren::cli {

Command demoDataCommand()
{
    Command command;
    command.name = QStringLiteral("demo-data");
    command.summary = QStringLiteral("向表 info 添加生成的毕业生演示数据");
    command.usage = QStringLiteral(
        "用法: tovren demo-data --count N [--database CONN] [--seed S]\n"
        "向表 info 添加 N 条生成的毕业生记录 (姓名, 身份证号, 出生日期, 成绩, 学校...)。\n"
        "--count 0 只建立空的数据库。\n"
        "  --count N        记录数 (必需)\n"
        "  --database CONN  SQLite 文件或 postgresql://用户:密码@主机:端口/库 (默认: 当前目录的 "
        "毕业信息.db)\n"
        "  --seed S         随机种子, 相同种子产生相同的数据\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments args(words, {QStringLiteral("count"), QStringLiteral("database"),
                                     QStringLiteral("seed")},
                             {});
        if (!args.value(QStringLiteral("count")))
            throw UsageError(QStringLiteral("需要 --count N"));
        const int count = args.intValue(QStringLiteral("count"), 0);
        if (count < 0)
            throw UsageError(QStringLiteral("--count 不能为负数"));
        const int seed = args.intValue(QStringLiteral("seed"), 20061);
        platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));
        db::TDbConnection connection(
            db::chooseConnection(args.value(QStringLiteral("database")), settings));
        connection.open();
        const qsizetype written =
            demo::writeDemoGraduates(connection, count, static_cast<quint32>(seed));
        io.out << "已向 " << connection.spec().displayName() << " 的表 info 添加 " << written
               << " 条记录\n";
        return 0;
    };
    return command;
}

} // namespace tovren::cli
