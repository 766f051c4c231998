#include "report/dialogs/TqxProgressForm.h"

#include "report/engine/PdfExportFilter.h"
#include "tests/report/engine/BuildFixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace tovren::dialogs {
namespace {

/// Counts what it is asked to show instead of opening a window.
class RecordingPreview : public engine::TqxPreviewHost
{
public:
    void showPreview(engine::TqxReport &report, const QString &caption) override
    {
        pageCounts << int(report.EMFPages().Count());
        captions << caption;
    }
    QList<int> pageCounts;
    QStringList captions;
};

/// One certificate page per record, built under the progress window.
class ProgressFormTest : public test::BuildTest
{
protected:
    ProgressFormTest()
        : BuildTest(8)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"), QStringLiteral("Cert"));
        report.ShowProgress = true;
        progress.attachTo(report);
        QObject::connect(&progress, &TqxProgressForm::pageStarted, [this](int pageNumber) {
            texts << progress.progressText();
            shownWhileBuilding = shownWhileBuilding && progress.isVisible();
            if (pageNumber == cancelAtPage)
                progress.cancelButton()->click();
        });
    }

    TqxProgressForm progress;
    QStringList texts;
    bool shownWhileBuilding = true;
    int cancelAtPage = 0;
};

TEST_F(ProgressFormTest, ShowsEachPageOfASinglePassBuildAndClosesWithTheOkResult)
{
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 8);
    EXPECT_TRUE(shownWhileBuilding);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.result(), QDialog::Accepted);
    EXPECT_EQ(progress.windowTitle(), QString::fromUtf8("正在准备报表"));
    EXPECT_EQ(progress.cancelButton()->text(), QString::fromUtf8("取消"));
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), QString::fromUtf8("正在处理页:  1"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("正在处理页:  8")));
    EXPECT_FALSE(texts.join(u'|').contains(QString::fromUtf8("从")))
        << "a single pass knows no page count";
    EXPECT_TRUE(progress.windowModality() == Qt::ApplicationModal);
    EXPECT_TRUE(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_GE(progress.width(), 278);

    report.Title = QString::fromUtf8("毕业证书");
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(progress.windowTitle(), QString::fromUtf8("正在准备报表 - 毕业证书"));
}

TEST_F(ProgressFormTest, TwoPassBuildCountsThePagesOfTheFirstPassUnderOneShowing)
{
    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 8);
    EXPECT_TRUE(shownWhileBuilding);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), QString::fromUtf8("进行第一次处理:  1"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("正在处理页:  3 从 8")))
        << texts.join(u'|').toStdString();
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(report.TwoPass) << "the option is back as it was";
}

TEST_F(ProgressFormTest, CancelStopsASinglePassBuildAndKeepsItsPagesForThePreview)
{
    cancelAtPage = 3;
    RecordingPreview preview;
    const engine::TqxPreviewRegistration registration(preview);
    EXPECT_EQ(report.BuildAndPreview(), engine::TqxPreviewOutcome::Shown);
    EXPECT_TRUE(report.StopRequested);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.result(), QDialog::Rejected);
    ASSERT_EQ(preview.pageCounts.size(), 1);
    // The step for page 3 comes as it is closed and page 4 opened with its record; that page
    // is finished and nothing after it is started.
    EXPECT_EQ(preview.pageCounts[0], 4);
    EXPECT_EQ(preview.captions[0], QString::fromUtf8("预览 —— 已取消, 只生成了 4 页"))
        << "an incomplete batch says so";
    EXPECT_TRUE(report.BuildCancelled());
    EXPECT_TRUE(report.lastMessage().isEmpty()) << "a cancel is no error";

    // The next build starts afresh.
    cancelAtPage = 0;
    EXPECT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 8);
}

TEST_F(ProgressFormTest, CancelInTheFirstPassOfATwoPassBuildDiscardsThePages)
{
    report.TwoPass = true;
    cancelAtPage = 2;
    RecordingPreview preview;
    const engine::TqxPreviewRegistration registration(preview);
    EXPECT_EQ(report.BuildAndPreview(), engine::TqxPreviewOutcome::NoPages);
    EXPECT_EQ(report.EMFPages().Count(), 0);
    EXPECT_TRUE(preview.pageCounts.isEmpty());
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(texts.join(u'|').contains(QString::fromUtf8("正在处理页"))) << "no final pass";
}

TEST_F(ProgressFormTest, ACancelClickWaitingInTheEventQueueIsSeenDuringTheBuild)
{
    // The click arrives the way a person's does: queued, and seen only when events run.
    QTimer::singleShot(0, progress.cancelButton(), &QPushButton::click);
    EXPECT_FALSE(report.BuildPages());
    EXPECT_LT(report.EMFPages().Count(), 8);
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ProgressFormTest, WithAProgressHandlerOrWithoutProgressTheWindowStaysHidden)
{
    QList<int> handled;
    report.OnProgress = [&](int n) {
        handled << n;
        EXPECT_FALSE(progress.isVisible());
    };
    ASSERT_TRUE(report.BuildPages());
    EXPECT_TRUE(texts.isEmpty());
    EXPECT_TRUE(handled.contains(8));

    report.OnProgress = nullptr;
    report.ShowProgress = false;
    ASSERT_TRUE(report.BuildPages());
    EXPECT_TRUE(texts.isEmpty());
}

TEST_F(ProgressFormTest, ScriptsWriteTheSecondLineAndEachShowingStartsItEmpty)
{
    report.Pages().page(0)->FindObjectByName(QStringLiteral("Cert"))->Script =
        QStringList{"Progress := 'record ' + Str([Aqy.\"N\"])"};
    QStringList notes;
    QObject::connect(&progress, &TqxProgressForm::pageStarted,
                     [&](int) { notes << progress.noteText(); });
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("record 3"))) << notes.join(u'|').toStdString();
    EXPECT_EQ(progress.noteText(), QStringLiteral("record 8"));

    report.Pages().page(0)->FindObjectByName(QStringLiteral("Cert"))->Script.clear();
    ASSERT_TRUE(report.BuildPages());
    EXPECT_TRUE(progress.noteText().isEmpty());
}

TEST_F(ProgressFormTest, AnExportShowsEachPageOfTheCountAndRunsToTheEnd)
{
    ASSERT_TRUE(report.BuildPages());
    texts.clear();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    engine::PdfExportFilter filter;
    ASSERT_TRUE(report.ExportPages(filter, pdf));
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(shownWhileBuilding);
    EXPECT_EQ(texts.first(), QString::fromUtf8("正在处理页:  1 从 8"));
    EXPECT_EQ(texts.last(), QString::fromUtf8("正在处理页:  8 从 8"));
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(ProgressFormTest, AReportThatGoesAwayIsForgotten)
{
    auto other =
        std::make_unique<engine::TqxReport>(QStringLiteral("other"), &form, registry, &paper);
    progress.attachTo(*other);
    EXPECT_EQ(other->progressSink(), &progress);
    EXPECT_EQ(report.progressSink(), nullptr) << "a window serves one report at a time";
    other.reset();
    progress.reject(); // no report to stop any more
    EXPECT_FALSE(progress.isVisible());
}

} // namespace
} // namespace tovren::dialogs
