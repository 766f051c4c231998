#include "app/ui/RangeStep.h"

#include "report/engine/TqxDataset.h"

#include <gtest/gtest.h>

using namespace tovren;
using app::applyRecordCountText;

namespace {
std::pair<engine::TRangeEnd, int> rangeOf(const engine::TqxDataset &set)
{
    return {set.rangeEnd(), set.rangeEndCount()};
}
} // namespace

TEST(RangeStep, ZeroEmptyOrNonNumbersMeanEveryRecord)
{
    for (const QString &text : {QStringLiteral("0"), QString(), QStringLiteral("abc"),
                                QStringLiteral("3.5"), QStringLiteral("99999999999")}) {
        engine::TqxDataset set;
        set.setRangeEnd(engine::reCount);
        set.setRangeEndCount(7);
        applyRecordCountText(text, set);
        EXPECT_EQ(rangeOf(set), std::make_pair(engine::reLast, 0)) << text.toStdString();
        EXPECT_EQ(set.rangeBegin(), engine::rbFirst);
    }
}

TEST(RangeStep, PositiveLimitsAndNegativeKeepsThePreviousRange)
{
    engine::TqxDataset set;
    applyRecordCountText(QStringLiteral("-3"), set);
    EXPECT_EQ(rangeOf(set), std::make_pair(engine::reLast, 0)) << "at start every record is used";
    applyRecordCountText(QStringLiteral(" 7 "), set);
    EXPECT_EQ(rangeOf(set), std::make_pair(engine::reCount, 7));
    applyRecordCountText(QStringLiteral("-3"), set);
    EXPECT_EQ(rangeOf(set), std::make_pair(engine::reCount, 7));
}

TEST(RangeStep, SpansClipToTheQueryAndTheCountBoxFollowsTheStore)
{
    EXPECT_EQ(app::recordSpan(3, 5, 10)->firstRow, 2);
    EXPECT_EQ(app::recordSpan(3, 5, 10)->count, 3);
    EXPECT_EQ(app::recordSpan(0, 50, 10)->count, 10) << "clipped to the records there are";
    EXPECT_FALSE(app::recordSpan(6, 5, 10)) << "n after m selects nothing";
    EXPECT_FALSE(app::recordSpan(11, 12, 10));

    engine::TqxDataset set;
    app::applyRecordSpan({4, 2}, set);
    EXPECT_EQ(set.rangeBegin(), engine::rbCurrent);
    EXPECT_EQ(rangeOf(set), std::make_pair(engine::reCount, 2));
    applyRecordCountText(QStringLiteral("5"), set);
    EXPECT_EQ(set.rangeBegin(), engine::rbFirst) << "the count box always starts at the first";

    EXPECT_EQ(app::followRecordCount(2120, 2120, 2119), 2119) << "a box on every record follows";
    EXPECT_EQ(app::followRecordCount(50, 2120, 2119), 50) << "a chosen number stays";
    EXPECT_EQ(app::followRecordCount(50, 60, 40), 40) << "never more than there are";
    EXPECT_EQ(app::followRecordCount(0, 10, 11), 0);
    EXPECT_EQ(app::followRecordCount(-3, 10, 11), -3);
}
