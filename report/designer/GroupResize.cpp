#include "report/designer/GroupResize.h"

#include "report/designer/ObjectRestrictions.h"

namespace tovren::designer {

namespace {

double scaleFactor(int newLength, int startLength)
{
    return startLength != 0 ? double(newLength) / startLength : 1.0;
}

/// New start and length along one axis: the offset from the origin and the far edge are both
/// scaled and rounded, and the length is their difference.
std::pair<int, int> scaledSpan(int origin, int start, int length, double factor)
{
    const double offset = (start - origin) * factor;
    const int near = model::roundHalfEven(offset);
    const int far = model::roundHalfEven(offset + length * factor);
    return {origin + near, far - near};
}

} // namespace

void GroupResize::resizeBy(QPoint delta, TrackingRect &box) const
{
    if (!m_box.isValid())
        return;
    if (box.right + delta.x() > box.left)
        box.right += delta.x();
    if (box.bottom + delta.y() > box.top)
        box.bottom += delta.y();
    const TrackingRect start = m_box.startRect();
    const double kx = scaleFactor(box.width(), start.width());
    const double ky = scaleFactor(box.height(), start.height());
    const QPoint origin = m_box.origin();
    for (const GroupBox::SavedBounds &saved : m_box.savedBounds()) {
        model::TqxView &view = *saved.view;
        if (!mayResize(view))
            continue;
        const QRect &b = saved.bounds;
        std::tie(view.Left, view.Width) = scaledSpan(origin.x(), b.x(), b.width(), kx);
        std::tie(view.Top, view.Height) = scaledSpan(origin.y(), b.y(), b.height(), ky);
    }
}

} // namespace tovren::designer
