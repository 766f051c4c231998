#include "ViewTestSupport.h"
#include "report/model/RunState.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::isColor;
using testing::PlainView;
using testing::whiteCanvas;

class TqxViewDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        runState().reset();
        runState().drawingMode = DrawingMode::Output;
        view.SetBounds(10, 10, 50, 30);
    }
    void TearDown() override { runState().reset(); }

    QImage draw()
    {
        QImage image = whiteCanvas();
        QPainter painter(&image);
        view.Draw(painter);
        return image;
    }

    static int blackPixels(const QImage &image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == Qt::black;
        return count;
    }

    PlainView view;
};

TEST_F(TqxViewDrawing, FourFrameLinesAtTheObjectEdges)
{
    view.FrameTyp = qxftLeft | qxftTop | qxftRight | qxftBottom;
    const QImage image = draw();
    EXPECT_TRUE(isColor(image, 10, 25, Qt::black));
    EXPECT_TRUE(isColor(image, 60, 25, Qt::black));
    EXPECT_TRUE(isColor(image, 30, 10, Qt::black));
    EXPECT_TRUE(isColor(image, 30, 40, Qt::black));
    EXPECT_TRUE(isColor(image, 30, 25, Qt::white)); // transparent fill is not painted
    EXPECT_TRUE(isColor(image, 9, 25, Qt::white));
    EXPECT_TRUE(isColor(image, 61, 25, Qt::white));
}

TEST_F(TqxViewDrawing, NoFrameInOutputButCornerMarksWhileDesigning)
{
    EXPECT_EQ(blackPixels(draw()), 0);

    runState().drawingMode = DrawingMode::Designing;
    const QImage image = draw();
    EXPECT_TRUE(isColor(image, 10, 10, Qt::black));
    EXPECT_TRUE(isColor(image, 60, 40, Qt::black));
    EXPECT_TRUE(isColor(image, 30, 10, Qt::white)); // marks only, no line
    EXPECT_GT(blackPixels(image), 0);
}

TEST_F(TqxViewDrawing, FillIsPaintedInOutputAndTransparentIsWhiteWhileDesigning)
{
    view.FillColor = 0x0000FF;
    EXPECT_TRUE(isColor(draw(), 30, 25, Qt::red));

    view.FillColor = kNoColor;
    runState().drawingMode = DrawingMode::Designing;
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    view.Draw(painter);
    painter.end();
    EXPECT_TRUE(isColor(image, 30, 25, Qt::white));
    EXPECT_TRUE(isColor(image, 5, 5, Qt::blue));
}

TEST_F(TqxViewDrawing, DoubleLinesLieTwoPixelsEitherSideForWidthTwoAndAHalf)
{
    view.FrameTyp = qxftLeft;
    view.FrameStyle = psDouble;
    view.FrameWidth = 2.5f; // round(2.5) = 2 under ties to even
    const QImage image = draw();
    // Width-2 strokes centred on x = 8 and x = 12, fill between.
    for (int x : {7, 8, 11, 12})
        EXPECT_TRUE(isColor(image, x, 25, Qt::black)) << x;
    for (int x : {6, 9, 10, 13})
        EXPECT_TRUE(isColor(image, x, 25, Qt::white)) << x;
}

TEST_F(TqxViewDrawing, DashedLineLeavesGaps)
{
    view.FrameTyp = qxftTop;
    view.FrameStyle = psDash;
    view.SetBounds(0, 10, 150, 30);
    const QImage image = draw();
    int black = 0;
    for (int x = 0; x < 150; ++x)
        black += isColor(image, x, 10, Qt::black);
    EXPECT_GT(black, 50);
    EXPECT_LT(black, 150);
}

TEST_F(TqxViewDrawing, ScaleAndOffsetApplyWhileDrawingAndGeometryIsRestored)
{
    view.FrameTyp = qxftLeft | qxftRight;
    view.Transform = DrawTransform{2.0, 2.0, 5, 5};
    const QImage image = draw();
    EXPECT_TRUE(isColor(image, 25, 50, Qt::black));
    EXPECT_TRUE(isColor(image, 125, 50, Qt::black));
    EXPECT_TRUE(isColor(image, 10, 50, Qt::white));
    EXPECT_EQ(view.Left, 10);
    EXPECT_EQ(view.Width, 50);
    EXPECT_FLOAT_EQ(view.FrameWidth, 1.0f);
}

TEST_F(TqxViewDrawing, BeginDrawComputesTheInnerRectangle)
{
    view.FrameTyp = qxftLeft | qxftTop | qxftRight | qxftBottom;
    view.FrameWidth = 3;
    QImage image = whiteCanvas();
    QPainter painter(&image);
    view.BeginDraw(painter);
    // ex = round((3 - 1) / 2) = 1, hx = round(1.5) = 2.
    EXPECT_EQ(view.DrawRect.left, 11);
    EXPECT_EQ(view.DrawRect.top, 11);
    EXPECT_EQ(view.DrawRect.right, 60 - 2 + 1);
    EXPECT_EQ(view.DrawRect.bottom, 40 - 2 + 1);
    EXPECT_EQ(view.GapX, 2 + 2);
    EXPECT_EQ(view.GapY, 1 + 1);
    view.EndDraw();
    EXPECT_EQ(view.GapX, 2);
}

TEST_F(TqxViewDrawing, SuppressedDrawingPaintsNothing)
{
    view.FrameTyp = qxftLeft;
    view.FillColor = clBlack;
    runState().suppressDrawing = true;
    EXPECT_EQ(blackPixels(draw()), 0);
}

TEST_F(TqxViewDrawing, ClipRegionCoversTheFrame)
{
    view.FrameTyp = qxftLeft | qxftRight;
    view.FrameWidth = 3;
    // outer = round(1.5) = 2, inner = round(1) = 1.
    EXPECT_EQ(view.GetClipRegion(false).boundingRect(), QRect(QPoint(8, 10), QPoint(61, 40)));
    EXPECT_EQ(view.GetClipRegion(true).boundingRect(), QRect(QPoint(-2, 0), QPoint(71, 50)));
}

} // namespace
} // namespace tovren::model
