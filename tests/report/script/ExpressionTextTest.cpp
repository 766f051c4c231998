#include "report/script/ExpressionText.h"

#include "report/script/EvaluationError.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

TEST(ExpressionTextTest, ReadTokenKeepsDoubleQuotedPartsTogether)
{
    const QString text = QStringLiteral("  Aqy.\"Stud ID\"+1");
    qsizetype position = 0;
    EXPECT_EQ(ReadToken(text, position), u"Aqy.\"Stud ID\"");
    EXPECT_EQ(text[position], u'+');
    position = 0;
    const QString call = QStringLiteral("\t\nname(x)");
    EXPECT_EQ(ReadToken(call, position), u"name");
    EXPECT_EQ(call[position], u'(');
}

TEST(ExpressionTextTest, FindClosingBracketNestsAndRespectsQuotes)
{
    BracketSpan span = FindClosingBracket(u"x [A[B]] y", 0);
    EXPECT_TRUE(span.closed);
    EXPECT_EQ(span.start, 2);
    EXPECT_EQ(span.inner, u"A[B]");
    span = FindClosingBracket(u"[']']", 0);
    EXPECT_EQ(span.inner, u"']'");
    span = FindClosingBracket(u"[\"a]\"]", 0);
    EXPECT_EQ(span.inner, u"\"a]\"");
    span = FindClosingBracket(u"[abc", 0);
    EXPECT_FALSE(span.closed);
    EXPECT_EQ(span.inner, u"ab"); // an unclosed bracket runs to the character before the last
    EXPECT_EQ(FindClosingBracket(u"no brackets", 0).start, -1);
}

TEST(ExpressionTextTest, SplitArgumentsAtDepthOneOutsideQuotes)
{
    const QString text = QStringLiteral("f(a, g(b, c), 'd,e')+1");
    const CallArguments call = SplitArguments(text, 1);
    EXPECT_EQ(call.count, 3);
    EXPECT_EQ(call.texts[0], u"a");
    EXPECT_EQ(call.texts[1], u" g(b, c)");
    EXPECT_EQ(call.texts[2], u" 'd,e'");
    EXPECT_EQ(call.closingParenthesis, text.indexOf(u'+') - 1);
    EXPECT_EQ(SplitArguments(u"f()", 1).count, 0);
    EXPECT_EQ(SplitArguments(u"f(,x)", 1).count, 2);
    EXPECT_THROW(SplitArguments(u"f(a, (b)", 1), EvaluationError);
    EXPECT_THROW(SplitArguments(u"f(1, 2, 3, 4)", 1), EvaluationError);
}

} // namespace
} // namespace tovren::script
