#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/StoreArgument.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"

#include <QFileInfo>
#include <optional>

namespace tovren::cli {

namespace {

std::optional<import::DuplicateRows> duplicateRowsOption(const std::optional<QString> &value)
{
    if (!value)
        return std::nullopt;
    if (*value == u"skip")
        return import::DuplicateRows::Skip;
    if (*value == u"update")
        return import::DuplicateRows::Update;
    if (*value == u"add")
        return import::DuplicateRows::Add;
    throw UsageError(
        QStringLiteral("--duplicates 只能是 skip, update 或 add, 而不是 %1").arg(*value));
}

} // namespace

Command importCommand()
{
    Command command;
    command.name = QStringLiteral("import");
    command.summary = QStringLiteral("从工作簿 (.xls, .xlsx, .csv) 向表 info 导入数据");
    command.usage = QStringLiteral(
        "用法: tovren import FILE [--database CONN] [--duplicates skip|update|add]\n"
        "把工作簿第一个工作表的每一行追加为表 info 的一条记录; 第一行是字段名 (不区分大小写)\n"
        "或其中文列名 (如 姓名, 学生学号), 没有对应字段的列被忽略并在最后列出。\n"
        "空的 BirthYear, BirthMonth, BirthDay 由前面的 Birth 推出。\n"
        "学生学号 (StudID) 或身份证 (CardID) 已在数据库中的行, 只有给出 --duplicates 才会导入。\n"
        "  --database CONN  目标数据库, 必须已经存在 (默认: 当前目录的 毕业信息.db)\n"
        "  --duplicates skip|update|add\n"
        "                   已有的记录: skip 跳过这些行, update 用行中不为空的单元格更新已有的\n"
        "                   记录, add 仍作为新记录增加 (不给出时有这样的行就不导入任何数据)\n"
        "  --show           只显示读到的单元格 (每行以制表符分隔), 不导入\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments args(words, {QStringLiteral("database"), QStringLiteral("duplicates")},
                             {QStringLiteral("show")});
        if (args.positional().size() != 1)
            throw UsageError(QStringLiteral("需要且只需要一个工作簿文件"));
        const std::optional<import::DuplicateRows> duplicates =
            duplicateRowsOption(args.value(QStringLiteral("duplicates")));
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
                for (int column = 1; column <= sheet.lastColumn(row); ++column)
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
        import::SpreadsheetImport importer(query, sheet, fileName);
        if (importer.duplicateRows() > 0 && !duplicates)
            throw std::runtime_error(
                QStringLiteral(
                    "%1 中有 %2 行的学生学号或身份证与已有的记录相同, 没有导入任何数据。\n"
                    "请用 --duplicates skip (跳过这些行), update (更新已有的记录) 或 "
                    "add (仍作为新记录增加) 指定如何处理")
                    .arg(QFileInfo(fileName).fileName())
                    .arg(importer.duplicateRows())
                    .toStdString());
        const import::ImportSummary summary =
            importer.run(duplicates.value_or(import::DuplicateRows::Add));
        io.out << summary.text() << '\n';
        return 0;
    };
    return command;
}

} // namespace tovren::cli
