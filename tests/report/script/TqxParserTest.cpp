#include "report/script/TqxParser.h"

#include "report/script/EvaluationError.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace tovren::script {
namespace {

Variant eval(QStringView expression)
{
    return TqxParser().Evaluate(expression);
}

QString text(QStringView expression)
{
    return eval(expression).toString();
}

TEST(TqxParserTest, ArithmeticFollowsPriority)
{
    EXPECT_EQ(text(u"2+3*4"), u"14");
    EXPECT_EQ(text(u"(2+3)*4"), u"20");
    EXPECT_EQ(text(u"7 mod 3 * 2"), u"2");
    EXPECT_EQ(text(u"10 - 4 - 3"), u"3");
    EXPECT_EQ(text(u"-5+2"), u"-3");
    EXPECT_EQ(text(u"2 * -3"), u"-6");
    EXPECT_EQ(text(u"+4"), u"4");
    EXPECT_EQ(text(u"((((1))))"), u"1");
}

TEST(TqxParserTest, DivisionByZeroIsAnErrorForEveryKindOfDivision)
{
    EXPECT_EQ(text(u"7/2"), u"3.5");
    EXPECT_EQ(text(u"7 div 2"), u"3");
    EXPECT_EQ(text(u"-7 DIV 2"), u"-3");
    EXPECT_EQ(text(u"7 div 2 * 2"), u"6"); // left to right, like MOD
    for (const char16_t *division : {u"10/0", u"0/0", u"1 div 0", u"1 mod 0", u"5 mod (2-2)"}) {
        try {
            eval(division);
            ADD_FAILURE() << "no error for " << QString::fromUtf16(division).toStdString();
        } catch (const EvaluationError &error) {
            EXPECT_EQ(error.message(), u"除数为零");
        }
    }
}

TEST(TqxParserTest, ComparisonsAndNotAreIntegers)
{
    EXPECT_EQ(eval(u"1 = 1"), Variant(1));
    EXPECT_EQ(eval(u"1 <> 1"), Variant(0));
    EXPECT_EQ(eval(u"2 >= 2"), Variant(1));
    EXPECT_EQ(eval(u"2 <= 1"), Variant(0));
    EXPECT_EQ(eval(u"'b' > 'a'"), Variant(1));
    EXPECT_EQ(eval(u"'10' = 10"), Variant(1));
    EXPECT_EQ(eval(u"not 0"), Variant(1));
    EXPECT_EQ(eval(u"NOT 5"), Variant(0));
    EXPECT_EQ(eval(u"(1 + 2) * 3 >= 9"), Variant(1));
}

TEST(TqxParserTest, WordOperators)
{
    EXPECT_EQ(text(u"5 or 2"), u"7");
    EXPECT_EQ(text(u"3 and 4"), u"12"); // AND multiplies
    EXPECT_EQ(text(u"(1 > 0) and (2 > 1)"), u"1");
    EXPECT_EQ(eval(u"TRUE or FALSE"), Variant(true));
}

TEST(TqxParserTest, LiteralsOfEveryKind)
{
    EXPECT_EQ(eval(u"'it''s'"), Variant(QStringLiteral("it's")));
    EXPECT_EQ(eval(u"''"), Variant(QString()));
    EXPECT_EQ(eval(u"1,5"), Variant(1.5));
    EXPECT_EQ(eval(u"1.5"), Variant(1.5));
    EXPECT_EQ(eval(u".5"), Variant(0.5));
    EXPECT_EQ(eval(u"true"), Variant(true));
    EXPECT_EQ(eval(u"False"), Variant(false));
    EXPECT_EQ(eval(u"'abc' + 'def'"), Variant(QStringLiteral("abcdef")));
    EXPECT_EQ(eval(u""), Variant(0));
}

TEST(TqxParserTest, IntFracRoundAndStr)
{
    EXPECT_EQ(text(u"INT(2.9999999999999)"), u"3");
    EXPECT_EQ(text(u"INT(2.5)"), u"2");
    EXPECT_EQ(text(u"INT(-2.5)"), u"-2");
    EXPECT_EQ(text(u"FRAC(3.25)"), u"0.25");
    EXPECT_EQ(text(u"FRAC(1.99999999999999)"), u"0");
    EXPECT_EQ(eval(u"ROUND(2.5)"), Variant(2));
    EXPECT_EQ(eval(u"ROUND(3.5)"), Variant(4));
    EXPECT_EQ(eval(u"ROUND(-2.5)"), Variant(-2));
    EXPECT_EQ(eval(u"STR(1.5) + 'x'"), Variant(QStringLiteral("1.5x")));
    EXPECT_EQ(eval(u"STR(unknown)"), Variant(QString()));
}

TEST(TqxParserTest, BuiltInFunctions)
{
    EXPECT_EQ(text(u"COPY('abcdef', 2, 3)"), u"bcd");
    EXPECT_EQ(text(u"copy('abcdef', 5, 10)"), u"ef");
    EXPECT_EQ(text(u"COPY('abcdef', 0, 2)"), u"ab");
    EXPECT_EQ(text(u"COPY('abcdef', 9, 2)"), u"");
    EXPECT_EQ(text(u"IF(1 > 2, 'a', 'b')"), u"b");
    EXPECT_EQ(text(u"IF(2 > 1, 'a', 'b')"), u"a");
    EXPECT_EQ(text(u"IF(TRUE, 'a', 'b')"), u"a");
    EXPECT_EQ(text(u"IF(0.5, 'a', 'b')"), u"b"); // only the integer part counts
    EXPECT_EQ(eval(u"STRTODATE('2024-02-29')"), Variant::fromDate(45351));
    EXPECT_EQ(text(u"STRTODATE('1899/12/30')"), u"1899-12-30");
    EXPECT_EQ(eval(u"STRTOTIME('06:00')"), Variant::fromDate(0.25));
    EXPECT_EQ(text(u"STRTODATE('2024-01-01') + 1"), u"2024-01-02");
}

TEST(TqxParserTest, IfEvaluatesOnlyTheChosenBranch)
{
    TqxParser parser;
    QStringList calls;
    parser.setFunctionCallback(
        [&](const QString &name, const QString &, const QString &, const QString &) {
            calls << name;
            return Variant(QStringLiteral("called"));
        });
    EXPECT_EQ(parser.Evaluate(u"IF(1 > 2, A(), B())").toString(), u"called");
    EXPECT_EQ(calls, QStringList{QStringLiteral("B")});
    // An unreadable branch that is not taken does not fail either.
    EXPECT_EQ(parser.Evaluate(u"IF(1, 2, 1.2.3)").toString(), u"2");
}

TEST(TqxParserTest, NamesReachTheValueCallback)
{
    TqxParser parser;
    QStringList names;
    parser.setGetValueCallback([&](const QString &name) {
        names << name;
        return Variant(2);
    });
    EXPECT_EQ(parser.Evaluate(u"[Order Date] + total").toString(), u"4");
    EXPECT_EQ(names, (QStringList{QStringLiteral("Order Date"), QStringLiteral("TOTAL")}));
}

TEST(TqxParserTest, UnknownCallsReachTheFunctionCallbackWithArgumentTexts)
{
    TqxParser parser;
    QStringList seen;
    parser.setFunctionCallback(
        [&](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
            seen << name << p1 << p2 << p3;
            return Variant(7);
        });
    EXPECT_EQ(parser.Evaluate(u"sum([Qty], 'a,b') * 2").toString(), u"14");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("SUM"), QStringLiteral("[Qty]"),
                                 QStringLiteral(" 'a,b'"), QString()}));
    seen.clear();
    parser.Evaluate(u"arr[i + 1]");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("GETARRAY"), QStringLiteral("arr"),
                                 QStringLiteral("i + 1"), QString()}));
}

TEST(TqxParserTest, UnresolvedNamesAreEmptyWithoutCallbacks)
{
    EXPECT_TRUE(eval(u"unknown").isEmpty());
    EXPECT_TRUE(eval(u"[unknown]").isEmpty());
    EXPECT_TRUE(eval(u"foo(1)").isEmpty());
    EXPECT_EQ(eval(u"unknown + 'x'"), Variant(QStringLiteral("x")));
    EXPECT_EQ(eval(u"unknown + 1"), Variant(1.0));
}

TEST(TqxParserTest, EvaluatePostfixReadsHandWrittenCode)
{
    const TqxParser parser;
    EXPECT_EQ(parser.EvaluatePostfix(u"").toString(), u"0");
    EXPECT_EQ(parser.EvaluatePostfix(u"2 3 4 *+").toString(), u"14");
    EXPECT_EQ(parser.EvaluatePostfix(u"5 \x09").toString(), u"-5");
    EXPECT_EQ(parser.EvaluatePostfix(u"1 2 ").toString(), u"1"); // the bottom value is the result
}

TEST(TqxParserTest, PreparedExpressionsGiveTheSameValueEveryTime)
{
    int counter = 0;
    TqxParser parser;
    parser.setGetValueCallback([&](const QString &) { return Variant(++counter); });
    const PreparedExpression prepared = TqxParser::prepare(u"n * 10");
    EXPECT_EQ(parser.evaluate(prepared).toString(), u"10");
    EXPECT_EQ(parser.evaluate(prepared).toString(), u"20");
}

TEST(TqxParserTest, BadInputRaisesErrorsWithMessages)
{
    const char16_t *const bad[] = {
        u"'abc' * 2",
        u"1 +",
        u"*",
        u"COPY('a', 1",
        u"'abc",
        u"[abc",
        u"1.2.3",
        u"5 mod 0",
        u"f(1,2,3,4)",
        u"STRTODATE('x')",
        u"ROUND(1e300 * 1e300)",
        u"STRTOTIME('25:00')",
        u"1 * * 2",
    };
    for (const char16_t *expression : bad) {
        try {
            eval(expression);
            ADD_FAILURE() << QString::fromUtf16(expression).toStdString() << " did not fail";
        } catch (const EvaluationError &error) {
            EXPECT_FALSE(error.message().isEmpty()) << QString::fromUtf16(expression).toStdString();
        }
    }
}

TEST(TqxParserTest, ConversionErrorNamesBothTypes)
{
    try {
        eval(u"'abc' - 1");
        FAIL();
    } catch (const EvaluationError &error) {
        EXPECT_EQ(error.message(),
                  u"Could not convert variant of type (String) into type (Double)");
    }
}

TEST(TqxParserTest, DeepNestingGivesValueOrErrorNotCrash)
{
    const QString parentheses = QString(100000, u'(') + u'1' + QString(100000, u')');
    EXPECT_EQ(eval(parentheses).toString(), u"1");
    const QString minuses = QString(100001, u'-') + u'1';
    EXPECT_EQ(eval(minuses).toString(), u"-1");

    QString ifs = QStringLiteral("1");
    for (int i = 0; i < 200; ++i)
        ifs = QStringLiteral("IF(1,%1,0)").arg(ifs);
    EXPECT_THROW(eval(ifs), EvaluationError);

    // Callbacks may evaluate their arguments again, but a callback that recurses for ever meets
    // the nesting bound instead of exhausting the stack.
    TqxParser parser;
    parser.setFunctionCallback(
        [&](const QString &name, const QString &p1, const QString &, const QString &) {
            return name == u"LOOP" ? parser.Evaluate(u"LOOP()") : parser.Evaluate(p1);
        });
    EXPECT_EQ(parser.Evaluate(u"F(F(F(F(F(F(F(F(F(F(1))))))))))").toString(), u"1");
    EXPECT_THROW(parser.Evaluate(u"LOOP()"), EvaluationError);
}

} // namespace
} // namespace tovren::script
