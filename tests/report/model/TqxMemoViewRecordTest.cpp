#include "MemoTestSupport.h"
#include "report/model/TqxGlobals.h"

namespace tovren::model {
namespace {

using testing::MemoTest;

QByteArray recordOf(TqxMemoView &memo)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    memo.WriteRecord(writer);
    return buffer.data();
}

void readInto(TqxMemoView &memo, const QByteArray &bytes, int version)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer, version);
    memo.ReadRecord(reader);
    EXPECT_EQ(reader.pos(), bytes.size());
}

TqxMemoView &styled(TqxMemoView &memo)
{
    memo.Name = "Memo7";
    memo.SetBounds(5, 6, 70, 80);
    memo.Memo = {"[Aqy.\"StudID\"]", QStringLiteral("学号")};
    memo.Font.setFamily(QStringLiteral("宋体"));
    memo.Font.setPointSizeF(12);
    memo.Font.setItalic(true);
    memo.FontColor = 0x123456;
    memo.FontCharset = 134;
    memo.Alignment = TqxMemoView::kAlignCenter | TqxMemoView::kAlignBottom;
    memo.HighlightFontStyle = 5;
    memo.HighlightFontColor = 0x00FF00;
    memo.HighlightFillColor = 0x0000FF;
    memo.HighlightCondition = "Score > 90";
    memo.LineSpacing = 4;
    memo.CharSpacing = 1;
    return memo;
}

TEST_F(MemoTest, DesignRecordRoundTrips)
{
    TqxMemoView original;
    const QByteArray bytes = recordOf(styled(original));
    TqxMemoView copy;
    readInto(copy, bytes, kCurrentStreamVersion);
    EXPECT_EQ(copy.Memo, original.Memo);
    EXPECT_EQ(copy.Font.family(), QStringLiteral("宋体"));
    EXPECT_EQ(copy.Font.pointSizeF(), 12);
    EXPECT_TRUE(copy.Font.italic());
    EXPECT_FALSE(copy.Font.bold());
    EXPECT_EQ(copy.FontColor, 0x123456u);
    EXPECT_EQ(copy.FontCharset, 134);
    EXPECT_EQ(copy.Alignment, original.Alignment);
    EXPECT_EQ(copy.HighlightFontStyle, 5);
    EXPECT_EQ(copy.HighlightFontColor, 0x00FF00u);
    EXPECT_EQ(copy.HighlightFillColor, 0x0000FFu);
    EXPECT_EQ(copy.HighlightCondition, "Score > 90");
    EXPECT_EQ(copy.LineSpacing, 4);
    EXPECT_EQ(copy.CharSpacing, 1);
    EXPECT_EQ(recordOf(copy), bytes);
}

TEST_F(MemoTest, PreparedRecordCarriesNoHighlight)
{
    TqxMemoView original;
    styled(original).RecordMode = 1;
    original.ExpandedText = {"S001"};
    TqxMemoView copy;
    copy.RecordMode = 1;
    readInto(copy, recordOf(original), kCurrentStreamVersion);
    EXPECT_EQ(copy.Memo, QStringList{"S001"});
    EXPECT_TRUE(copy.HighlightCondition.isEmpty());
    EXPECT_EQ(copy.LineSpacing, 4);
}

/// The view part of versions 21 and 22: no name, zero-terminated texts.
QByteArray oldViewPart()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    for (const qint32 geometry : {1, 2, 30, 40})
        writer.writeInt(geometry);
    writer.writeWord(1); // flags: stretched only
    writer.writeWord(0);
    writer.writeInt(1);
    writer.writeColor(0);
    writer.writeWord(0);
    writer.writeColor(kNoColor);
    writer.writeInt(0);
    QByteArray bytes = buffer.data();
    bytes.append('\0');                 // custom format
    bytes.append("A").append('\0');     // memo
    bytes.append("Arial").append('\0'); // font name
    QBuffer rest;
    rest.open(QIODevice::WriteOnly);
    RecordWriter tail(rest);
    tail.writeInt(9);
    tail.writeWord(2);
    tail.writeColor(0xFF);
    tail.writeInt(1);
    tail.writeWord(134);
    tail.writeWord(2);
    tail.writeColor(0);
    tail.writeColor(0xFFFFFF);
    bytes.append(rest.data());
    bytes.append('\0'); // highlight condition
    return bytes;
}

TEST_F(MemoTest, OldVersionsUseTheDefaultCharsetAndVersion21ImpliesWordWrap)
{
    TqxMemoView v21;
    readInto(v21, oldViewPart(), 21);
    EXPECT_EQ(v21.Memo, QStringList{"A"});
    EXPECT_EQ(v21.Font.pointSizeF(), 9);
    EXPECT_TRUE(v21.Font.bold());
    EXPECT_EQ(v21.FontCharset, TqxGlobals::instance().defaultCharset);
    EXPECT_TRUE(v21.Flags & TqxMemoView::kWordWrapFlag);
    EXPECT_EQ(v21.LineSpacing, 2) << "no spacing before version 24";

    TqxMemoView v22;
    readInto(v22, oldViewPart(), 22);
    EXPECT_FALSE(v22.Flags & TqxMemoView::kWordWrapFlag);
}

TEST_F(MemoTest, DamagedRecordsRaiseAFormatError)
{
    TqxMemoView original;
    const QByteArray bytes = recordOf(styled(original));
    TqxMemoView truncated;
    EXPECT_THROW(readInto(truncated, bytes.left(bytes.size() - 3), kCurrentStreamVersion),
                 ERecordFormat);

    original.Font.setPointSizeF(1);
    QByteArray zeroSize = recordOf(original);
    // Patch the stored size (the int after the font name) to 0.
    const qsizetype nameAt = zeroSize.indexOf(QByteArray("\xcb\xce\xcc\xe5", 4));
    ASSERT_GT(nameAt, 0);
    const qsizetype sizeAt = nameAt + 4 + 1;
    zeroSize[sizeAt] = 0;
    TqxMemoView zero;
    EXPECT_THROW(readInto(zero, zeroSize, kCurrentStreamVersion), ERecordFormat);
}

} // namespace
} // namespace tovren::model
