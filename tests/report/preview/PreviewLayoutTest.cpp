#include "report/preview/PreviewLayout.h"

#include <gtest/gtest.h>

using tovren::preview::PreviewLayout;
using tovren::preview::ZoomMode;

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

TEST(PreviewLayoutTest, RowsHoldAsManyPagesAsFitAtTheZoom)
{
    const QList<QSize> pages(7, QSize(100, 150));
    // 10 + 4 × (50 + 10) = 250 fits in 260 pixels; a fifth page would need 310.
    const PreviewLayout::Result half =
        PreviewLayout::layOut(pages, 0, QSize(260, 400), ZoomMode::Fixed, 0.5);
    ASSERT_EQ(half.pageRects.size(), 7);
    EXPECT_EQ(half.pageRects[3], QRect(190, 10, 50, 75));
    EXPECT_EQ(half.pageRects[4], QRect(10, 95, 50, 75)) << "fifth page starts the second row";
    EXPECT_EQ(half.extent, QSize(240, 170));

    // At full size only two fit, and the widest row sets the count even for a short last row.
    const PreviewLayout::Result full =
        PreviewLayout::layOut(pages, 0, QSize(260, 400), ZoomMode::Fixed, 1.0);
    EXPECT_EQ(full.pageRects[1].top(), full.pageRects[0].top());
    EXPECT_EQ(full.pageRects[2].top(), full.pageRects[0].bottom() + 1 + 10);
    EXPECT_EQ(full.pageRects[6].left(), 10);

    // Too wide for the view: one page per row, flush left rather than centred off-screen.
    const PreviewLayout::Result wide =
        PreviewLayout::layOut(pages, 0, QSize(150, 400), ZoomMode::Fixed, 2.0);
    EXPECT_EQ(wide.pageRects[0].left(), 10);
    EXPECT_EQ(wide.pageRects[1].left(), 10);
}

TEST(PreviewLayoutTest, ZeroSizedPaperNeverDividesByZero)
{
    const QList<QSize> empty{{0, 0}, {0, 0}};
    for (ZoomMode mode :
         {ZoomMode::Fixed, ZoomMode::PageWidth, ZoomMode::WholePage, ZoomMode::TwoPages}) {
        const PreviewLayout::Result result =
            PreviewLayout::layOut(empty, 0, QSize(400, 300), mode, 0.75);
        EXPECT_DOUBLE_EQ(result.scale, 0.75) << "a zero page keeps the scale it was given";
        ASSERT_EQ(result.pageRects.size(), 2);
        EXPECT_TRUE(result.pageRects[0].isEmpty());
    }

    // A zero page among real ones: the fitting mode measures the current page only.
    const QList<QSize> mixed{{0, 0}, {200, 100}};
    EXPECT_DOUBLE_EQ(PreviewLayout::layOut(mixed, 1, QSize(420, 300), ZoomMode::PageWidth, 1).scale,
                     2.0);
    const PreviewLayout::Result fromZero =
        PreviewLayout::layOut(mixed, 0, QSize(420, 300), ZoomMode::WholePage, 0.5);
    EXPECT_DOUBLE_EQ(fromZero.scale, 0.5);
    EXPECT_EQ(fromZero.pageRects[1].size(), QSize(100, 50));

    // A zero fixed scale would make every page vanish; the layout keeps them visible.
    EXPECT_GT(PreviewLayout::layOut(mixed, 1, QSize(420, 300), ZoomMode::Fixed, 0).scale, 0);
}

} // namespace
