#include "MemoTestSupport.h"
#include "ViewTestSupport.h"
#include "report/model/TqxGlobals.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace tovren::model {
namespace {

using testing::MemoTest;

/// Leftmost and rightmost columns holding a non-white pixel inside rows [top, bottom).
std::pair<int, int> inkColumns(const QImage &image, int top, int bottom)
{
    int first = image.width();
    int last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

int inkRowCount(const QImage &image)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        if (inkColumns(image, y, y + 1).second >= 0)
            ++rows;
    return rows;
}

QImage drawn(TqxMemoView &memo, int width = 240, int height = 120)
{
    QImage image = testing::whiteCanvas(width, height);
    QPainter painter(&image);
    memo.Draw(painter);
    return image;
}

TEST_F(MemoTest, HorizontalAlignmentPlacesLinesByTheirWidth)
{
    TqxMemoView memo;
    memo.SetBounds(10, 10, 200, 20);
    memo.Memo = {"Tovren"};
    const int textWidth =
        qCeil(QFontMetricsF(testing::layoutArial10()).horizontalAdvance("Tovren"));

    drawn(memo);
    ASSERT_EQ(memo.placedLines().size(), 1u);
    EXPECT_EQ(memo.placedLines()[0].origin, QPointF(10 + memo.GapX, 10 + memo.GapY));

    memo.Alignment = TqxMemoView::kAlignRight;
    drawn(memo);
    const int rectWidth = 200 + 1;
    EXPECT_EQ(memo.placedLines()[0].origin.x(), 10 + rectWidth - memo.GapX - textWidth - 1);

    memo.Alignment = TqxMemoView::kAlignCenter;
    const QImage centred = drawn(memo);
    EXPECT_EQ(memo.placedLines()[0].origin.x(),
              10 + memo.GapX + (rectWidth - 2 * memo.GapX - textWidth) / 2);
    const auto [first, last] = inkColumns(centred, 12, 28);
    EXPECT_NEAR((first + last) / 2.0, 10 + 100, 3);
}

TEST_F(MemoTest, TextIsPaintedInTheFontColourInsideTheObject)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(20, 20, 150, 30);
    memo.FontColor = 0x0000FF; // red in COLORREF order
    memo.Memo = {"HHHH"};
    const QImage image = drawn(memo);
    bool red = false;
    for (int y = 20; y < 50 && !red; ++y)
        for (int x = 20; x < 170 && !red; ++x)
            red = image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 80;
    EXPECT_TRUE(red);
    const auto [first, last] = inkColumns(image, 0, 19);
    EXPECT_LT(last, 0) << "no ink above the object";
    const auto [textFirst, textLast] = inkColumns(image, 21, 40);
    EXPECT_GE(textFirst, 20 + memo.GapX);
}

TEST_F(MemoTest, JustifiedParagraphStretchesAllButItsLastLine)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 90, 100);
    memo.Alignment = TqxMemoView::kAlignJustify;
    memo.Memo = {"aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp qq rr ss tt uu vv"};
    const QImage image = drawn(memo, 120, 120);
    const auto &lines = memo.placedLines();
    ASSERT_GT(lines.size(), 2u);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_GT(lines[i].blankExtraPx, 0) << i;
    EXPECT_EQ(lines.back().blankExtraPx, 0);

    // The first line's ink reaches close to the right edge of the text area.
    const int lineHeight = memo.LineHeight;
    const auto [first, last] = inkColumns(image, 2, lineHeight);
    EXPECT_GE(last, 90 - memo.GapX - 4);
}

TEST_F(MemoTest, VerticalAlignmentMovesTheTextBlock)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 100, 80);
    memo.Memo = {"x"};
    memo.Alignment = TqxMemoView::kAlignBottom;
    drawn(memo);
    const int textHeight = memo.LineHeight + 2 * memo.GapY;
    EXPECT_EQ(memo.placedLines()[0].origin.y(), 81 - textHeight - 1 + memo.GapY);
    EXPECT_EQ(memo.Top, 0) << "the design geometry is restored";
}

TEST_F(MemoTest, TurnedTextCentredHorizontallyOnTheObject)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 100, 120);
    memo.Memo = {"Up"};
    memo.Alignment = TqxMemoView::kTurned | TqxMemoView::kAlignMiddle;
    const QImage image = drawn(memo, 140, 140);
    ASSERT_EQ(memo.placedLines().size(), 1u);
    EXPECT_TRUE(memo.placedLines()[0].turned);
    const int textHeight = memo.LineHeight + 2 * memo.GapX;
    EXPECT_EQ(memo.placedLines()[0].origin.x(), (101 - textHeight) / 2 + memo.GapX);
    const auto [first, last] = inkColumns(image, 1, 119);
    EXPECT_NEAR((first + last) / 2.0, 50, 6);
    // Upward text is taller than wide.
    EXPECT_LT(last - first, 16);
    EXPECT_GT(inkRowCount(image), 12);
}

TEST_F(MemoTest, AutoWidthKeepsTheRightEdgeForRightAlignment)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(50, 10, 150, 20);
    memo.Memo = {"abc"};
    memo.Alignment = TqxMemoView::kAlignRight;
    memo.setFlag(TqxMemoView::kAutoWidthFlag, true);
    drawn(memo, 260);
    EXPECT_LT(memo.Width, 150);
    EXPECT_EQ(memo.Left + memo.Width, 200);

    TqxMemoView left;
    left.SetBounds(50, 10, 150, 20);
    left.Memo = {"abc"};
    left.setFlag(TqxMemoView::kAutoWidthFlag, true);
    drawn(left, 260);
    EXPECT_EQ(left.Left, 50);
    EXPECT_EQ(left.Width, left.CalcTextWidth());
}

TEST_F(MemoTest, AutoWidthMeasuresTheWidestLine)
{
    TqxMemoView memo;
    memo.Memo = {"a", "wide line"};
    const double widest = QFontMetricsF(testing::layoutArial10()).horizontalAdvance("wide line");
    EXPECT_EQ(memo.CalcTextWidth(), qRound(std::ceil(widest) + 1 + 2 * memo.GapX + 1));
}

TEST_F(MemoTest, PreparedTextKeepsItsLineBreaksAndDropsTheMarks)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 40, 60);
    const QString mark(kEndOfParagraph);
    memo.Memo = {"alpha beta", "gamma" + mark, mark};
    drawn(memo);
    ASSERT_EQ(memo.placedLines().size(), 2u);
    EXPECT_EQ(memo.placedLines()[0].text, "alpha beta");
    EXPECT_EQ(memo.placedLines()[1].text, "gamma");
}

TEST_F(MemoTest, UnderlinesRuleEveryLineStep)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 100, 45);
    memo.setFlag(TqxMemoView::kUnderlinesFlag, true);
    const QImage image = drawn(memo, 120, 60);
    const int step = memo.LineSpacing + 13;
    for (int i = 0; i < 45 / step; ++i) {
        const int y = memo.GapY + step * i + 2 + 13;
        EXPECT_EQ(image.pixelColor(50, y), QColor(Qt::black)) << i;
    }
}

TEST_F(MemoTest, ScaledDrawingKeepsTheLineBreaksOfScaleOne)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 60, 80);
    memo.Memo = {"alpha beta gamma delta"};
    drawn(memo);
    QStringList atOne;
    for (const auto &line : memo.placedLines())
        atOne << line.text;
    memo.Transform.scaleX = memo.Transform.scaleY = 1.7;
    drawn(memo, 200, 200);
    QStringList scaled;
    for (const auto &line : memo.placedLines())
        scaled << line.text;
    EXPECT_EQ(scaled, atOne);
}

TEST_F(MemoTest, ExportModePlacesLinesWithTheirFrameLinesAndPaintsNothing)
{
    outputMode();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 200, 60);
    memo.FrameTyp = kFrameLineMask;
    memo.Memo = {"one", "two", "three"};
    memo.ExportMode = true;
    const QImage image = drawn(memo);
    ASSERT_EQ(memo.placedLines().size(), 3u);
    EXPECT_EQ(memo.placedLines()[0].frameBits, kFrameLineMask & ~qxftBottom);
    EXPECT_EQ(memo.placedLines()[1].frameBits, kFrameLineMask & ~(qxftBottom | qxftTop));
    EXPECT_EQ(memo.placedLines()[2].frameBits, kFrameLineMask & ~qxftTop);
    EXPECT_EQ(inkRowCount(image), 0);
}

TEST_F(MemoTest, SecondLayoutOfTheSameTextMeasuresNothingNew)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 80, 20);
    memo.setFlag(TqxMemoView::kTextOnlyFlag, true);
    memo.Memo = {QStringLiteral("同一段文字再排一次不应再测量 the same text twice")};
    const TextMeasurer &measurer = TqxGlobals::instance().textMeasurer;
    const DesignPixels first = memo.CalcHeight();
    const qint64 measured = measurer.measurements();
    EXPECT_EQ(memo.CalcHeight(), first);
    EXPECT_EQ(measurer.measurements(), measured);
}

} // namespace
} // namespace tovren::model
