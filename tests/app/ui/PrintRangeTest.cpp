#include "app/ui/PrintRange.h"

#include <gtest/gtest.h>

using tovren::app::PrintRange;
using tovren::app::applyRecordCountText;

TEST(RangeStep, ZeroEmptyOrNonNumbersMeanEveryRecord)
{
    for (const QString &text : {QStringLiteral("0"), QString(), QStringLiteral("abc"),
                                QStringLiteral("3.5"), QStringLiteral("99999999999")}) {
        PrintRange range{PrintRange::End::Count, 7};
        applyRecordCountText(text, range);
        EXPECT_EQ(range, (PrintRange{PrintRange::End::Last, 0})) << text.toStdString();
    }
}

TEST(RangeStep, PositiveLimitsAndNegativeKeepsThePreviousRange)
{
    PrintRange range;
    applyRecordCountText(QStringLiteral("-3"), range);
    EXPECT_EQ(range, (PrintRange{PrintRange::End::Last, 0})) << "at start every record is used";
    applyRecordCountText(QStringLiteral(" 7 "), range);
    EXPECT_EQ(range, (PrintRange{PrintRange::End::Count, 7}));
    applyRecordCountText(QStringLiteral("-3"), range);
    EXPECT_EQ(range, (PrintRange{PrintRange::End::Count, 7}));
}
