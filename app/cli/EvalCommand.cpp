#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxParser.h"

namespace tovren::cli {

namespace {

int runEval(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {}, {QStringLiteral("type")});
    if (arguments.positional().isEmpty())
        throw UsageError(QStringLiteral("需要至少一个表达式"));
    const bool withType = arguments.flag(QStringLiteral("type"));
    // No report stands behind the command line, so every name is unresolved and empty.
    const script::TqxParser parser;
    for (const QString &expression : arguments.positional()) {
        try {
            const script::Variant value = parser.Evaluate(expression);
            io.out << value.toString();
            if (withType)
                io.out << '\t' << value.typeName();
            io.out << '\n';
        } catch (const script::EvaluationError &error) {
            io.out.flush();
            io.err << "表达式 " << expression << " 计算出错: " << error.message() << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace

Command evalCommand()
{
    return {
        QStringLiteral("eval"),
        QStringLiteral("计算表达式并输出其值"),
        QStringLiteral("用法: tovren eval [--type] 表达式...\n"
                       "计算每个表达式, 每行输出一个值。\n"
                       "  --type  在值之后输出其类型 (以制表符分隔)\n"
                       "未知的名称和函数的值为空。任何表达式出错时输出错误并返回非零。\n"),
        runEval,
    };
}

} // namespace tovren::cli
