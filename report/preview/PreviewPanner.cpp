#include "report/preview/PreviewPanner.h"

#include "report/preview/PreviewPageView.h"

#include <QMouseEvent>

namespace tovren::preview {

PreviewPanner::PreviewPanner(PreviewPageView &view)
    : QObject(&view)
    , m_view(view)
{
    view.viewport()->installEventFilter(this);
}

void PreviewPanner::setHoverHandler(HoverHandler handler)
{
    m_onHover = std::move(handler);
    m_view.viewport()->setMouseTracking(static_cast<bool>(m_onHover));
}

bool PreviewPanner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view.viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            emit contextMenuRequested(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (m_onPress && m_onPress(mouse->position().toPoint()))
            return true;
        m_dragging = true;
        m_lastGlobal = mouse->globalPosition().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging) {
            const QPoint now = mouse->globalPosition().toPoint();
            m_view.setScrollPosition(m_view.scrollPosition() + (m_lastGlobal - now));
            m_lastGlobal = now;
        } else if (m_onHover) {
            m_view.viewport()->setCursor(m_onHover(mouse->position().toPoint()));
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_dragging = false;
        return true;
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The double click stands in for the second press, so it must not start a drag.
        m_dragging = false;
        emit doubleClicked(mouse->position().toPoint());
        return true;
    }
    default:
        return false;
    }
}

} // namespace tovren::preview
