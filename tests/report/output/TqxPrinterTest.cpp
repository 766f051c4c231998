#include "report/output/TqxPrinter.h"

#include "FakePlatformPrinter.h"
#include "report/model/TqxPages.h"
#include "report/output/PaperTable.h"
#include "report/output/QtPlatformPrinter.h"

#include <gtest/gtest.h>

namespace tovren::output {
namespace {

using model::TqxPageMetrics;
using testing::FakePlatformPrinter;

const QString kVirtualPrinter = QString::fromUtf8("虚拟打印机");

TqxPageMetrics metricsOf(const TqxPrinter &printer)
{
    TqxPageMetrics metrics;
    printer.GetPageMetrics(metrics);
    return metrics;
}

class VirtualPrinter : public ::testing::Test
{
protected:
    void SetUp() override { printer.initialize(&platform); }
    FakePlatformPrinter platform; // no printer installed
    TqxPrinter printer;
};

TEST_F(VirtualPrinter, IsTheOnlyAndActivePrinterWithTheWholePaperTable)
{
    EXPECT_EQ(printer.printerNames(), QStringList{kVirtualPrinter});
    EXPECT_EQ(printer.activeIndex(), 0);
    EXPECT_EQ(printer.virtualIndex(), 0);
    EXPECT_TRUE(printer.isReady());
    EXPECT_EQ(printer.paperCodeList().size(), 67);
    EXPECT_EQ(printer.paperTitles().at(8), "A4 210 x 297 mm");
    EXPECT_EQ(printer.defaultPaperCode(), 9);
    EXPECT_EQ(printer.binTitles(), QStringList{QString::fromUtf8("缺省")});
}

TEST_F(VirtualPrinter, A4PortraitAndLandscapeMetrics)
{
    printer.RequestSheet(9, 0, 0, -1, false, true);
    TqxPageMetrics m = metricsOf(printer);
    EXPECT_EQ(printer.sheetWidth(), 2100);
    EXPECT_EQ(m.PaperWidthPx, 758);
    EXPECT_EQ(m.PaperHeightPx, 1071);
    EXPECT_EQ(m.OffsetX, 18);
    EXPECT_EQ(m.OffsetY, 18);
    EXPECT_EQ(m.PrintWidthPx, 722);
    EXPECT_EQ(m.PrintHeightPx, 1035);

    printer.RequestSheet(9, 0, 0, -1, true, false);
    m = metricsOf(printer);
    EXPECT_EQ(printer.sheetWidth(), 2970);
    EXPECT_EQ(m.PaperWidthPx, 1071);
    EXPECT_EQ(m.PaperHeightPx, 758);
    EXPECT_EQ(m.PrintWidthPx, 1035);
    EXPECT_EQ(m.PrintHeightPx, 722);
}

TEST_F(VirtualPrinter, CustomSizeKeepsTheRequestedSheet)
{
    printer.RequestSheet(kCustomPaperCode, 1500, 1000, -1, false, false);
    EXPECT_EQ(printer.paperCode(), 256);
    EXPECT_EQ(printer.sheetWidth(), 1500);
    EXPECT_EQ(printer.sheetHeight(), 1000);
    EXPECT_EQ(metricsOf(printer).PaperWidthPx, 541); // 1500 * k / 254 = 541.1
}

TEST_F(VirtualPrinter, DeviceFieldsOfTheRecordAreLeftAlone)
{
    TqxPageMetrics metrics;
    metrics.DevPaperWidth = 1234;
    printer.GetPageMetrics(metrics);
    EXPECT_EQ(metrics.DevPaperWidth, 1234);
}

TEST_F(VirtualPrinter, UnknownCodesMapToTheLastPaperAndTheDefaultBin)
{
    EXPECT_EQ(printer.IndexOfPaper(9), 8);
    EXPECT_EQ(printer.IndexOfPaper(48), 66);
    EXPECT_EQ(printer.IndexOfPaper(-5), 66);
    EXPECT_EQ(printer.IndexOfBin(0xFFFF), 0);
    EXPECT_EQ(printer.IndexOfBin(42), 0);
}

TEST_F(VirtualPrinter, SheetMatchingRules)
{
    printer.RequestSheet(kCustomPaperCode, 1500, 1000, 3, false, true);
    EXPECT_TRUE(printer.SheetMatches(256, 1501, 999, 7, false)); // bin not compared
    EXPECT_FALSE(printer.SheetMatches(256, 1502, 1000, 3, false));
    EXPECT_FALSE(printer.SheetMatches(256, 1500, 1000, 3, true));

    printer.RequestSheet(9, 0, 0, 2, false, true);
    EXPECT_TRUE(printer.SheetMatches(9, 0, 0, 2, false));
    EXPECT_TRUE(printer.SheetMatches(9, 0, 0, -1, false)); // -1 matches any bin
    EXPECT_FALSE(printer.SheetMatches(9, 0, 0, 5, false));
    EXPECT_FALSE(printer.SheetMatches(8, 0, 0, 2, false));
}

TEST_F(VirtualPrinter, TemplatePagesTakeTheirMetricsFromIt)
{
    model::TqxPages pages(&printer);
    model::TqxPage &page = *pages.page(pages.Add());
    EXPECT_EQ(page.PaperSize, 9);
    EXPECT_EQ(page.PaperWidth, 2100);
    EXPECT_EQ(page.PageInfo.PrintWidthPx, 722);
    EXPECT_EQ(page.GetPropertyValue("WIDTH"), script::Variant(756));
    EXPECT_EQ(page.RightEdge(), 18 + 722);
}

class RealPrinter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.names = {"Office", "Labels"};
        platform.current = 1;
        platform.mode.paperSize = 9;
        platform.mode.defaultSource = 2;
        platform.paperList = {{9, "A4"}, {8, "A3"}, {256, "Custom"}};
        platform.binList = {{1, "Upper"}, {2, "Lower"}};
        platform.deviceGeometry = {4960, 7016, 100, 100, 4760, 6816, 600, 600};
        printer.initialize(&platform);
    }
    FakePlatformPrinter platform;
    TqxPrinter printer;
};

TEST_F(RealPrinter, ListsThePlatformPrintersThenTheVirtualOne)
{
    EXPECT_EQ(printer.printerNames(), QStringList({"Office", "Labels", kVirtualPrinter}));
    EXPECT_EQ(printer.activeIndex(), 1);
    EXPECT_EQ(printer.virtualIndex(), 2);
    EXPECT_FALSE(printer.isVirtualActive());
    EXPECT_EQ(printer.paperCodeList(), QList<int>({9, 8, 256}));
    EXPECT_EQ(printer.binCodes(), QList<int>({0xFFFF, 1, 2}));
    EXPECT_EQ(printer.binTitles().at(0), QString::fromUtf8("缺省"));
    EXPECT_EQ(printer.binCode(), 2);
    EXPECT_EQ(printer.sheetWidth(), 2100);  // 4960 / 600 * 254 = 2099.7
    EXPECT_EQ(printer.sheetHeight(), 2970); // 7016 / 600 * 254 = 2970.1
}

TEST_F(RealPrinter, MetricsConvertDeviceDotsToDesignPixels)
{
    const TqxPageMetrics m = metricsOf(printer);
    EXPECT_EQ(m.DevPaperWidth, 4960);
    EXPECT_EQ(m.PaperWidthPx, 757); // 4960 / 600 * 91.6256 = 757.4
    EXPECT_EQ(m.PaperHeightPx, 1071);
    EXPECT_EQ(m.DevOffsetX, 100);
    EXPECT_EQ(m.OffsetX, 15);
    EXPECT_EQ(m.DevPrintWidth, 4760);
    EXPECT_EQ(m.PrintWidthPx, 727);
    EXPECT_EQ(m.PrintHeightPx, 1041);
}

TEST_F(RealPrinter, ApplyingASheetWritesTheDeviceMode)
{
    const int writesBefore = platform.writeCount;
    printer.RequestSheet(8, 2970, 4200, -1, true, false);
    EXPECT_EQ(platform.writeCount, writesBefore + 1);
    EXPECT_EQ(platform.mode.paperSize, 8);
    EXPECT_EQ(platform.mode.orientation, DeviceMode::kLandscape);
    EXPECT_EQ(platform.mode.defaultSource, 2); // default bin leaves the source alone
    EXPECT_FALSE(platform.mode.fields & DeviceMode::PaperWidth);
    EXPECT_TRUE(printer.landscape());

    printer.RequestSheet(kCustomPaperCode, 1500, 1000, 1, false, false);
    EXPECT_TRUE(platform.mode.fields & DeviceMode::PaperWidth);
    EXPECT_EQ(platform.mode.paperWidth, 1500);
    EXPECT_EQ(platform.mode.paperLength, 1000);
    EXPECT_EQ(platform.mode.defaultSource, 1);
    EXPECT_EQ(platform.mode.copies, 1);
}

TEST_F(RealPrinter, NothingChangesWhileADocumentIsOpen)
{
    platform.printing = true;
    const int writesBefore = platform.writeCount;
    printer.RequestSheet(8, 2970, 4200, -1, true, true);
    EXPECT_EQ(platform.writeCount, writesBefore);
    EXPECT_EQ(printer.paperCode(), 9);
    EXPECT_FALSE(printer.landscape());
}

TEST_F(RealPrinter, UnreadableDeviceSwitchesToTheVirtualPrinter)
{
    platform.readable = false;
    printer.RefreshFromDevice();
    EXPECT_TRUE(printer.isVirtualActive());
    EXPECT_EQ(printer.paperCodeList().size(), 67);

    platform.readable = true;
    printer.SelectPrinter(0);
    EXPECT_EQ(platform.current, 0);
    EXPECT_FALSE(printer.isVirtualActive());
}

TEST(PrinterBins, EveryBinAndPaperTheDeviceReportsIsKept)
{
    FakePlatformPrinter platform;
    platform.names = {"Big"};
    for (int i = 0; i < 255; ++i)
        platform.binList.append(BinEntry{300 + i, QString("Tray %1").arg(i)});
    for (int i = 0; i < 300; ++i)
        platform.paperList.append(PaperEntry{1000 + i, QString("Paper %1").arg(i)});
    TqxPrinter printer;
    printer.initialize(&platform);
    ASSERT_EQ(printer.binCodes().size(), 256);
    EXPECT_EQ(printer.binTitles().size(), 256);
    EXPECT_EQ(printer.binTitles().last(), "Tray 254");
    EXPECT_EQ(printer.IndexOfBin(554), 255);
    EXPECT_EQ(printer.paperCodeList().size(), 300);
    EXPECT_EQ(printer.paperTitles().last(), "Paper 299");
}

TEST(PrinterBins, ADeviceWithoutSourcesStillHasTheDefaultOne)
{
    FakePlatformPrinter platform;
    platform.names = {"Simple"};
    TqxPrinter printer;
    printer.initialize(&platform);
    EXPECT_EQ(printer.binCodes(), QList<int>{0xFFFF});
    EXPECT_EQ(printer.binTitles(), QStringList{QString::fromUtf8("缺省")});
}

TEST(QtPlatformPrinter, TheVirtualPrinterIsAlwaysLast)
{
    QtPlatformPrinter platform;
    TqxPrinter printer;
    printer.initialize(&platform);
    EXPECT_EQ(printer.printerNames().last(), kVirtualPrinter);
    EXPECT_EQ(printer.virtualIndex(), printer.printerNames().size() - 1);
    if (platform.printerNames().isEmpty()) {
        EXPECT_TRUE(printer.isVirtualActive());
    }
    EXPECT_GT(metricsOf(printer).PaperWidthPx, 0);
}

} // namespace
} // namespace tovren::output
