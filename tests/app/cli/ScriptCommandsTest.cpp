#include "app/cli/Command.h"
#include "app/cli/Commands.h"
#include "report/platform/TextCodec.h"
#include "tests/support/CommandRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::cli {

// Only the commands under test; the program's full list lives in Commands.cpp.
namespace {

using tovren::test::CommandRun;

CommandRun run(const QStringList &arguments)
{
    return tovren::test::runCommand(arguments);
}

class ScriptFile
{
public:
    explicit ScriptFile(const QByteArray &contents)
    {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QString path() const { return m_directory.filePath(QStringLiteral("script.txt")); }

private:
    QTemporaryDir m_directory;
};

TEST(EvalCommandTest, PrintsOneValuePerExpression)
{
    const CommandRun result = run({QStringLiteral("eval"), QStringLiteral("2+3*4"),
                                   QStringLiteral("'it''s'"), QStringLiteral("unknown")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, QStringLiteral("14\nit's\n\n"));
}

TEST(EvalCommandTest, TypeFollowsTheValue)
{
    const CommandRun result =
        run({QStringLiteral("eval"), QStringLiteral("--type"), QStringLiteral("1 = 1"),
             QStringLiteral("'a' + 'b'"), QStringLiteral("ROUND(2.5)"), QStringLiteral("x")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, QStringLiteral("1\tInteger\nab\tString\n2\tInteger\n\tEmpty\n"));
}

TEST(EvalCommandTest, ErrorsExitNonZeroWithTheMessage)
{
    const CommandRun result =
        run({QStringLiteral("eval"), QStringLiteral("1"), QStringLiteral("'x' * 2")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, QStringLiteral("1\n"));
    EXPECT_TRUE(
        result.err.contains(u"Could not convert variant of type (String) into type (Double)"));
    EXPECT_NE(run({QStringLiteral("eval")}).code, 0);
}

TEST(EvalCommandTest, StandardFunctionsAnswerWithoutAStoreAndUnknownOnesFail)
{
    const CommandRun functions = run({"eval", "LENGTH('abc')", "UPPERCASE('ab')", "POS('c', 'abc')",
                                      "TRIM('  x  ')", "FORMATFLOAT('0.00', 3.14159)"});
    EXPECT_EQ(functions.code, 0) << functions.err.toStdString();
    EXPECT_EQ(functions.out, QStringLiteral("3\nAB\n3\nx\n3.14\n"));

    const CommandRun unknown = run({"eval", "1 + LENGHT('abc')"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.out.isEmpty()) << unknown.out.toStdString();
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("函数没定义 \"LENGHT\"")))
        << unknown.err.toStdString();

    EXPECT_EQ(run({"eval", "7 div 2", "7 mod 2", "7/2"}).out, QStringLiteral("3\n1\n3.5\n"));
    for (const char *division : {"1/0", "1 div 0", "1 mod 0"}) {
        const CommandRun result = run({"eval", division});
        EXPECT_EQ(result.code, 1) << division;
        EXPECT_TRUE(result.out.isEmpty()) << division << ": " << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("除数为零"))) << result.err.toStdString();
    }
}

TEST(ScriptCommandTest, ScriptsHaveTheStandardFunctionsAndFailOnUnknownOnesAndZeroDivisors)
{
    const ScriptFile functions(
        "begin a := LENGTH('abc'); b := UPPERCASE('ab'); c := POS('c', 'abc');\n"
        "  d := TRIM('  x  '); e := FORMATFLOAT('0.00', 3.14159); f := 7 div 2 end\n");
    const CommandRun result = run({"script", functions.path()});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("a = 3\nb = AB\nc = 3\nd = x\ne = 3.14\nf = 3\n"));

    const ScriptFile unknown("begin a := 1; b := NOSUCH(a) end\n");
    const CommandRun failed = run({"script", unknown.path()});
    EXPECT_EQ(failed.code, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("函数没定义 \"NOSUCH\"")))
        << failed.err.toStdString();

    for (const char *division : {"x := 1 / 0", "x := 1 div 0", "x := 1 mod 0"}) {
        const ScriptFile file(division);
        const CommandRun divided = run({"script", file.path()});
        EXPECT_EQ(divided.code, 1) << division;
        EXPECT_TRUE(divided.err.contains(QStringLiteral("除数为零"))) << divided.err.toStdString();
    }
}

TEST(ScriptCommandTest, PrintsTheVariablesInTheOrderFirstSet)
{
    const ScriptFile file("begin\n  Total := 0;\n  for i := 1 to 3 do TOTAL := total + i;\n"
                          "  Name := '\xe5\xbc\xa0' + '\xe4\xb8\x89' // a comment\nend\n");
    const CommandRun result = run({QStringLiteral("script"), file.path()});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Total = 6\ni = 4\nName = 张三\n"));
}

TEST(ScriptCommandTest, ReadsScriptsInThe8BitCodePage)
{
    const ScriptFile file(platform::encode8Bit(u"x := '毕业'"));
    const CommandRun result = run({QStringLiteral("script"), file.path()});
    EXPECT_EQ(result.out, QStringLiteral("x = 毕业\n"));
}

TEST(ScriptCommandTest, CompileAndRunErrorsExitNonZero)
{
    const ScriptFile badSyntax("if x > 1 y := 2\n");
    CommandRun result = run({QStringLiteral("script"), badSyntax.path()});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(u"Line 1/10: Need \"then\" here"));
    EXPECT_TRUE(result.out.isEmpty());

    const ScriptFile badValue("begin a := 1; b := 'x' - 1 end");
    result = run({QStringLiteral("script"), badValue.path()});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(u"Could not convert"));

    result = run({QStringLiteral("script"), QStringLiteral("/nonexistent/script.txt")});
    EXPECT_NE(result.code, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("/nonexistent/script.txt: 文件不存在")))
        << result.err.toStdString();
}

TEST(ScriptCommandTest, EndlessLoopsStopAtTheStepOrTimeBudget)
{
    const ScriptFile file("while 1 do x := x + 1");
    const CommandRun result = run({QStringLiteral("script"), QStringLiteral("--max-steps"),
                                   QStringLiteral("1000"), file.path()});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(u"1000"));

    // Every round copies a longer text: few steps, but each slower than the last.
    const ScriptFile growing("while 1 do s := s + 'abcdefghijklmnop'");
    const CommandRun slow = run({"script", "--max-seconds", "1", growing.path()});
    EXPECT_EQ(slow.code, 1);
    EXPECT_TRUE(slow.err.contains(QStringLiteral("超过 1 秒"))) << slow.err.toStdString();
}

} // namespace
} // namespace tovren::cli
