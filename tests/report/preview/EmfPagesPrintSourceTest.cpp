#include "report/preview/EmfPagesPrintSource.h"

#include "report/output/PdfPrintDevice.h"
#include "report/output/PrintJob.h"
#include "report/output/TqxPrinter.h"
#include "tests/report/engine/BuildFixture.h"
#include "tests/report/output/FakePlatformPrinter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tovren;

namespace {

// Runs a poppler tool on @p fileName; empty when the tool is not installed.
QString popplerOutput(const QString &toolName, const QStringList &arguments)
{
    const QString tool = QStandardPaths::findExecutable(toolName);
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString &fileName)
{
    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {fileName});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A report of three certificates, one per page, printed through the virtual printer.
class PrintPreparedPages : public test::BuildTest
{
protected:
    PrintPreparedPages()
        : BuildTest(3)
    {
        model::TqxPage &page = addPagePerRecord();
        page.Margins = {5, 6, 7, 8};
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
        printer.initialize(&platform);
    }

    output::PrintJob::Outcome print(const QString &range)
    {
        output::PrintParameters parameters;
        parameters.pageRangeText = range;
        preview::EmfPagesPrintSource source(report.EMFPages());
        output::PdfPrintDevice device(fileName(), 72);
        output::PrintJob job(printer, source, device);
        const output::PrintJob::Outcome outcome = job.run(parameters, QStringLiteral("Test"));
        error = job.errorString();
        pagesSent = job.pagesSent();
        return outcome;
    }
    QString fileName() const { return dir.filePath(QStringLiteral("out.pdf")); }

    QTemporaryDir dir;
    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter printer;
    QString error;
    int pagesSent = 0;
};

TEST_F(PrintPreparedPages, EveryBuiltPageReachesThePdfAndIsReleasedAfterwards)
{
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 3);
    ASSERT_EQ(print(QString()), output::PrintJob::Outcome::Finished) << error.toStdString();
    EXPECT_EQ(pagesSent, 3);
    const int pages = pdfPageCount(fileName());
    if (pages >= 0) {
        EXPECT_EQ(pages, 3);
    }
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {fileName(), "-"});
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("Certificate 1")));
        EXPECT_TRUE(text.contains(QStringLiteral("Certificate 3")));
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(report.EMFPages().Page(i).visible) << "page " << i;
        EXPECT_EQ(report.EMFPages().Page(i).unpacked, nullptr) << "page " << i;
    }
}

TEST_F(PrintPreparedPages, APageRangePrintsOnlyThoseCertificates)
{
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(print(QStringLiteral("2")), output::PrintJob::Outcome::Finished)
        << error.toStdString();
    EXPECT_EQ(pagesSent, 1);
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {fileName(), "-"});
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("Certificate 2")));
        EXPECT_FALSE(text.contains(QStringLiteral("Certificate 1")));
    }
}

TEST_F(PrintPreparedPages, PageSetupCarriesThePreparedSheetAndMargins)
{
    ASSERT_TRUE(report.BuildPages());
    const preview::EmfPagesPrintSource source(report.EMFPages());
    ASSERT_EQ(source.pageCount(), 3);
    const output::PrintablePageSetup setup = source.pageSetup(1);
    EXPECT_EQ(setup.sheet.width, 2100);
    EXPECT_EQ(setup.sheet.height, 1480);
    EXPECT_FALSE(setup.sheet.landscape);
    EXPECT_EQ(setup.marginsDesignPx, QMargins(5, 6, 7, 8));
    EXPECT_EQ(setup.stretchToPrintArea, !report.EMFPages().Page(1).useMargins);
}

TEST_F(PrintPreparedPages, AnEmptyStoreFailsOrPrintsNothingWithoutCrashing)
{
    const output::PrintJob::Outcome outcome = print(QString());
    EXPECT_NE(outcome, output::PrintJob::Outcome::Cancelled);
    EXPECT_EQ(pagesSent, 0);
    EXPECT_FALSE(QFile::exists(fileName()));
}

} // namespace
