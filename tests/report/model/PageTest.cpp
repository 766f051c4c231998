#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;

/// Answers like the virtual printer for A4, and refuses paper codes listed in `refused`.
class FakePaperSelector : public PaperSelector
{
public:
    std::optional<Selection> selectSheet(const SheetRequest &request) override
    {
        requests.push_back(request);
        if (refused.contains(request.paperCode))
            return std::nullopt;
        Selection selection;
        selection.sheet = request;
        if (request.paperCode == 9) {
            selection.sheet.width = request.landscape ? 2970 : 2100;
            selection.sheet.height = request.landscape ? 2100 : 2970;
        }
        selection.sheet.bin = 7;
        selection.metrics.PaperWidthPx = designPixelsFromTenthsMm(selection.sheet.width);
        selection.metrics.PaperHeightPx = designPixelsFromTenthsMm(selection.sheet.height);
        selection.metrics.OffsetX = selection.metrics.OffsetY = 18;
        selection.metrics.PrintWidthPx = selection.metrics.PaperWidthPx - 36;
        selection.metrics.PrintHeightPx = selection.metrics.PaperHeightPx - 36;
        return selection;
    }
    int defaultPaperCode() const override { return 9; }
    QStringList paperNames() const override { return {"A4", QString::fromUtf8("自定义")}; }
    QList<int> paperCodes() const override { return {9, 256}; }

    QList<int> refused;
    std::vector<SheetRequest> requests;
};

class PageTest : public ::testing::Test
{
protected:
    void TearDown() override { runState().reset(); }
    FakePaperSelector paper;
    TqxPages pages{&paper};
};

TEST_F(PageTest, NewPageIsPortraitOnTheDefaultPaper)
{
    TqxPage *page = pages.page(pages.Add());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaperSize, 9);
    EXPECT_EQ(page->PaperWidth, 2100);
    EXPECT_EQ(page->PaperHeight, 2970);
    EXPECT_EQ(page->Orientation, 0);
    EXPECT_EQ(page->PaperBin, TqxPage::kDefaultBin); // asked for the default source
    EXPECT_EQ(page->PageInfo.PaperWidthPx, 758);
    EXPECT_TRUE(page->UseMargins);
}

TEST_F(PageTest, RefusedPaperFallsBackToACustomSizeOnTheDefaultBin)
{
    paper.refused = {8};
    TqxPage page(&paper, SheetRequest{8, 2970, 4200, 3, false});
    EXPECT_EQ(page.PaperSize, SheetRequest::kCustomPaperCode);
    EXPECT_EQ(page.PaperWidth, 2970);
    EXPECT_EQ(page.PaperBin, TqxPage::kDefaultBin);
    ASSERT_EQ(paper.requests.size(), 2u);
    EXPECT_EQ(paper.requests[1].bin, SheetRequest::kDefaultBin);

    TqxPage kept(&paper, SheetRequest{9, 0, 0, 3, true});
    EXPECT_EQ(kept.PaperBin, 7); // the bin the printer reports
    EXPECT_EQ(kept.PaperWidth, 2970);
    EXPECT_EQ(kept.Orientation, 1);
}

TEST_F(PageTest, PrintableEdgesUseMarginsOrPrinterOffsets)
{
    TqxPage &page = *pages.page(pages.Add());
    EXPECT_EQ(page.LeftEdge(), 18);
    EXPECT_EQ(page.TopEdge(), 18);
    EXPECT_EQ(page.RightEdge(), 18 + 722);
    EXPECT_EQ(page.BottomEdge(), 18 + 1035);

    page.Margins = PageMargins{40, 30, 20, 10};
    EXPECT_EQ(page.LeftEdge(), 40);
    EXPECT_EQ(page.RightEdge(), 758 - 20);
    EXPECT_EQ(page.BottomEdge(), 1071 - 10);

    page.SetPropertyValue("StretchToPrintable", Variant(true));
    EXPECT_EQ(page.LeftEdge(), 0);
    EXPECT_EQ(page.RightEdge(), 758);
    EXPECT_EQ(page.BottomEdge(), 1071);
}

TEST_F(PageTest, PageFooterShortensThePrintableAreaWhileBuilding)
{
    TqxPage &page = *pages.page(pages.Add());
    auto footer = std::make_unique<TqxBandView>();
    footer->setBandType(btPageFooter);
    footer->Height = 50;
    page.addObject(std::move(footer));
    EXPECT_EQ(page.BottomEdge(), 1053);
    runState().drawingMode = DrawingMode::Output;
    EXPECT_EQ(page.BottomEdge(), 1003);
    EXPECT_EQ(page.GetPropertyValue("BOTTOMMARGIN"), Variant(1003));
}

TEST_F(PageTest, ScriptSizesUseTheRulerScale)
{
    TqxPage &page = *pages.page(pages.Add());
    EXPECT_EQ(page.GetPropertyValue("Width"), Variant(756));
    page.SetPropertyValue("Width", Variant(720));
    EXPECT_EQ(page.PaperWidth, 2000);
    EXPECT_EQ(paper.requests.size(), 1u); // properties never select paper

    page.PageType = TqxPage::ptDialog;
    page.SetPropertyValue("Width", Variant(500));
    EXPECT_EQ(page.Width, 500);
    EXPECT_EQ(page.GetPropertyValue("WIDTH"), Variant(500));
}

TEST_F(PageTest, RegisteredPropertiesDependOnThePageType)
{
    TqxPage &page = *pages.page(pages.Add());
    page.RegisterProperties();
    const TqxPropRec *size = page.findProperty("Size");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->EnumNames, QStringList({"A4", QString::fromUtf8("自定义")}));
    EXPECT_EQ(size->EnumCodes.back(), Variant(256));
    EXPECT_EQ(page.findProperty("Caption"), nullptr);

    page.PageType = TqxPage::ptDialog;
    page.RegisterProperties();
    EXPECT_NE(page.findProperty("Caption"), nullptr);
    EXPECT_EQ(page.findProperty("Size"), nullptr);
    EXPECT_EQ(page.findProperty("Position")->EnumCodes.back(), Variant(4));
}

TEST_F(PageTest, ObjectsAreFoundByIdAndNameUntilDeleted)
{
    TqxPage &page = *pages.page(pages.Add());
    auto line = std::make_unique<TqxLineView>();
    line->ObjectId = 41;
    line->Name = "Line1";
    page.addObject(std::move(line));
    EXPECT_EQ(page.FindObjectById(41), 0);
    EXPECT_EQ(page.FindObjectByName("LINE1"), page.object(0));
    EXPECT_EQ(pages.FindObject("line1"), page.object(0));

    page.Delete(0);
    page.Delete(5); // ignored
    EXPECT_EQ(page.FindObjectById(41), -1);
    EXPECT_EQ(page.FindObjectByName("Line1"), nullptr);
}

TEST_F(PageTest, UniquePageNamesAndPageOrder)
{
    pages.page(pages.Add())->Name = "Page1";
    pages.page(pages.Add())->Name = "Page3";
    TqxPage &third = *pages.page(pages.Add());
    third.MakeUniquePageName([&](const QString &name) { return pages.isPageNameTaken(name); });
    EXPECT_EQ(third.Name, "Page2");

    pages.Move(2, 0);
    EXPECT_EQ(pages.page(0)->Name, "Page2");
    pages.Move(0, 9); // ignored
    pages.Delete(1);
    EXPECT_EQ(pages.Count(), 2);
    EXPECT_EQ(pages.page(1)->Name, "Page3");
    EXPECT_EQ(pages.page(2), nullptr);
}

TEST_F(PageTest, BandAlignmentsAreAppliedOnEveryPage)
{
    pages.Add();
    TqxPage &second = *pages.page(pages.Add());
    auto line = std::make_unique<TqxLineView>();
    line->SetBounds(0, 10, 100, 1);
    line->BandAlign = baRight;
    TqxView &aligned = second.addObject(std::move(line));
    pages.ApplyBandAlignments();
    EXPECT_EQ(aligned.Left, 18 + 722 - 100);
    EXPECT_EQ(runState().currentPage, nullptr);
}

TEST(PageWithoutPrinter, KeepsTheSheetAsAskedWithEmptyMetrics)
{
    TqxPage page(nullptr, SheetRequest{256, 1234, 567, -1, false});
    EXPECT_EQ(page.PaperSize, 256);
    EXPECT_EQ(page.PaperWidth, 1234);
    EXPECT_EQ(page.PageInfo, TqxPageMetrics{});
}

} // namespace
} // namespace tovren::model
