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
#include <QFile>
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

TEST_F(DesignCommandTest, TheStatusLineNamesTheTemplateInUseAndTheBuiltInOneIsRestoredOnRequest)
{
    const QString saved = dir.filePath(QStringLiteral("证书.qxf"));
    EXPECT_EQ(window->templateText(), QStringLiteral("证书模板: 内置"));
    window->setDesignerRunner([&](designer::TqxDesignerForm &designer) {
        designer.show();
        designer.setGridAligned(false);
        dragObject(designer, "Memo3", 18);
        dialogs.answers = {platform::mrYes}; // save the certificate on closing
        designer.action(QStringLiteral("ExitB"))->trigger();
        return designer.modalResult();
    });
    QTest::mouseClick(window->Button5, Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(window->templateText(), QStringLiteral("证书模板: 保存的 证书.qxf"));

    dialogs.messages.clear();
    dialogs.answers = {platform::mrNo};
    QTest::mouseClick(window->RestoreTemplateButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1) << "the clerk is asked first";
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(builtNameLefts(),
              (QList<int>{kNameFieldLeft + 18, kNameFieldLeft + 18, kNameFieldLeft + 18}));

    dialogs.answers = {platform::mrYes};
    QTest::mouseClick(window->RestoreTemplateButton, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_TRUE(QFile::exists(saved + QStringLiteral(".bak"))) << "the clerk's work is kept";
    EXPECT_EQ(window->templateText(), QStringLiteral("证书模板: 内置"));
    EXPECT_EQ(builtNameLefts(), (QList<int>{kNameFieldLeft, kNameFieldLeft, kNameFieldLeft}))
        << "the next print uses the built-in certificate at once";
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

namespace {

// The program started on a file, as a double-click in the file manager starts it.
TEST_F(DesignCommandTest, AFileTheProgramIsStartedOnOpensInTheDesignerOrThePreview)
{
    const QString pagesFile = dir.filePath(QStringLiteral("证书.qxp"));
    window->setPreviewOpener([&](preview::TqxPreviewForm &) {
        ASSERT_TRUE(window->certificateReport().SavePagesFile(pagesFile));
    });
    window->SpinEdit1->setValue(0);
    QTest::mouseClick(window->Button4, Qt::LeftButton);
    qsizetype previewed = -1;
    window->setPreviewOpener([&](preview::TqxPreviewForm &) {
        previewed = window->certificateReport().EMFPages().Count();
    });
    window->openDocument(pagesFile);
    EXPECT_EQ(previewed, 3);
    EXPECT_EQ(window->certificateReport().EMFPages().Count(), 0);

    const QString templateFile = dir.filePath(QStringLiteral("证书.qxf"));
    ASSERT_TRUE(window->certificateReport().SaveTemplate(templateFile));
    int designed = 0;
    window->setDesignerRunner([&](designer::TqxDesignerForm &designer) {
        ++designed;
        EXPECT_TRUE(designer.WholeReport);
        return designer.modalResult();
    });
    window->openDocument(templateFile);
    EXPECT_EQ(designed, 1);
    EXPECT_EQ(window->certificateReport().FileName, templateFile);
}

TEST_F(DesignCommandTest, AFileThatCannotBeOpenedIsReportedAndTheCertificateStillPrints)
{
    const QByteArray certificate = window->certificateReport().templateSnapshot();
    int designed = 0;
    window->setDesignerRunner([&](designer::TqxDesignerForm &designer) {
        ++designed;
        return designer.modalResult();
    });
    const auto writeFile = [&](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    // A template cut off in its first page record, and one from a newer program.
    const QString damaged =
        writeFile("坏.qxf", window->certificateReport().templateBytes().left(40));
    const QString newer = writeFile("新.qxf", QByteArray("\x7f\0\0\0\0", 5));
    const QString notAReport = writeFile("名单.txt", "张三");
    const QString damagedPages = writeFile("坏.qxp", QByteArray("\x19\0\0\0\x05\0\0\0", 8));

    for (const QString &file :
         {damaged, newer, notAReport, damagedPages, dir.filePath(QStringLiteral("没有.qxf")),
          dir.filePath(QStringLiteral("没有.qxp"))}) {
        dialogs.messages.clear();
        window->openDocument(file);
        ASSERT_EQ(dialogs.messages.size(), 1) << file.toStdString();
        EXPECT_FALSE(dialogs.messages.first().text.isEmpty());
        EXPECT_EQ(window->certificateReport().templateSnapshot(), certificate)
            << file.toStdString();
    }
    EXPECT_EQ(designed, 0);
    EXPECT_EQ(builtNameLefts(), (QList<int>{kNameFieldLeft, kNameFieldLeft, kNameFieldLeft}));
}

} // namespace
