#include "BuildFixture.h"
#include "PlacedTexts.h"
#include "report/engine/TqxBand.h"
#include "report/engine/TqxDataset.h"

using namespace tovren;
using model::TqxBandView;
using test::PlacedText;

namespace {

/// Cross bands over the three rows of "Aqy": the row band's cells are laid out once per column.
class CrossBandTest : public test::BuildTest
{
protected:
    CrossBandTest()
        : BuildTest(3)
    {}

    /// A vertical band from @p left, @p width wide, over the whole page.
    TqxBandView &addCrossBand(model::TqxPage &page, int type, int left, int width,
                              const QString &name, const QString &source = {})
    {
        TqxBandView &band = addBand(page, type, 0, 0, name, source);
        band.SetBounds(left, 0, width, page.PageInfo.PaperHeightPx);
        return band;
    }

    /// A text object that fits in a cross band column.
    model::TqxMemoView &addCell(model::TqxPage &page, int left, int top, const QString &text)
    {
        model::TqxMemoView &memo = addText(page, left, top, text);
        memo.Width = 80;
        return memo;
    }

    std::vector<PlacedText> placed(qsizetype index)
    {
        return test::placedTexts(report.EMFPages(), index);
    }
};

TEST_F(CrossBandTest, CrossTabKeepsTotalsPerColumnAndTheFooterShowsTheWidestRow)
{
    // Row n has n columns: the columns' source ends after as many records as the row's number,
    // and has none once the rows are done.
    auto *columns = new engine::TqxUserDataset(QStringLiteral("qxColumns"), &form);
    columns->setOnCheckEof([this](engine::TqxDataset &sender, bool &eof) {
        eof = aqy->eof() || sender.recordNo() >= aqy->row();
    });
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addBand(page, model::btMasterFooter, 40, 20, QStringLiteral("Foot"));
    addCrossBand(page, model::btCrossHeader, 0, 100, QStringLiteral("Head"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("qxColumns"));
    addCrossBand(page, model::btCrossFooter, 600, 100, QStringLiteral("Tot"));
    addCell(page, 0, 0, QStringLiteral("R[LINE#]"));
    addCell(page, 100, 0, QStringLiteral("c[COLUMN#] r[Aqy.\"N\"]"));
    addCell(page, 600, 0, QStringLiteral("T[SUM([Aqy.\"N\"])]"));
    addCell(page, 0, 40, QStringLiteral("Total"));
    addCell(page, 100, 40, QStringLiteral("[SUM([Aqy.\"N\"])] [COUNT(Rows)]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 1);
    const std::vector<PlacedText> expected{
        {"R1", 0, 0},       {"c1 r1", 100, 0},  {"T1", 200, 0},     {"R2", 0, 20},
        {"c1 r2", 100, 20}, {"c2 r2", 200, 20}, {"T4", 300, 20},    {"R3", 0, 40},
        {"c1 r3", 100, 40}, {"c2 r3", 200, 40}, {"c3 r3", 300, 40}, {"T9", 400, 40},
        {"Total", 0, 60},   {"6 3", 100, 60},   {"5 2", 200, 60},   {"3 1", 300, 60},
    };
    EXPECT_EQ(placed(0), expected);
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(placed(0), expected) << "second build";
    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(placed(0), expected) << "two pass";
}

TEST_F(CrossBandTest, MasterFooterIsMeasuredOverTheWidestRowsColumns)
{
    // The columns' source has none left once the rows are done, as in a cross tab whose columns
    // follow the rows.
    auto *columns = new engine::TqxUserDataset(QStringLiteral("qxColumns"), &form);
    columns->setOnCheckEof([this](engine::TqxDataset &sender, bool &eof) {
        eof = aqy->eof() || sender.recordNo() >= 2;
    });
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    TqxBandView &foot = addBand(page, model::btMasterFooter, 40, 20, QStringLiteral("Foot"));
    foot.Flags = model::TqxView::kStretchedFlag;
    addBand(page, model::btReportSummary, 80, 20, QStringLiteral("Summary"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("qxColumns"));
    addCell(page, 100, 0, QStringLiteral("c[COLUMN#]"));
    model::TqxMemoView &footCell = addCell(page, 100, 40, QStringLiteral("f1"));
    footCell.Memo = QStringList{"f1", "f2", "f3", "f4"};
    footCell.Flags = model::TqxView::kStretchedFlag;
    addText(page, 300, 80, QStringLiteral("after")).Width = 80;

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const std::vector<PlacedText> texts = placed(0);
    ASSERT_EQ(texts.size(), 9u);
    // Three rows of 20 put the footer at 60; its four lines make it taller than its 20.
    EXPECT_EQ(texts[6].top, 60);
    EXPECT_EQ(texts[7].top, 60) << "the footer shows both columns";
    EXPECT_EQ(texts[8].text, QStringLiteral("after"));
    EXPECT_GT(texts[8].top, 60 + 20) << "the footer kept its design height";
}

TEST_F(CrossBandTest, MultipleReportBuiltTwiceGivesTheSamePages)
{
    // One copy of the page per record of "Aqy"; the columns of a copy come from "qxCols", which
    // has as many records as the copy's record number, and none for the footer.
    auto *columns = new engine::TqxUserDataset(QStringLiteral("qxCols"), &form);
    int rowsDone = 0;
    columns->setOnCheckEof([this, &rowsDone](engine::TqxDataset &sender, bool &eof) {
        eof = rowsDone > 0 || sender.recordNo() >= aqy->row();
    });
    report.ReportType = engine::rtMultiple;
    report.Dataset = dataSet;
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"), QStringLiteral("1"));
    addBand(page, model::btMasterFooter, 40, 20, QStringLiteral("Foot"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("qxCols"));
    addCell(page, 100, 0, QStringLiteral("c[COLUMN#]"));
    addCell(page, 100, 40, QStringLiteral("f[COLUMN#]"));
    report.OnBeginBand = [&rowsDone](engine::TqxBand &band) {
        rowsDone = band.Name == u"Foot" ? 1 : 0;
    };

    const auto allPages = [this] {
        std::vector<std::vector<PlacedText>> pages;
        for (qsizetype p = 0; p < report.EMFPages().Count(); ++p)
            pages.push_back(placed(p));
        return pages;
    };
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const auto first = allPages();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], (std::vector<PlacedText>{{"c1", 100, 0}, {"f1", 100, 20}}));
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(allPages(), first) << "second build";
}

TEST_F(CrossBandTest, FiveRecordsGiveFiveColumnsAndTheColumnEventsMayWidenThem)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"), QStringLiteral("5"));
    addCell(page, 100, 0, QStringLiteral("[COLUMN#]"));
    addText(page, 0, 0, QStringLiteral("row [Aqy.\"N\"]")).Width = 90;
    QStringList events;
    report.OnBeginColumn = [&events](engine::TqxBand &band) { events << "begin " + band.Name; };

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList texts = pageTexts(0);
    EXPECT_EQ(texts.mid(0, 6), (QStringList{"row 1", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(texts.size(), 18);
    const std::vector<PlacedText> rowTwo = placed(0);
    EXPECT_EQ(rowTwo[7], (PlacedText{"1", 100, 20}));
    EXPECT_EQ(rowTwo[11], (PlacedText{"5", 500, 20}));
    // Measured, then output, for each of the three rows.
    EXPECT_EQ(events.count("begin Rows"), 6);

    QList<int> widths;
    report.OnPrintColumn = [&widths](int column, int &width) {
        if (width > 0) {
            widths << column;
            width = 60;
        }
    };
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(widths.mid(0, 5), (QList<int>{1, 2, 3, 4, 5}));
    const std::vector<PlacedText> narrow = placed(0);
    EXPECT_EQ(narrow[1], (PlacedText{"1", 100, 0}));
    EXPECT_EQ(narrow[2], (PlacedText{"2", 160, 0}));
    EXPECT_EQ(narrow[5], (PlacedText{"5", 340, 0}));
}

TEST_F(CrossBandTest, StretchedCellsShowTheirOwnColumnNotTheLastOneMeasured)
{
    model::TqxPage &page = addPage();
    TqxBandView &rows = addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"),
                                QStringLiteral("qxDBDataSet1"));
    rows.Flags = model::TqxView::kStretchedFlag;
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"), QStringLiteral("3"));
    addCell(page, 100, 0, QStringLiteral("c[COLUMN#] r[Aqy.\"N\"]")).Flags =
        model::TqxView::kStretchedFlag;

    const QStringList expected{"c1 r1", "c2 r1", "c3 r1", "c1 r2", "c2 r2",
                               "c3 r2", "c1 r3", "c2 r3", "c3 r3"};
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), expected);

    // The first of two passes runs the cells' scripts column by column as well.
    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), expected);
}

TEST_F(CrossBandTest, ColumnsWiderThanThePageContinueOnAPageToTheRightAtTheSameHeight)
{
    model::TqxPage &page = addPage();
    TqxBandView &pageHeader = addBand(page, model::btPageHeader, 0, 30, QStringLiteral("PH"));
    pageHeader.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(page, 350, 0, QStringLiteral("page [PAGE#]")).Width = 80;
    addBand(page, model::btMasterData, 40, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    TqxBandView &head = addCrossBand(page, model::btCrossHeader, 0, 100, QStringLiteral("Head"));
    head.Flags |= TqxBandView::kRepeatHeaderFlag;
    addCrossBand(page, model::btCrossData, 100, 200, QStringLiteral("Cols"), QStringLiteral("5"));
    addCell(page, 0, 40, QStringLiteral("R[LINE#]"));
    addCell(page, 100, 40, QStringLiteral("[COLUMN#]"));
    // Three columns of 200 fit after the header; the page is narrower than 900.
    ASSERT_LT(page.RightEdge(), 900);
    ASSERT_GE(page.RightEdge(), 700);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    const std::vector<PlacedText> left = placed(0);
    const std::vector<PlacedText> expectedLeft{
        {"page 1", 350, 0}, {"R1", 0, 30},  {"1", 100, 30}, {"2", 300, 30}, {"3", 500, 30},
        {"R2", 0, 50},      {"1", 100, 50}, {"2", 300, 50}, {"3", 500, 50}, {"R3", 0, 70},
        {"1", 100, 70},     {"2", 300, 70}, {"3", 500, 70},
    };
    EXPECT_EQ(left, expectedLeft) << pageTexts(0).join(u'|').toStdString();
    const std::vector<PlacedText> right = placed(1);
    const std::vector<PlacedText> expectedRight{
        {"page 2", 350, 0}, {"R1", 0, 30},  {"4", 100, 30}, {"5", 300, 30}, {"R2", 0, 50},
        {"4", 100, 50},     {"5", 300, 50}, {"R3", 0, 70},  {"4", 100, 70}, {"5", 300, 70},
    };
    EXPECT_EQ(right, expectedRight) << pageTexts(1).join(u'|').toStdString();
}

TEST_F(CrossBandTest, CellsWithoutAColumnSourceStopTheBuildWithAMessage)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    TqxBandView &columns = addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"));
    addCell(page, 100, 0, QStringLiteral("[COLUMN#]"));

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("没有数据源")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);

    columns.CustomFormat = QStringLiteral("qxNoSuchSource");
    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("qxNoSuchSource")))
        << report.lastMessage().toStdString();
}

TEST_F(CrossBandTest, BandSourceListGivesEachNamedBandItsOwnColumns)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterHeader, 0, 20, QStringLiteral("Head"));
    addBand(page, model::btMasterData, 30, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("head=2;Rows=1;"));
    addCell(page, 100, 0, QStringLiteral("t[COLUMN#]"));
    addCell(page, 100, 30, QStringLiteral("r[COLUMN#]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), (QStringList{"t1", "t2", "r1", "r1", "r1"}));
}

TEST_F(CrossBandTest, BandNamedTwiceInTheSourceListTakesTheLaterSourceAndClosesTheEarlier)
{
    auto *heads = new test::MemoryRecordSet(4, QStringLiteral("Heads"), &form);
    auto *headSource = new engine::TqxDBDataSet(QStringLiteral("qxHeads"), &form);
    headSource->setDataSet(heads);
    int opened = 0;
    int closed = 0;
    headSource->setOnOpen([&opened](engine::TqxDataset &) { ++opened; });
    headSource->setOnClose([&closed](engine::TqxDataset &) { ++closed; });
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterHeader, 0, 20, QStringLiteral("Head"));
    addBand(page, model::btMasterData, 30, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("Head=qxHeads;Rows=1;head=2;"));
    addCell(page, 100, 0, QStringLiteral("t[COLUMN#]"));
    addCell(page, 100, 30, QStringLiteral("r[COLUMN#]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), (QStringList{"t1", "t2", "r1", "r1", "r1"}));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, opened) << "the replaced source was left open";
}

TEST_F(CrossBandTest, BadColumnSourceListStopsTheBuildAndLeavesTheTemplateAsDesigned)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 30, 20, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"),
                 QStringLiteral("Rows=2x;"));
    addCell(page, 110, 35, QStringLiteral("r[COLUMN#]"));
    addText(page, 300, 30, QStringLiteral("own"));
    // A designer holding on to its objects (and their selection) keeps them over a failed build.
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        page.object(i)->Selected = true;

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("2x")))
        << report.lastMessage().toStdString();
    model::TqxPage &kept = *report.Pages().page(0);
    ASSERT_EQ(kept.objectCount(), 4);
    for (qsizetype i = 0; i < kept.objectCount(); ++i)
        EXPECT_TRUE(kept.object(i)->Selected) << "object " << i << " was replaced";
    EXPECT_EQ((std::pair{kept.object(2)->Left, kept.object(2)->Top}), (std::pair{110, 35}));
    EXPECT_EQ((std::pair{kept.object(3)->Left, kept.object(3)->Top}), (std::pair{300, 30}));

    kept.object(1)->CustomFormat = QStringLiteral("Rows=2;");
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const std::vector<PlacedText> texts = placed(0);
    ASSERT_GE(texts.size(), 3U);
    const std::vector<PlacedText> firstRow{{"own", 300, 0}, {"r1", 110, 5}, {"r2", 210, 5}};
    EXPECT_EQ(std::vector<PlacedText>(texts.begin(), texts.begin() + 3), firstRow);
}

} // namespace

namespace {

TEST_F(CrossBandTest, CrossedRowTallerThanThePageLeavesNoEmptyPages)
{
    model::TqxPage &page = addPage(1000); // 361 design pixels tall
    addBand(page, model::btMasterData, 0, 400, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 100, QStringLiteral("Cols"), QStringLiteral("2"));
    addCell(page, 100, 0, QStringLiteral("r[Aqy.\"N\"] c[COLUMN#]"));

    const bool built = report.BuildPages();
    QStringList perPage;
    for (qsizetype p = 0; p < report.EMFPages().Count(); ++p)
        perPage << pageTexts(p).join(u',');
    EXPECT_TRUE(built) << report.lastMessage().toStdString();
    EXPECT_EQ(perPage, (QStringList{"r1 c1,r1 c2", "r2 c1,r2 c2", "r3 c1,r3 c2"}));
}

TEST_F(CrossBandTest, RowsThatBreakToANewPageOverflowToTheirOwnPageOnTheRight)
{
    model::TqxPage &page = addPage(1000); // 361 design pixels tall
    TqxBandView &pageHeader = addBand(page, model::btPageHeader, 0, 30, QStringLiteral("PH"));
    pageHeader.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(page, 350, 0, QStringLiteral("page [PAGE#]")).Width = 80;
    addBand(page, model::btMasterData, 40, 150, QStringLiteral("Rows"),
            QStringLiteral("qxDBDataSet1"));
    addCrossBand(page, model::btCrossData, 100, 200, QStringLiteral("Cols"), QStringLiteral("4"));
    addCell(page, 100, 40, QStringLiteral("r[Aqy.\"N\"] c[COLUMN#]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    // Two rows of 150 fit below the header; the third starts page 3, its overflow page 4.
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_EQ(placed(1),
              (std::vector<PlacedText>{{"page 2", 350, 0}, {"r1 c4", 0, 30}, {"r2 c4", 0, 180}}));
    EXPECT_EQ(placed(2),
              (std::vector<PlacedText>{
                  {"page 3", 350, 0}, {"r3 c1", 100, 30}, {"r3 c2", 300, 30}, {"r3 c3", 500, 30}}));
    EXPECT_EQ(placed(3), (std::vector<PlacedText>{{"page 4", 350, 0}, {"r3 c4", 0, 30}}));

    // The first of two passes adds the same pages to the right without writing on them.
    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_EQ(placed(3), (std::vector<PlacedText>{{"page 4", 350, 0}, {"r3 c4", 0, 30}}));
}

} // namespace
