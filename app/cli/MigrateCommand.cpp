#include "app/AppInfo.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/db/ConnectionSettings.h"
#include "app/db/DbConnection.h"
#include "app/migration/InfoMigration.h"
#include "app/migration/IsolatedJetDatabase.h"
#include "report/platform/SettingsStore.h"

namespace tovren::cli {

Command migrateCommand()
{
    Command command;
    command.name = QStringLiteral("migrate");
    command.summary = QStringLiteral("把旧的 Access 数据库 (.mdb) 中的表 info 复制到当前数据库");
    command.usage = QStringLiteral(
        "用法: tovren migrate FILE.mdb [--database CONN] [--codepage CP] [--table NAME]\n"
        "在一个事务中把 FILE.mdb 的表 info 复制到当前数据库, 并报告复制的行数、新加的列和\n"
        "无效的日期 (按行和列列出, 保存为空值)。没有表 info 任何一列的表不会被复制;\n"
        "复制失败时不留下新建的数据库文件。\n"
        "  --database CONN  目标数据库 (默认: 当前目录的 毕业信息.db)\n"
        "  --codepage CP    JET3 文件中文本的代码页, 如 936 或 1252 (默认: 936, 即 GBK)\n"
        "  --table NAME     要复制的源表 (默认: info)\n"
        "  --list           只列出文件中的表和列, 不复制\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments args(
            words,
            {QStringLiteral("database"), QStringLiteral("codepage"), QStringLiteral("table")},
            {QStringLiteral("list")});
        if (args.positional().size() != 1)
            throw UsageError(QStringLiteral("需要且只需要一个 .mdb 文件"));
        const migration::IsolatedJetDatabase source(
            args.positional().first(), args.value(QStringLiteral("codepage"), QString()));
        if (args.flag(QStringLiteral("list"))) {
            io.out << args.positional().first() << " (" << source.versionName() << ")\n";
            for (const QString &table : source.tableNames()) {
                QStringList names;
                for (const auto &column : source.columns(table))
                    names << column.name;
                io.out << table << ": " << names.join(QStringLiteral(", ")) << '\n';
            }
            return 0;
        }
        platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));
        db::TDbConnection target(
            db::chooseConnection(args.value(QStringLiteral("database")), settings));
        migration::InfoMigration migration(source, target);
        migration.setSourceTable(args.value(QStringLiteral("table"), QStringLiteral("info")));
        const migration::MigrationReport report = migration.run();
        io.out << report.text(target.spec().displayName()) << '\n';
        return 0;
    };
    return command;
}

} // namespace tovren::cli
