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
