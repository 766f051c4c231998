#include "report/model/TemplateStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPages.h"
#include "tests/report/model/StreamTestSupport.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::StreamBuilder;

struct Reader
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    TemplateStream stream{pages, settings, info};
};

/// The view part as versions 21 and 22 store it: no name and no record version.
void oldViewPart(StreamBuilder &b, int left, quint16 frameTyp, const QStringList &memo)
{
    b.int32(left).int32(20).int32(300).int32(40);
    b.word(1).word(frameTyp).int32(1).int32(0).word(0).int32(0x1FFFFFFF);
    b.int32(0).oldStr(QString()).oldStrList(memo);
}

/// A page record of versions 21 and 22: paper code in place of the marker, 6 spare bytes.
void oldPageRecord(StreamBuilder &b)
{
    b.byte(255).int32(11).int32(2100).int32(1480).int32(10).int32(20).int32(30).int32(40);
    b.byte(1).zeros(6).word(0).word(0xFFFF).int32(1).int32(0);
}

QByteArray version21or22(quint8 version)
{
    StreamBuilder b;
    b.byte(version).word(0).word(0xFFFF).oldStr(QStringLiteral("HP"));
    oldPageRecord(b);
    b.byte(2).byte(0);
    oldViewPart(b, 0, 5, {QStringLiteral("甲"), QStringLiteral("乙")});
    b.byte(4).byte(0);
    oldViewPart(b, 7, 0, {});
    b.byte(252);
    return b.bytes();
}

TEST(OldTemplateVersions, Versions21And22UseOldTextsAndGenerateNames)
{
    for (const quint8 version : {21, 22}) {
        SCOPED_TRACE(version);
        Reader r;
        ASSERT_EQ(r.stream.read(version21or22(version)), TemplateReadResult::Loaded);
        EXPECT_TRUE(r.settings.twoPass);
        EXPECT_EQ(r.settings.printerName, QStringLiteral("HP"));
        ASSERT_EQ(r.pages.Count(), 1);
        const TqxPage &page = *r.pages.page(0);
        EXPECT_EQ(page.Name, QStringLiteral("Page1"));
        EXPECT_EQ(page.PaperSize, 11);
        EXPECT_EQ(page.Orientation, 1);
        EXPECT_EQ(page.Margins.bottom, 40);
        EXPECT_EQ(page.PaperBin, TqxPage::kDefaultBin);
        EXPECT_TRUE(page.Script.isEmpty());
        ASSERT_EQ(page.objectCount(), 2);
        EXPECT_EQ(page.object(0)->Name, QStringLiteral("Band1"));
        EXPECT_EQ(page.object(0)->Memo, QStringList({"甲", "乙"}));
        EXPECT_EQ(page.object(0)->FrameTyp, 5);
        EXPECT_EQ(page.object(1)->Name, QStringLiteral("Line1"));
        EXPECT_EQ(page.object(1)->Left, 7);
        EXPECT_TRUE(page.object(1)->Memo.isEmpty());
    }
}

TEST(OldTemplateVersions, FirstByteUpTo20MeansAnUnversionedStream)
{
    // Without a version byte the stream opens with the print-to-default flag, here 0x0014.
    QByteArray bytes = version21or22(21).mid(1);
    bytes[0] = 20;
    Reader r;
    ASSERT_EQ(r.stream.read(bytes), TemplateReadResult::Loaded);
    EXPECT_TRUE(r.settings.useDefaultPrinter);
    EXPECT_EQ(r.pages.page(0)->objectCount(), 2);
}

TEST(OldTemplateVersions, Version23KeepsNamesScriptsAndVisibility)
{
    StreamBuilder b;
    b.byte(23).word(0).word(0).str(QStringLiteral("HP"));
    b.byte(255).int32(9).int32(2100).int32(2970).zeros(16).byte(0);
    b.word(0).word(0xFFFF).int32(1).int32(0);
    b.byte(2).byte(0).str(QStringLiteral("主项数据1"));
    b.int32(0).int32(20).int32(300).int32(40);
    b.word(1).word(5).int32(1).int32(0).word(0).int32(0x1FFFFFFF);
    b.int32(0).str(QString()).strList({QStringLiteral("m")});
    b.strList({QStringLiteral("a := 1;")}).word(0);
    b.byte(252);
    Reader r;
    ASSERT_EQ(r.stream.read(b.bytes()), TemplateReadResult::Loaded);
    const TqxView &band = *r.pages.page(0)->object(0);
    EXPECT_EQ(band.Name, QStringLiteral("主项数据1"));
    EXPECT_EQ(band.Script, QStringList({"a := 1;"}));
    EXPECT_FALSE(band.Visible);
    EXPECT_EQ(band.Memo, QStringList({"m"}));
    EXPECT_EQ(r.pages.page(0)->Name, QStringLiteral("Page1"));
}

TEST(OldTemplateVersions, Version24ReadsLikeTheCurrentOne)
{
    Reader source;
    TqxPage &page = *source.pages.page(source.pages.Add());
    page.Name = QStringLiteral("Main");
    auto band = std::make_unique<TqxBandView>();
    band->Name = QStringLiteral("B");
    band->Master = QStringLiteral("M");
    page.addObject(std::move(band));
    QByteArray bytes = source.stream.toBytes();
    bytes[0] = 24;

    Reader r;
    ASSERT_EQ(r.stream.read(bytes), TemplateReadResult::Loaded);
    EXPECT_EQ(r.pages.page(0)->Name, QStringLiteral("Main"));
    EXPECT_EQ(dynamic_cast<TqxBandView &>(*r.pages.page(0)->object(0)).Master, QStringLiteral("M"));
    QByteArray rewritten = r.stream.toBytes();
    rewritten[0] = 24;
    EXPECT_EQ(rewritten.left(rewritten.size() - 8), bytes.left(bytes.size() - 8));
}

TEST(OldTemplateVersions, PageRecordMapsOldBorderAndPositionCodes)
{
    StreamBuilder b;
    b.byte(25).word(0).word(0).str(QString());
    b.byte(255).int32(-1).int32(9).int32(2100).int32(2970).zeros(16).byte(0);
    b.int32(-1).word(0).word(0).int32(0).int32(0);
    b.byte(1).str(QStringLiteral("D")).byte(0).str(QStringLiteral("C")).int32(0);
    b.int32(1).int32(2).int32(3).int32(4).byte(7).strList({});
    b.byte(255).int32(-1).int32(9).int32(2100).int32(2970).zeros(16).byte(0);
    b.int32(-1).word(0).word(0).int32(0).int32(0);
    b.byte(1).str(QStringLiteral("E")).byte(1).str(QString()).int32(0);
    b.int32(1).int32(2).int32(3).int32(4).byte(0).strList({});
    b.byte(252);
    Reader r;
    ASSERT_EQ(r.stream.read(b.bytes()), TemplateReadResult::Loaded);
    EXPECT_EQ(r.pages.page(0)->BorderStyle, 3);
    EXPECT_EQ(r.pages.page(0)->Position, 4);
    EXPECT_EQ(r.pages.page(1)->BorderStyle, 2);
    EXPECT_EQ(r.pages.page(1)->Position, 0);
    EXPECT_EQ(r.pages.page(1)->Height, 4);
}

} // namespace
} // namespace tovren::model
