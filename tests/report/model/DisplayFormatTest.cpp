#include "report/model/DisplayFormat.h"

#include <QDate>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;

double dayNumber(int year, int month, int day)
{
    return QDate(1899, 12, 30).daysTo(QDate(year, month, day));
}

TEST(FormatDisplayValue, NumberFormatsFollowIndexDecimalsAndSeparator)
{
    const Variant value(1234.5);
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 0, 2, u'.'), {}), "1234.5");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 1, 2, u'.'), {}), "1234.50");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 2, 2, u'.'), {}), "1,234.5");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 3, 2, u'.'), {}), "1,234.50");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 1, 2, u','), {}), "1234,50");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 1, 0, u'.'), {}), "1235");
    EXPECT_EQ(FormatDisplayValue(value, displayFormatCode(dcNumber, 4, 0, u'.'), "0000.000"),
              "1234.500");
}

TEST(FormatDisplayValue, DateTimeAndBooleanFormats)
{
    const Variant date =
        Variant::fromDate(dayNumber(1998, 11, 15) + (2 * 3600 + 43 * 60 + 35) / 86400.0);
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcDate, 0, 0, u'.'), {}), "98.11.15");
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcDate, 1, 0, u'.'), {}), "1998.11.15");
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcDate, 2, 0, u'.'), {}),
              QStringLiteral("1998年11月15日"));
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcDate, 4, 0, u'.'), "yyyy-mm-dd"),
              "1998-11-15");
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcTime, 0, 0, u'.'), {}), "02:43:35");
    EXPECT_EQ(FormatDisplayValue(date, displayFormatCode(dcTime, 3, 0, u'.'), {}), "2:43");

    const qint32 yesNo = displayFormatCode(dcBoolean, 1, 0, u'.');
    EXPECT_EQ(FormatDisplayValue(Variant(true), yesNo, {}), QStringLiteral("是"));
    EXPECT_EQ(FormatDisplayValue(Variant(false), yesNo, {}), QStringLiteral("否"));
    EXPECT_EQ(FormatDisplayValue(Variant(3), displayFormatCode(dcBoolean, 4, 0, u'.'), "off;on"),
              "on");
}

TEST(FormatDisplayValue, EmptyValuesAndUnconvertibleValues)
{
    const qint32 number = displayFormatCode(dcNumber, 1, 2, u'.');
    EXPECT_EQ(FormatDisplayValue(Variant(), number, {}), "");
    EXPECT_EQ(FormatDisplayValue(Variant::null(), number, {}), "");
    EXPECT_EQ(FormatDisplayValue(Variant(QStringLiteral("   ")), number, {}), "");
    // A value the format cannot take prints as it is instead of failing the report.
    EXPECT_EQ(FormatDisplayValue(Variant(QStringLiteral("abc")), number, {}), "abc");
    EXPECT_EQ(FormatDisplayValue(Variant(QStringLiteral("abc")),
                                 displayFormatCode(dcDate, 1, 0, u'.'), {}),
              "abc");
    EXPECT_EQ(FormatDisplayValue(Variant(12), 0, {}), "12");
}

TEST(SplitBracketFormat, InlineFormatsReplaceTheObjectFormat)
{
    const qint32 objectCode = displayFormatCode(dcText, 0, 2, u'.');

    const BracketFormat sum = splitBracketFormat("Sum #N0.2", objectCode, {});
    EXPECT_EQ(sum.expression, "Sum");
    EXPECT_EQ(sum.code, displayFormatCode(dcNumber, 1, 2, u'.'));
    EXPECT_EQ(FormatDisplayValue(Variant(1234.5), sum.code, sum.custom), "1234.50");

    const BracketFormat date = splitBracketFormat("Date #Dyyyy-mm-dd", objectCode, {});
    EXPECT_EQ(date.expression, "Date");
    EXPECT_EQ(displayCategory(date.code), dcDate);
    EXPECT_EQ(displayIndex(date.code), kCustomFormatIndex);
    EXPECT_EQ(date.custom, "yyyy-mm-dd");

    const BracketFormat digits = splitBracketFormat("X #2,3", objectCode, {});
    EXPECT_EQ(digits.code, displayFormatCode(dcNumber, 1, 3, u','));
    EXPECT_EQ(FormatDisplayValue(Variant(1.5), digits.code, digits.custom), "1,500");

    const BracketFormat pattern = splitBracketFormat("X #n#,##0.00", objectCode, {});
    EXPECT_EQ(displayIndex(pattern.code), kCustomFormatIndex);
    EXPECT_EQ(pattern.custom, "#,##0.00");

    const BracketFormat boolean = splitBracketFormat("Flag #Bno;yes", objectCode, {});
    EXPECT_EQ(FormatDisplayValue(Variant(true), boolean.code, boolean.custom), "yes");

    const BracketFormat other = splitBracketFormat("X #zz", objectCode, "kept");
    EXPECT_EQ(other.code, objectCode);
    EXPECT_EQ(other.custom, "zz");

    const BracketFormat plain = splitBracketFormat("A#B", objectCode, "kept");
    EXPECT_EQ(plain.expression, "A#B");
    EXPECT_EQ(plain.custom, "kept");
}

} // namespace
} // namespace tovren::model
