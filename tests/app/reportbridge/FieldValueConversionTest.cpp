#include "app/reportbridge/FieldValueConversion.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace tovren;
using script::Variant;

TEST(FieldValueConversion, DatesBecomeDayNumbersAndBadDatesKeepTheirText)
{
    EXPECT_EQ(app::toReportValue(QDate(1899, 12, 31), db::FieldType::Date), Variant::fromDate(1));
    EXPECT_EQ(app::toReportValue(QStringLiteral("2000-01-01T12:00:00"), db::FieldType::DateTime),
              Variant::fromDate(36526.5));
    EXPECT_EQ(app::toReportValue(QStringLiteral("2000-01-01"), db::FieldType::Date),
              Variant::fromDate(36526));
    EXPECT_EQ(app::toReportValue(QStringLiteral("unknown"), db::FieldType::Date),
              Variant(QStringLiteral("unknown")));
}

TEST(FieldValueConversion, NumbersStayExactAndNullStaysNull)
{
    EXPECT_EQ(app::toReportValue(QVariant(qlonglong(1) << 40), db::FieldType::LargeInt),
              Variant::fromInteger(qint64(1) << 40));
    EXPECT_EQ(app::toReportValue(QVariant(2.5), db::FieldType::Float), Variant(2.5));
    EXPECT_EQ(app::toReportValue(QStringLiteral("12a"), db::FieldType::Integer),
              Variant(QStringLiteral("12a")));
    EXPECT_TRUE(app::toReportValue(QVariant(), db::FieldType::String).isNull());
    EXPECT_EQ(app::toReportValue(QVariant(1), db::FieldType::Boolean), Variant(true));
}
