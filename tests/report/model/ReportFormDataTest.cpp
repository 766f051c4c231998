#include "report/model/ReportFormData.h"

#include "report/model/RecordStream.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

TEST(ReportFormData, WithoutStoreInFormOnlyTheVersionIsWritten)
{
    const QByteArray data = writeReportFormData(false, "ignored");
    EXPECT_EQ(data.toHex(), QByteArray("19000000"));
    EXPECT_FALSE(readReportFormData(data, false).has_value());
}

TEST(ReportFormData, StoredTemplateComesBackWhole)
{
    const QByteArray stream("\x19\x00\x00tail", 7);
    const QByteArray data = writeReportFormData(true, stream);
    EXPECT_EQ(data.left(8).toHex(), QByteArray("1900000007000000"));
    EXPECT_EQ(readReportFormData(data, true), stream);
    // A form that stores nothing reads as an empty stream when the flag says it stores one.
    EXPECT_THROW(readReportFormData(writeReportFormData(false, {}), true), ERecordFormat);
}

TEST(ReportFormData, CountsPastTheEndOrNegativeAreRefused)
{
    EXPECT_THROW(readReportFormData(QByteArray::fromHex("19000000ffffff7f00"), true),
                 ERecordFormat);
    EXPECT_THROW(readReportFormData(QByteArray::fromHex("19000000ffffffff"), true), ERecordFormat);
    EXPECT_THROW(readReportFormData(QByteArray::fromHex("1900"), false), ERecordFormat);
}

} // namespace
} // namespace tovren::model
