#include "report/dialogs/TqxDialogPageForm.h"

#include "report/model/TqxPage.h"
#include "report/platform/MessageBox.h"
#include "tests/report/engine/BuildFixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace tovren::dialogs {
namespace {

/// A report over three rows whose first template page is a dialog page with a visible and a
/// hidden object; the host shows it in the real window.
class DialogPageFormTest : public test::BuildTest
{
protected:
    DialogPageFormTest()
        : BuildTest(3)
    {
        model::TqxPage &dialog = addPage();
        dialog.PageType = model::TqxPage::ptDialog;
        dialog.Caption = QStringLiteral("打印选项");
        dialog.Width = 300;
        dialog.Height = 120;
        addText(dialog, 10, 10, QStringLiteral("班级"), QStringLiteral("ClassLabel"));
        addText(dialog, 10, 40, QStringLiteral("隐藏"), QStringLiteral("Hidden")).Visible = false;
        model::TqxPage &page = addPage();
        addBand(page, model::btMasterData, 0, 20, QStringLiteral("Data"),
                QStringLiteral("qxDBDataSet1"));
        addText(page, 0, 0, QStringLiteral("[Aqy.\"N\"]"));
        report.setDialogPageHost(&host);
    }

    /// Runs @p act on the dialog as soon as it is shown modally.
    void whenShown(std::function<void(QDialog &)> act)
    {
        QTimer::singleShot(0, [this, act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seenTitle = dialog->windowTitle();
            if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("ClassLabel")))
                seenText = label->isVisible() ? label->text() : QString();
            if (auto *hidden = dialog->findChild<QLabel *>(QStringLiteral("Hidden")))
                hiddenShown = hidden->isVisible();
            act(*dialog);
        });
    }

    static void click(QDialog &dialog, QDialogButtonBox::StandardButton which)
    {
        auto *buttons = dialog.findChild<QDialogButtonBox *>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->button(which), Qt::LeftButton);
    }

    WidgetDialogPageHost host;
    QString seenTitle;
    QString seenText;
    bool hiddenShown = true;
};

TEST_F(DialogPageFormTest, OkShowsThePageThenBuildsThePages)
{
    whenShown([](QDialog &dialog) { click(dialog, QDialogButtonBox::Ok); });

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 1);
    EXPECT_EQ(pageTexts(0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(seenTitle, QStringLiteral("打印选项"));
    EXPECT_EQ(seenText, QStringLiteral("班级"));
    EXPECT_FALSE(hiddenShown);
}

TEST_F(DialogPageFormTest, CancelButtonAndEscapeAbandonTheBuild)
{
    whenShown([](QDialog &dialog) { click(dialog, QDialogButtonBox::Cancel); });
    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 0);

    whenShown([](QDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_FALSE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(DialogPageFormTest, ModalResultSetWhileShownClosesTheWindowWithIt)
{
    engine::TqxDialogPageWindow window(*report.Pages().page(0));
    TqxDialogPageForm form(window);
    EXPECT_EQ(form.controlArea()->size(), QSize(300, 120));
    QTimer::singleShot(0, [&window] { window.setModalResult(platform::mrOk); });
    EXPECT_EQ(form.exec(), platform::mrOk);

    QTimer::singleShot(0, [&window] { window.setModalResult(platform::mrCancel); });
    EXPECT_EQ(form.exec(), platform::mrCancel);
}

} // namespace
} // namespace tovren::dialogs
