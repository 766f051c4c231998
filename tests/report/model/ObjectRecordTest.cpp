#include "report/model/ObjectRecord.h"

#include "report/model/RecordStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxSubReportView.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

TEST(PreparedRecords, WriteExpandedTextAndReadItBackAsTheMemo)
{
    TqxBandView band;
    band.Name = QStringLiteral("Band1");
    band.Memo = {QStringLiteral("[Aqy.\"Name\"]")};
    band.ExpandedText = {QStringLiteral("张三")};
    band.Script = {QStringLiteral("design only")};
    band.SetBounds(1, 2, 3, 4);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    RecordWriter writer(buffer);
    writePreparedObject(writer, band);
    EXPECT_EQ(band.RecordMode, 0);

    buffer.seek(0);
    RecordReader reader(buffer);
    const std::unique_ptr<TqxView> back = readPreparedObject(reader);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(buffer.atEnd());
    EXPECT_EQ(back->ObjectKind, okBand);
    EXPECT_EQ(back->RecordMode, 1);
    EXPECT_EQ(back->Memo, QStringList({"张三"}));
    EXPECT_TRUE(back->Script.isEmpty());
    EXPECT_EQ(back->Height, 4);
}

TEST(PreparedRecords, KindsWithoutAnObjectAreAFormatError)
{
    QBuffer buffer;
    buffer.setData(QByteArray::fromHex("07000000"));
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer);
    EXPECT_THROW(readPreparedObject(reader), ERecordFormat);
}

TEST(PreparedRecords, RecordModeScopeRestoresOnEveryExit)
{
    TqxSubReportView view;
    try {
        const RecordModeScope prepared(view, 1);
        EXPECT_EQ(view.RecordMode, 1);
        throw ERecordFormat("leaving");
    } catch (const ERecordFormat &) {
    }
    EXPECT_EQ(view.RecordMode, 0);
}

TEST(PreparedRecords, RetiredClassNamesMapToTheirSuccessors)
{
    EXPECT_EQ(canonicalAddInClassName(QStringLiteral("TqxBDELookupControl")),
              QStringLiteral("TqxDBLookupControl"));
    EXPECT_EQ(canonicalAddInClassName(QStringLiteral("tqxibxlookupcontrol")),
              QStringLiteral("TqxDBLookupControl"));
    EXPECT_EQ(canonicalAddInClassName(QStringLiteral("TqxChartView")),
              QStringLiteral("TqxChartView"));
    EXPECT_TRUE(isFramedTextClass(QStringLiteral("TqxFramedMemoView")));
}

} // namespace
} // namespace tovren::model
