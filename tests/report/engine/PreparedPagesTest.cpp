#include "BuildFixture.h"
#include "report/model/ObjectRecord.h"
#include "report/model/RecordStream.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tovren;

namespace {

class PreparedPagesTest : public test::BuildTest
{
protected:
    PreparedPagesTest()
        : BuildTest(3)
    {
        model::TqxPage &page = addPagePerRecord();
        page.Margins = {5, 6, 7, 8};
        addText(page, 10, 20, QStringLiteral("[Aqy.\"N\"]"), QStringLiteral("First"));
        addText(page, 50, 30, QStringLiteral("over"), QStringLiteral("Second"));
    }
};

TEST_F(PreparedPagesTest, SavedFileLoadsTheSamePagesAndNamesThePrinter)
{
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 3);
    report.PrinterName = QStringLiteral("Office printer");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.qxp"));
    ASSERT_TRUE(report.SavePagesFile(path));

    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    ASSERT_TRUE(other.LoadPagesFile(path));
    EXPECT_EQ(other.PrinterName, "Office printer");
    ASSERT_EQ(other.EMFPages().Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const engine::TqxPreparedPage &a = report.EMFPages().Page(i);
        const engine::TqxPreparedPage &b = other.EMFPages().Page(i);
        EXPECT_EQ(a.stream, b.stream);
        EXPECT_EQ(a.paperWidth, b.paperWidth);
        EXPECT_EQ(a.paperHeight, b.paperHeight);
        EXPECT_EQ(a.bin, b.bin);
        EXPECT_EQ(a.margins.left, b.margins.left);
        EXPECT_EQ(a.margins.bottom, b.margins.bottom);
        EXPECT_EQ(a.metrics, b.metrics);
    }

    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(bytes.at(0), 25);
    EXPECT_EQ(bytes.at(1), 0);
    EXPECT_EQ(bytes.back(), char(88));
}

// A long run keeps its finished pages packed, most as differences from a like page; nothing
// that reads pages may tell.
TEST_F(PreparedPagesTest, PackedPagesWriteTheSameFileAndShowTheSameObjects)
{
    QTemporaryDir dir;
    ASSERT_TRUE(report.BuildPages());
    const QString plainPath = dir.filePath(QStringLiteral("plain.qxp"));
    ASSERT_TRUE(report.SavePagesFile(plainPath));
    const QStringList lastTexts = pageTexts(2);
    const QByteArray secondStream = report.EMFPages().streamOf(1);

    engine::TqxEMFPages &pages = report.EMFPages();
    pages.setPackAboveBytes(0);
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(pages.Count(), 3);
    // The first page is the one the others are kept as differences from.
    EXPECT_TRUE(pages.Page(0).packedStream.isEmpty());
    EXPECT_FALSE(pages.Page(1).packedStream.isEmpty());
    EXPECT_FALSE(pages.Page(1).packedAgainst.isEmpty());
    EXPECT_TRUE(pages.Page(1).stream.isEmpty());
    const QString packedPath = dir.filePath(QStringLiteral("packed.qxp"));
    ASSERT_TRUE(report.SavePagesFile(packedPath));
    QFile plain(plainPath);
    QFile packed(packedPath);
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly) && packed.open(QIODevice::ReadOnly));
    EXPECT_EQ(packed.readAll(), plain.readAll());
    EXPECT_EQ(pageTexts(2), lastTexts);

    // Writing to the page the others differ from leaves them as they were.
    model::TqxMemoView extra;
    extra.Name = QStringLiteral("Added");
    pages.appendObject(0, extra);
    EXPECT_EQ(pages.streamOf(1), secondStream);

    // Writing to a packed page expands it for good, and the record lands after the others.
    const qsizetype objectsBefore = pageTexts(1).size();
    pages.Page(1).unpacked.reset();
    pages.appendObject(1, extra);
    EXPECT_TRUE(pages.Page(1).packedStream.isEmpty());
    model::TqxPage &second = pages.Unpack(1);
    ASSERT_EQ(second.objectCount(), objectsBefore + 1);
    EXPECT_EQ(second.object(objectsBefore)->Name, QStringLiteral("Added"));

    // A file read back keeps its pages packed the same way, and reads the same.
    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    other.EMFPages().setPackAboveBytes(0);
    ASSERT_TRUE(other.LoadPagesFile(plainPath));
    EXPECT_FALSE(other.EMFPages().Page(2).packedStream.isEmpty());
    EXPECT_EQ(other.EMFPages().streamOf(2), pages.streamOf(2));
}

// Pages unlike each other are compressed instead, once a few of them have been kept plain for
// others to differ from.
TEST_F(PreparedPagesTest, PagesUnlikeEachOtherAreCompressedAndReadTheSame)
{
    engine::TqxEMFPages pages;
    pages.setPackAboveBytes(0);
    QList<QByteArray> written;
    for (int i = 0; i < 20; ++i) {
        engine::TqxPreparedPage &page = pages.Add(*report.Pages().page(0));
        written.append(QByteArray(1, char(engine::TqxEMFPages::kStreamVersion)));
        // Long runs of a letter of its own make every page unlike the others.
        written.back().append(QByteArray(3000, char('A' + i)));
        page.stream = written.back();
        page.recordsEnd = -1;
    }
    pages.Add(*report.Pages().page(0));
    qsizetype compressed = 0;
    for (qsizetype i = 0; i < 20; ++i) {
        EXPECT_EQ(pages.streamOf(i), written[i]);
        compressed +=
            pages.Page(i).packedAgainst.isEmpty() && !pages.Page(i).packedStream.isEmpty();
    }
    EXPECT_GE(compressed, 15);
}

// A page notes where its records begin as they are written, so that a visitor can take one
// record's bytes without reading the others; a page whose stream was changed behind the notes
// is read from the start instead, and both ways hand over the same records.
TEST_F(PreparedPagesTest, RecordsAreVisitedWithTheirOwnBytesWithOrWithoutTheirStarts)
{
    ASSERT_TRUE(report.BuildPages());
    engine::TqxEMFPages &pages = report.EMFPages();
    const auto visited = [&pages](qsizetype index) {
        QList<QPair<QByteArray, QString>> records;
        pages.VisitPageRecords(index, [&](engine::PreparedRecord &record) {
            records.append({record.bytes().toByteArray(), record.object().Memo.join(u'|')});
        });
        return records;
    };
    const auto noted = visited(1);
    ASSERT_EQ(noted.size(), 2);
    EXPECT_EQ(noted[0].second, QStringLiteral("2"));
    EXPECT_EQ(noted[1].second, QStringLiteral("over"));
    EXPECT_EQ(noted[0].first + noted[1].first, pages.streamOf(1).sliced(1));

    // A record appended without noting its start.
    model::TqxMemoView extra;
    extra.ExpandedText = QStringList{QStringLiteral("behind")};
    QByteArray record;
    model::RecordWriter writer(record);
    model::writePreparedObject(writer, extra);
    pages.Page(1).stream.append(record);
    const auto read = visited(1);
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(read.mid(0, 2), noted);
    EXPECT_EQ(read[2].first, record);
    EXPECT_EQ(read[2].second, QStringLiteral("behind"));

    // A finished page written to again takes its notes back and notes the new record.
    pages.appendObject(0, extra);
    const auto appended = visited(0);
    ASSERT_EQ(appended.size(), 3);
    EXPECT_EQ(appended[0].second, QStringLiteral("1"));
    EXPECT_EQ(appended[2].first, record);
    EXPECT_EQ(pages.Page(0).recordsEnd, pages.streamOf(0).size());
}

TEST_F(PreparedPagesTest, FileWithoutPagesReadsTheTrailingVersion)
{
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    report.EMFPages().WritePagesFile(file, QString(), 77);
    file.seek(0);
    const auto header = report.EMFPages().ReadPagesFile(file);
    EXPECT_EQ(report.EMFPages().Count(), 0);
    EXPECT_EQ(header.generatorVersion, 77);
}

TEST_F(PreparedPagesTest, VersionTwentyThreeFileHasNoBinsOrMargins)
{
    // Version byte 23 is below the range: read as a file without a version byte.
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    model::RecordWriter writer(file);
    writer.writeByte(0); // compressed flag where the version would be
    writer.writeStr(QStringLiteral("P"));
    writer.writeInt(1);
    const qint64 entry = file.pos();
    writer.writeInt(0);
    writer.writeWord(9);
    writer.writeInt(2100);
    writer.writeInt(2970);
    writer.writeByte(0);
    writer.writeByte(1);
    writer.writeByte(25); // an empty object stream
    const qint64 end = file.pos();
    file.seek(entry);
    writer.writeInt(static_cast<qint32>(end));
    file.seek(end);
    writer.writeByte(88);
    file.seek(0);

    report.EMFPages().ReadPagesFile(file);
    ASSERT_EQ(report.EMFPages().Count(), 1);
    EXPECT_EQ(report.EMFPages().Page(0).bin, -1);
    EXPECT_EQ(report.EMFPages().Page(0).margins.left, 0);
    EXPECT_EQ(report.EMFPages().Page(0).stream, QByteArray(1, 25));
}

TEST_F(PreparedPagesTest, TruncatedFileKeepsThePagesReadBeforeTheDamage)
{
    ASSERT_TRUE(report.BuildPages());
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    report.EMFPages().WritePagesFile(file, QString(), 88);
    QByteArray bytes = file.data();
    bytes.chop(bytes.size() / 3);
    QBuffer cut(&bytes);
    cut.open(QIODevice::ReadOnly);
    engine::TqxEMFPages pages(&paper);
    EXPECT_THROW(pages.ReadPagesFile(cut), model::ERecordFormat);
    EXPECT_GE(pages.Count(), 1);
    EXPECT_LT(pages.Count(), 3);
}

TEST_F(PreparedPagesTest, UnreadableFilesAreRefusedInChineseNamingTheFile)
{
    // What the message says besides the file's name must be in the program's language.
    const auto latinOutside = [](QString message, const QString &path) {
        return message.remove(path).contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
    };
    ASSERT_TRUE(report.BuildPages());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.qxp"));
    ASSERT_TRUE(report.SavePagesFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() * 2 / 3));
    file.close();

    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    EXPECT_FALSE(other.LoadPagesFile(path));
    EXPECT_TRUE(other.lastMessage().contains(path)) << other.lastMessage().toStdString();
    EXPECT_FALSE(latinOutside(other.lastMessage(), path)) << other.lastMessage().toStdString();

    const QString missing = dir.filePath(QStringLiteral("none.qxp"));
    EXPECT_FALSE(other.LoadPagesFile(missing));
    EXPECT_EQ(other.lastMessage(), QStringLiteral("无法打开文件 %1: 文件不存在").arg(missing));

    const QString nowhere = dir.filePath(QStringLiteral("no/such/out.qxp"));
    EXPECT_FALSE(report.SavePagesFile(nowhere));
    EXPECT_TRUE(report.lastMessage().contains(nowhere)) << report.lastMessage().toStdString();
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("不存在")))
        << report.lastMessage().toStdString();
}

TEST_F(PreparedPagesTest, HitTestFindsTheObjectWrittenLast)
{
    ASSERT_TRUE(report.BuildPages());
    report.EMFPages().Page(0).useMargins = true;
    // The band prints at the top margin, 6: First covers 10..210 x 26..46, Second 50.. x 36..
    const model::TqxView *over = report.EMFPages().HitTest(0, QPoint(60, 40));
    const model::TqxView *first = report.EMFPages().HitTest(0, QPoint(15, 30));
    ASSERT_TRUE(over && first);
    EXPECT_EQ(over->Name, "Second");
    EXPECT_EQ(first->Name, "First");
    EXPECT_EQ(report.EMFPages().HitTest(0, QPoint(600, 400)), nullptr);
}

TEST_F(PreparedPagesTest, DrawingPaintsTheTextAtTheScaleAndSkipsHiddenPages)
{
    ASSERT_TRUE(report.BuildPages());
    engine::TqxPreparedPage &page = report.EMFPages().Page(0);
    QImage image(page.metrics.PaperWidthPx * 2, page.metrics.PaperHeightPx * 2,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        report.EMFPages().Draw(0, painter, image.rect());
    }
    EXPECT_EQ(image.pixel(image.rect().center()), qRgb(255, 255, 255)) << "hidden: nothing drawn";

    page.visible = true;
    {
        QPainter painter(&image);
        report.EMFPages().Draw(0, painter, image.rect());
    }
    int dark = 0;
    for (int y = 40; y < 80; ++y) {
        for (int x = 20; x < 100; ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 0) << "the first text is drawn at twice its design place";
    EXPECT_NE(page.unpacked, nullptr);
    page.visible = false;
    QPainter painter(&image);
    report.EMFPages().Draw(0, painter, image.rect());
    EXPECT_EQ(page.unpacked, nullptr) << "a hidden page releases its objects";
}

TEST_F(PreparedPagesTest, PackAfterEditingKeepsTheEditedText)
{
    ASSERT_TRUE(report.BuildPages());
    model::TqxPage &page = report.EMFPages().Unpack(1);
    page.object(0)->Memo = QStringList{"edited"};
    report.EMFPages().Pack(1);
    report.EMFPages().Page(1).unpacked.reset();
    EXPECT_EQ(pageTexts(1).value(0), "edited");
}

} // namespace
