#include "report/engine/DialogPages.h"

#include "BuildFixture.h"
#include "report/model/TqxPage.h"
#include "report/platform/MessageBox.h"

using namespace tovren;

namespace {

/// A host that answers every dialog page with a fixed result and records what it was shown.
class AnsweringHost : public engine::TqxDialogPageHost
{
public:
    explicit AnsweringHost(int answer)
        : m_answer(answer)
    {}
    int showModal(engine::TqxDialogPageWindow &window) override
    {
        shown << window.page().Caption;
        return m_answer;
    }
    QStringList shown;

private:
    int m_answer;
};

class DialogPagesTest : public test::BuildTest
{
protected:
    DialogPagesTest()
        : BuildTest(3)
    {
        model::TqxPage &page = addPage();
        addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data"),
                QStringLiteral("qxDBDataSet1"));
        addText(page, 0, 0, QStringLiteral("[Aqy.\"N\"] [Choice]"));
    }

    /// A dialog page before the report page, holding one control-like object.
    model::TqxPage &addDialogPage(const QString &caption, bool withObject = true)
    {
        model::TqxPage &dialog = addPage();
        dialog.PageType = model::TqxPage::ptDialog;
        dialog.Caption = caption;
        if (withObject)
            addText(dialog, 10, 10, QStringLiteral("姓名"));
        report.Pages().Move(report.Pages().Count() - 1, 0);
        return dialog;
    }
};

TEST_F(DialogPagesTest, CancelInTheDialogBuildsNoPagesAndOkBuildsThem)
{
    addDialogPage(QStringLiteral("选择")).Script = QStringList{"Choice := 7"};

    AnsweringHost cancel(platform::mrCancel);
    report.setDialogPageHost(&cancel);
    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 0);
    EXPECT_EQ(cancel.shown, QStringList{"选择"});
    EXPECT_TRUE(report.lastMessage().isEmpty()) << "a cancelled dialog shows no message";

    AnsweringHost ok(platform::mrOk);
    report.setDialogPageHost(&ok);
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(ok.shown, QStringList{"选择"});
    // The dialog's script ran before the report pages, so they see its variable.
    EXPECT_EQ(pageTexts(0), (QStringList{"1 7", "2 7", "3 7"}));
}

TEST_F(DialogPagesTest, CancelledBuildStillEndsTheDocumentAndBeginsNoPage)
{
    addDialogPage(QStringLiteral("选择"));
    AnsweringHost cancel(platform::mrCancel);
    report.setDialogPageHost(&cancel);
    QStringList events;
    report.OnBeginDoc = [&] { events << QStringLiteral("begin"); };
    report.OnEndDoc = [&] { events << QStringLiteral("end"); };
    report.OnBeginPage = [&](int page) { events << QStringLiteral("page %1").arg(page); };

    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(events, (QStringList{"begin", "end"}));
}

TEST_F(DialogPagesTest, HeadlessBuildRunsTheDialogScriptAndGoesOn)
{
    addDialogPage(QStringLiteral("选择")).Script = QStringList{"Choice := 3"};

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0), (QStringList{"1 3", "2 3", "3 3"}));
}

TEST_F(DialogPagesTest, ModalResultSetByTheScriptDecidesWithoutShowingTheWindow)
{
    model::TqxPage &dialog = addDialogPage(QStringLiteral("选择"));
    AnsweringHost host(platform::mrOk);
    report.setDialogPageHost(&host);

    dialog.Script = QStringList{"begin Choice := 1; ModalResult := 2 end"};
    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 0);

    dialog.Script = QStringList{"begin Choice := 1; ModalResult := 1 end"};
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 1);
    EXPECT_TRUE(host.shown.isEmpty());
}

TEST_F(DialogPagesTest, EmptyOrHiddenDialogPageOnlyRunsItsScript)
{
    addDialogPage(QStringLiteral("空"), false).Script = QStringList{"Choice := 4"};
    model::TqxPage &hidden = addDialogPage(QStringLiteral("隐藏"));
    hidden.Visible = false;
    AnsweringHost host(platform::mrCancel);
    report.setDialogPageHost(&host);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(pageTexts(0).first(), QStringLiteral("1 4"));
}

TEST_F(DialogPagesTest, TwoPassBuildShowsEachDialogOnceAndStopsAtTheFirstCancel)
{
    addDialogPage(QStringLiteral("第二"));
    addDialogPage(QStringLiteral("第一")).Script = QStringList{"Choice := 5"};
    report.TwoPass = true;

    AnsweringHost ok(platform::mrOk);
    report.setDialogPageHost(&ok);
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(ok.shown, (QStringList{"第一", "第二"}));
    EXPECT_EQ(report.EMFPages().Count(), 1);

    AnsweringHost cancel(platform::mrCancel);
    report.setDialogPageHost(&cancel);
    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(cancel.shown, QStringList{"第一"});
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(DialogPagesTest, ModalResultOutsideADialogPageDoesNothing)
{
    report.Pages().page(0)->object(1)->Script =
        QStringList{"begin Choice := 0; ModalResult := 2 end"};

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 1);
}

} // namespace
