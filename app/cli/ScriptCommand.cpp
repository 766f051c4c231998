#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "report/platform/FileProblems.h"
#include "report/platform/TextCodec.h"
#include "report/script/EvaluationError.h"
#include "report/script/VariableInterpretator.h"

#include <QFile>
#include <QStringDecoder>

namespace tovren::cli {

namespace {

constexpr int defaultMaximumSteps = 10'000'000;
// A loop that grows a text costs more with every round, so few steps may still take hours.
constexpr int defaultMaximumSeconds = 60;

// Scripts written today are UTF-8; older ones come in the 8-bit code page of the stored reports.
QStringList readScriptLines(const QString &path)
{
    const QString problem = platform::readProblem(path);
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法读取脚本文件 %1: %2").arg(path, problem));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("无法打开脚本文件 %1").arg(path));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = platform::decode8Bit(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int runScript(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {QStringLiteral("max-steps"), QStringLiteral("max-seconds")},
                              {});
    if (arguments.positional().size() != 1)
        throw UsageError(QStringLiteral("需要一个脚本文件"));
    const int maximumSteps = arguments.intValue(QStringLiteral("max-steps"), defaultMaximumSteps);
    if (maximumSteps <= 0)
        throw UsageError(QStringLiteral("选项 --max-steps 需要一个正整数"));
    const int maximumSeconds =
        arguments.intValue(QStringLiteral("max-seconds"), defaultMaximumSeconds);
    if (maximumSeconds <= 0)
        throw UsageError(QStringLiteral("选项 --max-seconds 需要一个正整数"));

    script::VariableInterpretator interpreter;
    QStringList code;
    QStringList errors;
    interpreter.CompileScript(readScriptLines(arguments.positional().first()), code, errors);
    if (!errors.isEmpty()) {
        io.err << "脚本编译出错: " << errors.first() << '\n';
        return 1;
    }

    // The command line has no Cancel button; a step and a time budget play its part.
    interpreter.setLimits({maximumSteps, std::chrono::seconds(maximumSeconds)});
    try {
        interpreter.ExecuteScript(code);
    } catch (const script::EScriptLimitExceeded &error) {
        io.err << error.message() << '\n';
        return 1;
    } catch (const script::EvaluationError &error) {
        io.err << "脚本执行出错: " << error.message() << '\n';
        return 1;
    }

    const script::TqxVariables &variables = interpreter.variables();
    for (qsizetype i = 0; i < variables.count(); ++i)
        io.out << variables.nameAt(i) << " = " << variables.valueAt(i).toString() << '\n';
    return 0;
}

} // namespace

Command scriptCommand()
{
    return {
        QStringLiteral("script"),
        QStringLiteral("编译并运行脚本, 输出它设置的变量"),
        QStringLiteral("用法: tovren script [--max-steps N] [--max-seconds S] 文件\n"
                       "编译并运行脚本文件 (UTF-8 或 GB18030), 然后按首次赋值的顺序\n"
                       "每行输出一个变量: 名称 = 值。\n"
                       "  --max-steps N    最多执行的代码行数, 默认 10000000\n"
                       "  --max-seconds S  最长执行时间 (秒), 默认 60\n"
                       "超过任一限制时停止并返回非零。脚本可用标准函数 (LENGTH, POS, TRIM...);\n"
                       "未知的函数和除数为零是执行错误。\n"
                       "编译或执行出错时输出错误并返回非零。\n"),
        runScript,
    };
}

} // namespace tovren::cli
