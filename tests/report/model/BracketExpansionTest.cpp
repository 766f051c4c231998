#include "report/model/BracketExpansion.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

/// Records every expression handed over and answers with "<expression>".
struct RecordingResolver
{
    QStringList seen;
    QString operator()(const QString &expression)
    {
        seen << expression;
        return u'<' + expression + u'>';
    }
};

QString expand(const QString &text, RecordingResolver &resolver)
{
    return ExpandBrackets(text, [&](const QString &e) { return resolver(e); });
}

TEST(BracketExpansion, ReplacesEachBracketedExpressionOnce)
{
    RecordingResolver resolver;
    EXPECT_EQ(expand("Name: [Aqy.\"Name\"], born [Year]", resolver),
              "Name: <Aqy.\"Name\">, born <Year>");
    EXPECT_EQ(resolver.seen, QStringList({"Aqy.\"Name\"", "Year"}));
}

TEST(BracketExpansion, NestedAndQuotedBracketsStayInTheExpression)
{
    RecordingResolver resolver;
    EXPECT_EQ(expand("[A[B]]", resolver), "<A[B]>");
    EXPECT_EQ(expand("[']']", resolver), "<']'>");
    EXPECT_EQ(expand("[\"a]'\"]", resolver), "<\"a]'\">");
    EXPECT_EQ(resolver.seen, QStringList({"A[B]", "']'", "\"a]'\""}));
}

TEST(BracketExpansion, UnclosedBracketTakesTheRestWithAnEmptyExpression)
{
    RecordingResolver resolver;
    EXPECT_EQ(expand("abc[x", resolver), "abc<>");
    EXPECT_EQ(resolver.seen, QStringList({""}));
}

TEST(BracketExpansion, ValuesAreNotExpandedAgain)
{
    const QString result =
        ExpandBrackets("[a][b]", [](const QString &e) { return e == "a" ? "[b]" : "B"; });
    EXPECT_EQ(result, "[b]B");
}

TEST(BracketExpansion, TextWithoutBracketsIsUnchanged)
{
    RecordingResolver resolver;
    EXPECT_EQ(expand("", resolver), "");
    EXPECT_EQ(expand("plain ] text", resolver), "plain ] text");
    EXPECT_EQ(expand("ends with [", resolver), "ends with [");
    EXPECT_TRUE(resolver.seen.isEmpty());
}

} // namespace
} // namespace tovren::model
