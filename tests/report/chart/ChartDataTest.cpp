#include "report/chart/ChartPlan.h"
#include "report/chart/ChartText.h"

#include <gtest/gtest.h>

namespace tovren::chart {
namespace {

const NumberSeparators kPointDecimals{QStringLiteral(","), QStringLiteral(".")};
const NumberSeparators kCommaDecimals{QStringLiteral("."), QStringLiteral(",")};

TEST(ChartNumbers, ReadTheNumberInAPrintedTextAndZeroWhereThereIsNone)
{
    EXPECT_DOUBLE_EQ(ParseChartNumber(QStringLiteral(" 合计: 1,234.50元 "), kPointDecimals),
                     1234.5);
    EXPECT_DOUBLE_EQ(ParseChartNumber(QStringLiteral("差额 -12"), kPointDecimals), -12);
    EXPECT_DOUBLE_EQ(ParseChartNumber(QStringLiteral("1.234,5 元"), kCommaDecimals), 1234.5);
    for (const char *noNumber : {"", "   ", "合格", "-", "1-2", "3.4.5"})
        EXPECT_DOUBLE_EQ(ParseChartNumber(QString::fromUtf8(noNumber), kPointDecimals), 0)
            << noNumber;
}

TEST(ChartTopValues, KeepTheLargestFirstAndSumOrDropTheRest)
{
    const ChartLines lines{QStringLiteral("A;B;C;D;"), QStringLiteral("5;1;9;3;")};
    const ChartLines withOthers = GroupTopValues(lines, 2, QStringLiteral("其它"), kPointDecimals);
    EXPECT_EQ(withOthers.legend, QStringLiteral("C;A;其它;"));
    EXPECT_EQ(withOthers.values, QStringLiteral("9;5;4;"));
    const ChartLines dropped = GroupTopValues(lines, 2, QString(), kPointDecimals);
    EXPECT_EQ(dropped.legend, QStringLiteral("C;A;"));
    EXPECT_EQ(dropped.values, QStringLiteral("9;5;"));
}

TEST(ChartTopValues, KeepIdenticalEntriesOrderNegativesByValueAndTakeNoMoreThanThereIs)
{
    const ChartLines lines{QStringLiteral("甲;乙;丙;丙;"), QStringLiteral("-5;-20;3;3;")};
    const ChartLines top = GroupTopValues(lines, 3, QStringLiteral("其它"), kPointDecimals);
    EXPECT_EQ(top.legend, QStringLiteral("丙;丙;甲;其它;"));
    EXPECT_EQ(top.values, QStringLiteral("3;3;-5;-20;"));

    const ChartLines all = GroupTopValues(lines, 10, QString(), kPointDecimals);
    EXPECT_EQ(all.legend, QStringLiteral("丙;丙;甲;乙;"));
    EXPECT_EQ(all.values, QStringLiteral("3;3;-5;-20;"));
}

TEST(ChartPlans, ASingleSeriesPairsLabelsWithValuesOrDrawsNothingWhenTheCountsDiffer)
{
    ChartSettingsRecord bars;
    bars.seriesKind = quint8(SeriesKind::Bar);
    const auto plan = planChart({"A;B;C", "1;2;3"}, bars, {}, kPointDecimals);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->series.size(), 1u);
    const auto &points = plan->series.front().points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].label, QStringLiteral("A"));
    EXPECT_EQ(points[2].label, QStringLiteral("C"));
    EXPECT_DOUBLE_EQ(points[2].value, 3);

    EXPECT_FALSE(planChart({"A;B", "1;2;3"}, bars, {}, kPointDecimals));
    EXPECT_FALSE(planChart({"A;B;C"}, bars, {}, kPointDecimals));
    EXPECT_FALSE(planChart({"", "1;2;3"}, bars, {}, kPointDecimals));
}

TEST(ChartPlans, TopCountGroupsOnlyWhenFewerThanTheItems)
{
    ChartSettingsRecord settings;
    settings.topCount = 4;
    const auto whole =
        planChart({"A;B;C;D;", "5;1;9;3;"}, settings, QStringLiteral("其它"), kPointDecimals);
    ASSERT_TRUE(whole);
    ASSERT_EQ(whole->pointCount(), 4);
    EXPECT_EQ(whole->series.front().points[0].label, QStringLiteral("A"));

    settings.topCount = 2;
    const auto grouped =
        planChart({"A;B;C;D;", "5;1;9;3;"}, settings, QStringLiteral("其它"), kPointDecimals);
    ASSERT_TRUE(grouped);
    ASSERT_EQ(grouped->pointCount(), 3);
    EXPECT_EQ(grouped->series.front().points[2].label, QStringLiteral("其它"));
    EXPECT_DOUBLE_EQ(grouped->series.front().points[2].value, 4);
}

TEST(ChartPlans, SeveralSeriesTakeOneValueLinePerLegendItem)
{
    ChartSettingsRecord settings;
    settings.singleSeries = false;
    settings.topCount = 1; // applies to a single series only
    const auto plan = planChart({"S1;S2;", "1;2;", "3;4;"}, settings, {}, kPointDecimals);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->series.size(), 2u);
    EXPECT_EQ(plan->series[1].title, QStringLiteral("S2"));
    ASSERT_EQ(plan->series[1].points.size(), 2u);
    EXPECT_DOUBLE_EQ(plan->series[1].points[0].value, 3);
    EXPECT_DOUBLE_EQ(plan->series[1].points[1].value, 4);

    EXPECT_FALSE(planChart({"S1;S2;", "1;2;"}, settings, {}, kPointDecimals));
    EXPECT_FALSE(planChart({"S1;S2;", "1;2;", "3;4;", "5;"}, settings, {}, kPointDecimals));
}

} // namespace
} // namespace tovren::chart
