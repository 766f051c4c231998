#include "BuildFixture.h"
#include "report/engine/BuildRunState.h"
#include "report/engine/TqxPreviewHost.h"

namespace tovren::engine {
namespace {

class RecordingPreview : public TqxPreviewHost
{
public:
    void showPreview(TqxReport &report, const QString &caption) override
    {
        reports << &report;
        captions << caption;
        pageCounts << int(report.EMFPages().Count());
    }
    QList<TqxReport *> reports;
    QStringList captions;
    QList<int> pageCounts;
};

class PreviewPagesTest : public test::BuildTest
{
protected:
    PreviewPagesTest()
        : BuildTest(4)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("No [Aqy.\"N\"]"), QStringLiteral("No"));
    }
};

TEST_F(PreviewPagesTest, BuildAndPreviewHandsThePagesToTheRegisteredWindowWithItsCaption)
{
    RecordingPreview preview;
    const TqxPreviewRegistration registration(preview);
    EXPECT_EQ(report.BuildAndPreview(), TqxPreviewOutcome::Shown);
    ASSERT_EQ(preview.reports.size(), 1);
    EXPECT_EQ(preview.reports[0], &report);
    EXPECT_EQ(preview.captions[0], QString::fromUtf8("预览"));
    EXPECT_EQ(preview.pageCounts[0], 4);

    report.Title = QString::fromUtf8("证书");
    EXPECT_EQ(report.PreviewPages(), TqxPreviewOutcome::Shown);
    EXPECT_EQ(preview.captions[1], QString::fromUtf8("预览 - 证书"));
    EXPECT_EQ(buildRunState().currentReport, &report);
    EXPECT_EQ(buildRunState().outerReport, &report);
}

TEST_F(PreviewPagesTest, NoPagesOpenNoWindow)
{
    RecordingPreview preview;
    const TqxPreviewRegistration registration(preview);
    EXPECT_EQ(report.PreviewPages(), TqxPreviewOutcome::NoPages);
    report.PrintIfEmpty = false;
    dataSet->setDataSet(new test::MemoryRecordSet(0, QStringLiteral("Empty"), &form));
    EXPECT_EQ(report.BuildAndPreview(), TqxPreviewOutcome::NoPages);
    EXPECT_TRUE(preview.reports.isEmpty());
}

TEST_F(PreviewPagesTest, AFailedBuildShowsItsMessageOnceAndNoPreview)
{
    RecordingPreview preview;
    const TqxPreviewRegistration registration(preview);
    report.Pages().page(0)->FindObjectByName(QStringLiteral("No"))->Memo =
        QStringList{QStringLiteral("[NoSuchName]")};
    EXPECT_EQ(report.BuildAndPreview(), TqxPreviewOutcome::NoPages);
    EXPECT_TRUE(report.lastMessage().startsWith(QString::fromUtf8("计算时发生错误")));
    EXPECT_TRUE(preview.reports.isEmpty());
}

TEST_F(PreviewPagesTest, WithoutAPreviewWindowThePagesStayAndTheReasonIsGiven)
{
    ASSERT_EQ(TqxPreviewHost::registered(), nullptr);
    EXPECT_EQ(report.BuildAndPreview(), TqxPreviewOutcome::NoPreviewWindow);
    EXPECT_EQ(report.EMFPages().Count(), 4);
    EXPECT_FALSE(report.lastMessage().isEmpty());
}

TEST_F(PreviewPagesTest, ARegistrationLastsAsLongAsItsOwnerAndPutsThePreviousOneBack)
{
    RecordingPreview outer;
    RecordingPreview inner;
    {
        const TqxPreviewRegistration first(outer);
        {
            const TqxPreviewRegistration second(inner);
            EXPECT_EQ(TqxPreviewHost::registered(), &inner);
        }
        EXPECT_EQ(TqxPreviewHost::registered(), &outer);
    }
    EXPECT_EQ(TqxPreviewHost::registered(), nullptr);
}

} // namespace
} // namespace tovren::engine
