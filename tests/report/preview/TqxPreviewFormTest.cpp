#include "report/preview/TqxPreviewForm.h"

#include "report/dialogs/ReportMessageBoxes.h"
#include "report/engine/TqxExportFilter.h"
#include "report/output/PdfPrintDevice.h"
#include "report/platform/SettingsStore.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/PreviewTextRuns.h"
#include "tests/report/preview/PreviewFixture.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace tovren;
using preview::ZoomMode;

namespace {

class PreviewFormTest : public test::PreviewTest
{
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

    QWidget *view = form.pageView().viewport();
    QImage shot(view->size(), QImage::Format_RGB32);
    view->render(&shot);
    const QRect first = form.pageRects().at(0).translated(-form.pageView().scrollPosition());
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

TEST_F(PreviewFormTest, DecliningTheDeviceEndsThePrintQuietlyAndKeepsThePages)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    int asked = 0;
    form.setPrintDeviceFactory([&]() -> std::unique_ptr<output::PrintDevice> {
        ++asked;
        return nullptr;
    });
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    EXPECT_FALSE(form.printPages());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "a declined file name is no error";
    EXPECT_EQ(form.pageCount(), 3);
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

/// Counts the pages and objects it is handed instead of writing a file.
class CountingExportFilter : public engine::TqxExportFilter
{
public:
    explicit CountingExportFilter(int &objects)
        : m_objects(objects)
    {}
    void exportObject(model::TqxView &) override { ++m_objects; }

private:
    int &m_objects;
};

class RecordingEditor : public preview::PreviewPageEditor
{
public:
    QList<int> edited;
    bool editPreparedPage(engine::TqxReport &, int pageIndex) override
    {
        edited << pageIndex;
        return true;
    }
};

int darkPixels(const QImage &image, const QRect &area)
{
    int dark = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
}

TEST_F(PreviewFormTest, ScrollingKeysAndTheLabelFollowTheTopPage)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.resize(600, 500);
    form.show();
    form.setZoomMode(ZoomMode::WholePage);
    QScrollBar *vertical = form.pageView().verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 0);
    const QList<QRect> rects = form.pageRects();
    EXPECT_EQ(rects[1].left(), rects[0].left()) << "one page per row, centred alike";

    vertical->setValue(rects[1].top() - 10);
    EXPECT_EQ(form.pageLabelText(), "页 2/3");
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(vertical->value(), rects[1].top());
    QTest::keyClick(&form, Qt::Key_Up);
    QTest::keyClick(&form, Qt::Key_PageDown);
    EXPECT_EQ(vertical->value(), rects[1].top() + 190);
    QTest::keyClick(&form, Qt::Key_Home);
    EXPECT_EQ(vertical->value(), rects[1].top() + 190) << "Home without Ctrl does nothing";
    QTest::keyClick(&form, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(vertical->value(), 0);
    EXPECT_EQ(form.pageLabelText(), "页 1/3");

    form.lastPage();
    EXPECT_EQ(vertical->value(), std::min(vertical->maximum(), rects[2].top() - 10));
    EXPECT_EQ(form.pageLabelText(), "页 3/3");
}

TEST_F(PreviewFormTest, DraggingTheGreyPansWithoutChangingThePage)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.resize(600, 500);
    form.show();
    form.setZoomFactor(1.0);
    form.nextPage();
    QWidget *viewport = form.pageView().viewport();
    const QPoint start = form.pageView().scrollPosition();
    const QPoint grey(2, 100);
    ASSERT_EQ(form.pageView().pageAt(grey), -1);
    QTest::mousePress(viewport, Qt::LeftButton, {}, grey);
    QMouseEvent move(QEvent::MouseMove, QPointF(grey + QPoint(-20, -30)),
                     QPointF(viewport->mapToGlobal(grey + QPoint(-20, -30))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, grey + QPoint(-20, -30));
    EXPECT_EQ(form.pageView().scrollPosition(), start + QPoint(20, 30));
    EXPECT_EQ(form.currentPage(), 2);

    // A click on a page makes it current; an object that takes the click stops the drag.
    form.pageView().setScrollPosition(QPoint(0, 0));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, form.pageRects()[0].center());
    EXPECT_EQ(form.currentPage(), 1);
    int clicks = 0;
    report.OnObjectClick = [&](model::TqxView &) { ++clicks; };
    const QPoint onText = form.pageRects()[0].topLeft() + QPoint(15, 25);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, onText);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PreviewFormTest, FoundTextIsHighlightedWhereItIsDrawnAndF3GoesOn)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.resize(1000, 400);
    form.show();
    form.setZoomMode(ZoomMode::PageWidth);
    form.setZoomFactor(1.0);
    const QRect page = form.pageRects()[0];
    ASSERT_GT(page.left(), 50) << "a centred page, so its left edge counts";

    ASSERT_TRUE(form.find({QStringLiteral("ABC"), false, false}));
    const QList<preview::PreviewTextRun> runs =
        preview::PreviewTextRuns::collect(report.EMFPages(), 0);
    const auto expected = [&](const QRect &pageRect, const QRect &bounds) {
        const double s = form.scale();
        return QRect(pageRect.left() + int(std::lround(bounds.left() * s)),
                     pageRect.top() + int(std::lround(bounds.top() * s)),
                     int(std::lround(bounds.width() * s)), int(std::lround(bounds.height() * s)));
    };
    EXPECT_EQ(form.pageView().highlight(), expected(page, runs[0].bounds));
    const QRect visible(form.pageView().scrollPosition(), form.pageView().viewport()->size());
    EXPECT_TRUE(visible.contains(form.pageView().highlight()));

    // The highlight covers the drawn text: dark glyphs there without it, inverted with it.
    QWidget *viewport = form.pageView().viewport();
    QImage lit(viewport->size(), QImage::Format_RGB32);
    viewport->render(&lit);
    const QRect onView = form.pageView().highlight().translated(-visible.topLeft());
    const QRect lastHighlight = form.pageView().highlight();
    form.pageView().clearHighlight();
    QImage plain(viewport->size(), QImage::Format_RGB32);
    viewport->render(&plain);
    const int glyphs = darkPixels(plain, onView);
    EXPECT_GT(glyphs, 10);
    EXPECT_GT(darkPixels(lit, onView), onView.width() * onView.height() - glyphs - 1);
    form.pageView().setHighlight(lastHighlight);

    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_EQ(form.pageView().highlight(), expected(form.pageRects()[0], runs[2].bounds));
    EXPECT_TRUE(QRect(form.pageView().scrollPosition(), viewport->size())
                    .contains(form.pageView().highlight()))
        << "text far right is scrolled into view";
    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_EQ(form.pageLabelText(), "页 2/3");

    // Paging elsewhere makes the next F3 start at the top of that page.
    form.lastPage();
    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_EQ(form.currentPage(), 3);
    EXPECT_EQ(form.pageView().highlight(), expected(form.pageRects()[2], runs[0].bounds));
    QTest::keyClick(&form, Qt::Key_F3);
    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_EQ(form.currentPage(), 3) << "nothing after the last match";

    EXPECT_FALSE(form.find({QStringLiteral("ABC 1"), true, false})) << "case-sensitive";
    EXPECT_FALSE(form.find({QStringLiteral("abc 2"), false, true}))
        << "from the current page (3) there is no page 2";
    form.firstPage();
    form.setSearchDialog([] {
        return std::optional<preview::PreviewSearchRequest>({QStringLiteral("abc 2"), false, true});
    });
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage(), 2);
}

TEST_F(PreviewFormTest, AFailedLoadKeepsThePagesAndSaysWhy)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();
    form.lastPage();
    const QString damaged = dir.filePath(QStringLiteral("damaged.qxp"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x19\x00\x05junk", 8));
    file.close();
    dialogs.fileNames << damaged;
    EXPECT_FALSE(form.loadPages());
    EXPECT_EQ(form.pageCount(), 3);
    EXPECT_EQ(form.pageLabelText(), "页 3/3");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("damaged.qxp")));

    const QString good = dir.filePath(QStringLiteral("good.qxp"));
    ASSERT_TRUE(report.SavePagesFile(good));
    dialogs.fileNames << good;
    EXPECT_TRUE(form.loadPages());
    EXPECT_EQ(form.pageLabelText(), "页 1/3");
    EXPECT_EQ(form.pageRects().size(), 3);
}

TEST_F(PreviewFormTest, AReportThatShowsItsOwnErrorsIsNotEchoedAndACancelSaysNothing)
{
    dialogs::ReportMessageBoxes boxes(dialogs);
    report.setMessages(&boxes);
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();

    dialogs.fileNames << QStringLiteral("/nonexistent-dir/c.qxp");
    EXPECT_FALSE(form.savePages());
    dialogs.fileNames << dir.filePath(QStringLiteral("missing.qxp"));
    EXPECT_FALSE(form.loadPages());
    ASSERT_EQ(dialogs.messages.size(), 2) << "one box for each failure";
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("c.qxp")));
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("missing.qxp")));
    dialogs.messages.clear();

    // A rebuild stopped by the operator keeps what it built and is no error.
    const auto keep = [](const preview::PageSetupChoice &initial) {
        return std::optional<preview::PageSetupChoice>(initial);
    };
    form.setPageSetupDialog(keep);
    report.OnProgress = [this](int pageNumber) {
        if (pageNumber == 2)
            report.StopRequested = true;
    };
    EXPECT_FALSE(form.pageSetup());
    ASSERT_GT(form.pageCount(), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty())
        << "first box: " << dialogs.messages.value(0).text.toStdString();
    report.OnProgress = nullptr;

    // A rebuild that fails is told once, by the report.
    addText(*report.Pages().page(0), 10, 200, QStringLiteral("[NoSuchName]"));
    EXPECT_FALSE(form.pageSetup());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QString::fromUtf8("计算时发生错误")));
}

TEST_F(PreviewFormTest, PageSetupRebuildsOnTheChosenPaperKeepingACustomSize)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    form.show();
    form.setZoomFactor(1.0);
    const QSize before = form.pageRects()[0].size();
    form.setPageSetupDialog([](const preview::PageSetupChoice &initial) {
        preview::PageSetupChoice choice = initial;
        choice.sheet.width = choice.sheet.height = 0;
        return std::optional<preview::PageSetupChoice>(choice);
    });
    form.nextPage();
    ASSERT_TRUE(form.pageSetup());
    EXPECT_EQ(form.pageCount(), 3);
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_EQ(form.pageRects()[0].size(), before);

    form.setPageSetupDialog([](const preview::PageSetupChoice &) { return std::nullopt; });
    EXPECT_FALSE(form.pageSetup());
    EXPECT_EQ(form.pageCount(), 3);
}

TEST_F(PreviewFormTest, ButtonsAndPageCommandsFollowTheReport)
{
    report.PreviewButtons = engine::pbZoom | engine::pbPrint | engine::pbPageSetup;
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    const auto button = [&](const char *name) {
        return form.findChild<QToolButton *>(QString::fromLatin1(name));
    };
    EXPECT_TRUE(button("SaveBtn")->isHidden());
    EXPECT_TRUE(button("LoadBtn")->isHidden());
    EXPECT_TRUE(button("FindBtn")->isHidden());
    EXPECT_TRUE(button("ExitBtn")->isHidden());
    EXPECT_FALSE(button("PageSetupBtn")->isHidden());
    EXPECT_FALSE(button("ZoomBtn")->isHidden());

    EXPECT_FALSE(form.pageCommandsAvailable()) << "no designer registered";
    EXPECT_FALSE(form.insertPage());
    RecordingEditor editor;
    form.setPageEditor(&editor);
    EXPECT_TRUE(form.pageCommandsAvailable());
    form.nextPage();
    ASSERT_TRUE(form.insertPage());
    EXPECT_EQ(form.pageLabelText(), "页 2/4");
    EXPECT_EQ(form.pageRects().size(), 4);
    dialogs.answers << platform::mrYes;
    ASSERT_TRUE(form.deletePage());
    EXPECT_EQ(form.pageLabelText(), "页 1/3") << "back to the first page after deleting";
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(editor.edited, QList<int>{0});

    report.ModifyPrepared = false;
    EXPECT_FALSE(form.pageCommandsAvailable());
    EXPECT_FALSE(form.insertPage());
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(editor.edited.size(), 1);
}

TEST_F(PreviewFormTest, RegisteredExportTypesAreOfferedAndUsed)
{
    ASSERT_TRUE(report.BuildPages());
    preview::TqxPreviewForm form(report, printer, dialogs);
    int objects = 0;
    form.exportFilters().registerFilter(QStringLiteral("逗号分隔"), QStringLiteral("csv"), [&] {
        return std::make_unique<CountingExportFilter>(objects);
    });
    const QString filter = form.exportFilters().dialogFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("预备报表文件 (*.qxp)")));
    EXPECT_TRUE(filter.contains(QStringLiteral("(*.pdf)")));
    EXPECT_TRUE(filter.contains(QStringLiteral("逗号分隔 (*.csv)")));
    dialogs.fileNames << dir.filePath(QStringLiteral("out.CSV"));
    ASSERT_TRUE(form.savePages());
    EXPECT_GE(objects, 9) << "every object of the three pages";
}

TEST_F(PreviewFormTest, TheZoomCarriesOverToTheNextPreview)
{
    ASSERT_TRUE(report.BuildPages());
    {
        preview::TqxPreviewForm first(report, printer, dialogs);
        first.setZoomFactor(0.5);
    }
    preview::TqxPreviewForm second(report, printer, dialogs);
    EXPECT_DOUBLE_EQ(second.scale(), 0.5);
    EXPECT_EQ(second.zoomMode(), ZoomMode::Fixed);

    report.InitialZoom = engine::pzOnePage;
    preview::TqxPreviewForm third(report, printer, dialogs);
    EXPECT_EQ(third.zoomMode(), ZoomMode::WholePage);
}

TEST_F(PreviewFormTest, TheWindowPlacementIsKeptBetweenSessions)
{
    ASSERT_TRUE(report.BuildPages());
    platform::SettingsStore store(dir.filePath(QStringLiteral("settings.ini")),
                                  QStringLiteral("Tovren"));
    {
        preview::TqxPreviewForm fresh(report, printer, dialogs);
        fresh.setSettingsStore(&store);
        fresh.show();
        EXPECT_TRUE(fresh.windowState().testFlag(Qt::WindowMaximized)) << "opens maximised";
        fresh.showNormal();
        fresh.setGeometry(30, 40, 640, 480);
        QTest::keyClick(&fresh, Qt::Key_Escape);
    }
    const QString section = QStringLiteral("Form\\TqxPreviewForm");
    EXPECT_FALSE(store.readBool(section, QStringLiteral("Maximized"), true));
    EXPECT_EQ(store.readInteger(section, QStringLiteral("Width"), 0), 640);
    EXPECT_EQ(store.readInteger(section, QStringLiteral("Height"), 0), 480);

    preview::TqxPreviewForm again(report, printer, dialogs);
    again.setSettingsStore(&store);
    again.show();
    EXPECT_FALSE(again.isMaximized());
    EXPECT_EQ(again.size(), QSize(640, 480));
}

} // namespace
