#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

namespace tovren::preview {

class PreviewPageView;

/// The mouse on the page area: a left press that no object takes starts panning, and while
/// the button is held the pages follow the mouse.
///
/// A double click is reported instead of starting a drag.
class PreviewPanner : public QObject
{
    Q_OBJECT
public:
    /// Offered a press at a viewport point; true when the press was taken (no panning then).
    using PressHandler = std::function<bool(const QPoint &viewportPoint)>;
    /// Offered the mouse position while no drag runs; returns the cursor shape to show.
    using HoverHandler = std::function<Qt::CursorShape(const QPoint &viewportPoint)>;

    explicit PreviewPanner(PreviewPageView &view);

    void setPressHandler(PressHandler handler) { m_onPress = std::move(handler); }
    void setHoverHandler(HoverHandler handler);
    bool isDragging() const { return m_dragging; }

signals:
    void doubleClicked(const QPoint &viewportPoint);
    /// A right press, where a context menu belongs.
    void contextMenuRequested(const QPoint &globalPoint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PreviewPageView &m_view;
    PressHandler m_onPress;
    HoverHandler m_onHover;
    bool m_dragging = false;
    QPoint m_lastGlobal;
};

} // namespace tovren::preview
