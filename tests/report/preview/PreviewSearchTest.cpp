#include "report/preview/PreviewSearch.h"

#include "report/preview/PreviewTextRuns.h"
#include "tests/report/preview/PreviewFixture.h"

using namespace tovren;
using preview::PreviewSearch;
using preview::PreviewTextRuns;

namespace {

class PreviewSearchTest : public test::PreviewTest
{
};

TEST_F(PreviewSearchTest, TextRunsComeInDrawingOrderWithTheirPlaceOnThePage)
{
    ASSERT_TRUE(report.BuildPages());
    const QList<preview::PreviewTextRun> runs = PreviewTextRuns::collect(report.EMFPages(), 1);
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[0].text, "abc 2");
    EXPECT_EQ(runs[1].text, "plain");
    EXPECT_EQ(runs[2].text, "xABCx 2");
    EXPECT_LT(runs[0].record, runs[1].record);
    EXPECT_LT(runs[1].record, runs[2].record);
    // The texts sit inside their objects, in page pixels.
    EXPECT_GE(runs[0].bounds.left(), 10);
    EXPECT_LT(runs[0].bounds.left(), 20);
    EXPECT_GE(runs[0].bounds.top(), 20);
    EXPECT_LT(runs[0].bounds.bottom(), 45);
    EXPECT_GE(runs[2].bounds.left(), 400);
    EXPECT_GT(runs[2].bounds.width(), 10);
    EXPECT_EQ(report.EMFPages().Page(1).unpacked, nullptr) << "scanning releases the page";
}

TEST_F(PreviewSearchTest, RepeatedSearchWalksEveryMatchThenTheNextPages)
{
    ASSERT_TRUE(report.BuildPages());
    PreviewSearch search;
    search.setText(QStringLiteral("abc"), false);
    QStringList found;
    while (const std::optional<PreviewSearch::Hit> hit = search.findNext(report.EMFPages())) {
        const auto runs = PreviewTextRuns::collect(report.EMFPages(), hit->pageIndex);
        for (const auto &run : runs) {
            if (run.record == hit->record) {
                found << QStringLiteral("%1:%2").arg(hit->pageIndex).arg(run.text);
                EXPECT_EQ(hit->bounds, run.bounds);
            }
        }
    }
    EXPECT_EQ(found, QStringList(
                         {"0:abc 1", "0:xABCx 1", "1:abc 2", "1:xABCx 2", "2:abc 3", "2:xABCx 3"}));
    EXPECT_FALSE(search.findNext(report.EMFPages())) << "after the last match nothing more";
}

TEST_F(PreviewSearchTest, CaseSplitTextsAndResumeRules)
{
    ASSERT_TRUE(report.BuildPages());
    PreviewSearch search;
    search.setText(QStringLiteral("ABC"), true);
    std::optional<PreviewSearch::Hit> hit = search.findNext(report.EMFPages());
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->pageIndex, 0);
    EXPECT_GE(hit->bounds.left(), 400) << "case-sensitive: only xABCx matches";

    search.setText(QStringLiteral("abc 1plain"), false);
    search.restartAt(0);
    EXPECT_FALSE(search.findNext(report.EMFPages())) << "text split over two outputs";

    // Going on from the page of the last match resumes after it; another page starts afresh.
    search.setText(QStringLiteral("abc"), false);
    search.restartAt(0);
    hit = search.findNext(report.EMFPages());
    search.continueOn(0);
    const std::optional<PreviewSearch::Hit> second = search.findNext(report.EMFPages());
    ASSERT_TRUE(second);
    EXPECT_EQ(second->pageIndex, 0);
    EXPECT_GT(second->record, hit->record);
    search.continueOn(2);
    EXPECT_EQ(search.searchResume(), 0);
    const std::optional<PreviewSearch::Hit> onThird = search.findNext(report.EMFPages());
    ASSERT_TRUE(onThird);
    EXPECT_EQ(onThird->pageIndex, 2);
    EXPECT_EQ(onThird->record, hit->record) << "first match of the new page";

    search.setText(QString(), false);
    EXPECT_FALSE(search.findNext(report.EMFPages()));
}

} // namespace
