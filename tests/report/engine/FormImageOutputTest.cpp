// The scan of the blank form is a guide for the clerk: the run hands it to the preview, and
// nothing that reaches paper, a PDF or a prepared-report file carries it.
#include "BuildFixture.h"
#include "report/engine/PdfExportFilter.h"
#include "report/model/FormImage.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

using namespace tovren;

namespace {

QByteArray redScanPng()
{
    QImage scan(200, 140, QImage::Format_RGB32);
    scan.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");
    return bytes;
}

bool hasReddishPixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > c.green() + 40 && c.red() > c.blue() + 40)
                return true;
        }
    }
    return false;
}

class FormImageOutputTest : public test::BuildTest
{
protected:
    FormImageOutputTest()
        : BuildTest(2)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
        QString refusal;
        page.formImage = std::make_shared<const model::FormImage>(
            *model::FormImage::fromBytes(scan, QStringLiteral("表格.png"), refusal));
    }

    const QByteArray scan = redScanPng();
};

TEST_F(FormImageOutputTest, ThePreviewGetsTheScanButNoPdfPrintOrSavedReportDoes)
{
    ASSERT_TRUE(report.BuildPages());
    engine::TqxEMFPages &pages = report.EMFPages();
    ASSERT_EQ(pages.Count(), 2);
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        ASSERT_TRUE(pages.Page(i).formImage) << "the preview can show it on request";
        EXPECT_FALSE(pages.Page(i).stream.contains(scan.left(64)));
    }

    // What goes to the printer: a page drawn for printing holds only the text.
    QImage printed(800, 560, QImage::Format_RGB32);
    printed.fill(Qt::white);
    {
        QPainter painter(&printed);
        pages.Page(0).visible = true;
        pages.Draw(0, painter, printed.rect(), true);
    }
    EXPECT_FALSE(hasReddishPixel(printed));

    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(QStringLiteral("out.pdf"));
    engine::PdfExportFilter filter(72);
    ASSERT_TRUE(report.ExportPages(filter, pdfPath)) << report.lastMessage().toStdString();
    QFile pdfFile(pdfPath);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(pdfFile.readAll().contains("/Subtype /Image")) << "no picture in the PDF";
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                  QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"), pdfPath,
                  dir.filePath(QStringLiteral("page"))});
    if (render.waitForFinished(20000) && render.exitCode() == 0) {
        const QImage rendered(dir.filePath(QStringLiteral("page.png")));
        ASSERT_FALSE(rendered.isNull());
        EXPECT_FALSE(hasReddishPixel(rendered));
    }

    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    pages.WritePagesFile(saved, QStringLiteral("1"), 88);
    EXPECT_FALSE(saved.data().contains(scan.left(64))) << "not in the prepared-report file";
    saved.close();
    saved.open(QIODevice::ReadOnly);
    engine::TqxEMFPages reread;
    reread.ReadPagesFile(saved);
    ASSERT_EQ(reread.Count(), 2);
    EXPECT_FALSE(reread.Page(0).formImage);
}

} // namespace
