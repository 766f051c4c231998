#include "app/import/NumberFormat.h"

#include <gtest/gtest.h>

using tovren::import::NumberFormat;

TEST(NumberFormat, GeneralKeepsIntegersWholeAndTrimsNoise)
{
    EXPECT_EQ(NumberFormat::general(3.0), QStringLiteral("3"));
    EXPECT_EQ(NumberFormat::general(-42), QStringLiteral("-42"));
    EXPECT_EQ(NumberFormat::general(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(NumberFormat::general(43.22), QStringLiteral("43.22"));
    EXPECT_EQ(NumberFormat(0, {}).format(1e20), QStringLiteral("1e+20"));
    EXPECT_FALSE(NumberFormat(0, {}).isDateOrTime());
    EXPECT_FALSE(NumberFormat(49, {}).isDateOrTime());
}

TEST(NumberFormat, BuiltInNumberFormatsKeepTheirDecimals)
{
    EXPECT_EQ(NumberFormat(2, {}).format(3), QStringLiteral("3.00"));
    EXPECT_EQ(NumberFormat(4, {}).format(1234567.891), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(NumberFormat(9, {}).format(0.125), QStringLiteral("13%"));
    EXPECT_EQ(NumberFormat(10, {}).format(0.005), QStringLiteral("0.50%"));
    EXPECT_EQ(NumberFormat(170, QStringLiteral("0.0;[Red]-0.0")).format(-2.26), QStringLiteral("-2.3"));
}

TEST(NumberFormat, DatesFollowTheirCodeAndBuiltInsReadAsOnChineseSystems)
{
    const double march5 = 32207; // 1988-03-05
    EXPECT_TRUE(NumberFormat(14, QStringLiteral("mm-dd-yy")).isDateOrTime());
    EXPECT_EQ(NumberFormat(14, QStringLiteral("mm-dd-yy")).format(march5), QStringLiteral("1988/3/5"));
    EXPECT_EQ(NumberFormat(22, {}).format(march5 + 0.5), QStringLiteral("1988/3/5 12:00"));
    EXPECT_EQ(NumberFormat(31, {}).format(march5), QStringLiteral("1988年3月5日"));
    EXPECT_EQ(NumberFormat(170, QStringLiteral("yyyy-mm-dd")).format(march5), QStringLiteral("1988-03-05"));
    EXPECT_EQ(NumberFormat(171, QStringLiteral("yyyy\"年\"m\"月\"d\"日\";@")).format(march5),
              QStringLiteral("1988年3月5日"));
    EXPECT_EQ(NumberFormat(172, QStringLiteral("[$-804]yyyy/m/d h:mm:ss")).format(march5 + 0.5 + 90.0 / 86400),
              QStringLiteral("1988/3/5 12:01:30"));
    // "mm" between hours and seconds is minutes; elsewhere it is the month.
    EXPECT_EQ(NumberFormat(173, QStringLiteral("mm/dd hh:mm")).format(march5 + 0.25 + 7.0 / 1440),
              QStringLiteral("03/05 06:07"));
    EXPECT_EQ(NumberFormat(174, QStringLiteral("h:mm AM/PM")).format(0.75), QStringLiteral("6:00 PM"));
    // A serial outside the calendar is shown as a number rather than a made-up date.
    EXPECT_EQ(NumberFormat(14, {}).format(-5), QStringLiteral("-5"));
}
