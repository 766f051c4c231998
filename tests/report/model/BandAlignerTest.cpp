#include "report/model/BandAligner.h"

#include "ViewTestSupport.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::PlainView;

class BandAlignment : public ::testing::Test
{
protected:
    void SetUp() override { runState().reset(); }
    void TearDown() override { runState().reset(); }

    PlainView &place(DesignPixels left, DesignPixels width, quint8 align)
    {
        auto view = std::make_unique<PlainView>();
        view->SetBounds(left, 100, width, 20);
        view->BandAlign = align;
        return static_cast<PlainView &>(page.addObject(std::move(view)));
    }

    void align(TqxView &view) { applyBandAlignment(view, designAlignArea(view, page)); }

    TqxPage page{nullptr, SheetRequest{}};
};

TEST_F(BandAlignment, CentreInTheArea)
{
    PlainView view;
    view.SetBounds(0, 0, 100, 10);
    view.BandAlign = baCenter;
    BandAlignArea area;
    area.left = 20;
    area.right = 720;
    applyBandAlignment(view, area);
    EXPECT_EQ(view.Left, 320);
}

TEST_F(BandAlignment, LeftAndRightStackAgainstNeighboursOnTheSameRow)
{
    page.Margins = PageMargins{20, 0, 0, 0};
    page.PageInfo.PaperWidthPx = 700;
    page.Margins.right = 20; // right edge 680
    PlainView &first = place(50, 100, baLeft);
    PlainView &second = place(300, 80, baLeft);
    align(first);
    align(second);
    EXPECT_EQ(first.Left, 20);
    EXPECT_EQ(second.Left, 120);

    PlainView &last = place(600, 50, baRight);
    PlainView &beforeLast = place(400, 60, baRight);
    align(last);
    align(beforeLast);
    EXPECT_EQ(last.Left, 630);
    EXPECT_EQ(beforeLast.Left, 630 - 60 - 1);

    PlainView &rest = place(250, 10, baRest);
    align(rest);
    EXPECT_EQ(rest.Left, 120 + 80);
    EXPECT_EQ(rest.Width, 569 - 200);
}

TEST_F(BandAlignment, WidthTopAndBottomFollowTheBandWhileDesigning)
{
    page.PageInfo.PaperWidthPx = 700;
    page.UseMargins = false;
    auto band = std::make_unique<TqxBandView>();
    band->SetBounds(0, 90, 700, 60);
    page.addObject(std::move(band));

    PlainView &wide = place(100, 10, baWidth);
    align(wide);
    EXPECT_EQ(wide.Left, 0);
    EXPECT_EQ(wide.Width, 700);

    PlainView &bottom = place(100, 10, baBottom);
    align(bottom);
    EXPECT_EQ(bottom.Top, 90 + 60 - 20);

    runState().drawingMode = DrawingMode::Output;
    PlainView &top = place(100, 10, baTop);
    align(top);
    EXPECT_EQ(top.Top, 100); // only the designer moves objects to the band's top
    align(wide);
    EXPECT_EQ(wide.Width, 699);
}

TEST_F(BandAlignment, DrawingAlignsOnTheCurrentPage)
{
    page.PageInfo.PaperWidthPx = 700;
    page.UseMargins = false;
    PlainView &view = place(0, 100, baCenter);
    runState().currentPage = &page;
    QImage image = testing::whiteCanvas(10, 10);
    QPainter painter(&image);
    view.Draw(painter);
    EXPECT_EQ(view.Left, 300);
    EXPECT_EQ(runState().currentObject, &view);
}

} // namespace
} // namespace tovren::model
