#include "report/preview/PreviewPageView.h"

#include "report/engine/TqxEMFPages.h"

#include <QPaintEvent>
#include <QPainter>

namespace tovren::preview {

PreviewPageView::PreviewPageView(engine::TqxEMFPages &pages, QWidget *parent)
    : QWidget(parent)
    , m_pages(pages)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPageView::setPagePlaces(const PreviewLayout::Result &layout)
{
    m_layout = layout;
    setMinimumSize(layout.extent + QSize(10, 10));
    update();
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
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
    const qsizetype count = std::min<qsizetype>(m_pages.Count(), m_layout.pageRects.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QRect r = m_layout.pageRects[i];
        engine::TqxPreparedPage &page = m_pages.Page(i);
        if (!r.intersects(event->rect())) {
            page.visible = false;
            page.unpacked.reset();
            continue;
        }
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        page.visible = true;
        painter.save();
        m_pages.Draw(i, painter, r, false);
        painter.restore();
    }
}

} // namespace tovren::preview
