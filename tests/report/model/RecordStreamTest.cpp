#include "report/model/RecordStream.h"

#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

QByteArray written(const std::function<void(RecordWriter &)> &write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    write(writer);
    return buffer.data();
}

template<typename View>
void readBack(View &view, const QByteArray &bytes, int version = kCurrentStreamVersion)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer, version);
    view.ReadRecord(reader);
    EXPECT_EQ(reader.pos(), bytes.size());
}

TEST(RecordPrimitives, StringsAndListsUseTheStoredLayout)
{
    EXPECT_EQ(written([](RecordWriter &w) { w.writeStr("ab"); }), QByteArray("\x02\x00"
                                                                             "ab\x00",
                                                                             5));
    EXPECT_EQ(written([](RecordWriter &w) { w.writeStrList({}); }), QByteArray("\x00\x00\x00", 3));
    EXPECT_EQ(written([](RecordWriter &w) {
                  w.writeStrList({"a", "bc"});
              }),
              QByteArray("\x02\x00\x01\x00"
                         "a\x0d\x02\x00"
                         "bc\x00",
                         11));
    EXPECT_EQ(written([](RecordWriter &w) { w.writeBool16(true); }), QByteArray("\xff\xff", 2));
    // Chinese text is stored in the 8-bit code page: two bytes per character.
    EXPECT_EQ(written([](RecordWriter &w) { w.writeStr(QString::fromUtf8("页头")); }).size(),
              2 + 4 + 1);
}

// A page writer gathers bytes in itself and encodes texts straight into them; what reaches the
// page must be what a device writer writes, whatever the mix of lengths and characters.
TEST(RecordPrimitives, PageWriterWritesTheBytesADeviceWriterWrites)
{
    const QString rare = QString::fromUtf8("王喆堃 李䶮 𠮷 ") + QChar(0xD842); // a lone surrogate
    const QString longAscii(1500, u'x');
    const QString longChinese = QString::fromUtf8("长沙").repeated(400);
    const QString overlong(70000, u'y'); // cut to the longest length a word holds
    const auto write = [&](RecordWriter &w) {
        for (int round = 0; round < 40; ++round) {
            w.beginObjectRecord(0);
            w.writeInt(round);
            w.writeStr(QStringLiteral("Memo%1").arg(round));
            w.writeStrList({rare, QString(), longAscii, QString::fromUtf8("页头")});
            w.writeWord(7);
            w.writeStr(round % 10 == 0 ? longChinese : rare);
            if (round == 33)
                w.writeStr(overlong);
        }
    };
    QByteArray page("\x19");
    std::vector<quint32> starts;
    qint64 recordsEnd = -1;
    {
        RecordWriter writer(page, &starts, &recordsEnd);
        write(writer);
    }
    const QByteArray plain = written(write);
    EXPECT_EQ(page.sliced(1), plain);
    EXPECT_EQ(recordsEnd, page.size());
    ASSERT_EQ(starts.size(), 40u);
    EXPECT_EQ(starts.front(), 1u);
    EXPECT_EQ(page.at(starts.back()), 0);
}

TEST(RecordPrimitives, OldVersionsReadZeroTerminatedTexts)
{
    QBuffer buffer;
    buffer.setData(QByteArray("name\0one\rtwo\0", 13));
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer, 21);
    EXPECT_EQ(reader.readStr(), "name");
    EXPECT_EQ(reader.readStrList(), QStringList({"one", "two"}));
}

TEST(RecordPrimitives, ShortStreamsRaiseAFormatError)
{
    QBuffer buffer;
    buffer.setData(QByteArray("\x05\x00"
                              "ab",
                              4));
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer);
    EXPECT_THROW(reader.readStr(), ERecordFormat);
}

TEST(ViewRecord, BandRoundTripKeepsEveryStoredField)
{
    TqxBandView band;
    band.Name = QString::fromUtf8("主项数据1");
    band.setBandType(btMasterData);
    band.SetBounds(0, 120, 700, 48);
    band.CustomFormat = "qxDBDataSet1";
    band.Script = QStringList{"if x then", "  y := 1;"};
    band.Columns = 2;
    band.Master = "Band3";
    band.Tag = "[Page#]";
    band.Restrictions = 8;
    const QByteArray bytes = written([&](RecordWriter &w) { band.WriteRecord(w); });
    EXPECT_EQ(band.RecordVersionMajor, 2);
    EXPECT_EQ(band.RecordVersionMinor, 1);

    TqxBandView copy;
    readBack(copy, bytes);
    EXPECT_EQ(copy.Name, band.Name);
    EXPECT_EQ(copy.bandType(), btMasterData);
    EXPECT_EQ(copy.Top, 120);
    EXPECT_EQ(copy.Height, 48);
    EXPECT_EQ(copy.CustomFormat, "qxDBDataSet1");
    EXPECT_EQ(copy.Script, band.Script);
    EXPECT_EQ(copy.Columns, 2);
    EXPECT_EQ(copy.Master, "Band3");
    EXPECT_EQ(copy.Tag, "[Page#]");
    EXPECT_EQ(copy.Restrictions, 8);
    EXPECT_EQ(copy.Flags, band.Flags);
    EXPECT_EQ(written([&](RecordWriter &w) { copy.WriteRecord(w); }), bytes);
}

TEST(ViewRecord, FractionalFrameWidthsAreStoredInThousandths)
{
    TqxLineView line;
    line.FrameWidth = 2.5f;
    line.BandAlign = baRight;
    const QByteArray bytes = written([&](RecordWriter &w) { line.WriteRecord(w); });
    TqxLineView copy;
    readBack(copy, bytes);
    EXPECT_FLOAT_EQ(copy.FrameWidth, 2.5f);
    EXPECT_EQ(copy.BandAlign, baRight);

    line.FrameWidth = 3;
    TqxLineView whole;
    readBack(whole, written([&](RecordWriter &w) { line.WriteRecord(w); }));
    EXPECT_FLOAT_EQ(whole.FrameWidth, 3.0f);

    // Whole widths above ten pixels share the stored range of thousandths: 1000 px must not come
    // back as 1 px, nor a hair-thin width as several pixels.
    for (const float width : {1000.0f, 11.0f, 0.004f}) {
        line.FrameWidth = width;
        TqxLineView copy;
        readBack(copy, written([&](RecordWriter &w) { line.WriteRecord(w); }));
        EXPECT_NEAR(copy.FrameWidth, width, 0.005f) << width;
    }
}

TEST(ViewRecord, PreparedRecordsCarryTheExpandedText)
{
    TqxSubReportView view;
    view.Memo = QStringList{"[Name]"};
    view.ExpandedText = QStringList{"Zhang San"};
    view.SubReportPage = 2;
    view.RecordMode = 1;
    const QByteArray bytes = written([&](RecordWriter &w) { view.WriteRecord(w); });
    TqxSubReportView copy;
    copy.RecordMode = 1;
    readBack(copy, bytes);
    EXPECT_EQ(copy.Memo, QStringList{"Zhang San"});
    EXPECT_EQ(copy.SubReportPage, 2);
}

TEST(ViewRecord, PictureBytesRoundTripAndDamagedDataStaysReadable)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp;
    QBuffer out(&bmp);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "BMP");

    TqxPictureView picture;
    ASSERT_TRUE(picture.Picture.load(PictureGraphic::Kind::Bitmap, bmp));
    picture.BlobType = btJPG;
    const QByteArray bytes = written([&](RecordWriter &w) { picture.WriteRecord(w); });
    TqxPictureView copy;
    readBack(copy, bytes);
    EXPECT_EQ(copy.Picture.bytes(), bmp);
    EXPECT_EQ(copy.Picture.image().size(), QSize(3, 2));
    EXPECT_EQ(copy.BlobType, btJPG);

    // Garbage picture bytes give an empty picture, and reading continues after them.
    QByteArray damaged = bytes;
    damaged[damaged.size() - 1] = 'x';
    damaged.replace(damaged.size() - bmp.size(), 2, "zz");
    TqxPictureView broken;
    readBack(broken, damaged);
    EXPECT_TRUE(broken.Picture.isEmpty());

    TqxPictureView truncated;
    QBuffer buffer;
    buffer.setData(bytes.left(bytes.size() - 5));
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer);
    EXPECT_THROW(truncated.ReadRecord(reader), ERecordFormat);
}

} // namespace
} // namespace tovren::model
