#include "report/script/Variant.h"

#include "report/script/DayNumber.h"
#include "report/script/EvaluationError.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

TEST(VariantTest, TextOfEveryType)
{
    EXPECT_EQ(Variant().toString(), u"");
    EXPECT_EQ(Variant::null().toString(), u"");
    EXPECT_EQ(Variant(-42).toString(), u"-42");
    EXPECT_EQ(Variant(qint64(1) << 40).toString(), u"1099511627776");
    EXPECT_EQ(Variant(true).toString(), u"True");
    EXPECT_EQ(Variant(false).toString(), u"False");
    EXPECT_EQ(Variant::fromCurrency(12.5).toString(), u"12.5");
    EXPECT_EQ(Variant::fromCurrencyUnits(-5).toString(), u"-0.0005");
    EXPECT_EQ(Variant::fromDate(0).toString(), u"1899-12-30");
    EXPECT_EQ(Variant::fromDate(45351.75).toString(), u"2024-02-29 18:00:00");
    EXPECT_EQ(Variant::fromDate(-1.25).toString(), u"1899-12-29 06:00:00");
}

TEST(VariantTest, DoublesPrintInTheirShortestForm)
{
    EXPECT_EQ(Variant(14.0).toString(), u"14");
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), u"0.3");
    EXPECT_EQ(Variant(1.0 / 3).toString(), u"0.333333333333333");
    EXPECT_EQ(Variant(1e20).toString(), u"1E20");
    EXPECT_EQ(Variant(-1.5e-7).toString(), u"-1.5E-7");
    EXPECT_EQ(Variant(-0.0).toString(), u"0");
}

TEST(VariantTest, NumbersFromTextAndTheirErrors)
{
    EXPECT_EQ(Variant(QStringLiteral(" 12.5 ")).toDouble(), 12.5);
    EXPECT_EQ(Variant(QStringLiteral("1e3")).toDouble(), 1000);
    EXPECT_EQ(Variant().toDouble(), 0);
    EXPECT_EQ(Variant(true).toDouble(), -1);
    for (const char *bad : {"", "abc", "1,5", "nan", "inf", "1.2.3", "12abc"}) {
        try {
            Variant(QString::fromLatin1(bad)).toDouble();
            ADD_FAILURE() << bad;
        } catch (const EvaluationError &error) {
            EXPECT_EQ(error.message(),
                      u"Could not convert variant of type (String) into type (Double)");
        }
    }
    EXPECT_THROW(Variant::null().toDouble(), EvaluationError);
}

TEST(VariantTest, IntegersRoundTiesToEven)
{
    EXPECT_EQ(Variant(2.5).toInt64(), 2);
    EXPECT_EQ(Variant(3.5).toInt64(), 4);
    EXPECT_EQ(Variant(-2.5).toInt64(), -2);
    EXPECT_EQ(Variant::fromCurrency(2.5).toInt64(), 2);
    EXPECT_EQ(Variant::fromCurrency(-3.5).toInt64(), -4);
    EXPECT_EQ(Variant::fromCurrency(1.5001).toInt64(), 2);
    EXPECT_EQ(Variant(QStringLiteral("7.5")).toInt64(), 8);
    EXPECT_THROW(Variant(1e30).toInt64(), EvaluationError);
}

TEST(VariantTest, IntegerResultsNarrowWhenTheyFit)
{
    EXPECT_EQ(Variant::fromInteger(5).type(), VariantType::Integer);
    EXPECT_EQ(Variant::fromInteger(qint64(1) << 31).type(), VariantType::Int64);
    EXPECT_THROW(Variant::fromCurrency(1e300), EvaluationError);
}

TEST(VariantTest, BooleansFromValues)
{
    EXPECT_TRUE(Variant(QStringLiteral("true")).toBool());
    EXPECT_FALSE(Variant(QStringLiteral("0")).toBool());
    EXPECT_TRUE(Variant(-1).toBool());
    EXPECT_THROW(Variant(QStringLiteral("maybe")).toBool(), EvaluationError);
}

TEST(DayNumberTest, DatesAndTimesFromText)
{
    EXPECT_EQ(parseDate(u"1899-12-30"), 0);
    EXPECT_EQ(parseDate(u"2000/1/1"), 36526);
    EXPECT_EQ(parseDate(u"1899.12.29"), -1);
    EXPECT_EQ(parseTime(u"12:00"), 0.5);
    EXPECT_DOUBLE_EQ(parseTime(u"0:00:01"), 1.0 / 86400);
    for (const char16_t *bad : {u"2023-02-29", u"2023-13-01", u"2023-01", u"", u"2023-01/02"})
        EXPECT_THROW(parseDate(bad), EvaluationError);
    for (const char16_t *bad : {u"24:00", u"12:60", u"12", u"ab:cd"})
        EXPECT_THROW(parseTime(bad), EvaluationError);
    try {
        parseDate(u"soon");
        FAIL();
    } catch (const EvaluationError &error) {
        EXPECT_EQ(error.message(), u"'soon' is not a valid date");
    }
    EXPECT_THROW(formatDayNumber(1e300), EvaluationError);
}

} // namespace
} // namespace tovren::script
