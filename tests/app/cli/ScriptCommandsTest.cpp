#include "app/cli/Command.h"
#include "app/cli/Commands.h"
#include "report/platform/TextCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include "tests/support/CommandRunner.h"

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
    EXPECT_FALSE(result.err.isEmpty());
}

TEST(ScriptCommandTest, EndlessLoopsStopAtTheStepBudget)
{
    const ScriptFile file("while 1 do x := x + 1");
    const CommandRun result = run({QStringLiteral("script"), QStringLiteral("--max-steps"),
                                   QStringLiteral("1000"), file.path()});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(u"1000"));
}

} // namespace
} // namespace tovren::cli
