#include "BuildFixture.h"
#include "report/model/LineWrapper.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPage.h"

using namespace tovren;
using model::TqxBandView;
using model::TqxMemoView;

namespace {

constexpr model::TenthsMm kShortPage = 1000; // 361 design pixels

class BandSplitTest : public test::BuildTest
{
protected:
    BandSplitTest()
        : BuildTest(2)
    {}

    static QStringList numberedLines(int count, const QString &prefix = QStringLiteral("line "))
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << prefix + QString::number(i);
        return lines;
    }

    /// A stretching band at the top of the page holding one stretching text of @p lines.
    TqxMemoView &addStretchedText(model::TqxPage &page, int type, const QStringList &lines,
                                  const QString &source = {})
    {
        TqxBandView &band = addBand(page, type, 0, 30, QStringLiteral("Band"), source);
        band.Flags = model::TqxView::kStretchedFlag;
        TqxMemoView &memo = addText(page, 0, 0, QString(), QStringLiteral("Long"));
        memo.Memo = lines;
        memo.Flags = model::TqxView::kStretchedFlag;
        return memo;
    }

    /// Every text line written on the prepared pages by the object named @p name, in page order,
    /// with paragraph marks and blank lines left out.
    QStringList printedLines(const QString &name)
    {
        QStringList lines;
        for (qsizetype p = 0; p < report.EMFPages().Count(); ++p) {
            model::TqxPage &page = report.EMFPages().Unpack(p);
            for (qsizetype i = 0; i < page.objectCount(); ++i) {
                if (page.object(i)->Name != name)
                    continue;
                lines << BandSplitTest::lines(*page.object(i));
            }
        }
        return lines;
    }

    static QStringList lines(const model::TqxView &view)
    {
        QStringList result;
        for (QString line : view.Memo) {
            line.remove(model::kEndOfParagraph);
            if (!line.trimmed().isEmpty())
                result << line;
        }
        return result;
    }

    /// The pages on which the object named @p name was written.
    QList<qsizetype> pagesHolding(const QString &name)
    {
        QList<qsizetype> pages;
        for (qsizetype p = 0; p < report.EMFPages().Count(); ++p) {
            model::TqxPage &page = report.EMFPages().Unpack(p);
            for (qsizetype i = 0; i < page.objectCount(); ++i) {
                if (page.object(i)->Name == name && !pages.contains(p))
                    pages << p;
            }
        }
        return pages;
    }
};

class StretchedTextSplitTest : public BandSplitTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(StretchedTextSplitTest, EveryLineIsPrintedOnceAndInOrder)
{
    const int pageCount = GetParam();
    model::TqxPage &page = addPage(kShortPage);
    addStretchedText(page, model::btReportTitle, {});
    // Lines of about 15 pixels: some 23 fit a page, so this needs exactly pageCount pages.
    const int lineCount = 23 * pageCount - 10;
    page.object(1)->Memo = numberedLines(lineCount);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), pageCount);
    EXPECT_EQ(printedLines(QStringLiteral("Long")), numberedLines(lineCount));
    QList<qsizetype> expectedPages;
    for (int p = 0; p < pageCount; ++p)
        expectedPages << p;
    EXPECT_EQ(pagesHolding(QStringLiteral("Long")), expectedPages);
    // Each continuation starts at the top of its page.
    for (int p = 1; p < pageCount; ++p)
        EXPECT_EQ(report.EMFPages().Unpack(p).object(0)->Top, 0) << "page " << p;
}

INSTANTIATE_TEST_SUITE_P(OverPages, StretchedTextSplitTest, ::testing::Values(2, 3, 6));

TEST_F(BandSplitTest, TwoPassBuildPrintsTheSameLinesAsOnePass)
{
    model::TqxPage &page = addPage(kShortPage);
    addStretchedText(page, model::btReportTitle, numberedLines(50));
    report.TwoPass = true;

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(printedLines(QStringLiteral("Long")), numberedLines(50));
}

TEST_F(BandSplitTest, ObjectBelowACutTextMovesDownWithItsLinesOnTheNextPage)
{
    // A band taller than the page is split; the tall text in it is cut after a whole line and
    // the text below it follows the lines that went on to page 2.
    model::TqxPage &page = addPage(kShortPage);
    addBand(page, model::btReportTitle, 0, 600, QStringLiteral("Tall"));
    TqxMemoView &memo = addText(page, 0, 0, QString(), QStringLiteral("Long"));
    memo.Flags = 0;
    memo.Height = 500;
    memo.Memo = numberedLines(30);
    addText(page, 0, 510, QStringLiteral("after the text"), QStringLiteral("After"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(printedLines(QStringLiteral("Long")), numberedLines(30));
    EXPECT_EQ(pagesHolding(QStringLiteral("After")), QList<qsizetype>{1});
    model::TqxPage &last = report.EMFPages().Unpack(1);
    model::TqxView *rest = nullptr;
    model::TqxView *after = nullptr;
    for (qsizetype i = 0; i < last.objectCount(); ++i) {
        if (last.object(i)->Name == u"Long")
            rest = last.object(i);
        if (last.object(i)->Name == u"After")
            after = last.object(i);
    }
    ASSERT_TRUE(rest && after);
    EXPECT_EQ(rest->Top, 0);
    const auto restLines = static_cast<int>(lines(*rest).size());
    EXPECT_GT(restLines, 0);
    // The 10 pixels between the text and the object below are kept below the last line.
    EXPECT_GE(after->Top, restLines * 15 + 10);
    EXPECT_GE(after->Top, rest->Top + rest->Height);
}

TEST_F(BandSplitTest, EveryRecordOfAStretchedDataBandKeepsItsOwnLines)
{
    model::TqxPage &page = addPage(kShortPage);
    addStretchedText(page, model::btMasterData, numberedLines(30, QStringLiteral("R[Aqy.\"N\"] ")),
                     QStringLiteral("qxDBDataSet1"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(printedLines(QStringLiteral("Long")),
              numberedLines(30, QStringLiteral("R1 ")) + numberedLines(30, QStringLiteral("R2 ")));
}

class TallLineTest : public BandSplitTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(TallLineTest, LineTallerThanAnyPageStopsWithAMessageInsteadOfLooping)
{
    model::TqxPage &page = addPage(kShortPage);
    if (GetParam()) {
        // On every page, so no page offers the band its top edge.
        addBand(page, model::btPageHeader, 100, 40, QStringLiteral("Header")).Flags = 0x10;
        addText(page, 0, 100, QStringLiteral("header"));
    }
    TqxMemoView &memo = addStretchedText(page, model::btMasterData, numberedLines(3),
                                         QStringLiteral("qxDBDataSet1"));
    memo.LineSpacing = 400;

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("放不下")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutPageHeader, TallLineTest, ::testing::Bool());

TEST_F(BandSplitTest, SplitBandStartingOnAFullPageKeepsItsObjectsInPlaceOnTheNext)
{
    model::TqxPage &page = addPage(kShortPage);
    // The title fills the first page to its last pixel.
    addBand(page, model::btReportTitle, 0, page.BottomEdge(), QStringLiteral("Full"));
    TqxBandView &summary = addBand(page, model::btReportSummary, 400, 30, QStringLiteral("End"));
    summary.Flags = TqxBandView::kBreakedFlag;
    addText(page, 0, 400, QStringLiteral("end"), QStringLiteral("EndText"));
    addText(page, 300, 405, QStringLiteral("lower"), QStringLiteral("Lower"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 2);
    model::TqxPage &second = report.EMFPages().Unpack(1);
    ASSERT_EQ(second.objectCount(), 2);
    EXPECT_EQ(second.object(0)->Top, 0);
    EXPECT_EQ(second.object(1)->Top, 5);
}

TEST_F(BandSplitTest, SplitTextContinuesBelowThePageHeaderOfEachNewPage)
{
    model::TqxPage &page = addPage(kShortPage);
    addBand(page, model::btPageHeader, 100, 40, QStringLiteral("Header"));
    addText(page, 0, 100, QStringLiteral("header"), QStringLiteral("HeaderText"));
    TqxBandView &band = addBand(page, model::btReportTitle, 0, 30, QStringLiteral("Band"));
    band.Flags = model::TqxView::kStretchedFlag;
    TqxMemoView &memo = addText(page, 0, 0, QString(), QStringLiteral("Long"));
    memo.Memo = numberedLines(50);
    memo.Flags = model::TqxView::kStretchedFlag;

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(printedLines(QStringLiteral("Long")), numberedLines(50));
    for (qsizetype p = 1; p < 3; ++p) {
        model::TqxPage &prepared = report.EMFPages().Unpack(p);
        for (qsizetype i = 0; i < prepared.objectCount(); ++i) {
            if (prepared.object(i)->Name == u"Long") {
                EXPECT_EQ(prepared.object(i)->Top, 40) << "page " << p;
            }
        }
    }
}

/// Counts the texts it hears of, as a chart collecting printed values would.
class CountingHook : public model::TqxLineView
{
public:
    void NotifyHook(model::TqxView &printed) override { heard << printed.Name; }
    QStringList heard;
};

TEST_F(BandSplitTest, HooksHearOfATextOnceWhenItIsWrittenWholeNotOfItsSplitParts)
{
    model::TqxPage &page = addPage(kShortPage);
    addStretchedText(page, model::btReportTitle, numberedLines(50));
    addBand(page, model::btReportSummary, 600, 20, QStringLiteral("Summary"));
    addText(page, 0, 600, QStringLiteral("end"), QStringLiteral("End"));
    CountingHook hook;
    auto &hooks = model::TqxGlobals::instance().hookObjects;
    hooks.push_back(&hook);

    const bool built = report.BuildPages();
    hooks.erase(std::find(hooks.begin(), hooks.end(), &hook));
    ASSERT_TRUE(built) << report.lastMessage().toStdString();
    EXPECT_EQ(hook.heard, QStringList{"End"});
}

TEST_F(BandSplitTest, HiddenTextBesideASplitTextNeitherPrintsNorStopsTheBuild)
{
    model::TqxPage &page = addPage(kShortPage);
    addStretchedText(page, model::btReportTitle, numberedLines(50));
    TqxMemoView &hidden = addText(page, 300, 0, QStringLiteral("hidden"), QStringLiteral("Hidden"));
    hidden.Flags = model::TqxView::kStretchedFlag;
    hidden.Script = QStringList{"Visible := False"};

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(printedLines(QStringLiteral("Long")), numberedLines(50));
    EXPECT_TRUE(pagesHolding(QStringLiteral("Hidden")).isEmpty());
}

} // namespace
