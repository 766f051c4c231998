#include "report/script/PostfixConverter.h"

#include "report/script/EvaluationError.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

// Postfix code holds control characters as operators; spelling them out keeps failures readable.
template<typename... Parts>
QString code(const Parts &...parts)
{
    QString text;
    (text.append(QStringView(parts)), ...);
    return text;
}

QString op(char16_t c)
{
    return QString(QChar(c));
}

TEST(PostfixConverterTest, OperandsAreFollowedByOneBlank)
{
    EXPECT_EQ(convertToPostfix(u"1"), u"1 ");
    EXPECT_EQ(convertToPostfix(u"'it''s'"), u"'it''s' ");
    EXPECT_EQ(convertToPostfix(u"[Order Date]"), u"[Order Date] ");
    EXPECT_EQ(convertToPostfix(u"Memo1.Left"), u"Memo1.Left ");
    EXPECT_EQ(convertToPostfix(u"Arr[i + 1]"), u"Arr[i + 1] ");
    EXPECT_EQ(convertToPostfix(u"Aqy.\"Stud ID\""), u"Aqy.\"Stud ID\" ");
    EXPECT_EQ(convertToPostfix(u"%d"), u"%d ");
}

TEST(PostfixConverterTest, CallsAreCopiedWholeWithoutBlank)
{
    EXPECT_EQ(convertToPostfix(u"COPY('a,b', 1, (2))"), u"COPY('a,b', 1, (2))");
    EXPECT_EQ(convertToPostfix(u"f(x) + 1"), u"f(x)1 +");
}

TEST(PostfixConverterTest, EveryOperatorHasItsCode)
{
    EXPECT_EQ(convertToPostfix(u"a>=b"), code(u"a b ", op(1)));
    EXPECT_EQ(convertToPostfix(u"a<=b"), code(u"a b ", op(2)));
    EXPECT_EQ(convertToPostfix(u"a<>b"), code(u"a b ", op(3)));
    EXPECT_EQ(convertToPostfix(u"a or b"), code(u"a b ", op(4)));
    EXPECT_EQ(convertToPostfix(u"a AND b"), code(u"a b ", op(5)));
    EXPECT_EQ(convertToPostfix(u"int(a)"), code(u"a ", op(6)));
    EXPECT_EQ(convertToPostfix(u"Frac(a)"), code(u"a ", op(7)));
    EXPECT_EQ(convertToPostfix(u"-a"), code(u"a ", op(9)));
    EXPECT_EQ(convertToPostfix(u"+a"), code(u"a ", op(10)));
    EXPECT_EQ(convertToPostfix(u"str(a)"), code(u"a ", op(11)));
    EXPECT_EQ(convertToPostfix(u"not a"), code(u"a ", op(12)));
    EXPECT_EQ(convertToPostfix(u"a mod b"), code(u"a b ", op(13)));
    EXPECT_EQ(convertToPostfix(u"round(a)"), code(u"a ", op(14)));
    EXPECT_EQ(convertToPostfix(u"a<b"), u"a b <");
    EXPECT_EQ(convertToPostfix(u"a=b"), u"a b =");
    EXPECT_EQ(convertToPostfix(u"a>b"), u"a b >");
    EXPECT_EQ(convertToPostfix(u"a/b-c"), u"a b /c -");
}

TEST(PostfixConverterTest, PriorityAndLeftAssociativity)
{
    EXPECT_EQ(convertToPostfix(u"2+3*4"), u"2 3 4 *+");
    EXPECT_EQ(convertToPostfix(u"(2+3)*4"), u"2 3 +4 *");
    EXPECT_EQ(convertToPostfix(u"7 mod 3 * 2"), code(u"7 3 ", op(13), u"2 *"));
    EXPECT_EQ(convertToPostfix(u"1-2-3"), u"1 2 -3 -");
    EXPECT_EQ(convertToPostfix(u"1 < 2 = 1"), u"1 2 <1 =");
    // AND binds like multiplication: a > 1 and b > 2 reads as a > (1 and b) > 2.
    EXPECT_EQ(convertToPostfix(u"a > 1 and b > 2"), code(u"a 1 b ", op(5), u">2 >"));
}

TEST(PostfixConverterTest, PrefixOperatorAfterBinaryOperatorWaitsForItsOperand)
{
    EXPECT_EQ(convertToPostfix(u"-5+2"), code(u"5 ", op(9), u"2 +"));
    EXPECT_EQ(convertToPostfix(u"2 * -3"), code(u"2 3 ", op(9), u"*"));
    EXPECT_EQ(convertToPostfix(u"1 - -2"), code(u"1 2 ", op(9), u"-"));
    EXPECT_EQ(convertToPostfix(u"2 * not 0"), code(u"2 0 ", op(12), u"*"));
}

TEST(PostfixConverterTest, SemicolonEndsAndBlanksAreSkipped)
{
    EXPECT_EQ(convertToPostfix(u" 1 +\r2 ; 3"), u"1 2 +");
    EXPECT_EQ(convertToPostfix(u""), u"");
    EXPECT_EQ(convertToPostfix(u"\t\n"), u"");
}

TEST(PostfixConverterTest, UnbalancedClosingParenthesisEmptiesTheStack)
{
    EXPECT_EQ(convertToPostfix(u"1+2)*3"), u"1 2 +3 *");
}

TEST(PostfixConverterTest, MalformedTextRaisesClearErrors)
{
    EXPECT_THROW(convertToPostfix(u"COPY('a', 1"), EvaluationError);
    EXPECT_THROW(convertToPostfix(u"f(1, 2, 3, 4)"), EvaluationError);
    EXPECT_THROW(convertToPostfix(u"'abc"), EvaluationError);
    EXPECT_THROW(convertToPostfix(u"[abc"), EvaluationError);
    try {
        convertToPostfix(u"f(1");
        FAIL();
    } catch (const EvaluationError &error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
}

} // namespace
} // namespace tovren::script
