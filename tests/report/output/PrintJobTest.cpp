#include "report/output/PrintJob.h"

#include "FakePlatformPrinter.h"
#include "FakePrintablePages.h"
#include "report/output/PdfPrintDevice.h"
#include "report/output/PrinterPrintDevice.h"
#include "report/output/TqxPrinter.h"

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::output {
namespace {

using testing::FakePlatformPrinter;
using testing::FakePrintablePages;

PrintParameters parameters(const QString &range, int copies = 1, bool collate = true,
                           PageParity parity = PageParity::All)
{
    PrintParameters p;
    p.pageRangeText = range;
    p.copies = copies;
    p.collate = collate;
    p.pageParity = parity;
    return p;
}

// What pdfinfo reports for @p fileName, or an empty text when it is not installed.
QString pdfInfo(const QString &fileName, int lastPage = 1)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {"-f", "1", "-l", QString::number(lastPage), fileName});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString &info)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The virtual printer printing into a PDF file.
class PrintToPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        printer.initialize(&platform);
    }
    QString fileName() const { return dir.filePath(QStringLiteral("out.pdf")); }
    PrintJob::Outcome print(FakePrintablePages &pages, const PrintParameters &p,
                            const PrintJob::Hooks &hooks = {})
    {
        PdfPrintDevice device(fileName(), 72);
        PrintJob job(printer, pages, device);
        const PrintJob::Outcome outcome = job.run(p, QStringLiteral("Certificates"), hooks);
        error = job.errorString();
        return outcome;
    }

    QTemporaryDir dir;
    FakePlatformPrinter platform; // no printer installed: the virtual printer is active
    TqxPrinter printer;
    QString error;
};

TEST_F(PrintToPdf, PrintsTheSelectedPagesInAscendingOrderIntoOneFile)
{
    FakePrintablePages pages(10);
    ASSERT_EQ(print(pages, parameters("5-12,3,1,3")), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.drawnNumbers(), (QList<int>{1, 3, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(pages.released, (QList<int>{0, 2, 4, 5, 6, 7, 8, 9}));
    const QString info = pdfInfo(fileName());
    if (info.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pdfPageCount(info), 8);
}

TEST_F(PrintToPdf, ThePageIsLaidOnTheWholeSheetWithThePrintableCornerAsOrigin)
{
    FakePrintablePages pages(1);
    ASSERT_EQ(print(pages, parameters("")), PrintJob::Outcome::Finished);
    ASSERT_EQ(pages.drawn.size(), 1);
    // A4 at 72 dpi is 595 x 842 dots with a 5 mm (14 dot) border.
    EXPECT_EQ(pages.drawn.at(0).target, QRect(-14, -14, 595, 842));
    EXPECT_EQ(pages.metrics.at(0).PaperWidthPx, 758);
    EXPECT_EQ(pages.metrics.at(0).PrintHeightPx, 1035);
}

TEST_F(PrintToPdf, StretchedPagesFillThePrintableAreaInsideTheirMargins)
{
    FakePrintablePages pages(1);
    pages.setups[0].stretchToPrintArea = true;
    pages.setups[0].marginsDesignPx = QMargins(72, 36, 72, 36);
    ASSERT_EQ(print(pages, parameters("")), PrintJob::Outcome::Finished);
    // Printable area 567 x 814 dots for 722 x 1035 design pixels.
    const QRect target = pages.drawn.at(0).target;
    EXPECT_EQ(target.left(), qRound(72 * 567.0 / 722));
    EXPECT_EQ(target.top(), qRound(36 * 814.0 / 1035));
    EXPECT_EQ(target.left() + target.width(), 567 - qRound(72 * 567.0 / 722));
    EXPECT_EQ(target.top() + target.height(), 814 - qRound(36 * 814.0 / 1035));
}

TEST_F(PrintToPdf, APaperChangeStaysInTheSameFile)
{
    FakePrintablePages pages(2);
    pages.setups[1].sheet = model::SheetRequest{11, 2100, 1480, -1, true}; // A5 landscape
    ASSERT_EQ(print(pages, parameters("")), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.metrics.at(1).PaperWidthPx, model::designPixelsFromTenthsMm(2100));
    EXPECT_EQ(pages.metrics.at(1).PaperHeightPx, model::designPixelsFromTenthsMm(1480));
    const QString info = pdfInfo(fileName(), 2);
    if (info.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pdfPageCount(info), 2);
    // Each page is its sheet's exact size, not rounded to whole points.
    EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+1 size:\\s+595.28 x 841.89 ")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page\\s+2 size:\\s+595.28 x 419.53 ")))
        << info.toStdString();
}

TEST_F(PrintToPdf, CollatedCopiesAreRepeatedRunsBecauseAFileMakesNoCopies)
{
    FakePrintablePages pages(3);
    ASSERT_EQ(print(pages, parameters("1-2", 2, true)), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.drawnNumbers(), (QList<int>{1, 2, 1, 2}));
    const QString info = pdfInfo(fileName());
    if (info.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pdfPageCount(info), 4);
}

TEST_F(PrintToPdf, CancellingAbortsAfterThePageAndLeavesNoFile)
{
    FakePrintablePages pages(10);
    QList<int> progress;
    PrintJob::Hooks hooks;
    hooks.progress = [&](int page) { progress << page; };
    hooks.stopRequested = [&] { return progress.size() == 3; };
    EXPECT_EQ(print(pages, parameters(""), hooks), PrintJob::Outcome::Cancelled);
    EXPECT_EQ(pages.drawnNumbers(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(progress, (QList<int>{1, 2, 3}));
    EXPECT_FALSE(QFile::exists(fileName()));
}

TEST_F(PrintToPdf, ABadRangeFailsBeforeAnythingIsWrittenAndKeepsAnOldFile)
{
    QFile old(fileName());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier output");
    old.close();
    FakePrintablePages pages(4);
    EXPECT_EQ(print(pages, parameters("1,,3")), PrintJob::Outcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(pages.drawn.isEmpty());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "earlier output");
}

TEST_F(PrintToPdf, APrintThatSelectsNoPageFailsAndWritesNoFile)
{
    FakePrintablePages pages(4);
    EXPECT_EQ(print(pages, parameters("7-3")), PrintJob::Outcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(fileName()));

    PrintParameters evenOfOne = parameters("1");
    evenOfOne.pageParity = PageParity::Even;
    EXPECT_EQ(print(pages, evenOfOne), PrintJob::Outcome::Failed);

    FakePrintablePages none(0);
    EXPECT_EQ(print(none, parameters("")), PrintJob::Outcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(fileName()));
}

TEST_F(PrintToPdf, AnUnwritableFileIsAClearFailure)
{
    FakePrintablePages pages(1);
    PdfPrintDevice device(dir.filePath(QStringLiteral("missing/dir/out.pdf")), 72);
    PrintJob job(printer, pages, device);
    EXPECT_EQ(job.run(parameters(""), QString()), PrintJob::Outcome::Failed);
    // The preview shows the text as it stands: it names the file, in the program's language.
    EXPECT_TRUE(job.errorString().contains(QStringLiteral("missing/dir/out.pdf")))
        << job.errorString().toStdString();
    EXPECT_TRUE(job.errorString().contains(QRegularExpression(QStringLiteral("\\p{Han}"))))
        << job.errorString().toStdString();
    EXPECT_TRUE(pages.drawn.isEmpty());
}

TEST_F(PrintToPdf, APrinterThatCannotStartADocumentSaysSoInChinese)
{
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFileName(dir.filePath(QStringLiteral("missing/dir/printer.pdf")));
    PrinterPrintDevice device(qprinter);
    FakePrintablePages pages(1);
    PrintJob job(printer, pages, device);
    EXPECT_EQ(job.run(parameters(""), QString()), PrintJob::Outcome::Failed);
    EXPECT_TRUE(job.errorString().contains(QRegularExpression(QStringLiteral("\\p{Han}"))))
        << job.errorString().toStdString();
    EXPECT_TRUE(pages.drawn.isEmpty());
}

TEST_F(PrintToPdf, APrinterIsAskedForCollatedCopiesExactlyWhenCollating)
{
    for (const bool collate : {true, false}) {
        QPrinter qprinter(QPrinter::HighResolution);
        qprinter.setOutputFormat(QPrinter::PdfFormat);
        qprinter.setOutputFileName(fileName());
        qprinter.setCollateCopies(!collate);
        PrinterPrintDevice device(qprinter);
        FakePrintablePages pages(2);
        PrintJob job(printer, pages, device);
        ASSERT_EQ(job.run(parameters("", 2, collate), QString()), PrintJob::Outcome::Finished);
        EXPECT_EQ(qprinter.collateCopies(), collate);
        EXPECT_EQ(pages.drawn.size(), 4);
    }
}

/// A printer job as the loop sees it: documents with a copy count and collation, and pages.
/// It tells the platform fake when a document is open, as a real spooler would.
class RecordingDevice : public PrintDevice
{
public:
    struct Document
    {
        int copies = 0;
        bool collate = false;
        QString title;
        QList<int> sheetsPaperCodes;
        bool ended = false;
        bool aborted = false;
    };

    explicit RecordingDevice(FakePlatformPrinter &platform)
        : m_platform(platform)
    {}
    bool makesCopies() const override { return true; }
    bool changesSheetWithinDocument() const override { return false; }
    bool beginDocument(const QString &title, int copyCount, bool collate,
                       const model::SheetRequest &sheet) override
    {
        documents << Document{copyCount, collate, title, {sheet.paperCode}};
        m_platform.printing = true;
        return m_painter.begin(&m_surface);
    }
    bool newPage(const model::SheetRequest &sheet) override
    {
        documents.last().sheetsPaperCodes << sheet.paperCode;
        return true;
    }
    bool endDocument() override
    {
        documents.last().ended = true;
        m_platform.printing = false;
        return m_painter.end();
    }
    void abortDocument() override
    {
        documents.last().aborted = true;
        m_platform.printing = false;
        m_painter.end();
    }
    QPainter &painter() override { return m_painter; }
    int resolution() const override { return 300; }
    QString errorString() const override { return {}; }

    QList<Document> documents;

private:
    FakePlatformPrinter &m_platform;
    QImage m_surface{8, 8, QImage::Format_RGB32};
    QPainter m_painter;
};

// A real printer through the platform fake, A4 at 300 dpi with a 4 mm unprintable border.
class PrintToPrinter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.names = {"Office"};
        platform.paperList = {{9, "A4"}, {11, "A5"}};
        platform.deviceGeometry = {2480, 3508, 47, 47, 2386, 3414, 300, 300};
        printer.initialize(&platform);
    }
    PrintJob::Outcome print(FakePrintablePages &pages, const PrintParameters &p)
    {
        PrintJob job(printer, pages, device);
        return job.run(p, QString());
    }

    FakePlatformPrinter platform;
    TqxPrinter printer;
    RecordingDevice device{platform};
};

TEST_F(PrintToPrinter, CollatedCopiesAreAskedOfThePrinterWithCollation)
{
    FakePrintablePages pages(3);
    ASSERT_EQ(print(pages, parameters("1-2", 3, true)), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.drawnNumbers(), (QList<int>{1, 2}));
    ASSERT_EQ(device.documents.size(), 1);
    EXPECT_EQ(device.documents.at(0).copies, 3);
    EXPECT_TRUE(device.documents.at(0).collate);
    EXPECT_EQ(device.documents.at(0).title, "Untitled");
    EXPECT_TRUE(device.documents.at(0).ended);
}

TEST_F(PrintToPrinter, UncollatedCopiesSendEachPageInARowWithOneDeviceCopy)
{
    FakePrintablePages pages(3);
    ASSERT_EQ(print(pages, parameters("1-2", 3, false)), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.drawnNumbers(), (QList<int>{1, 1, 1, 2, 2, 2}));
    ASSERT_EQ(device.documents.size(), 1);
    EXPECT_EQ(device.documents.at(0).copies, 1);
    EXPECT_FALSE(device.documents.at(0).collate);
}

TEST_F(PrintToPrinter, APaperChangeEndsTheDocumentAndStartsAnotherWithTheCopies)
{
    FakePrintablePages pages(3);
    pages.setups[1].sheet = model::SheetRequest{11, 1480, 2100, -1, false};
    ASSERT_EQ(print(pages, parameters("", 2, true)), PrintJob::Outcome::Finished);
    ASSERT_EQ(device.documents.size(), 3);
    EXPECT_EQ(device.documents.at(0).sheetsPaperCodes, QList<int>{9});
    EXPECT_EQ(device.documents.at(1).sheetsPaperCodes, QList<int>{11});
    EXPECT_EQ(device.documents.at(2).sheetsPaperCodes, QList<int>{9});
    for (const RecordingDevice::Document &document : device.documents) {
        EXPECT_EQ(document.copies, 2);
        EXPECT_TRUE(document.ended);
    }
}

TEST_F(PrintToPrinter, PagesUseThePrintersOwnGeometry)
{
    FakePrintablePages pages(1);
    ASSERT_EQ(print(pages, parameters("")), PrintJob::Outcome::Finished);
    EXPECT_EQ(pages.drawn.at(0).target, QRect(-47, -47, 2480, 3508));
    EXPECT_EQ(pages.metrics.at(0).DevPrintWidth, 2386);
}

TEST_F(PrintToPrinter, RefreshingThePrinterListKeepsTheChosenVirtualPrinter)
{
    printer.SelectPrinter(printer.virtualIndex());
    FakePrintablePages pages(1);
    PrintJob job(printer, pages, device);
    job.setPlatformPrinter(&platform);
    ASSERT_EQ(job.run(parameters(""), QString()), PrintJob::Outcome::Finished);
    EXPECT_TRUE(printer.isVirtualActive());
}

} // namespace
} // namespace tovren::output
