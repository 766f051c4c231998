#include "report/script/EvaluationError.h"
#include "report/script/VariableInterpretator.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

/// Variables of its own plus a record of the calls the script makes.
class RecordingInterpretator : public VariableInterpretator
{
public:
    Variant CallFunction(const QString &name, const QString &p1, const QString &p2,
                         const QString &p3) override
    {
        calls << QStringList{name, p1, p2, p3}.join(u'|');
        if (name == u"SETARRAY")
            SetVariable(p1 + u'_' + parser().Evaluate(p2).toString(), parser().Evaluate(p3));
        if (name == u"GETARRAY")
            return GetVariable(p1 + u'_' + parser().Evaluate(p2).toString());
        return {};
    }

    ScriptOutcome run(const QStringList &source)
    {
        QStringList code;
        QStringList errors;
        CompileScript(source, code, errors);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        return ExecuteScript(code);
    }

    ScriptOutcome run(const QString &source) { return run(QStringList{source}); }

    QString value(const QString &name) const { return variables().value(name).toString(); }

    QStringList calls;
};

TEST(TqxInterpretatorTest, AssignmentSetsTheVariable)
{
    RecordingInterpretator script;
    EXPECT_EQ(script.run(QStringLiteral("begin Memo1.Visible := False end")),
              ScriptOutcome::Finished);
    EXPECT_EQ(script.variables().value(QStringLiteral("Memo1.Visible")), Variant(false));
}

TEST(TqxInterpretatorTest, IfElseTakesOneBranch)
{
    RecordingInterpretator script;
    const QString source = QStringLiteral("if x > 10 then y := 'big' else y := 'small'");
    script.run(source);
    EXPECT_EQ(script.value(QStringLiteral("y")), u"small");
    script.SetVariable(QStringLiteral("x"), Variant(11));
    script.run(source);
    EXPECT_EQ(script.value(QStringLiteral("y")), u"big");
}

TEST(TqxInterpretatorTest, ForLoopReevaluatesItsLimitEveryRound)
{
    RecordingInterpretator script;
    script.run(QStringLiteral("begin Total := 0; for i := 1 to 3 do Total := Total + i end"));
    EXPECT_EQ(script.value(QStringLiteral("Total")), u"6");
    EXPECT_EQ(script.value(QStringLiteral("i")), u"4");

    script.run(QStringLiteral("begin n := 3; c := 0; for i := 1 to n do begin n := 5; c := c + 1 "
                              "end end"));
    EXPECT_EQ(script.value(QStringLiteral("c")), u"5");

    script.run(QStringLiteral("begin c := 0; for i := 5 to 1 do c := c + 1 end"));
    EXPECT_EQ(script.value(QStringLiteral("c")), u"0");
}

TEST(TqxInterpretatorTest, WhileAndRepeatLoops)
{
    RecordingInterpretator script;
    script.run(QStringLiteral("begin i := 0; while i < 5 do i := i + 2 end"));
    EXPECT_EQ(script.value(QStringLiteral("i")), u"6");
    script.run(QStringLiteral("begin i := 10; repeat i := i + 1 until i > 3 end"));
    EXPECT_EQ(script.value(QStringLiteral("i")), u"11"); // the body runs at least once
    script.run(QStringLiteral("begin i := 10; while i < 5 do i := 0 end"));
    EXPECT_EQ(script.value(QStringLiteral("i")), u"10");
}

TEST(TqxInterpretatorTest, GotoJumpsToItsLabel)
{
    RecordingInterpretator script;
    script.run(QStringList{
        QStringLiteral("begin"), QStringLiteral("  n := 0;"), QStringLiteral("  10: n := n + 1;"),
        QStringLiteral("  if n < 4 then goto 10;"), QStringLiteral("  goto 20;"),
        QStringLiteral("  n := 100;"), QStringLiteral("  20:"), QStringLiteral("end")});
    EXPECT_EQ(script.value(QStringLiteral("n")), u"4");
}

TEST(TqxInterpretatorTest, ExitEndsTheScriptAtOnce)
{
    RecordingInterpretator script;
    EXPECT_EQ(script.run(QStringLiteral("begin a := 1; exit; a := 2 end")), ScriptOutcome::Exited);
    EXPECT_EQ(script.value(QStringLiteral("a")), u"1");
    EXPECT_EQ(script.run(QStringLiteral("begin a := 3; EXIT(0); a := 4 end")),
              ScriptOutcome::Exited);
    EXPECT_EQ(script.value(QStringLiteral("a")), u"3");
}

TEST(TqxInterpretatorTest, CallsReachCallFunction)
{
    RecordingInterpretator script;
    script.run(QStringLiteral("begin NewPage; ShowBand(Band1); Arr[2] := 5; x := Arr[1 + 1] end"));
    EXPECT_EQ(
        script.calls,
        (QStringList{QStringLiteral("NEWPAGE|0||"), QStringLiteral("SHOWBAND|Band1||"),
                     QStringLiteral("SETARRAY|Arr| 2| 5"), QStringLiteral("GETARRAY|Arr|1 + 1|")}));
    EXPECT_EQ(script.value(QStringLiteral("x")), u"5");
}

TEST(TqxInterpretatorTest, NamesKeepTheirFirstSpellingAndCompareIgnoringCase)
{
    RecordingInterpretator script;
    script.run(QStringLiteral("begin Total := 1; TOTAL := total + 1 end"));
    ASSERT_EQ(script.variables().count(), 1);
    EXPECT_EQ(script.variables().nameAt(0), u"Total");
    EXPECT_EQ(script.value(QStringLiteral("total")), u"2");
}

TEST(TqxInterpretatorTest, EvaluationErrorsEndTheScript)
{
    RecordingInterpretator script;
    QStringList code;
    QStringList errors;
    script.CompileScript({QStringLiteral("begin a := 1; b := 'x' * 2; a := 2 end")}, code, errors);
    EXPECT_THROW(script.ExecuteScript(code), EvaluationError);
    EXPECT_EQ(script.value(QStringLiteral("a")), u"1");
}

TEST(TqxInterpretatorTest, StopCheckEndsEndlessLoops)
{
    RecordingInterpretator script;
    int asked = 0;
    script.setStopCheck([&] { return ++asked > 1000; });
    EXPECT_EQ(script.run(QStringLiteral("while 1 do x := x + 1")), ScriptOutcome::Stopped);
    EXPECT_GT(script.variables().value(QStringLiteral("x")).toInt64(), 100);
    asked = 0;
    EXPECT_EQ(script.run(QStringLiteral("begin 10: goto 10 end")), ScriptOutcome::Stopped);
}

TEST(TqxInterpretatorTest, LimitsEndRunsThatRunAwayWithAClearError)
{
    RecordingInterpretator script;
    script.setLimits({.maximumSteps = 1000});
    try {
        script.run(QStringLiteral("while 1 do x := x + 1"));
        FAIL() << "an endless loop ran past its steps";
    } catch (const EScriptLimitExceeded &error) {
        EXPECT_EQ(error.message(), QStringLiteral("脚本执行超过 1000 步, 已停止"));
    }
    EXPECT_EQ(script.run(QStringLiteral("y := 1")), ScriptOutcome::Finished)
        << "every run gets the whole budget";

    script.setLimits({.maximumTime = std::chrono::milliseconds(50)});
    EXPECT_THROW(script.run(QStringLiteral("begin 10: goto 10 end")), EScriptLimitExceeded);

    // Doubling a text takes few steps but all memory; the text's own bound ends it.
    script.setLimits({});
    try {
        script.run(QStringLiteral("begin s := 'ab'; while 1 do s := s + s end"));
        FAIL() << "a doubling text grew without end";
    } catch (const EvaluationError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("文本太长"))) << error.what();
    }
    EXPECT_LE(script.value(QStringLiteral("s")).size(), Variant::maximumTextLength);
}

TEST(TqxInterpretatorTest, PreparedScriptsRunRepeatedly)
{
    RecordingInterpretator script;
    QStringList code;
    QStringList errors;
    script.CompileScript({QStringLiteral("n := n + 1")}, code, errors);
    const CompiledScript compiled(code);
    for (int i = 0; i < 3; ++i)
        script.execute(compiled);
    EXPECT_EQ(script.value(QStringLiteral("n")), u"3");
}

TEST(TqxInterpretatorTest, MalformedCodeLinesFailWhenReached)
{
    RecordingInterpretator script;
    EXPECT_THROW(script.ExecuteScript({QString(QChar(1))}), EvaluationError);
    EXPECT_THROW(script.ExecuteScript({QStringLiteral("novalue")}), EvaluationError);
    // A jump beyond the code ends the script.
    EXPECT_EQ(script.ExecuteScript({QString(QChar(2)) + QChar(200) + QChar(0)}),
              ScriptOutcome::Finished);
}

} // namespace
} // namespace tovren::script
