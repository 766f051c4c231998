// "报表设计" from the main window: what the clerk changes in the designer is what prints.
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "app/ui/MainWindow.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/engine/TqxReport.h"
#include "report/preview/TqxPreviewForm.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

constexpr int kNameFieldLeft = 112;

class DesignCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection = std::make_unique<db::TDbConnection>(
            db::ConnectionSpec::parse(dir.filePath(QStringLiteral("store.db"))));
        demo::writeDemoGraduates(*connection, 3, 5);
        window = std::make_unique<app::TForm1>(*connection, dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    /// Drags the object called @p name on the designer's canvas by @p dx pixels.
    static void dragObject(designer::TqxDesignerForm &designer, const char *name, int dx)
    {
        designer::TqxDesignerPage &canvas = designer.canvas();
        const model::TqxView &view = *designer.DesignedPage->FindObjectByName(name);
        const QPoint from(view.Left + 5, view.Top + 5);
        const auto move = [&](QPoint at, Qt::MouseButtons held) {
            QMouseEvent event(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(&canvas, &event);
        };
        move(from, Qt::NoButton);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, from);
        move(from + QPoint(dx, 0), Qt::LeftButton);
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, 0));
    }

    /// The Left of the name field on each built certificate.
    QList<int> builtNameLefts()
    {
        QList<int> lefts;
        window->setPreviewOpener([&](preview::TqxPreviewForm &) {
            engine::TqxEMFPages &pages = window->certificateReport().EMFPages();
            for (qsizetype p = 0; p < pages.Count(); ++p) {
                model::TqxPage &page = pages.Unpack(p);
                for (qsizetype i = 0; i < page.objectCount(); ++i) {
                    if (page.object(i)->Name == u"Memo3")
                        lefts << page.object(i)->Left;
                }
            }
        });
        window->SpinEdit1->setValue(0);
        QTest::mouseClick(window->Button4, Qt::LeftButton);
        return lefts;
    }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<db::TDbConnection> connection;
    std::unique_ptr<app::TForm1> window;
};

TEST_F(DesignCommandTest, AFieldMovedInTheDesignerPrintsWhereItWasMovedForTheRestOfTheRun)
{
    ASSERT_EQ(builtNameLefts(), (QList<int>{kNameFieldLeft, kNameFieldLeft, kNameFieldLeft}));
    bool wholeReport = false;
    window->setDesignerRunner([&](designer::TqxDesignerForm &designer) {
        wholeReport = designer.WholeReport;
        designer.show();
        designer.setGridAligned(false); // 18 pixels exactly, not the nearest grid step
        dragObject(designer, "Memo3", 18);
        dialogs.answers = {platform::mrNo}; // keep the change for this run, save no file
        designer.action(QStringLiteral("ExitB"))->trigger();
        return designer.modalResult();
    });
    QTest::mouseClick(window->Button5, Qt::LeftButton);
    EXPECT_TRUE(wholeReport);
    EXPECT_TRUE(window->certificateReport().DesignChanged);
    EXPECT_EQ(builtNameLefts(),
              (QList<int>{kNameFieldLeft + 18, kNameFieldLeft + 18, kNameFieldLeft + 18}));
}

TEST_F(DesignCommandTest, APageEditedFromThePreviewChangesThatPageAndNotTheTemplate)
{
    const QByteArray designed = window->certificateReport().templateSnapshot();
    QList<int> lefts;
    window->setDesignerRunner([&](designer::TqxDesignerForm &designer) {
        EXPECT_FALSE(designer.WholeReport);
        designer.show();
        dragObject(designer, "Memo3", 36);
        designer.close();
        return designer.modalResult();
    });
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        ASSERT_TRUE(preview.pageCommandsAvailable());
        dialogs.answers = {platform::mrYes}; // keep the edited page
        preview.goToPage(2);
        EXPECT_TRUE(preview.editPage());
        engine::TqxEMFPages &pages = window->certificateReport().EMFPages();
        for (qsizetype p = 0; p < pages.Count(); ++p)
            lefts << pages.Unpack(p).FindObjectByName(QStringLiteral("Memo3"))->Left;
    });
    window->SpinEdit1->setValue(0);
    QTest::mouseClick(window->Button4, Qt::LeftButton);
    EXPECT_EQ(lefts, (QList<int>{kNameFieldLeft, kNameFieldLeft + 36, kNameFieldLeft}));
    EXPECT_EQ(window->certificateReport().templateSnapshot(), designed);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("保存变动?"));
}

} // namespace
