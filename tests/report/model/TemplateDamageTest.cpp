#include "report/model/TemplateStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxPictureView.h"
#include "tests/report/model/StreamTestSupport.h"

#include <QDateTime>
#include <QtEndian>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::PasswordDialogs;
using testing::StreamBuilder;

struct Reader
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    PasswordDialogs dialogs;
    TemplateStream stream{pages, settings, info};

    Reader() { stream.setDialogs(&dialogs); }
};

/// One page holding a band, a picture and a line, as version 25.
QByteArray sampleStream()
{
    Reader r;
    TqxPage &page = *r.pages.page(r.pages.Add());
    page.Name = QStringLiteral("Page1");
    auto band = std::make_unique<TqxBandView>();
    band->Name = QStringLiteral("Band1");
    page.addObject(std::move(band));
    auto picture = std::make_unique<TqxPictureView>();
    picture->Name = QStringLiteral("Picture1");
    page.addObject(std::move(picture));
    auto line = std::make_unique<TqxLineView>();
    line->Name = QStringLiteral("Line1");
    page.addObject(std::move(line));
    // A fixed save time: the clock's bytes follow the end marker, and the damage tests find
    // that marker as the last 252 in the stream.
    r.stream.setClock([] { return QDateTime(QDate(2024, 6, 1), QTime(9, 30)); });
    return r.stream.toBytes();
}

void expectResetToOneEmptyPage(const Reader &r)
{
    ASSERT_EQ(r.pages.Count(), 1);
    EXPECT_EQ(r.pages.page(0)->objectCount(), 0);
    ASSERT_EQ(r.dialogs.messages.size(), 1);
    EXPECT_EQ(r.dialogs.messages[0].text, QStringLiteral("不支持的QXF格式"));
    EXPECT_EQ(r.dialogs.messages[0].caption, QStringLiteral("错误"));
}

qsizetype offsetOfObject(const QByteArray &bytes, const QString &name)
{
    // kind, page index, end position, then the name as str
    return bytes.indexOf(platform::encode8Bit(name)) - 2 - 4 - 1 - 1;
}

void putInt(QByteArray &bytes, qsizetype offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

TEST(DamagedTemplates, VersionAbove25IsRefusedAndChangesNothing)
{
    Reader r;
    r.pages.Add();
    r.pages.Add();
    QByteArray bytes = sampleStream();
    bytes[0] = 26;
    EXPECT_EQ(r.stream.read(bytes), TemplateReadResult::Unsupported);
    EXPECT_EQ(r.pages.Count(), 2);
    ASSERT_EQ(r.dialogs.messages.size(), 1);
    EXPECT_EQ(r.dialogs.messages[0].text, QStringLiteral("不支持的QXF格式"));
}

TEST(DamagedTemplates, EmptyStreamChangesNothing)
{
    Reader r;
    r.pages.Add();
    EXPECT_EQ(r.stream.read(QByteArray()), TemplateReadResult::Empty);
    EXPECT_EQ(r.pages.Count(), 1);
    EXPECT_TRUE(r.dialogs.messages.isEmpty());
}

TEST(DamagedTemplates, UnknownMarkerResetsToOneEmptyPage)
{
    QByteArray bytes = sampleStream();
    bytes.insert(bytes.lastIndexOf(char(252)), char(200));
    Reader r;
    EXPECT_EQ(r.stream.read(bytes), TemplateReadResult::Damaged);
    expectResetToOneEmptyPage(r);
}

TEST(DamagedTemplates, EndPositionPointingBackwardsFailsInsteadOfLooping)
{
    QByteArray bytes = sampleStream();
    const qsizetype line = offsetOfObject(bytes, QStringLiteral("Line1"));
    putInt(bytes, line + 2, static_cast<qint32>(line));
    Reader r;
    EXPECT_EQ(r.stream.read(bytes), TemplateReadResult::Damaged);
    expectResetToOneEmptyPage(r);
}

TEST(DamagedTemplates, DamagedRecordIsSteppedOverThroughItsEndPosition)
{
    QByteArray bytes = sampleStream();
    // The picture's own data end says 2 GB: its record fails and is skipped as a whole.
    const qsizetype line = offsetOfObject(bytes, QStringLiteral("Line1"));
    putInt(bytes, line - 4, 0x7FFFFFFF);
    Reader r;
    ASSERT_EQ(r.stream.read(bytes), TemplateReadResult::Loaded);
    ASSERT_EQ(r.pages.page(0)->objectCount(), 2);
    EXPECT_EQ(r.pages.page(0)->object(1)->Name, QStringLiteral("Line1"));
}

TEST(DamagedTemplates, ObjectOfAMissingPageIsSkipped)
{
    QByteArray bytes = sampleStream();
    bytes[offsetOfObject(bytes, QStringLiteral("Band1")) + 1] = 9;
    Reader r;
    ASSERT_EQ(r.stream.read(bytes), TemplateReadResult::Loaded);
    EXPECT_EQ(r.pages.page(0)->objectCount(), 2);
}

TEST(DamagedTemplates, HugeDictionaryCountEndsAtTheStreamEnd)
{
    StreamBuilder b;
    b.byte(25).word(0).word(0).str(QString()).byte(254).word(0xFFFE).int32(0x7FFFFFFF);
    b.str(QStringLiteral("a")).str(QStringLiteral("b"));
    Reader r;
    EXPECT_EQ(r.stream.read(b.bytes()), TemplateReadResult::Damaged);
    expectResetToOneEmptyPage(r);
}

TEST(DamagedTemplates, EveryTruncationAndEveryFlippedByteEndsCleanly)
{
    const QByteArray bytes = sampleStream();
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        Reader r;
        const TemplateReadResult result = r.stream.read(bytes.left(length));
        if (result == TemplateReadResult::Damaged) {
            EXPECT_EQ(r.pages.Count(), 1) << "length " << length;
        }
    }
    for (qsizetype offset = 0; offset < bytes.size(); ++offset) {
        QByteArray damaged = bytes;
        damaged[offset] = static_cast<char>(damaged[offset] ^ 0xA5);
        Reader r;
        const TemplateReadResult result = r.stream.read(damaged);
        if (result == TemplateReadResult::Damaged) {
            EXPECT_EQ(r.pages.Count(), 1) << "offset " << offset;
        }
    }
}

} // namespace
} // namespace tovren::model
