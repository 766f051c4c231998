#include "report/script/TqxInterpretator.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

struct Compiled
{
    QStringList code;
    QStringList errors;
};

Compiled compile(const QStringList &source)
{
    Compiled compiled;
    TqxInterpretator().CompileScript(source, compiled.code, compiled.errors);
    return compiled;
}

Compiled compile(const QString &line)
{
    return compile(QStringList{line});
}

QString error(const QString &line)
{
    const Compiled compiled = compile(line);
    return compiled.errors.value(0);
}

// A code line's target as the executor reads it: low byte, high byte.
QString target(int position)
{
    return QString(QChar(char16_t(position & 0xFF))) + QChar(char16_t(position >> 8));
}

TEST(ScriptCompilerTest, AssignmentInACompoundStatement)
{
    const Compiled compiled = compile(QStringLiteral("begin Memo1.Visible := False end"));
    EXPECT_TRUE(compiled.errors.isEmpty());
    EXPECT_EQ(compiled.code, QStringList{QStringLiteral("Memo1.Visible False ")});
}

TEST(ScriptCompilerTest, IfElseCompilesToConditionAssignmentJumpAssignment)
{
    const Compiled compiled = compile(QStringLiteral(
        "if [Qty] > 10 then Memo1.Font.Color := clRed else Memo1.Font.Color := clBlack"));
    ASSERT_TRUE(compiled.errors.isEmpty()) << compiled.errors.join(u'\n').toStdString();
    const QStringList expected{
        QChar(1) + target(3) + QStringLiteral("[Qty] 10 >"),
        QStringLiteral("Memo1.Font.Color clRed "),
        QChar(2) + target(4),
        QStringLiteral("Memo1.Font.Color clBlack "),
    };
    EXPECT_EQ(compiled.code, expected);
}

TEST(ScriptCompilerTest, LoopsCompileToConditionsAndJumps)
{
    EXPECT_EQ(compile(QStringLiteral("while i < 3 do i := i + 1")).code,
              (QStringList{QChar(1) + target(3) + QStringLiteral("i 3 <"),
                           QStringLiteral("i i 1 +"), QChar(2) + target(0)}));
    EXPECT_EQ(compile(QStringLiteral("repeat i := i + 1 until i >= 3")).code,
              (QStringList{QStringLiteral("i i 1 +"),
                           QChar(1) + target(0) + QStringLiteral("i 3 ") + QChar(1)}));
    EXPECT_EQ(compile(QStringLiteral("for i := 1 to n do x := x + i")).code,
              (QStringList{
                  QStringLiteral("i 1 "), QChar(1) + target(5) + QStringLiteral("i n ") + QChar(2),
                  QStringLiteral("x x i +"), QStringLiteral("i i 1 +"), QChar(2) + target(1)}));
}

TEST(ScriptCompilerTest, CallsIndexedAssignmentsAndExpressionStatements)
{
    EXPECT_EQ(compile(QStringLiteral("begin NewPage; exit end")).code,
              (QStringList{QChar(3) + QStringLiteral("NewPage(0)"),
                           QChar(3) + QStringLiteral("exit(0)")}));
    EXPECT_EQ(compile(QStringLiteral("Arr[i + 1] := 'x'")).code,
              QStringList{QChar(3) + QStringLiteral("SETARRAY(Arr, i + 1, 'x')")});
    EXPECT_EQ(compile(QStringLiteral("ShowBand(Band1)")).code,
              QStringList{QChar(3) + QStringLiteral("ShowBand(Band1)")});
    EXPECT_EQ(compile(QStringLiteral("(1 + 2)")).code,
              QStringList{QChar(3) + QStringLiteral("1 2 +")});
}

TEST(ScriptCompilerTest, GotoJumpsToItsLabel)
{
    const Compiled compiled =
        compile(QStringLiteral("begin goto 10; x := 1; 10: x := 2; 10: x := 3 end"));
    ASSERT_TRUE(compiled.errors.isEmpty());
    // The first definition of a label wins.
    EXPECT_EQ(compiled.code.value(0), QChar(2) + target(2));
}

TEST(ScriptCompilerTest, CommentsAreSkippedButNotInsideStrings)
{
    const Compiled compiled =
        compile(QStringList{QStringLiteral("begin { a comment"),
                            QStringLiteral("spanning lines } x := '{not} //kept';"),
                            QStringLiteral("  // y := 1"), QStringLiteral("end")});
    ASSERT_TRUE(compiled.errors.isEmpty()) << compiled.errors.join(u'\n').toStdString();
    EXPECT_EQ(compiled.code, QStringList{QStringLiteral("x '{not} //kept' ")});
}

TEST(ScriptCompilerTest, KeywordsInAnyCaseAndOperatorsWithoutBlanks)
{
    const Compiled compiled = compile(QStringLiteral("BEGIN IF x>1 THEN y:=x*2 ELSE y:=-x END;"));
    EXPECT_TRUE(compiled.errors.isEmpty()) << compiled.errors.join(u'\n').toStdString();
    EXPECT_EQ(compiled.code.size(), 4);
}

TEST(ScriptCompilerTest, EmptyScriptsAndEmptyStatements)
{
    EXPECT_TRUE(compile(QStringList{}).code.isEmpty());
    EXPECT_TRUE(compile(QStringLiteral("   ")).errors.isEmpty());
    const Compiled compiled = compile(QStringLiteral("begin ; ; end"));
    EXPECT_TRUE(compiled.errors.isEmpty());
    EXPECT_TRUE(compiled.code.isEmpty());
}

TEST(ScriptCompilerTest, EverySyntaxErrorHasItsText)
{
    EXPECT_EQ(error(QStringLiteral("begin x := 1 y := 2 end")),
              QStringLiteral("Line 1/14: Need \";\" or \"end\" here"));
    EXPECT_EQ(error(QStringLiteral("if x > 1 Memo1.Visible := False")),
              QStringLiteral("Line 1/10: Need \"then\" here"));
    EXPECT_EQ(error(QStringLiteral("repeat x := 1 y")),
              QStringLiteral("Line 1/15: Need \";\" or \"until\" here"));
    EXPECT_EQ(error(QStringLiteral("while x x := 1")),
              QStringLiteral("Line 1/9: Need \"do\" here"));
    EXPECT_EQ(error(QStringLiteral("for i := 1 downto 3 do x := 1")),
              QStringLiteral("Line 1/12: Need \"to\" here"));
    EXPECT_EQ(error(QStringLiteral("goto x")),
              QStringLiteral("Line 1/6: \"goto\" label must be a number"));
    EXPECT_EQ(error(QStringLiteral("x = 1")), QStringLiteral("Line 1/3: Need \":=\" here"));
    EXPECT_EQ(error(QStringLiteral("x := (1 + 2")), QStringLiteral("Line 1/12: Need \")\" here"));
    EXPECT_EQ(error(QStringLiteral("x := [abc")), QStringLiteral("Line 1/10: Need \"]\" here"));
    EXPECT_EQ(error(QStringLiteral("x := a[1 := 2")), QStringLiteral("Line 1/10: Need \"]\" here"));
    EXPECT_EQ(error(QStringLiteral("x := f(1 2)")),
              QStringLiteral("Line 1/10: Need \",\" or \")\" here"));
}

TEST(ScriptCompilerTest, ErrorsThatTheLanguageTableLeavesOpen)
{
    EXPECT_EQ(error(QStringLiteral("x := ")), QStringLiteral("Line 1/6: Need an expression here"));
    EXPECT_EQ(error(QStringLiteral("x := 'abc")), QStringLiteral("Line 1/10: Need \"'\" here"));
    EXPECT_EQ(error(QStringLiteral("goto 20")),
              QStringLiteral("Line 1/6: Label \"20\" is not defined"));
    EXPECT_EQ(
        error(QStringLiteral("x := 1; y := 2")),
        QStringLiteral("Line 1/9: Several statements need \"begin\" and \"end\" around them"));
    EXPECT_EQ(error(QStringLiteral("x := f(1, 2, 3, 4)")),
              QStringLiteral("Line 1/6: Too many arguments: a function takes at most 3"));
    EXPECT_EQ(
        error(QStringLiteral("x := a ORDER")),
        QStringLiteral("Line 1/8: Several statements need \"begin\" and \"end\" around them"));
    EXPECT_TRUE(error(QStringLiteral("x := 1;")).isEmpty());
    EXPECT_TRUE(error(QStringLiteral("begin x := 1 end.")).isEmpty());
}

TEST(ScriptCompilerTest, ErrorPositionsCountLinesAndCommentsAsWritten)
{
    EXPECT_EQ(error(QStringLiteral("{note} if x then y := 1 else {c} z 1")),
              QStringLiteral("Line 1/36: Need \":=\" here"));
    const Compiled compiled =
        compile(QStringList{QStringLiteral("begin"), QStringLiteral("  x := 1;"),
                            QStringLiteral("\t{ a } if x y := 2"), QStringLiteral("end")});
    EXPECT_EQ(compiled.errors, QStringList{QStringLiteral("Line 3/13: Need \"then\" here")});
    // The code compiled before the error is kept.
    EXPECT_EQ(compiled.code.value(0), QStringLiteral("x 1 "));
}

TEST(ScriptCompilerTest, DeepNestingIsAnErrorNotACrash)
{
    const QString begins =
        QStringLiteral("begin ").repeated(5000) + QStringLiteral("end ").repeated(5000);
    EXPECT_TRUE(error(begins).contains(u"nested too deeply"));
    const QString parentheses =
        QStringLiteral("x := ") + QString(100000, u'(') + u'1' + QString(100000, u')');
    EXPECT_TRUE(error(parentheses).contains(u"nested too deeply"));
    const QString minuses = QStringLiteral("x := ") + QString(100000, u'-') + u'1';
    EXPECT_TRUE(error(minuses).contains(u"nested too deeply"));
    const QString ifs = QStringLiteral("if 1 then ").repeated(5000) + QStringLiteral("x := 1");
    EXPECT_TRUE(error(ifs).contains(u"nested too deeply"));
}

} // namespace
} // namespace tovren::script
