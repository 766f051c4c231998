#include "report/designer/CanvasHitTest.h"

#include "report/model/TqxPage.h"

namespace tovren::designer {

namespace {

bool isShown(const model::TqxView &view, ResizeHandle handle)
{
    for (ResizeHandle shown : shownHandles(view, true)) {
        if (shown == handle)
            return true;
    }
    return false;
}

bool hovers(const model::TqxView &view, ResizeHandle handle, QPoint point)
{
    return isShown(view, handle) && isOnHandle(view, handle, point, kHoverTolerancePixels);
}

} // namespace

qsizetype CanvasHitTest::objectAt(const model::TqxPage &page, QPoint point)
{
    for (qsizetype i = page.objectCount() - 1; i >= 0; --i) {
        const model::TqxView &view = *page.object(i);
        if (view.Width < kThinObjectMarginPixels || view.Height < kThinObjectMarginPixels) {
            const int m = kThinObjectMarginPixels;
            if (point.x() >= view.Left - m && point.x() < view.Left + view.Width + m &&
                point.y() >= view.Top - m && point.y() < view.Top + view.Height + m)
                return i;
        } else if (view.GetClipRegion(false).contains(point)) {
            return i;
        }
    }
    return -1;
}

CanvasCursor CanvasHitTest::cursorOverSingle(const model::TqxView &view, QPoint point)
{
    using H = ResizeHandle;
    if (hovers(view, H::TopLeft, point) || hovers(view, H::BottomRight, point))
        return CanvasCursor::SizeNwse;
    if (hovers(view, H::TopRight, point) || hovers(view, H::BottomLeft, point))
        return CanvasCursor::SizeNesw;
    if (hovers(view, H::Top, point) || hovers(view, H::Bottom, point))
        return CanvasCursor::SizeNs;
    if (hovers(view, H::Left, point) || hovers(view, H::Right, point))
        return CanvasCursor::SizeWe;
    return CanvasCursor::Arrow;
}

bool CanvasHitTest::isOnGroupCorner(const model::TqxView &corner, QPoint point)
{
    return isOnHandle(corner, ResizeHandle::BottomRight, point, kHoverTolerancePixels);
}

ResizeHandle CanvasHitTest::handleAtPress(const model::TqxView &view, CanvasCursor cursor,
                                          QPoint press)
{
    using H = ResizeHandle;
    const auto on = [&](H handle) {
        return isOnHandle(view, handle, press, kPressTolerancePixels);
    };
    switch (cursor) {
    case CanvasCursor::SizeNwse:
        return on(H::TopLeft) ? H::TopLeft : H::BottomRight;
    case CanvasCursor::SizeNesw:
        return on(H::TopRight) ? H::TopRight : H::BottomLeft;
    case CanvasCursor::SizeWe:
        return on(H::Left) ? H::Left : H::Right;
    case CanvasCursor::SizeNs:
        return on(H::Top) ? H::Top : H::Bottom;
    default:
        return H::None;
    }
}

} // namespace tovren::designer
