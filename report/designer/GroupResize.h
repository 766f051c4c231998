#pragma once

#include "report/designer/GroupBox.h"
#include "report/designer/TrackingRect.h"

#include <QPoint>

namespace tovren::designer {

/// Resizing a multiple selection by the corner handle: the box's right and bottom edges follow
/// the mouse and every selected object is scaled from its saved bounds, so that edges land on
/// rounded positions and repeated steps never accumulate rounding.
///
/// A box that was computed with no width (every object on one vertical line) or no height
/// cannot be scaled along that axis; its objects keep their geometry there instead of being
/// divided by zero.
class GroupResize
{
public:
    explicit GroupResize(const GroupBox &box)
        : m_box(box)
    {}

    /// Moves @p box's right and bottom by @p delta unless an edge would reach or cross the
    /// opposite one, then scales the objects to the new box. Objects whose size is locked keep
    /// their geometry.
    void resizeBy(QPoint delta, TrackingRect &box) const;

private:
    const GroupBox &m_box;
};

} // namespace tovren::designer
