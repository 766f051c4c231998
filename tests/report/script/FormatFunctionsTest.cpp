#include "report/script/DateTimeFormat.h"
#include "report/script/EditMask.h"
#include "report/script/FloatFormat.h"

#include <gtest/gtest.h>

using namespace tovren::script;

namespace {

// 2005-06-01 14:28:26.045, a Wednesday.
const double changedAt = 38504 + (14 * 3600 + 28 * 60 + 26.045) / 86400.0;

} // namespace

TEST(DateTimeFormat, DatePartsAndNames)
{
    EXPECT_EQ(formatDateTime(u"yyyy-mm-dd", changedAt), QStringLiteral("2005-06-01"));
    EXPECT_EQ(formatDateTime(u"yy/m/d", changedAt), QStringLiteral("05-6-1"));
    EXPECT_EQ(formatDateTime(u"YYYY.MM.DD", changedAt), QStringLiteral("2005.06.01"));
    EXPECT_EQ(formatDateTime(u"mmmm", changedAt), QStringLiteral("六月"));
    EXPECT_EQ(formatDateTime(u"dddd", changedAt), QStringLiteral("星期三"));
    EXPECT_EQ(formatDateTime(u"ddddd", changedAt), QStringLiteral("2005-6-1"));
    EXPECT_EQ(formatDateTime(u"dddddd", changedAt), QStringLiteral("2005年6月1日"));
}

TEST(DateTimeFormat, TimePartsMinutesAfterHoursAndTwelveHourClock)
{
    EXPECT_EQ(formatDateTime(u"hh:mm:ss", changedAt), QStringLiteral("14:28:26"));
    EXPECT_EQ(formatDateTime(u"h:n:s.zzz", changedAt), QStringLiteral("14:28:26.045"));
    EXPECT_EQ(formatDateTime(u"h:nn am/pm", changedAt), QStringLiteral("2:28 pm"));
    EXPECT_EQ(formatDateTime(u"hh A/P", 0.25), QStringLiteral("06 A"));
    EXPECT_EQ(formatDateTime(u"h ampm", 0.0), QStringLiteral("12 上午"));
    EXPECT_EQ(formatDateTime(u"t|tt", changedAt), QStringLiteral("14:28|14:28:26"));
}

TEST(DateTimeFormat, DefaultsAndLiterals)
{
    EXPECT_EQ(formatDateTime(u"", changedAt), QStringLiteral("2005-6-1 14:28:26"));
    EXPECT_EQ(formatDateTime(u"c", 38504), QStringLiteral("2005-6-1"));
    EXPECT_EQ(formatDateTime(u"'yyyy' \"mm\" yyyy", 38504), QStringLiteral("yyyy mm 2005"));
    EXPECT_EQ(formatDateTime(u"'unclosed", 38504), QStringLiteral("unclosed"));
    EXPECT_EQ(formatDateTime(u"yyyy-mm-dd", -1.25), QStringLiteral("1899-12-29"));
}

TEST(FloatFormat, DigitsGroupingAndRounding)
{
    EXPECT_EQ(formatFloat(u"#,##0.00", 1234.5), QStringLiteral("1,234.50"));
    EXPECT_EQ(formatFloat(u"#,##0.00", -1234567.891), QStringLiteral("-1,234,567.89"));
    EXPECT_EQ(formatFloat(u"0.##", 2.5), QStringLiteral("2.5"));
    EXPECT_EQ(formatFloat(u"0.##", 2), QStringLiteral("2"));
    EXPECT_EQ(formatFloat(u"#.##", 0.5), QStringLiteral(".5"));
    EXPECT_EQ(formatFloat(u"000", 7), QStringLiteral("007"));
    EXPECT_EQ(formatFloat(u"0", 2.5), QStringLiteral("3"));
    EXPECT_EQ(formatFloat(u"", 0.1), QStringLiteral("0.1"));
}

TEST(FloatFormat, SectionsLiteralsAndExponent)
{
    EXPECT_EQ(formatFloat(u"0.0;(0.0);'zero'", -3.25), QStringLiteral("(3.3)"));
    EXPECT_EQ(formatFloat(u"0.0;(0.0);'zero'", 0.01), QStringLiteral("zero"));
    EXPECT_EQ(formatFloat(u"0.0", -0.01), QStringLiteral("0.0")) << "no minus for a zero result";
    EXPECT_EQ(formatFloat(u"'¥'#,##0' 元'", 1500), QStringLiteral("¥1,500 元"));
    EXPECT_EQ(formatFloat(u"0.00E+00", 12345), QStringLiteral("1.23E+04"));
    EXPECT_EQ(formatFloat(u"0.0e-0", 0.00098), QStringLiteral("9.8e-4"));
    EXPECT_EQ(formatFloat(u"0.0E+0", 9.99), QStringLiteral("1.0E+1"));
}

TEST(EditMask, PlaceholdersLiteralsAndCase)
{
    EXPECT_EQ(formatMaskText(u"!(999)000-0000;0; ", u"5551234567"),
              QStringLiteral("(555)123-4567"));
    EXPECT_EQ(formatMaskText(u"00/00/0000", u"01062005"), QStringLiteral("01-06-2005"));
    EXPECT_EQ(formatMaskText(u"000-000", u"12"), QStringLiteral("12 -   "));
    EXPECT_EQ(formatMaskText(u">L<ll\\-0", u"aBC7"), QStringLiteral("Abc-7"));
    EXPECT_EQ(formatMaskText(u"", u"abc"), QString());
}
