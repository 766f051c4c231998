#include "report/designer/PageTabBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace tovren::designer {

PageTabBar::PageTabBar(QWidget *parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDocumentMode(true);
    setUsesScrollButtons(true);
}

void PageTabBar::setCaptions(const QStringList &captions, int current)
{
    const QSignalBlocker blocker(this);
    if (count() != captions.size()) {
        while (count() > 0)
            removeTab(count() - 1);
        for (const QString &caption : captions)
            addTab(caption);
    } else {
        for (int i = 0; i < captions.size(); ++i) {
            if (tabText(i) != captions[i])
                setTabText(i, captions[i]);
        }
    }
    if (current >= 0 && current < count())
        setCurrentIndex(current);
}

QStringList PageTabBar::captions() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts.append(tabText(i));
    return texts;
}

void PageTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    QTabBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = tabAt(event->position().toPoint());
        m_pressPosition = event->position().toPoint();
        m_dragging = false;
    }
}

void PageTabBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragFrom >= 0 && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPosition).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::DragMoveCursor);
    }
    QTabBar::mouseMoveEvent(event);
}

void PageTabBar::mouseReleaseEvent(QMouseEvent *event)
{
    QTabBar::mouseReleaseEvent(event);
    const int from = m_dragFrom;
    const bool dropped = m_dragging && event->button() == Qt::LeftButton;
    m_dragFrom = -1;
    m_dragging = false;
    unsetCursor();
    if (!dropped)
        return;
    const int to = tabAt(event->position().toPoint());
    if (to >= 0 && to != from)
        emit pageMoveRequested(from, to);
}

} // namespace tovren::designer
