#include "report/designer/ResizeHandle.h"

#include "report/model/TqxView.h"

namespace tovren::designer {

QPoint handlePosition(const model::TqxView &view, ResizeHandle handle)
{
    const int left = view.Left;
    const int top = view.Top;
    const int right = view.Left + view.Width;
    const int bottom = view.Top + view.Height;
    const int middleX = view.Left + view.Width / 2;
    const int middleY = view.Top + view.Height / 2;
    switch (handle) {
    case ResizeHandle::TopLeft:
        return {left, top};
    case ResizeHandle::BottomRight:
        return {right, bottom};
    case ResizeHandle::TopRight:
        return {right, top};
    case ResizeHandle::BottomLeft:
        return {left, bottom};
    case ResizeHandle::Left:
        return {left, middleY};
    case ResizeHandle::Right:
        return {right, middleY};
    case ResizeHandle::Top:
        return {middleX, top};
    case ResizeHandle::Bottom:
        return {middleX, bottom};
    case ResizeHandle::None:
        break;
    }
    return {left, top};
}

bool isOnHandle(QPoint point, QPoint handle, int tolerance)
{
    return handle.x() - tolerance <= point.x() && point.x() <= handle.x() + tolerance + 1 &&
           handle.y() - tolerance <= point.y() && point.y() <= handle.y() + tolerance + 1;
}

bool isOnHandle(const model::TqxView &view, ResizeHandle handle, QPoint point, int tolerance)
{
    return isOnHandle(point, handlePosition(view, handle), tolerance);
}

std::vector<ResizeHandle> shownHandles(const model::TqxView &view, bool onlySelected)
{
    const bool area = view.Width != 0 && view.Height != 0;
    std::vector<ResizeHandle> handles{ResizeHandle::TopLeft};
    if (area) {
        handles.push_back(ResizeHandle::TopRight);
        handles.push_back(ResizeHandle::BottomLeft);
    }
    handles.push_back(ResizeHandle::BottomRight);
    if (area && onlySelected) {
        for (ResizeHandle edge :
             {ResizeHandle::Left, ResizeHandle::Right, ResizeHandle::Top, ResizeHandle::Bottom})
            handles.push_back(edge);
    }
    return handles;
}

ResizeHandle mirrored(ResizeHandle handle, bool acrossX, bool acrossY)
{
    using H = ResizeHandle;
    const auto flipX = [](H h) {
        switch (h) {
        case H::TopLeft:
            return H::TopRight;
        case H::TopRight:
            return H::TopLeft;
        case H::BottomLeft:
            return H::BottomRight;
        case H::BottomRight:
            return H::BottomLeft;
        case H::Left:
            return H::Right;
        case H::Right:
            return H::Left;
        default:
            return h;
        }
    };
    const auto flipY = [](H h) {
        switch (h) {
        case H::TopLeft:
            return H::BottomLeft;
        case H::BottomLeft:
            return H::TopLeft;
        case H::TopRight:
            return H::BottomRight;
        case H::BottomRight:
            return H::TopRight;
        case H::Top:
            return H::Bottom;
        case H::Bottom:
            return H::Top;
        default:
            return h;
        }
    };
    if (acrossX)
        handle = flipX(handle);
    if (acrossY)
        handle = flipY(handle);
    return handle;
}

} // namespace tovren::designer
