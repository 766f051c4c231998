#pragma once

#include <QRect>
#include <algorithm>

namespace tovren::designer {

/// A rectangle the canvas tracks by its edges, as the mouse drags it: a selection rectangle, a
/// new object's frame, a line being drawn or the box around a multiple selection. Right and
/// bottom may lie left of or above left and top until normalised(); width and height are the
/// plain differences of the edges.
struct TrackingRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static TrackingRect at(QPoint point) { return {point.x(), point.y(), point.x(), point.y()}; }
    static TrackingRect fromOrigin(QPoint origin, int width, int height)
    {
        return {origin.x(), origin.y(), origin.x() + width, origin.y() + height};
    }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QPoint topLeft() const { return {left, top}; }
    /// Width and height both 0: a click without dragging.
    bool isPoint() const { return width() == 0 && height() == 0; }
    /// Width or height 0.
    bool isFlat() const { return width() == 0 || height() == 0; }

    TrackingRect normalised() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    void moveTopLeftTo(QPoint point)
    {
        const int w = width();
        const int h = height();
        *this = fromOrigin(point, w, h);
    }
    /// The pixels the rectangle's outline covers, edges included.
    QRect outlineRect() const
    {
        const TrackingRect n = normalised();
        return QRect(QPoint(n.left, n.top), QPoint(n.right, n.bottom));
    }

    friend bool operator==(const TrackingRect &, const TrackingRect &) = default;
};

} // namespace tovren::designer
