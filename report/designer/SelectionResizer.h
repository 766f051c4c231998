#pragma once

#include "report/designer/ResizeHandle.h"

#include <QPoint>

namespace tovren::model {
class TqxView;
}

namespace tovren::designer {

/// Resizing one object by one of its handles.
///
/// The object never keeps a negative size: when a drag carries an edge across the opposite
/// one, the object is turned the right way round and the handle on the far side takes over,
/// mirrored only along the axis that was crossed (dragging the bottom-right corner past the
/// left edge continues with the bottom-left corner).
class SelectionResizer
{
public:
    /// Applies one step of @p delta through @p handle; returns the handle to drag from next.
    static ResizeHandle resizeBy(model::TqxView &view, ResizeHandle handle, QPoint delta);

    struct Flips
    {
        bool acrossX = false;
        bool acrossY = false;
    };
    /// Makes a negative width or height positive, keeping the covered area.
    static Flips normalise(model::TqxView &view);
};

} // namespace tovren::designer
