#include "report/engine/PdfExportFilter.h"

#include "BuildFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tovren;

namespace {

class PdfExportFilterTest : public test::BuildTest
{
protected:
    PdfExportFilterTest()
        : BuildTest(3)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
    }
};

TEST_F(PdfExportFilterTest, WritesOnePagePerPreparedPageWithItsText)
{
    ASSERT_TRUE(report.BuildPages());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    engine::PdfExportFilter filter;
    ASSERT_TRUE(report.ExportPages(filter, path)) << report.lastMessage().toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(pageObject), 3);
    EXPECT_TRUE(pdf.contains("/FontFile")) << "fonts are embedded";

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (text.waitForFinished(10000) && text.exitCode() == 0) {
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QStringLiteral("Certificate 1")));
        EXPECT_TRUE(out.contains(QStringLiteral("Certificate 3")));
    }
}

TEST_F(PdfExportFilterTest, UnwritableTargetFailsWithAMessageAndLeavesNoFile)
{
    ASSERT_TRUE(report.BuildPages());
    engine::PdfExportFilter filter;
    const QString path = QStringLiteral("/nonexistent-dir/out.pdf");
    EXPECT_FALSE(report.ExportPages(filter, path));
    EXPECT_FALSE(report.lastMessage().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
