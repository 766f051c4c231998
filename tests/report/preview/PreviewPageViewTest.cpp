#include "report/preview/PreviewPageView.h"

#include "report/engine/TqxEMFPages.h"
#include "report/model/FormImage.h"
#include "report/preview/PreviewPanner.h"

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace tovren;
using preview::PreviewLayout;
using preview::PreviewPageView;

namespace {

/// A page area 300 × 200 pixels inside, over places laid out for pages that are not drawn.
class PreviewPageViewTest : public ::testing::Test
{
protected:
    PreviewPageViewTest()
        : view(pages)
    {
        view.resize(300 + view.verticalScrollBar()->sizeHint().width(),
                    200 + view.horizontalScrollBar()->sizeHint().height());
        view.show();
    }

    /// Ten 100 × 150 pages in one column at scale 1.
    void placeColumn()
    {
        PreviewLayout::Result layout;
        for (int i = 0; i < 10; ++i)
            layout.pageRects.append(QRect(100, 10 + i * 160, 100, 150));
        layout.extent = QSize(200, 10 + 10 * 160 - 10);
        view.setPagePlaces(layout);
    }

    void sendMouse(QEvent::Type type, const QPoint &point, Qt::MouseButton button,
                   Qt::MouseButtons held)
    {
        QMouseEvent event(type, point, view.viewport()->mapToGlobal(point), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }

    engine::TqxEMFPages pages;
    PreviewPageView view;
};

TEST_F(PreviewPageViewTest, ScrollRangesCoverTheOverhangPlusAMargin)
{
    ASSERT_EQ(view.viewport()->size(), QSize(300, 200));
    PreviewLayout::Result fits;
    fits.pageRects = {QRect(10, 10, 100, 100)};
    fits.extent = QSize(110, 110);
    view.setPagePlaces(fits);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(view.verticalScrollBar()->isEnabled());
    EXPECT_FALSE(view.horizontalScrollBar()->isEnabled());

    PreviewLayout::Result overhangs;
    overhangs.pageRects = {QRect(10, 10, 400, 500)};
    overhangs.extent = QSize(410, 510);
    view.setPagePlaces(overhangs);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 410 - 300 + 10);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 510 - 200 + 10);
    EXPECT_TRUE(view.verticalScrollBar()->isEnabled());
    EXPECT_EQ(view.verticalScrollBar()->singleStep(), 10);
    EXPECT_EQ(view.verticalScrollBar()->pageStep(), 200);
}

TEST_F(PreviewPageViewTest, PagesAreFoundUnderPointsAndAtTheTopOfTheView)
{
    placeColumn();
    EXPECT_EQ(view.pageAtTop(), 0);
    EXPECT_EQ(view.pageAt(QPoint(150, 20)), 0);
    EXPECT_EQ(view.pageAt(QPoint(50, 20)), -1) << "grey beside the page";
    view.scrollToPage(3);
    EXPECT_EQ(view.scrollPosition().y(), 10 + 3 * 160 - 10);
    EXPECT_EQ(view.pageAtTop(), 3);
    EXPECT_EQ(view.pageAt(QPoint(150, 15)), 3);
    // In the gap between two pages the line crosses no page.
    view.setScrollPosition(QPoint(0, 10 + 3 * 160 + 145));
    EXPECT_EQ(view.pageAtTop(), -1);
}

TEST_F(PreviewPageViewTest, DraggingPansAndTheWheelScrollsBySteps)
{
    placeColumn();
    preview::PreviewPanner panner(view);
    int offered = 0;
    panner.setPressHandler([&](const QPoint &) {
        ++offered;
        return false;
    });
    view.setScrollPosition(QPoint(0, 300));
    sendMouse(QEvent::MouseButtonPress, QPoint(20, 150), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(panner.isDragging());
    sendMouse(QEvent::MouseMove, QPoint(20, 100), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scrollPosition().y(), 350) << "the pages follow the mouse up";
    sendMouse(QEvent::MouseMove, QPoint(20, 180), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scrollPosition().y(), 270);
    sendMouse(QEvent::MouseButtonRelease, QPoint(20, 180), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(panner.isDragging());
    sendMouse(QEvent::MouseMove, QPoint(20, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.scrollPosition().y(), 270) << "no drag after the button is up";
    EXPECT_EQ(offered, 1);

    // A press taken by an object never starts a drag.
    panner.setPressHandler([](const QPoint &) { return true; });
    sendMouse(QEvent::MouseButtonPress, QPoint(150, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(panner.isDragging());

    const QPoint at(150, 100);
    QWheelEvent down(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &down);
    EXPECT_EQ(view.scrollPosition().y(), 280);
    view.setWheelStep(3);
    QApplication::sendEvent(view.viewport(), &down);
    EXPECT_EQ(view.scrollPosition().y(), 310) << "embedded, a notch is three steps";
}

TEST_F(PreviewPageViewTest, TheScanOfTheFormShowsUnderThePageOnlyWhenAsked)
{
    QImage scan(20, 30, QImage::Format_RGB32);
    scan.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");
    QString refusal;
    model::TqxPage templatePage(nullptr, model::SheetRequest{256, 1000, 1500, -1, false});
    templatePage.formImage = std::make_shared<const model::FormImage>(
        *model::FormImage::fromBytes(png, QStringLiteral("表格.png"), refusal));
    pages.Insert(0, templatePage);
    PreviewLayout::Result layout;
    layout.pageRects = {QRect(100, 10, 100, 150)};
    layout.extent = QSize(200, 160);
    view.setPagePlaces(layout);
    ASSERT_TRUE(view.hasFormImages());

    const auto middleOfPage = [this] {
        return view.viewport()->grab().toImage().pixelColor(150, 85);
    };
    EXPECT_EQ(middleOfPage(), QColor(Qt::white)) << "off by default: the preview shows what prints";
    view.setShowFormImages(true);
    const QColor shown = middleOfPage();
    EXPECT_EQ(shown.red(), 255);
    EXPECT_GT(shown.green(), 140) << "faded, so the printed texts stay readable";
    EXPECT_LT(shown.green(), 200);
    view.setShowFormImages(false);
    EXPECT_EQ(middleOfPage(), QColor(Qt::white));
}

} // namespace
