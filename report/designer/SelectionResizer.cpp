#include "report/designer/SelectionResizer.h"

#include "report/model/TqxLineView.h"

namespace tovren::designer {

ResizeHandle SelectionResizer::resizeBy(model::TqxView &view, ResizeHandle handle, QPoint delta)
{
    const int dx = delta.x();
    const int dy = delta.y();
    const auto moveLeftEdge = [&] {
        view.Left += dx;
        view.Width -= dx;
    };
    const auto moveTopEdge = [&] {
        view.Top += dy;
        view.Height -= dy;
    };
    switch (handle) {
    case ResizeHandle::TopLeft:
        moveLeftEdge();
        moveTopEdge();
        break;
    case ResizeHandle::BottomRight:
        view.Width += dx;
        view.Height += dy;
        break;
    case ResizeHandle::TopRight:
        view.Width += dx;
        moveTopEdge();
        break;
    case ResizeHandle::BottomLeft:
        moveLeftEdge();
        view.Height += dy;
        break;
    case ResizeHandle::Left:
        moveLeftEdge();
        break;
    case ResizeHandle::Right:
        view.Width += dx;
        break;
    case ResizeHandle::Top:
        moveTopEdge();
        break;
    case ResizeHandle::Bottom:
        view.Height += dy;
        break;
    case ResizeHandle::None:
        return handle;
    }
    const Flips flips = normalise(view);
    // A line is as long as its larger extent; keeping the other at 0 makes the stored shape
    // the one the line draws.
    if (auto *line = dynamic_cast<model::TqxLineView *>(&view))
        line->applyOrientation();
    return mirrored(handle, flips.acrossX, flips.acrossY);
}

SelectionResizer::Flips SelectionResizer::normalise(model::TqxView &view)
{
    Flips flips;
    if (view.Width < 0) {
        view.Left += view.Width;
        view.Width = -view.Width;
        flips.acrossX = true;
    }
    if (view.Height < 0) {
        view.Top += view.Height;
        view.Height = -view.Height;
        flips.acrossY = true;
    }
    return flips;
}

} // namespace tovren::designer
