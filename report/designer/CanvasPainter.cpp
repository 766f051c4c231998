#include "report/designer/CanvasPainter.h"

#include "report/designer/CanvasMarks.h"
#include "report/model/FormImage.h"
#include "report/model/RunState.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"

#include <QPainter>

namespace tovren::designer {

namespace {

constexpr int kGridTilePixels = 8;
constexpr int kCoarseGridPixels = 18;
const QColor kMarginColor(128, 128, 128);

/// Objects draw in the design state; the state of whatever ran before is given back after.
class DesignDrawingState
{
public:
    explicit DesignDrawingState(model::TqxPage &page)
        : m_state(model::runState())
        , m_mode(m_state.drawingMode)
        , m_page(m_state.currentPage)
    {
        m_state.drawingMode = model::DrawingMode::Designing;
        m_state.currentPage = &page;
    }
    ~DesignDrawingState()
    {
        m_state.drawingMode = m_mode;
        m_state.currentPage = m_page;
    }
    DesignDrawingState(const DesignDrawingState &) = delete;
    DesignDrawingState &operator=(const DesignDrawingState &) = delete;

private:
    model::RunState &m_state;
    model::DrawingMode m_mode;
    model::TqxPage *m_page;
};

QImage gridTile(int step)
{
    QImage tile(kGridTilePixels, kGridTilePixels, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    for (int y = 0; y < kGridTilePixels; y += step) {
        for (int x = 0; x < kGridTilePixels; x += step)
            tile.setPixelColor(x, y, Qt::black);
    }
    return tile;
}

QColor backgroundOf(const model::TqxPage &page)
{
    if (page.PageType == model::TqxPage::ptDialog) {
        const QColor color = model::toQColor(page.Color);
        if (color.isValid())
            return color;
    }
    return Qt::white;
}

} // namespace

CanvasPainter::CanvasPainter(const CanvasMarks &marks)
    : m_marks(marks)
    , m_fineGrid(gridTile(4))
    , m_mediumGrid(gridTile(8))
{}

void CanvasPainter::paint(QPainter &painter, model::TqxPage &page, const GridOptions &grid,
                          const QRegion &area) const
{
    const DesignDrawingState designState(page);
    painter.save();
    painter.setClipRegion(area);
    paintBackground(painter, page, grid, area.boundingRect());
    paintObjects(painter, page, area);
    if (page.PageType == model::TqxPage::ptReport) {
        paintFormImage(painter, page);
        paintMarginsAndColumns(painter, page);
    }
    painter.restore();
}

void CanvasPainter::paintBackground(QPainter &painter, const model::TqxPage &page,
                                    const GridOptions &grid, const QRect &bounds) const
{
    painter.fillRect(bounds, backgroundOf(page));
    if (!grid.show)
        return;
    if (grid.stepPixels == 4 || grid.stepPixels == 8) {
        // The tile's origin is the canvas origin, so the dots sit on grid multiples.
        painter.fillRect(bounds, QBrush(grid.stepPixels == 4 ? m_fineGrid : m_mediumGrid));
        return;
    }
    if (grid.stepPixels != kCoarseGridPixels)
        return;
    QList<QPoint> dots;
    const auto firstMultiple = [](int from) {
        const int rest = from % kCoarseGridPixels;
        return rest == 0 ? from : from - rest + (from > 0 ? kCoarseGridPixels : 0);
    };
    for (int y = firstMultiple(bounds.top()); y <= bounds.bottom(); y += kCoarseGridPixels) {
        for (int x = firstMultiple(bounds.left()); x <= bounds.right(); x += kCoarseGridPixels)
            dots.append(QPoint(x, y));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawPoints(dots.constData(), int(dots.size()));
}

void CanvasPainter::paintFormImage(QPainter &painter, const model::TqxPage &page) const
{
    if (!page.formImage)
        return;
    const QRect paper(0, 0, page.PageInfo.PaperWidthPx, page.PageInfo.PaperHeightPx);
    m_formImage.draw(painter, *page.formImage, paper);
}

void CanvasPainter::paintObjects(QPainter &painter, model::TqxPage &page, const QRegion &area) const
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (!view.GetClipRegion(true).intersects(area))
            continue;
        painter.save();
        view.Draw(painter);
        painter.restore();
        if (!view.Script.isEmpty())
            painter.drawImage(view.Left + 1, view.Top + 1, m_marks.scriptMark());
        const auto *text = dynamic_cast<const model::TqxMemoView *>(&view);
        if (text && !text->HighlightCondition.isEmpty())
            painter.drawImage(view.Left + 1, view.Top + 10, m_marks.highlightMark());
    }
}

void CanvasPainter::paintMarginsAndColumns(QPainter &painter, model::TqxPage &page) const
{
    const int left = page.LeftEdge();
    const int top = page.TopEdge();
    const int right = page.RightEdge();
    const int bottom = page.BottomEdge();
    painter.setBrush(Qt::NoBrush);
    if (page.UseMargins) {
        painter.setPen(QPen(kMarginColor, 0));
        painter.drawRect(left, top, right - left - 1, bottom - top - 1);
    }
    if (page.ColCount < 2)
        return;
    // The page's column width follows its margins; it is stored so the page reports it.
    page.ColWidth = (right - left - (page.ColCount - 1) * page.ColGap) / page.ColCount;
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    const int pageHeight = page.PageInfo.PaperHeightPx;
    for (int c = 0, x = left; c < page.ColCount; ++c, x += page.ColWidth + page.ColGap)
        painter.drawRect(x, -1, page.ColWidth, pageHeight + 1);
}

} // namespace tovren::designer
