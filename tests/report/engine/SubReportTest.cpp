#include "BuildFixture.h"
#include "PlacedTexts.h"
#include "report/model/TqxSubReportView.h"

#include <QRegularExpression>

using namespace tovren;
using model::TqxBandView;
using test::PlacedText;

namespace {

/// A main page whose bands hold sub-report objects, and sub-report pages walking their own
/// record sets.
class SubReportTest : public test::BuildTest
{
protected:
    SubReportTest()
        : BuildTest(2)
    {}

    /// A record set of @p rows rows named @p name, with a report data source "qx" + name.
    void addSource(const QString &name, int rows)
    {
        auto *records = new test::MemoryRecordSet(rows, name, &form);
        auto *source = new engine::TqxDBDataSet(QStringLiteral("qx") + name, &form);
        source->setDataSet(records);
    }

    model::TqxSubReportView &addSubReport(model::TqxPage &page, int left, int top,
                                          int subReportPage, const QString &name = {})
    {
        auto view = std::make_unique<model::TqxSubReportView>();
        view->Name = name.isEmpty() ? QStringLiteral("SubReport%1").arg(page.objectCount()) : name;
        view->SetBounds(left, top, 200, 20);
        view->SubReportPage = subReportPage;
        return static_cast<model::TqxSubReportView &>(page.addObject(std::move(view)));
    }

    /// A sub-report page: a title that must not be output and a data band of @p rowHeight
    /// showing "<prefix><N>" for each record of "qx" + @p source.
    model::TqxPage &addListPage(const QString &source, int rowHeight, const QString &prefix,
                                model::TenthsMm height = 2970)
    {
        model::TqxPage &page = addPage(height);
        addBand(page, model::btReportTitle, 0, 20, QStringLiteral("Title") + source);
        addText(page, 0, 0, QStringLiteral("never"));
        addBand(page, model::btMasterData, 30, rowHeight, QStringLiteral("Data") + source,
                QStringLiteral("qx") + source);
        addText(page, 0, 30, prefix + QStringLiteral("[%1.\"N\"]").arg(source)).Width = 100;
        return page;
    }

    /// A main page whose title holds an "Outer" sub-report (rows of 20, "o<N>"), each row of
    /// which holds an "Inner" sub-report (rows of 50, "i<N>") at x 200.
    void addNestedSubReports(int outerRows, int innerRows)
    {
        addSource(QStringLiteral("Outer"), outerRows);
        addSource(QStringLiteral("Inner"), innerRows);
        model::TqxPage &main = addPage(1000);
        addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
        addSubReport(main, 100, 0, 1);
        model::TqxPage &outer = addListPage(QStringLiteral("Outer"), 20, QStringLiteral("o"), 1000);
        addSubReport(outer, 100, 30, 2);
        addListPage(QStringLiteral("Inner"), 50, QStringLiteral("i"), 1000);
    }

    std::vector<PlacedText> placed(qsizetype index)
    {
        return test::placedTexts(report.EMFPages(), index);
    }
    QStringList textsOf(qsizetype index, const QString &prefix)
    {
        return pageTexts(index).filter(QRegularExpression(QStringLiteral("^") + prefix));
    }
};

TEST_F(SubReportTest, SubReportPlaysBesideEachRowOfADataBandAndMovesTheNextRowDown)
{
    addSource(QStringLiteral("Details"), 3);
    model::TqxPage &main = addPage();
    addBand(main, model::btMasterData, 0, 30, QStringLiteral("Main"),
            QStringLiteral("qxDBDataSet1"));
    addText(main, 0, 0, QStringLiteral("m[Aqy.\"N\"]")).Width = 100;
    addSubReport(main, 300, 5, 1);
    addBand(main, model::btReportSummary, 100, 20, QStringLiteral("Summary"));
    addText(main, 0, 100, QStringLiteral("end")).Width = 100;
    addListPage(QStringLiteral("Details"), 20, QStringLiteral("d"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 1) << "the sub-report page is not built on its own";
    // Each row is as tall as its sub-report: 5 down, then three rows of 20.
    const std::vector<PlacedText> expected{
        {"m1", 0, 0},    {"d1", 300, 5},  {"d2", 300, 25},  {"d3", 300, 45}, {"m2", 0, 65},
        {"d1", 300, 70}, {"d2", 300, 90}, {"d3", 300, 110}, {"end", 0, 130},
    };
    EXPECT_EQ(placed(0), expected);
}

TEST_F(SubReportTest, SubReportLongerThanThePageContinuesBelowThePageHeader)
{
    addSource(QStringLiteral("Details"), 10);
    model::TqxPage &main = addPage(1000);
    TqxBandView &header = addBand(main, model::btPageHeader, 0, 30, QStringLiteral("Header"));
    header.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(main, 400, 0, QStringLiteral("page [PAGE#]")).Width = 100;
    addBand(main, model::btMasterData, 40, 20, QStringLiteral("Main"), QStringLiteral("1"));
    addSubReport(main, 0, 40, 1);
    addBand(main, model::btReportSummary, 100, 20, QStringLiteral("Summary"));
    addText(main, 0, 100, QStringLiteral("end")).Width = 100;
    addListPage(QStringLiteral("Details"), 50, QStringLiteral("d"));
    const int bottom = main.BottomEdge();
    ASSERT_GE(bottom, 330 + 20);
    ASSERT_LT(bottom, 380);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(placed(0).front(), (PlacedText{"page 1", 400, 0}));
    EXPECT_EQ(textsOf(0, "d"), (QStringList{"d1", "d2", "d3", "d4", "d5", "d6"}));
    EXPECT_EQ(placed(0).back(), (PlacedText{"d6", 0, 280}));
    const std::vector<PlacedText> second{{"page 2", 400, 0}, {"d7", 0, 30},   {"d8", 0, 80},
                                         {"d9", 0, 130},     {"d10", 0, 180}, {"end", 0, 230}};
    EXPECT_EQ(placed(1), second);

    // The first of two passes makes the same page breaks without writing anything.
    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(placed(1), second);
}

TEST_F(SubReportTest, SubReportRowTallerThanAPageStopsTheBuildInsteadOfLooping)
{
    addSource(QStringLiteral("Details"), 2);
    model::TqxPage &main = addPage(1000);
    addBand(main, model::btMasterData, 0, 20, QStringLiteral("Main"), QStringLiteral("1"));
    addSubReport(main, 0, 0, 1);
    addListPage(QStringLiteral("Details"), 400, QStringLiteral("d"));

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("放不下")))
        << report.lastMessage().toStdString();
}

TEST_F(SubReportTest, SideBySideSubReportsBreakUntilTheLongerEndsWithoutReplayingTheShorter)
{
    addSource(QStringLiteral("Long"), 10);
    addSource(QStringLiteral("Short"), 5);
    model::TqxPage &main = addPage(1000);
    addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
    addSubReport(main, 0, 0, 1);
    addSubReport(main, 300, 0, 2);
    addBand(main, model::btReportSummary, 100, 20, QStringLiteral("Summary"));
    addText(main, 0, 100, QStringLiteral("end")).Width = 100;
    addListPage(QStringLiteral("Long"), 50, QStringLiteral("L"));
    addListPage(QStringLiteral("Short"), 50, QStringLiteral("S"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(textsOf(0, "L"), (QStringList{"L1", "L2", "L3", "L4", "L5", "L6", "L7"}));
    EXPECT_EQ(textsOf(0, "S"), (QStringList{"S1", "S2", "S3", "S4", "S5"}));
    const std::vector<PlacedText> second{
        {"L8", 0, 0}, {"L9", 0, 50}, {"L10", 0, 100}, {"end", 0, 150}};
    EXPECT_EQ(placed(1), second);
    EXPECT_TRUE(pageTexts(1).filter(QStringLiteral("never")).isEmpty());
}

TEST_F(SubReportTest, NestedSubReportBreaksThroughTheOuterPlayback)
{
    addNestedSubReports(3, 4);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    // Each outer row holds four inner rows of 50; the second runs out of page after three.
    const std::vector<PlacedText> first{
        {"o1", 100, 0},   {"i1", 200, 0},   {"i2", 200, 50},  {"i3", 200, 100}, {"i4", 200, 150},
        {"o2", 100, 200}, {"i1", 200, 200}, {"i2", 200, 250}, {"i3", 200, 300},
    };
    EXPECT_EQ(placed(0), first);
    const std::vector<PlacedText> second{
        {"i4", 200, 0},   {"o3", 100, 50},  {"i1", 200, 50},
        {"i2", 200, 100}, {"i3", 200, 150}, {"i4", 200, 200},
    };
    EXPECT_EQ(placed(1), second);
}

TEST_F(SubReportTest, OuterRowAfterANestedSubReportThatFilledItsPageGoesToTheNextPage)
{
    addNestedSubReports(2, 14);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    // Seven inner rows of 50 fill a page of 361: each outer row takes two pages.
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_EQ(textsOf(0, "o"), QStringList{"o1"});
    EXPECT_EQ(textsOf(1, "o"), QStringList{});
    EXPECT_EQ(textsOf(2, "o"), QStringList{"o2"});
    const QStringList firstHalf{"i1", "i2", "i3", "i4", "i5", "i6", "i7"};
    const QStringList secondHalf{"i8", "i9", "i10", "i11", "i12", "i13", "i14"};
    EXPECT_EQ(textsOf(0, "i"), firstHalf);
    EXPECT_EQ(textsOf(1, "i"), secondHalf);
    EXPECT_EQ(textsOf(2, "i"), firstHalf);
    EXPECT_EQ(textsOf(3, "i"), secondHalf);
    EXPECT_EQ(placed(2).front(), (PlacedText{"o2", 100, 0}));
}

TEST_F(SubReportTest, GroupsInASubReportBreakOnlyWhereTheirValueChangesAndRestartTheLines)
{
    addSource(QStringLiteral("Details"), 4);
    model::TqxPage &main = addPage();
    addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
    addSubReport(main, 0, 0, 1);
    model::TqxPage &list = addPage();
    addBand(list, model::btGroupHeader, 0, 20, QStringLiteral("Group"),
            QStringLiteral("Details.\"N\" > 2"));
    addText(list, 0, 0, QStringLiteral("g[Details.\"N\"]/[LINE#]")).Width = 100;
    addBand(list, model::btMasterData, 30, 20, QStringLiteral("Data"), QStringLiteral("qxDetails"));
    addText(list, 0, 30, QStringLiteral("d[Details.\"N\"]/[LINE#]")).Width = 100;
    addBand(list, model::btGroupFooter, 60, 20, QStringLiteral("GroupFooter"));
    addText(list, 0, 60, QStringLiteral("f")).Width = 100;

    const QStringList expected{"g1/1", "d1/1", "d2/2", "f", "g3/2", "d3/1", "d4/2", "f"};
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), expected);

    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), expected);
}

TEST_F(SubReportTest, CrossTableInASubReportStandsWhereTheSubReportIs)
{
    addSource(QStringLiteral("Rows"), 2);
    model::TqxPage &main = addPage();
    addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
    addSubReport(main, 300, 0, 1);
    model::TqxPage &table = addPage();
    addBand(table, model::btMasterData, 0, 20, QStringLiteral("Data"), QStringLiteral("qxRows"));
    addText(table, 0, 0, QStringLiteral("r[Rows.\"N\"]")).Width = 50;
    TqxBandView &columns =
        addBand(table, model::btCrossData, 0, 0, QStringLiteral("Cols"), QStringLiteral("2"));
    columns.SetBounds(100, 0, 60, table.PageInfo.PaperHeightPx);
    addText(table, 100, 0, QStringLiteral("c[COLUMN#]")).Width = 50;

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const std::vector<PlacedText> expected{
        {"r1", 300, 0},  {"c1", 400, 0},  {"c2", 460, 0},
        {"r2", 300, 20}, {"c1", 400, 20}, {"c2", 460, 20},
    };
    EXPECT_EQ(placed(0), expected);
}

TEST_F(SubReportTest, CrossTableInASubReportOverflowsFromTheSubReportsPlaceOntoTheBandsPage)
{
    addSource(QStringLiteral("Rows"), 2);
    model::TqxPage &main = addPage(); // 757 design pixels wide
    TqxBandView &mainHeader = addBand(main, model::btPageHeader, 0, 20, QStringLiteral("PH"));
    mainHeader.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(main, 0, 0, QStringLiteral("main header")).Width = 100;
    addBand(main, model::btReportTitle, 30, 20, QStringLiteral("Title"));
    addSubReport(main, 300, 30, 1);
    model::TqxPage &table = addPage();
    TqxBandView &tableHeader = addBand(table, model::btPageHeader, 0, 20, QStringLiteral("SubPH"));
    tableHeader.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(table, 200, 0, QStringLiteral("sub header")).Width = 100;
    addBand(table, model::btMasterData, 30, 20, QStringLiteral("Data"), QStringLiteral("qxRows"));
    addText(table, 0, 30, QStringLiteral("r[Rows.\"N\"]")).Width = 50;
    TqxBandView &columns =
        addBand(table, model::btCrossData, 0, 0, QStringLiteral("Cols"), QStringLiteral("7"));
    columns.SetBounds(100, 0, 60, table.PageInfo.PaperHeightPx);
    addText(table, 100, 30, QStringLiteral("c[COLUMN#]")).Width = 50;

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    // Moved by the sub-report's 300, five columns end at 700; the sixth would not fit. The
    // page to the right is the band's page, with the band page's header and never the
    // sub-report page's.
    EXPECT_EQ(placed(0), (std::vector<PlacedText>{{"r1", 300, 0},
                                                  {"c1", 400, 0},
                                                  {"c2", 460, 0},
                                                  {"c3", 520, 0},
                                                  {"c4", 580, 0},
                                                  {"c5", 640, 0},
                                                  {"r2", 300, 20},
                                                  {"c1", 400, 20},
                                                  {"c2", 460, 20},
                                                  {"c3", 520, 20},
                                                  {"c4", 580, 20},
                                                  {"c5", 640, 20},
                                                  {"main header", 0, 40}}));
    EXPECT_EQ(placed(1), (std::vector<PlacedText>{{"main header", 0, 0},
                                                  {"c6", 300, 0},
                                                  {"c7", 360, 0},
                                                  {"c6", 300, 20},
                                                  {"c7", 360, 20}}));
}

TEST_F(SubReportTest, NewPageCalledInASubReportBandNeverStartsAPageOfTheSubReportPage)
{
    addSource(QStringLiteral("Rows"), 3);
    model::TqxPage &main = addPage();
    addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
    addSubReport(main, 300, 0, 1);
    model::TqxPage &list = addListPage(QStringLiteral("Rows"), 20, QStringLiteral("row"));
    TqxBandView &pageHeader = addBand(list, model::btPageHeader, 200, 20, QStringLiteral("SubPH"));
    pageHeader.Flags |= TqxBandView::kOnFirstPageFlag;
    addText(list, 0, 200, QStringLiteral("sub header"));
    for (qsizetype i = 0; i < list.objectCount(); ++i) {
        if (list.object(i)->Name == u"DataRows")
            list.object(i)->Script = QStringList{"if [Rows.\"N\"] = 2 then NewPage"};
    }

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    QStringList all;
    for (qsizetype p = 0; p < report.EMFPages().Count(); ++p)
        all << pageTexts(p);
    EXPECT_FALSE(all.contains(QStringLiteral("sub header")));
    EXPECT_FALSE(all.contains(QStringLiteral("never")));
    EXPECT_EQ(all.filter(QStringLiteral("row")), (QStringList{"row1", "row2", "row3"}));
}

TEST_F(SubReportTest, MissingAndSelfContainingSubReportsStopTheBuildWithAMessage)
{
    addSource(QStringLiteral("Details"), 2);
    model::TqxPage &main = addPage();
    addBand(main, model::btReportTitle, 0, 20, QStringLiteral("Title"));
    model::TqxSubReportView &sub = addSubReport(main, 0, 0, 5, QStringLiteral("Lost"));
    model::TqxPage &list = addListPage(QStringLiteral("Details"), 20, QStringLiteral("d"));

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("Lost")));
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("不存在")))
        << report.lastMessage().toStdString();

    // Through another page...
    sub.SubReportPage = 1;
    model::TqxSubReportView &loop = addSubReport(list, 300, 30, 0, QStringLiteral("Back"));
    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("包含它自身")))
        << report.lastMessage().toStdString();
    // ...and directly.
    loop.SubReportPage = 1;
    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("Back")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(SubReportTest, BandHoldsMoreThanThirtyFiveSubReports)
{
    model::TqxPage &main = addPage();
    addBand(main, model::btReportTitle, 0, 80, QStringLiteral("Title"));
    constexpr int kSubReports = 40;
    for (int i = 0; i < kSubReports; ++i) {
        addSubReport(main, (i % 10) * 70, (i / 10) * 20, i + 1);
        model::TqxPage &page = addPage();
        addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data%1").arg(i),
                QStringLiteral("1"));
        addText(page, 0, 0, QStringLiteral("s%1").arg(i)).Width = 60;
    }

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 1);
    const std::vector<PlacedText> texts = placed(0);
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kSubReports));
    EXPECT_EQ(texts.back(), (PlacedText{"s39", 630, 60}));
}

} // namespace
