#pragma once

#include <QTabBar>

namespace tovren::designer {

/// The designer's page tabs: one tab a page, captioned by the caller. Dragging a tab to another
/// place asks for the page to move there; the right button asks for the tab menu.
///
/// The bar never reorders its tabs by itself: the caller moves the page and sets the captions
/// again, so the tabs always follow the page list.
class PageTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit PageTabBar(QWidget *parent = nullptr);

    /// Shows one tab per caption, rewriting only the captions that changed when the count is
    /// the same, and selects tab @p current.
    void setCaptions(const QStringList &captions, int current);
    QStringList captions() const;

signals:
    void pageMoveRequested(int from, int to);
    void menuRequested(const QPoint &globalPosition);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_dragFrom = -1;
    bool m_dragging = false;
    QPoint m_pressPosition;
};

} // namespace tovren::designer
