#include "report/preview/TqxPreviewForm.h"

#include "report/output/PdfPrintDevice.h"
#include "report/output/TqxPrinter.h"
#include "report/preview/PreviewLayout.h"
#include "tests/report/engine/BuildFixture.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tovren;
using preview::PreviewLayout;
using preview::ZoomMode;

namespace {

TEST(PreviewLayoutTest, FittingModesTakeTheScaleFromTheCurrentPage)
{
    const QList<QSize> pages{{100, 200}, {200, 400}};
    const QSize view(420, 820);
    EXPECT_DOUBLE_EQ(PreviewLayout::layOut(pages, 1, view, ZoomMode::PageWidth, 1).scale, 2.0);
    EXPECT_DOUBLE_EQ(PreviewLayout::layOut(pages, 1, view, ZoomMode::WholePage, 1).scale, 2.0);
    EXPECT_DOUBLE_EQ(PreviewLayout::layOut(pages, 0, view, ZoomMode::TwoPages, 1).scale, 1.95);
    EXPECT_DOUBLE_EQ(PreviewLayout::layOut(pages, 0, view, ZoomMode::Fixed, 0.5).scale, 0.5);
}

TEST(PreviewLayoutTest, PagesWrapIntoRowsAndALonePageIsCentred)
{
    const QList<QSize> pages{{100, 100}, {100, 100}, {100, 100}};
    // Two pages fit side by side in 240 pixels, the third starts a new row.
    const PreviewLayout::Result rows =
        PreviewLayout::layOut(pages, 0, QSize(240, 500), ZoomMode::Fixed, 1.0);
    ASSERT_EQ(rows.pageRects.size(), 3);
    EXPECT_EQ(rows.pageRects[0], QRect(10, 10, 100, 100));
    EXPECT_EQ(rows.pageRects[1], QRect(120, 10, 100, 100));
    EXPECT_EQ(rows.pageRects[2].top(), 120);

    const PreviewLayout::Result whole =
        PreviewLayout::layOut(pages, 0, QSize(300, 120), ZoomMode::WholePage, 1.0);
    EXPECT_EQ(whole.pageRects[1].left(), (300 - whole.pageRects[1].width()) / 2);
    EXPECT_GT(whole.pageRects[1].top(), whole.pageRects[0].bottom());

    const PreviewLayout::Result two =
        PreviewLayout::layOut(pages, 0, QSize(100, 100), ZoomMode::TwoPages, 1.0);
    EXPECT_EQ(two.pageRects[1].top(), two.pageRects[0].top()) << "two per row even if cramped";
}

TEST(PreviewLayoutTest, NoPagesOrADegenerateViewLayOutSafely)
{
    EXPECT_TRUE(
        PreviewLayout::layOut({}, 0, QSize(100, 100), ZoomMode::PageWidth, 1).pageRects.isEmpty());
    const PreviewLayout::Result tiny =
        PreviewLayout::layOut({{100, 100}}, 5, QSize(0, 0), ZoomMode::PageWidth, 1);
    EXPECT_GT(tiny.scale, 0.0);
    EXPECT_EQ(tiny.pageRects.size(), 1);
}

class PreviewFormTest : public test::BuildTest
{
protected:
    PreviewFormTest()
        : BuildTest(3)
    {
        model::TqxPage &page = addPage(1480);
        auto &data = addBand(page, model::btMasterData, 0, 300, QStringLiteral("Data"),
                             QStringLiteral("qxDBDataSet1"));
        data.Flags |= model::TqxBandView::kFormNewPageFlag;
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
        printer.initialize(&platform);
    }

    QTemporaryDir dir;
    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter printer;
    test::ScriptedDialogs dialogs;
};

TEST_F(PreviewFormTest, NavigatesThePagesAndKeepsTheLabelInStep)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();
    EXPECT_EQ(form.pageCount(), 3);
    EXPECT_EQ(form.pageLabelText(), "页 1/3");
    form.nextPage();
    EXPECT_EQ(form.pageLabelText(), "页 2/3");
    form.lastPage();
    form.nextPage();
    EXPECT_EQ(form.currentPage(), 3) << "no page beyond the last";
    form.priorPage();
    EXPECT_EQ(form.currentPage(), 2);
    form.firstPage();
    form.priorPage();
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_EQ(form.windowTitle(), "预览");
}

TEST_F(PreviewFormTest, ControlKeysPageSaveAndEscapeCloses)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();
    QTest::keyClick(&form, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage(), 3);
    QTest::keyClick(&form, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage(), 2);
    QTest::keyClick(&form, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage(), 3);
    QTest::keyClick(&form, Qt::Key_End);
    EXPECT_EQ(form.currentPage(), 3) << "End without Ctrl does nothing";

    dialogs.fileNames << dir.filePath(QStringLiteral("keys.qxp"));
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("keys.qxp"))));

    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(PreviewFormTest, ZoomChoicesChangeTheScaleAndDrawThePages)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.resize(600, 500);
    form.show();
    form.setZoomFactor(1.0);
    const int widthAt100 = form.pageRects().at(0).width();
    form.setZoomFactor(0.5);
    EXPECT_NEAR(form.pageRects().at(0).width(), widthAt100 / 2, 1);
    form.setZoomMode(ZoomMode::WholePage);
    EXPECT_EQ(form.zoomMode(), ZoomMode::WholePage);
    EXPECT_LT(form.pageRects().at(0).height(), 500);
    form.setZoomMode(ZoomMode::PageWidth);
    EXPECT_LT(form.pageRects().at(0).width(), 600);
    form.setZoomFactor(0);
    EXPECT_EQ(form.zoomMode(), ZoomMode::PageWidth) << "a zero factor is ignored";

    QWidget *view = form.findChild<QScrollArea *>()->widget();
    QImage shot(view->size(), QImage::Format_RGB32);
    view->render(&shot);
    const QRect first = form.pageRects().at(0);
    EXPECT_EQ(shot.pixelColor(first.center()), QColor(Qt::white))
        << "page interior is drawn on white";
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(0x80, 0x80, 0x80));
}

TEST_F(PreviewFormTest, SavesPreparedPagesAndPdfThroughTheDialogProvider)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    dialogs.fileNames << dir.filePath(QStringLiteral("a.txt"))
                      << dir.filePath(QStringLiteral("b.pdf"));
    ASSERT_TRUE(form.savePages());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("a.qxp"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.txt"))));
    ASSERT_TRUE(form.savePages());
    QFile pdf(dir.filePath(QStringLiteral("b.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    EXPECT_FALSE(form.savePages()) << "a cancelled dialog saves nothing";
    EXPECT_TRUE(dialogs.messages.isEmpty());

    dialogs.fileNames << QStringLiteral("/nonexistent-dir/c.qxp");
    EXPECT_FALSE(form.savePages());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
    EXPECT_EQ(report.EMFPages().Count(), 3) << "a failed save loses no page";
}

TEST_F(PreviewFormTest, PrintButtonRunsTheDialogAndPrintsToTheDevice)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    const QString path = dir.filePath(QStringLiteral("print.pdf"));
    form.setPrintDeviceFactory([&] { return std::make_unique<output::PdfPrintDevice>(path, 72); });
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    EXPECT_TRUE(form.printPages());
    EXPECT_TRUE(QFile::exists(path));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(report.EMFPages().Page(i).unpacked, nullptr);
}

TEST_F(PreviewFormTest, AnEmptyReportShowsNoLabelAndCommandsDoNothing)
{
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();
    EXPECT_EQ(form.pageCount(), 0);
    EXPECT_TRUE(form.pageLabelText().isEmpty());
    form.nextPage();
    form.setZoomMode(ZoomMode::PageWidth);
    EXPECT_FALSE(form.savePages());
    EXPECT_FALSE(form.printPages());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
