#include "report/model/TemplateStream.h"

#include "report/model/ObjectRegistry.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"
#include "report/platform/StringTable.h"
#include "tests/report/model/StreamTestSupport.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::PasswordDialogs;
using testing::StreamBuilder;

const QDateTime kFixedNow(QDate(2026, 3, 1), QTime(10, 30));

/// A report's template state: what the report component owns around a stream.
struct TemplateFixture
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    PasswordDialogs dialogs;
    TemplateStream stream{pages, settings, info};

    TemplateFixture()
    {
        stream.setDialogs(&dialogs);
        stream.setClock([] { return kFixedNow; });
    }

    TemplateReadResult readFile(const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return stream.read(buffer, TemplateOrigin::File);
    }
};

QByteArray pngBytes()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

/// Two pages: a report page with a band, a picture, a line and a sub-report mark, and a
/// dialog page; information with every text set.
void fillSample(TemplateFixture &t)
{
    t.settings.useDefaultPrinter = false;
    t.settings.twoPass = true;
    t.settings.printerName = QStringLiteral(R"(\\desk\laser)");
    TqxPage &report = *t.pages.page(t.pages.Add());
    report.Name = QStringLiteral("Page1");
    report.Margins = {10, 20, 30, 40};
    report.Script = {QStringLiteral("begin"), QStringLiteral("end")};
    report.ColCount = 2;
    report.ColGap = 15;

    auto band = std::make_unique<TqxBandView>();
    band->Name = QStringLiteral("主项数据1");
    band->SetBounds(0, 100, 700, 80);
    band->FrameTyp = 5;
    band->Master = QStringLiteral("Master1");
    band->ChildBand = QStringLiteral("Child1");
    band->Script = {QStringLiteral("x := 1;")};
    report.addObject(std::move(band));

    auto picture = std::make_unique<TqxPictureView>();
    picture->Name = QStringLiteral("Picture1");
    picture->SetBounds(5, 110, 40, 30);
    picture->Picture.load(PictureGraphic::Kind::Bitmap, pngBytes());
    picture->FrameWidth = 0.5;
    report.addObject(std::move(picture));

    auto line = std::make_unique<TqxLineView>();
    line->Name = QStringLiteral("Line1");
    line->SetBounds(0, 150, 300, 0);
    line->Tag = QStringLiteral("tag");
    line->Memo = {QStringLiteral("a"), QString(), QStringLiteral("c")};
    report.addObject(std::move(line));

    auto sub = std::make_unique<TqxSubReportView>();
    sub->Name = QStringLiteral("SubReport1");
    sub->SubReportPage = 1;
    report.addObject(std::move(sub));

    TqxPage &dialog = *t.pages.page(t.pages.Add());
    dialog.Name = QStringLiteral("Dialog");
    dialog.PageType = TqxPage::ptDialog;
    dialog.Caption = QStringLiteral("选择");
    dialog.BorderStyle = 2;

    t.info.comment = QStringLiteral("证书");
    t.info.name = QStringLiteral("Certificate");
    t.info.author = QStringLiteral("Office");
    t.info.versionMajor = QStringLiteral("1");
    t.info.createdAt = 38132.5;
}

TEST(TemplateRoundTrip, WriteReadWriteGivesTheSameBytes)
{
    TemplateFixture first;
    fillSample(first);
    const QByteArray written = first.stream.toBytes();

    TemplateFixture second;
    ASSERT_EQ(second.stream.read(written), TemplateReadResult::Loaded);
    EXPECT_EQ(second.stream.toBytes(), written);
    EXPECT_TRUE(second.dialogs.messages.isEmpty());
}

TEST(TemplateRoundTrip, ReadingRestoresPagesObjectsSettingsAndInformation)
{
    TemplateFixture first;
    fillSample(first);
    TemplateFixture second;
    ASSERT_EQ(second.stream.read(first.stream.toBytes()), TemplateReadResult::Loaded);

    EXPECT_FALSE(second.settings.useDefaultPrinter);
    EXPECT_TRUE(second.settings.twoPass);
    EXPECT_EQ(second.settings.printerName, QStringLiteral(R"(\\desk\laser)"));
    ASSERT_EQ(second.pages.Count(), 2);
    const TqxPage &report = *second.pages.page(0);
    EXPECT_EQ(report.Margins.bottom, 40);
    EXPECT_EQ(report.Script, QStringList({"begin", "end"}));
    EXPECT_EQ(report.ColCount, 2);
    ASSERT_EQ(report.objectCount(), 4);
    const auto *band = dynamic_cast<const TqxBandView *>(report.object(0));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Name, QStringLiteral("主项数据1"));
    EXPECT_EQ(band->Master, QStringLiteral("Master1"));
    EXPECT_EQ(band->FrameTyp, 5);
    const auto *picture = dynamic_cast<const TqxPictureView *>(report.object(1));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.kind(), PictureGraphic::Kind::Bitmap);
    EXPECT_DOUBLE_EQ(picture->FrameWidth, 0.5);
    EXPECT_EQ(report.object(2)->Memo, QStringList({"a", "", "c"}));
    EXPECT_EQ(dynamic_cast<const TqxSubReportView *>(report.object(3))->SubReportPage, 1);
    const TqxPage &dialog = *second.pages.page(1);
    EXPECT_EQ(dialog.PageType, TqxPage::ptDialog);
    EXPECT_EQ(dialog.Caption, QStringLiteral("选择"));
    EXPECT_EQ(second.info.comment, QStringLiteral("证书"));
    EXPECT_DOUBLE_EQ(second.info.createdAt, 38132.5);
    EXPECT_DOUBLE_EQ(second.info.changedAt, toStoredDateTime(kFixedNow));
}

TEST(TemplateRoundTrip, EmptyTemplateHasTheDocumentedLayout)
{
    TemplateFixture t;
    t.settings.printerName = platform::LoadLibraryString(55007);
    t.info.createdAt = 1.0;
    const QByteArray bytes = t.stream.toBytes();
    const QByteArray head = QByteArray::fromHex("19"
                                                "ffff"
                                                "0000"
                                                "0100"
                                                "01"
                                                "00"
                                                "fe"
                                                "feff"
                                                "00000000"
                                                "00000000"
                                                "00000000"
                                                "fc"
                                                "0000000000000000000000000000"
                                                "0000"
                                                "58"
                                                "00");
    ASSERT_EQ(bytes.size(), head.size() + 16);
    EXPECT_EQ(bytes.left(head.size()).toHex(), head.toHex());

    TemplateFixture back;
    ASSERT_EQ(back.stream.read(bytes), TemplateReadResult::Loaded);
    EXPECT_EQ(back.settings.printerName, platform::LoadLibraryString(55007));
    EXPECT_DOUBLE_EQ(back.info.createdAt, 1.0);
}

TEST(TemplateRoundTrip, NamesOutsideGbkSurvive)
{
    const QString rare = QStringLiteral("张𠀀") + QChar(0x4DB5);
    TemplateFixture first;
    TqxPage &page = *first.pages.page(first.pages.Add());
    page.Name = rare;
    auto band = std::make_unique<TqxBandView>();
    band->Name = rare;
    page.addObject(std::move(band));
    TemplateFixture second;
    ASSERT_EQ(second.stream.read(first.stream.toBytes()), TemplateReadResult::Loaded);
    EXPECT_EQ(second.pages.page(0)->Name, rare);
    EXPECT_EQ(second.pages.page(0)->object(0)->Name, rare);
}

/// A version 25 stream with two pages whose object records are in the order given.
QByteArray twoPagesWithObjectsOn(std::initializer_list<quint8> pageIndexes)
{
    TemplateFixture t;
    t.pages.Add();
    t.pages.Add();
    t.pages.page(0)->Name = QStringLiteral("P1");
    t.pages.page(1)->Name = QStringLiteral("P2");
    const QByteArray pagesOnly = t.stream.toBytes();
    // Cut before the dictionary marker and append hand-made object records.
    const qsizetype dictionary = pagesOnly.lastIndexOf(QByteArray::fromHex("fefeff"));
    StreamBuilder builder;
    QByteArray bytes = pagesOnly.left(dictionary);
    int n = 0;
    for (const quint8 index : pageIndexes) {
        TqxLineView line;
        line.Name = QStringLiteral("L%1").arg(++n);
        QBuffer record;
        record.open(QIODevice::WriteOnly);
        RecordWriter writer(record);
        line.WriteRecord(writer);
        const qint32 end = static_cast<qint32>(bytes.size() + 6 + record.data().size());
        bytes += StreamBuilder().byte(okLine).byte(index).int32(end).bytes() + record.data();
    }
    return bytes + QByteArray::fromHex("fc");
}

TEST(TemplateBlocks, ObjectsFindTheirPageWhateverTheOrder)
{
    TemplateFixture t;
    ASSERT_EQ(t.stream.read(twoPagesWithObjectsOn({1, 0, 1})), TemplateReadResult::Loaded);
    ASSERT_EQ(t.pages.page(0)->objectCount(), 1);
    ASSERT_EQ(t.pages.page(1)->objectCount(), 2);
    EXPECT_EQ(t.pages.page(0)->object(0)->Name, QStringLiteral("L2"));
    EXPECT_EQ(t.pages.page(1)->object(1)->Name, QStringLiteral("L3"));
}

TEST(TemplateBlocks, DictionaryPassesThroughUnchanged)
{
    StreamBuilder b;
    b.byte(25).word(0).word(0).str(QStringLiteral("P"));
    b.byte(254).word(0xFFFE);
    b.int32(1).str(QStringLiteral("年级")).str(QStringLiteral("'高三'"));
    b.int32(0).int32(1).str(QStringLiteral("Band1")).str(QStringLiteral("qxDBDataSet1"));
    b.byte(252).zeros(16).byte(88).byte(0).zeros(16);
    TemplateFixture t;
    ASSERT_EQ(t.stream.read(b.bytes()), TemplateReadResult::Loaded);
    EXPECT_EQ(t.stream.blocks().dictionaryVariables().value(0).first, QStringLiteral("年级"));
    // The writer's information stamp differs; everything up to it is the same.
    const QByteArray again = t.stream.toBytes();
    EXPECT_EQ(again.left(again.size() - 8), b.bytes().left(b.size() - 8));
}

/// Reads one extension block of a known shape (a word count of bytes) and counts it.
class CountingExtensions : public TemplateBlockHandler
{
public:
    int extensions = 0;
    bool readExtension(RecordReader &reader) override
    {
        reader.readBytes(reader.readWord());
        ++extensions;
        return true;
    }
};

TEST(TemplateBlocks, ExtensionBlocksGoToThePluggedHandler)
{
    StreamBuilder b;
    b.byte(25).word(0).word(0).str(QStringLiteral("P"));
    b.byte(253).word(3).byte(1).byte(2).byte(3);
    b.byte(252).zeros(16).byte(88).byte(1).zeros(16);
    {
        TemplateFixture t;
        CountingExtensions handler;
        t.stream.setBlockHandler(&handler);
        ASSERT_EQ(t.stream.read(b.bytes()), TemplateReadResult::Loaded);
        EXPECT_EQ(handler.extensions, 1);
        EXPECT_TRUE(t.info.passwordProtected);
    }
    {
        // Nobody understands the block: the page part ends there, and the bytes after it are
        // not mistaken for report information.
        TemplateFixture t;
        t.info.author = QStringLiteral("old");
        ASSERT_EQ(t.stream.read(b.bytes()), TemplateReadResult::Loaded);
        EXPECT_FALSE(t.info.passwordProtected);
        EXPECT_TRUE(t.info.author.isEmpty());
    }
}

TEST(TemplateBlocks, MissingInformationBlockClearsTheInformation)
{
    StreamBuilder b;
    b.byte(25).word(0).word(0).str(QStringLiteral("P")).byte(252);
    TemplateFixture t;
    t.info.author = QStringLiteral("someone");
    t.info.passwordProtected = true;
    ASSERT_EQ(t.stream.read(b.bytes()), TemplateReadResult::Loaded);
    EXPECT_TRUE(t.info.author.isEmpty());
    EXPECT_FALSE(t.info.passwordProtected);
    EXPECT_DOUBLE_EQ(t.info.createdAt, toStoredDateTime(kFixedNow));
}

class FakeChart : public TqxLineView
{
public:
    QString className() const override { return QStringLiteral("TqxStreamTestAddIn"); }
};

TEST(TemplateAddIns, UnknownClassIsSkippedAndNamedWhileOthersLoad)
{
    auto &registry = TqxGlobals::instance().objects;
    registry.RegisterAddInObject(
        QStringLiteral("TqxStreamTestAddIn"), [] { return std::make_unique<FakeChart>(); },
        QImage(), QString());
    TemplateFixture first;
    TqxPage &page = *first.pages.page(first.pages.Add());
    auto known = std::make_unique<FakeChart>();
    known->ObjectKind = okAddIn;
    known->Name = QStringLiteral("Chart1");
    page.addObject(std::move(known));
    page.addObject(std::make_unique<TqxLineView>());
    QByteArray bytes = first.stream.toBytes();

    // Same length as the registered name, so the end positions stay right.
    bytes.replace("TqxStreamTestAddIn", "TqxMissingChartXYZ");
    TemplateFixture second;
    ASSERT_EQ(second.stream.read(bytes), TemplateReadResult::MissingClasses);
    ASSERT_EQ(second.pages.page(0)->objectCount(), 1);
    EXPECT_EQ(second.pages.page(0)->object(0)->ObjectKind, okLine);
    ASSERT_EQ(second.dialogs.messages.size(), 1);
    EXPECT_EQ(second.dialogs.messages[0].text,
              QStringLiteral("报表包含以下未接入的组件:\rTqxMissingChartXYZ\r"
                             "这些组件的对象没有读入; 需要在程序中加入这些组件。"));
    EXPECT_EQ(second.stream.missingClasses(), QStringList{"TqxMissingChartXYZ"});
    EXPECT_EQ(second.dialogs.messages[0].caption, QStringLiteral("错误"));

    TemplateFixture third;
    ASSERT_EQ(third.stream.read(first.stream.toBytes()), TemplateReadResult::Loaded);
    EXPECT_EQ(third.pages.page(0)->object(0)->className(), QStringLiteral("TqxStreamTestAddIn"));
    EXPECT_EQ(third.pages.page(0)->object(0)->Name, QStringLiteral("Chart1"));
}

} // namespace
} // namespace tovren::model
