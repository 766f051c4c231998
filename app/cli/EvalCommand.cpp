#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/StoreArgument.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/reportbridge/RecordEvaluator.h"
#include "report/engine/EngineErrors.h"
#include "report/script/EvaluationError.h"
#include "report/script/StandardFunctions.h"
#include "report/script/TqxParser.h"

#include <functional>

namespace tovren::cli {

namespace {

using Evaluation = std::function<script::Variant(const QString &expression)>;

int printValues(const QStringList &expressions, bool withType, const Evaluation &evaluate,
                CommandIo &io)
{
    for (const QString &expression : expressions) {
        try {
            const script::Variant value = evaluate(expression);
            io.out << value.toString();
            if (withType)
                io.out << '\t' << value.typeName();
            io.out << '\n';
        } catch (const script::EvaluationError &error) {
            io.out.flush();
            io.err << "表达式 " << expression << " 计算出错: " << error.message() << '\n';
            return 1;
        } catch (const engine::EReportError &error) {
            io.out.flush();
            io.err << "表达式 " << expression << " 计算出错: " << error.message() << '\n';
            return 1;
        }
    }
    return 0;
}

int runEval(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {QStringLiteral("database")}, {QStringLiteral("type")});
    if (arguments.positional().isEmpty())
        throw UsageError(QStringLiteral("需要至少一个表达式"));
    const bool withType = arguments.flag(QStringLiteral("type"));
    const std::optional<QString> database = arguments.value(QStringLiteral("database"));
    if (!database) {
        // No report stands behind the command line: names are unresolved and empty, and the
        // functions are those of the standard library.
        script::TqxParser parser;
        const script::StandardFunctions functions(parser);
        parser.setFunctionCallback(
            [&functions](const QString &name, const QString &p1, const QString &p2,
                         const QString &p3) { return functions.call(name, p1, p2, p3); });
        return printValues(
            arguments.positional(), withType,
            [&parser](const QString &expression) { return parser.Evaluate(expression); }, io);
    }
    db::TDbConnection connection(existingStore(database));
    connection.open();
    db::TDbQuery query(connection);
    query.setSql(QStringLiteral("Select * from info"));
    query.open();
    query.first();
    app::RecordEvaluator evaluator(query);
    return printValues(
        arguments.positional(), withType,
        [&evaluator](const QString &expression) { return evaluator.evaluate(expression); }, io);
}

} // namespace

Command evalCommand()
{
    return {
        QStringLiteral("eval"),
        QStringLiteral("计算表达式并输出其值"),
        QStringLiteral("用法: tovren eval [--type] [--database CONN] 表达式...\n"
                       "计算每个表达式, 每行输出一个值。\n"
                       "  --type           在值之后输出其类型 (以制表符分隔)\n"
                       "  --database CONN  对 \"Select * from info\" 的第一条记录计算, 可用\n"
                       "                   Aqy.\"Name\" 与 qxDBDataSet1.\"Name\" 之类的字段名;\n"
                       "                   整个表达式在方括号中时按报表文本的方式输出\n"
                       "没有 --database 时未知的名称的值为空, 有时则报 \"符号没定义\";\n"
                       "未知的函数总是报 \"函数没定义\", 除数为零 (/, div, mod) 也是错误。\n"
                       "任何表达式出错时输出错误并返回非零。\n"),
        runEval,
    };
}

} // namespace tovren::cli
