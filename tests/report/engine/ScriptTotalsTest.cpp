#include "BuildFixture.h"
#include "report/model/TqxPage.h"

using namespace tovren;
using model::TqxBandView;

namespace {

/// Five rows N = 1 ... 5 walked by a master data band, with a summary below it.
class ScriptTotalsTest : public test::BuildTest, public ::testing::WithParamInterface<bool>
{
protected:
    ScriptTotalsTest()
        : BuildTest(5)
    {
        report.TwoPass = GetParam();
    }

    model::TqxPage &page = addPage();
    TqxBandView &data = addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data"),
                                QStringLiteral("qxDBDataSet1"));
    TqxBandView &summary = addBand(page, model::btReportSummary, 40, 20, QStringLiteral("Summary"));

    QString summaryText()
    {
        const QStringList texts = pageTexts(report.EMFPages().Count() - 1);
        return texts.isEmpty() ? QString() : texts.last();
    }
};

TEST_P(ScriptTotalsTest, TotalOfAVariableThatAnObjectScriptSets)
{
    model::TqxMemoView &row = addText(page, 0, 0, QStringLiteral("[V]"));
    row.Script = QStringList{"V := [Aqy.\"N\"] * 10"};
    addText(page, 0, 40, QStringLiteral("[SUM([V])]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(summaryText(), QStringLiteral("150"));
}

TEST_P(ScriptTotalsTest, TotalComputedInTheBandScriptOfTheSummary)
{
    summary.Script = QStringList{"S := SUM([Aqy.\"N\"])"};
    addText(page, 0, 40, QStringLiteral("[S]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(summaryText(), QStringLiteral("15"));
}

TEST_P(ScriptTotalsTest, TotalsComputedInAnObjectScriptRestartAfterEachFooter)
{
    addBand(page, model::btGroupHeader, 80, 10, QStringLiteral("Group"),
            QStringLiteral("Aqy.\"N\" > 2"));
    addBand(page, model::btGroupFooter, 100, 20, QStringLiteral("GroupFooter"));
    model::TqxMemoView &total = addText(page, 0, 100, QStringLiteral("[T] [C]"));
    total.Script = QStringList{"begin T := MAX([Aqy.\"N\"]); C := COUNT(Data) end"};

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList texts = pageTexts(0);
    EXPECT_TRUE(texts.contains(QStringLiteral("2 2"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("5 3"))) << texts.join(u'|').toStdString();
}

TEST_P(ScriptTotalsTest, ScriptThatDoesNotCompileStillEndsTheBuildWithItsError)
{
    summary.Script = QStringList{"S := SUM([Aqy.\"N\"]"};
    addText(page, 0, 40, QStringLiteral("summary"));

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().startsWith(QStringLiteral("计算时发生错误")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoPasses, ScriptTotalsTest, ::testing::Bool(),
                         [](const auto &info) {
                             return info.param ? std::string("TwoPass") : std::string("OnePass");
                         });

} // namespace
