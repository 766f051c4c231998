// What the canvas shows: the page, its grid and margins, marks, and feedback that never stays.
#include "CanvasFixture.h"
#include "report/designer/CanvasOverlay.h"

#include <QImage>

using namespace tovren;
using designer::CanvasOverlay;

namespace {

class CanvasPainting : public test::CanvasTest
{
protected:
    QImage shot() { return canvas().grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }
    static bool columnHas(const QImage &image, int x, int fromY, int toY, QColor color)
    {
        for (int y = fromY; y <= toY; ++y) {
            if (image.pixelColor(x, y) == color)
                return true;
        }
        return false;
    }
};

TEST_F(CanvasPainting, GridDotsMarginsAndScriptMarksAreDrawnOnThePage)
{
    setGrid(8);
    object("Memo1").Script = QStringList{"Memo1.Visible := True;"};
    QImage image = shot();
    EXPECT_EQ(at(image, 704, 8), QColor(Qt::black)) << "a dot on every multiple of 8";
    EXPECT_EQ(at(image, 708, 8), QColor(Qt::white));
    EXPECT_EQ(at(image, 753, 10), QColor(128, 128, 128)) << "the right margin, 4 pixels in";
    EXPECT_EQ(at(image, 755, 10), QColor(Qt::white));
    EXPECT_EQ(at(image, 125, 205), QColor(0, 0, 128)) << "the script mark at Left + 1, Top + 1";

    setGrid(4);
    image = shot();
    EXPECT_EQ(at(image, 708, 8), QColor(Qt::black));
    EXPECT_EQ(at(image, 710, 8), QColor(Qt::white));

    page().Clear();
    canvas().setPage(&pages, 0);
    setGrid(18);
    image = shot();
    EXPECT_EQ(at(image, 36, 36), QColor(Qt::black));
    EXPECT_EQ(at(image, 37, 36), QColor(Qt::white));
    host.options.grid.show = false;
    EXPECT_EQ(at(shot(), 36, 36), QColor(Qt::white));
}

TEST_F(CanvasPainting, HandlesMarkTheSelectionAndTheGroupCorner)
{
    setGrid(4, false);
    click({520, 70}); // Memo19: 476, 60, 96 x 20
    QImage image = shot();
    EXPECT_EQ(at(image, 474, 58), CanvasOverlay::kHandleColor);
    EXPECT_EQ(at(image, 574, 72), CanvasOverlay::kHandleColor) << "the middle of the right edge";

    click({520, 95}, Qt::ShiftModifier); // Memo20 below it becomes the corner object
    image = shot();
    EXPECT_EQ(at(image, 572, 107), CanvasOverlay::kCornerHandleColor);
    EXPECT_EQ(at(image, 572, 80), CanvasOverlay::kHandleColor);
    EXPECT_NE(at(image, 572, 70), CanvasOverlay::kHandleColor)
        << "edge handles only on a single selection";
}

TEST_F(CanvasPainting, ARubberBandAndDragOutlinesLeaveNothingBehind)
{
    press({40, 530});
    dragTo({300, 400});
    EXPECT_TRUE(columnHas(shot(), 40, 525, 530, CanvasOverlay::kFrameColor));
    release({300, 400});
    EXPECT_FALSE(columnHas(shot(), 40, 525, 533, CanvasOverlay::kFrameColor));

    // Without live repainting the objects stay put on screen while their outlines move.
    host.options.repaintWhileDragging = false;
    setGrid(4);
    click({40, 530});
    press({520, 70}); // Memo19 at 476, 60
    dragTo({600, 70});
    QImage image = shot();
    EXPECT_EQ(object("Memo19").Left, 556);
    EXPECT_EQ(at(image, 476, 60), QColor(Qt::black)) << "the corner mark at the old place";
    EXPECT_EQ(at(image, 600, 60), CanvasOverlay::kFrameColor) << "the outline at the new one";
    release({600, 70});
    image = shot();
    EXPECT_EQ(at(image, 556, 60), QColor(Qt::black));
    EXPECT_NE(at(image, 476, 60), QColor(Qt::black));
    EXPECT_NE(at(image, 600, 60), CanvasOverlay::kFrameColor);
}

} // namespace
