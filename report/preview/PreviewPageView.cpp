#include "report/preview/PreviewPageView.h"

#include "report/engine/TqxEMFPages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace tovren::preview {

namespace {

constexpr int kGap = 10;
const QColor kBackground(0x80, 0x80, 0x80);

/// A scroll range from how far the content overhangs the view: none when it fits, otherwise
/// the overhang and a margin so the last edge is not flush with the view's edge.
int scrollRange(int contentEdge, int viewLength)
{
    const int overhang = contentEdge - viewLength;
    return overhang > 0 ? overhang + kGap : 0;
}

void configureBar(QScrollBar *bar, int range)
{
    bar->setRange(0, range);
    bar->setSingleStep(PreviewPageView::kSmallStep);
    bar->setPageStep(PreviewPageView::kLargeStep);
    bar->setEnabled(range != 0);
}

} // namespace

PreviewPageView::PreviewPageView(engine::TqxEMFPages &pages, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_pages(pages)
{
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    // The bars stay put and are only disabled, so showing or hiding one never changes the
    // view's size and sets off another layout.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    configureBar(verticalScrollBar(), 0);
    configureBar(horizontalScrollBar(), 0);
}

void PreviewPageView::setPagePlaces(const PreviewLayout::Result &layout)
{
    m_layout = layout;
    const QSize view = viewport()->size();
    configureBar(horizontalScrollBar(), scrollRange(layout.extent.width(), view.width()));
    configureBar(verticalScrollBar(), scrollRange(layout.extent.height(), view.height()));
    viewport()->update();
}

QPoint PreviewPageView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void PreviewPageView::setScrollPosition(const QPoint &position)
{
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

void PreviewPageView::scrollToPage(int index)
{
    if (index >= 0 && index < m_layout.pageRects.size())
        verticalScrollBar()->setValue(m_layout.pageRects[index].top() - kGap);
}

int PreviewPageView::pageAt(const QPoint &viewportPoint) const
{
    const QPoint content = viewportPoint + scrollPosition();
    for (qsizetype i = 0; i < m_layout.pageRects.size(); ++i) {
        if (m_layout.pageRects[i].contains(content))
            return int(i);
    }
    return -1;
}

int PreviewPageView::pageAtTop() const
{
    const int line = verticalScrollBar()->value() + kGap + 1;
    // Page tops never decrease in page order, and only the last row starting above the line
    // can reach across it.
    const auto &rects = m_layout.pageRects;
    const auto topAbove = [](int y) { return [y](const QRect &r) { return r.top() < y; }; };
    const auto end = std::partition_point(rects.cbegin(), rects.cend(), topAbove(line));
    if (end == rects.cbegin())
        return -1;
    const auto rowStart = std::partition_point(rects.cbegin(), end, topAbove((end - 1)->top()));
    for (auto it = rowStart; it != end; ++it) {
        if (it->top() + it->height() > line)
            return int(it - rects.cbegin());
    }
    return -1;
}

void PreviewPageView::setHighlight(const QRect &contentRect)
{
    m_highlight = contentRect;
    viewport()->update();
}

void PreviewPageView::clearHighlight()
{
    if (m_highlight.isNull())
        return;
    m_highlight = QRect();
    viewport()->update();
}

void PreviewPageView::setShowFormImages(bool show)
{
    m_showFormImages = show;
    viewport()->update();
}

bool PreviewPageView::hasFormImages() const
{
    for (qsizetype i = 0; i < m_pages.Count(); ++i) {
        if (m_pages.Page(i).formImage)
            return true;
    }
    return false;
}

void PreviewPageView::releaseAllPages()
{
    for (qsizetype i = 0; i < m_pages.Count(); ++i) {
        engine::TqxPreparedPage &page = m_pages.Page(i);
        page.visible = false;
        page.unpacked.reset();
    }
}

void PreviewPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kBackground);
    const QPoint origin = -scrollPosition();
    const qsizetype count = std::min<qsizetype>(m_pages.Count(), m_layout.pageRects.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QRect r = m_layout.pageRects[i].translated(origin);
        engine::TqxPreparedPage &page = m_pages.Page(i);
        if (!r.intersects(event->rect())) {
            if (page.visible || page.unpacked) {
                page.visible = false;
                page.unpacked.reset();
            }
            continue;
        }
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        page.visible = true;
        painter.save();
        painter.setClipRect(r.intersected(event->rect()));
        m_pages.Draw(i, painter, r, false);
        if (m_showFormImages && page.formImage)
            m_formImage.draw(painter, *page.formImage, r.adjusted(1, 1, -1, -1));
        painter.restore();
    }
    if (!m_highlight.isNull()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(m_highlight.translated(origin), Qt::white);
    }
}

void PreviewPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    emit viewportResized();
}

void PreviewPageView::scrollContentsBy(int dx, int dy)
{
    // Moves what is already drawn; only the uncovered strip is painted.
    viewport()->scroll(dx, dy);
}

void PreviewPageView::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0) {
        event->ignore();
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() -
                                  notches * kSmallStep * m_wheelStep);
    event->accept();
}

} // namespace tovren::preview
