#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/StoreArgument.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"

namespace tovren::cli {

Command importCommand()
{
    Command command;
    command.name = QStringLiteral("import");
    command.summary = QStringLiteral("从工作簿 (.xls, .xlsx, .csv) 向表 info 导入数据");
    command.usage = QStringLiteral(
        "用法: tovren import FILE [--database CONN]\n"
        "把工作簿第一个工作表的每一行追加为表 info 的一条记录; 第一行是字段名 (不区分大小写),\n"
        "没有对应字段的列被忽略。空的 BirthYear, BirthMonth, BirthDay 由前面的 Birth 推出。\n"
        "  --database CONN  目标数据库, 必须已经存在 (默认: 当前目录的 毕业信息.db)\n"
        "  --show           只显示读到的单元格 (每行以制表符分隔), 不导入\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments args(words, {QStringLiteral("database")}, {QStringLiteral("show")});
        if (args.positional().size() != 1)
            throw UsageError(QStringLiteral("需要且只需要一个工作簿文件"));
        const QString fileName = args.positional().first();
        const bool showOnly = args.flag(QStringLiteral("show"));
        // Opening would create a missing store, so a mistyped name would fill a new one.
        const std::optional<db::ConnectionSpec> store =
            showOnly ? std::nullopt
                     : std::optional(existingStore(args.value(QStringLiteral("database"))));
        const import::SheetData sheet = import::WorkbookReader::read(fileName);
        if (showOnly) {
            for (int row = 1; row <= sheet.rowCount(); ++row) {
                QStringList cells;
                for (int column = 1; column <= sheet.columnCount(); ++column)
                    cells << sheet.cellText(row, column);
                io.out << cells.join(u'\t') << '\n';
            }
            return 0;
        }

        db::TDbConnection connection(*store);
        connection.open();
        db::TDbQuery query(connection);
        query.setSql(QString::fromLatin1(db::InfoTable::kBrowseSql));
        query.open();
        import::SpreadsheetImport importer(query);
        const qsizetype added = importer.run(sheet, fileName);
        io.out << QStringLiteral("导入完成。增加新数据: %1").arg(added) << '\n';
        return 0;
    };
    return command;
}

} // namespace tovren::cli
