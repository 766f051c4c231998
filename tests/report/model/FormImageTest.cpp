#include "report/model/FormImage.h"

#include "report/model/FormImageBlock.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"
#include "tests/report/model/StreamTestSupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray scanBytes()
{
    QImage scan(60, 40, QImage::Format_RGB32);
    scan.fill(QColor(250, 240, 220));
    return encoded(scan, "PNG");
}

struct TemplateHolder
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    testing::PasswordDialogs dialogs;
    TemplateStream stream{pages, settings, info};

    TemplateHolder()
    {
        stream.setDialogs(&dialogs);
        stream.setClock([] { return QDateTime(QDate(2026, 3, 1), QTime(10, 30)); });
    }
};

void fillTwoPages(TemplateHolder &t)
{
    t.pages.page(t.pages.Add())->Name = QStringLiteral("Page1");
    t.pages.page(t.pages.Add())->Name = QStringLiteral("Page2");
    t.info.comment = QStringLiteral("证书");
}

TEST(FormImageStorage, ScanTravelsAfterTheTemplateAndLeavesTemplatesWithoutOneUnchanged)
{
    TemplateHolder first;
    fillTwoPages(first);
    const QByteArray withoutScan = first.stream.toBytes();

    // The scan is kept as the file's own bytes, and goes after everything a reader of the
    // format reads, so those readers see the template exactly as without it.
    QString refusal;
    const QByteArray scan = scanBytes();
    auto image = FormImage::fromBytes(scan, QStringLiteral("表格.png"), refusal);
    ASSERT_TRUE(image) << refusal.toStdString();
    first.pages.page(1)->formImage = std::make_shared<const FormImage>(*image);
    const QByteArray withScan = first.stream.toBytes();
    ASSERT_GT(withScan.size(), withoutScan.size() + scan.size());
    EXPECT_EQ(withScan.left(withoutScan.size()), withoutScan);

    TemplateHolder second;
    ASSERT_EQ(second.stream.read(withScan), TemplateReadResult::Loaded);
    EXPECT_TRUE(second.dialogs.messages.isEmpty());
    EXPECT_FALSE(second.pages.page(0)->formImage);
    ASSERT_TRUE(second.pages.page(1)->formImage);
    EXPECT_EQ(second.pages.page(1)->formImage->bytes(), scan);
    EXPECT_EQ(second.pages.page(1)->formImage->image().size(), QSize(60, 40));
    EXPECT_EQ(second.stream.toBytes(), withScan);

    // Clearing the scan gives back the very bytes of a template that never had one.
    second.pages.page(1)->formImage.reset();
    EXPECT_EQ(second.stream.toBytes(), withoutScan);
}

TEST(FormImageStorage, DamagedScanBlockCostsTheScanNotTheTemplate)
{
    TemplateHolder first;
    fillTwoPages(first);
    QString refusal;
    first.pages.page(0)->formImage = std::make_shared<const FormImage>(
        *FormImage::fromBytes(scanBytes(), QStringLiteral("表格.png"), refusal));
    const QByteArray cut = first.stream.toBytes().chopped(10);

    TemplateHolder second;
    EXPECT_EQ(second.stream.read(cut), TemplateReadResult::Loaded);
    ASSERT_EQ(second.pages.Count(), 2);
    EXPECT_EQ(second.pages.page(1)->Name, QStringLiteral("Page2"));
    EXPECT_EQ(second.info.comment, QStringLiteral("证书"));
    EXPECT_FALSE(second.pages.page(0)->formImage);
    ASSERT_EQ(second.dialogs.messages.size(), 1);
    EXPECT_TRUE(second.dialogs.messages[0].text.contains(QStringLiteral("表格底图")));

    // Bytes of another kind after the information are left alone, as before.
    TemplateHolder third;
    fillTwoPages(third);
    const QByteArray foreignTail = third.stream.toBytes() + QByteArray("\x01\x02\x03\x04\x05", 5);
    TemplateHolder fourth;
    EXPECT_EQ(fourth.stream.read(foreignTail), TemplateReadResult::Loaded);
    EXPECT_TRUE(fourth.dialogs.messages.isEmpty());
}

TEST(FormImageChoice, RefusesWhatIsNoScanAndNamesTheFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto fileHolding = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::white);

    QString refusal;
    const QString jpeg = fileHolding(QStringLiteral("扫描.jpg"), encoded(small, "JPEG"));
    EXPECT_TRUE(FormImage::fromFile(jpeg, refusal));
    const QString bmp = fileHolding(QStringLiteral("扫描.bmp"), encoded(small, "BMP"));
    EXPECT_TRUE(FormImage::fromFile(bmp, refusal));

    // A picture file named like a scan but holding text.
    const QString text = fileHolding(QStringLiteral("说明.png"), "不是图片");
    EXPECT_FALSE(FormImage::fromFile(text, refusal));
    EXPECT_TRUE(refusal.contains(QStringLiteral("说明.png")));

    // A damaged PNG: the header is there, the picture data is cut off.
    const QString damaged = fileHolding(QStringLiteral("损坏.png"), scanBytes().left(60));
    EXPECT_FALSE(FormImage::fromFile(damaged, refusal));
    EXPECT_TRUE(refusal.contains(QStringLiteral("损坏.png")));

    // A BMP whose header claims 10000 x 6000 pixels is refused before anything is decoded.
    QByteArray huge = encoded(small, "BMP");
    qToLittleEndian<qint32>(10000, huge.data() + 18);
    qToLittleEndian<qint32>(6000, huge.data() + 22);
    const QString large = fileHolding(QStringLiteral("巨大.bmp"), huge);
    EXPECT_FALSE(FormImage::fromFile(large, refusal));
    EXPECT_TRUE(refusal.contains(QStringLiteral("巨大.bmp")));
    EXPECT_TRUE(refusal.contains(QStringLiteral("5000")));
}

} // namespace
} // namespace tovren::model
