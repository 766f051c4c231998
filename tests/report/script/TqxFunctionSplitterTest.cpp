#include "report/script/TqxFunctionSplitter.h"

#include "report/script/EvaluationError.h"
#include "report/script/TqxInterpretator.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

QStringList splitWith(const QString &text, const TqxVariables *dictionary = nullptr)
{
    TAggregateFunctionsSplitter splitter(dictionary);
    splitter.Split(text);
    return splitter.splitResults();
}

TEST(TqxFunctionSplitterTest, FindsCallsInsideBracketsAndArguments)
{
    EXPECT_EQ(splitWith(QStringLiteral("[SUM([Qty])]")), QStringList{QStringLiteral("SUM([Qty])")});
    EXPECT_EQ(splitWith(QStringLiteral("IF(sum(a) > 0, Max(b, Band1), 0) + COPY(x, 1, 2)")),
              (QStringList{QStringLiteral("sum(a)"), QStringLiteral("Max(b, Band1)")}));
    // The inner call is found before the call that holds it.
    EXPECT_EQ(splitWith(QStringLiteral("SUM(AVG(x))")),
              (QStringList{QStringLiteral("AVG(x)"), QStringLiteral("SUM(AVG(x))")}));
}

TEST(TqxFunctionSplitterTest, StringsHoldNoCalls)
{
    EXPECT_TRUE(splitWith(QStringLiteral("'SUM(x)'")).isEmpty());
    EXPECT_EQ(splitWith(QStringLiteral("'SUM(' + COUNT(Band1)")),
              QStringList{QStringLiteral("COUNT(Band1)")});
}

TEST(TqxFunctionSplitterTest, LooksThroughDictionaryVariables)
{
    TqxVariables dictionary;
    dictionary.setValue(QStringLiteral("Total"), Variant(QStringLiteral("SUM([Price] * [Qty])")));
    dictionary.setValue(QStringLiteral("Loop"), Variant(QStringLiteral("[Loop] + MIN(a)")));
    EXPECT_EQ(splitWith(QStringLiteral("[Total] / 2"), &dictionary),
              QStringList{QStringLiteral("SUM([Price] * [Qty])")});
    EXPECT_EQ(splitWith(QStringLiteral("total + 1"), &dictionary),
              QStringList{QStringLiteral("SUM([Price] * [Qty])")});
    // A variable that refers to itself is looked through once instead of for ever.
    EXPECT_EQ(splitWith(QStringLiteral("[Loop]"), &dictionary),
              QStringList{QStringLiteral("MIN(a)")});
}

TEST(TqxFunctionSplitterTest, SplitsTextLinesAndCompiledScripts)
{
    TAggregateFunctionsSplitter splitter(nullptr);
    splitter.SplitText({QStringLiteral("合计: [SUM(x)] 元, 平均 [AVG(y) #N0.00]"),
                        QStringLiteral("no brackets SUM(z)")});
    EXPECT_EQ(splitter.splitResults(),
              (QStringList{QStringLiteral("SUM(x)"), QStringLiteral("AVG(y)")}));

    QStringList code;
    QStringList errors;
    TqxInterpretator().CompileScript(
        {QStringLiteral("begin if COUNT(Band1) > 0 then t := SUM(a); MAX(b, Band1) end")}, code,
        errors);
    ASSERT_TRUE(errors.isEmpty());
    splitter.clearResults();
    splitter.SplitScript(code);
    EXPECT_EQ(splitter.splitResults(),
              (QStringList{QStringLiteral("COUNT(Band1)"), QStringLiteral("SUM(a)"),
                           QStringLiteral("MAX(b, Band1)")}));
}

TEST(TqxFunctionSplitterTest, MalformedTextRaisesInsteadOfRecursingForEver)
{
    EXPECT_THROW(splitWith(QStringLiteral("SUM(a")), EvaluationError);
    const QString deep = QStringLiteral("f(").repeated(5000) + QStringLiteral(")").repeated(5000);
    EXPECT_THROW(splitWith(deep), EvaluationError);
}

} // namespace
} // namespace tovren::script
