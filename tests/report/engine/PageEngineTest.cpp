#include "BuildFixture.h"
#include "report/engine/TqxBand.h"

using namespace tovren;
using model::TqxBandView;

namespace {

class PageEngineTest : public test::BuildTest
{
protected:
    PageEngineTest()
        : BuildTest(6)
    {}
};

TEST_F(PageEngineTest, BuildsOneRowPerRecordBelowTheHeadersAndStartsPagesWhenFull)
{
    model::TqxPage &page = addPage(1000); // 360 design pixels tall
    TqxBandView &header = addBand(page, model::btPageHeader, 0, 40, QStringLiteral("Header"));
    header.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(page, 0, 0, QStringLiteral("Header text"));
    addBand(page, model::btMasterData, 100, 100, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 10, 110, QStringLiteral("[Aqy.\"N\"]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    // 40 of header, then three rows of 100 fit on a page of 360.
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(pageTexts(0), (QStringList{"Header text", "1", "2", "3"}));
    EXPECT_EQ(pageTexts(1), (QStringList{"Header text", "4", "5", "6"}));
    model::TqxPage &first = report.EMFPages().Unpack(0);
    EXPECT_EQ(first.object(1)->Top, 40 + 10);
    EXPECT_EQ(first.object(2)->Top, 140 + 10);
    EXPECT_EQ(first.object(1)->Left, 10);
}

TEST_F(PageEngineTest, EmptyMasterSourceFollowsPrintIfEmpty)
{
    test::BuildTest::aqy->close();
    auto *empty = new test::MemoryRecordSet(0, QStringLiteral("Empty"), &form);
    dataSet->setDataSet(empty);
    model::TqxPage &page = addPage();
    addBand(page, model::btReportTitle, 0, 30, QStringLiteral("Title"));
    addBand(page, model::btMasterData, 50, 30, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addBand(page, model::btMasterFooter, 100, 30, QStringLiteral("Footer"));
    addBand(page, model::btReportSummary, 150, 30, QStringLiteral("Summary"));
    recordBands();

    report.PrintIfEmpty = false;
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 0);

    report.PrintIfEmpty = true;
    bandLog.clear();
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 1);
    EXPECT_EQ(bandLog, (QStringList{"Title", "Summary"}));
}

TEST_F(PageEngineTest, PageFooterFollowsItsFirstAndLastPageFlags)
{
    model::TqxPage &page = addPage(1000);
    addBand(page, model::btMasterData, 0, 100, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    TqxBandView &footer = addBand(page, model::btPageFooter, 300, 40, QStringLiteral("Footer"));
    addText(page, 0, 300, QStringLiteral("Page [PAGE#]"));
    // 360 less a 40 footer leaves three rows per page: pages 1 and 2.

    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_FALSE(pageTexts(0).contains("Page 1"));
    EXPECT_FALSE(pageTexts(1).contains("Page 2")) << "the last page is footed only with OnLastPage";

    footer.Flags |= TqxBandView::kOnFirstPageFlag | TqxBandView::kOnLastPageFlag;
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_TRUE(pageTexts(0).contains("Page 1"));
    EXPECT_TRUE(pageTexts(1).contains("Page 2"));
    model::TqxPage &second = report.EMFPages().Unpack(1);
    EXPECT_EQ(second.object(second.objectCount() - 1)->Top, page.PageInfo.PaperHeightPx - 40)
        << "footer sits at the bottom";
}

TEST_F(PageEngineTest, GroupsBreakWithFootersBeforeHeadersAndStartPagesWhenAsked)
{
    model::TqxPage &page = addPage();
    TqxBandView &outer = addBand(page, model::btGroupHeader, 0, 20, QStringLiteral("Outer"),
                                 QStringLiteral("Aqy.\"N\" > 4"));
    addBand(page, model::btGroupHeader, 30, 20, QStringLiteral("Inner"),
            QStringLiteral("Aqy.\"N\" > 2"));
    addBand(page, model::btMasterData, 60, 20, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addBand(page, model::btGroupFooter, 90, 20, QStringLiteral("InnerFooter"));
    addBand(page, model::btGroupFooter, 120, 20, QStringLiteral("OuterFooter"));
    recordBands();

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList expected{"Outer",       "Inner",       "Data",        "Data",
                               "InnerFooter", "Inner",       "Data",        "Data",
                               "InnerFooter", "OuterFooter", "Outer",       "Inner",
                               "Data",        "Data",        "InnerFooter", "OuterFooter"};
    EXPECT_EQ(bandLog, expected);
    EXPECT_EQ(report.EMFPages().Count(), 1);

    outer.Flags |= TqxBandView::kFormNewPageFlag;
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 2) << "the second outer group starts a page";
}

TEST_F(PageEngineTest, RepeatedGroupHeaderOpensEveryNewPageInsideTheGroup)
{
    model::TqxPage &page = addPage(1000);
    TqxBandView &group =
        addBand(page, model::btGroupHeader, 0, 40, QStringLiteral("Group"), QStringLiteral("1"));
    group.Flags |= TqxBandView::kRepeatHeaderFlag;
    addBand(page, model::btMasterData, 50, 100, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 0, 0, QStringLiteral("Group head"));

    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(pageTexts(1).value(0), "Group head");
}

TEST_F(PageEngineTest, MasterWithoutDetailRecordsIsSkippedUnlessPrintIfSubsetEmpty)
{
    auto *details = new test::MemoryRecordSet(0, QStringLiteral("Details"), &form);
    auto *detailSource = new engine::TqxDBDataSet(QStringLiteral("qxDetails"), &form);
    detailSource->setDataSet(details);
    model::TqxPage &page = addPage();
    TqxBandView &master = addBand(page, model::btMasterData, 0, 20, QStringLiteral("Master"),
                                  QStringLiteral("qxDBDataSet1"));
    addBand(page, model::btDetailData, 30, 20, QStringLiteral("Detail"),
            QStringLiteral("qxDetails"));
    recordBands();

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_TRUE(bandLog.isEmpty());

    master.Flags |= TqxBandView::kPrintIfSubsetEmptyFlag;
    bandLog.clear();
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(bandLog.count("Master"), 6);
}

TEST_F(PageEngineTest, ColumnWidthSplitsThePrintableWidth)
{
    model::TqxPage &page = addPage();
    page.Margins = {10, 10, 0, 10};
    page.ColCount = 2;
    page.ColGap = 20;
    page.Margins.right = page.PageInfo.PaperWidthPx - 710; // printable width 700
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(page.ColWidth, 340);
}

TEST_F(PageEngineTest, LabelBandFillsColumnsSideBySide)
{
    model::TqxPage &page = addPage();
    TqxBandView &labels = addBand(page, model::btMasterData, 0, 50, QStringLiteral("Labels"),
                                  QStringLiteral("qxDBDataSet1"));
    labels.Columns = 3;
    labels.ColumnWidth = 200;
    labels.ColumnGap = 20;
    addText(page, 0, 0, QStringLiteral("[Aqy.\"N\"]"));

    ASSERT_TRUE(report.BuildPages());
    model::TqxPage &out = report.EMFPages().Unpack(0);
    ASSERT_EQ(out.objectCount(), 6);
    EXPECT_EQ(out.object(0)->Left, 0);
    EXPECT_EQ(out.object(1)->Left, 220);
    EXPECT_EQ(out.object(2)->Left, 440);
    EXPECT_EQ(out.object(2)->Top, 0);
    EXPECT_EQ(out.object(3)->Left, 0);
    EXPECT_EQ(out.object(3)->Top, 50);
}

TEST_F(PageEngineTest, ScriptPageBreaksComeBeforeTheBandAndKeepAnAssignedPosition)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btPageHeader, 0, 40, QStringLiteral("Header"));
    TqxBandView &title = addBand(page, model::btReportTitle, 50, 20, QStringLiteral("Title"));
    title.Script = QStringList{"begin NewPage; NewPage end"};
    addText(page, 0, 50, QStringLiteral("Title text"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(pageTexts(2), QStringList{"Title text"});

    title.Script = QStringList{"begin CurY := 300; NewPage end"};
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(report.EMFPages().Unpack(1).object(0)->Top, 300);
}

TEST_F(PageEngineTest, BandTallerThanAPageIsSplitInsteadOfLooping)
{
    model::TqxPage &page = addPage(1000);
    addBand(page, model::btReportTitle, 0, 700, QStringLiteral("Tall"));
    addText(page, 0, 10, QStringLiteral("top part"));
    addText(page, 0, 500, QStringLiteral("bottom part"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(pageTexts(0), QStringList{"top part"});
    EXPECT_EQ(pageTexts(1), QStringList{"bottom part"});
}

TEST_F(PageEngineTest, SecondPageMarkedPrintToPrevPageContinuesOnTheLastPage)
{
    model::TqxPage &first = addPage();
    addBand(first, model::btReportTitle, 0, 40, QStringLiteral("First"));
    addText(first, 0, 0, QStringLiteral("first"));
    model::TqxPage &second = addPage();
    second.PrintToPrevPage = true;
    addBand(second, model::btReportTitle, 0, 40, QStringLiteral("Second"));
    addText(second, 0, 0, QStringLiteral("second"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 1);
    EXPECT_EQ(pageTexts(0), (QStringList{"first", "second"}));
    EXPECT_EQ(report.EMFPages().Unpack(0).object(1)->Top, 40);
}

TEST_F(PageEngineTest, BuildLeavesTheTemplateGeometryAsItWas)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 100, 30, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    model::TqxMemoView &text = addText(page, 15, 105, QStringLiteral("[Aqy.\"N\"]"));
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(text.Top, 105);
    EXPECT_EQ(text.Left, 15);
}

} // namespace

namespace {

TEST_F(PageEngineTest, RowsTallerThanThePrintableHeightGiveOnePageEach)
{
    // 1000 tenths is 361 design pixels; a 370 pixel row never fits a page.
    model::TqxPage &page = addPage(1000);
    addBand(page, model::btMasterData, 0, 370, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 0, 10, QStringLiteral("[Aqy.\"N\"]"));
    ASSERT_TRUE(report.BuildPages());
    ASSERT_EQ(report.EMFPages().Count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(pageTexts(i), QStringList{QString::number(i + 1)});
}

} // namespace

namespace {

TEST_F(PageEngineTest, FooterTotalsRestartAfterTheFooterPrints)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btGroupHeader, 0, 20, QStringLiteral("Group"),
            QStringLiteral("Aqy.\"N\" > 3"));
    addBand(page, model::btMasterData, 30, 20, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addBand(page, model::btGroupFooter, 60, 20, QStringLiteral("GroupFooter"));
    addText(page, 0, 60, QStringLiteral("[SUM([Aqy.\"N\"])] [MIN([Aqy.\"N\"])] [COUNT(Data)]"));
    addBand(page, model::btReportSummary, 90, 20, QStringLiteral("Summary"));
    addText(page, 0, 90, QStringLiteral("[SUM([Aqy.\"N\"])] [MAX([Aqy.\"N\"])]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    // Groups 1-3 and 4-6; the summary runs over all six rows.
    EXPECT_EQ(pageTexts(0), (QStringList{"6 1 3", "15 4 3", "21 6"}));
}

TEST_F(PageEngineTest, InvisibleMasterPrintsItsChildAndStillCountsTheRow)
{
    model::TqxPage &page = addPage();
    TqxBandView &data = addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data"),
                                QStringLiteral("qxDBDataSet1"));
    data.Visible = false;
    data.ChildBand = QStringLiteral("Child");
    data.Flags |= TqxBandView::kPrintChildIfInvisibleFlag;
    addBand(page, model::btChild, 30, 20, QStringLiteral("Child"));
    addText(page, 0, 30, QStringLiteral("child"));
    addBand(page, model::btReportSummary, 60, 20, QStringLiteral("Summary"));
    addText(page, 0, 60, QStringLiteral("[SUM([Aqy.\"N\"], Data, 1)]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList texts = pageTexts(0);
    EXPECT_EQ(texts.count("child"), 6);
    EXPECT_EQ(texts.last(), "21");
}

} // namespace

namespace {

TEST_F(PageEngineTest, PageHeaderTallerThanThePageStopsTheBuildWithAMessage)
{
    model::TqxPage &page = addPage(1000);
    page.Name = QStringLiteral("Page1");
    addBand(page, model::btPageHeader, 0, 400, QStringLiteral("Header"));
    addText(page, 0, 380, QStringLiteral("low"));
    // Six rows of 100 need a second page, whose header can never fit.
    addBand(page, model::btMasterData, 410, 100, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("放不下")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

} // namespace
