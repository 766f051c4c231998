#pragma once

#include "report/designer/ResizeHandle.h"

#include <QPoint>
#include <QtGlobal>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The canvas's mouse cursor. The state machine decides by it what a press and a drag do, as
/// the person sees it.
enum class CanvasCursor {
    Arrow,
    Cross,  ///< an insertion tool is armed
    Pencil, ///< the line tool
    SizeNwse,
    SizeNesw,
    SizeNs,
    SizeWe,
    Split, ///< over an edge shared by two selected objects
};

/// Which object, handle or cursor lies under a point of the canvas.
class CanvasHitTest
{
public:
    /// Objects narrower or lower than this are hit within this margin around them.
    static constexpr int kThinObjectMarginPixels = 3;

    /// The list index of the topmost object under @p point, or -1. A thin object is hit in its
    /// rectangle grown by the margin; any other in its drawn area (a band's includes its title).
    static qsizetype objectAt(const model::TqxPage &page, QPoint point);

    /// The cursor over the only selected object: the sizing cursor of the handle under the
    /// point (hover tolerance), otherwise the arrow.
    static CanvasCursor cursorOverSingle(const model::TqxView &view, QPoint point);
    /// Whether the point is on the bottom-right handle of a multiple selection's corner object.
    static bool isOnGroupCorner(const model::TqxView &corner, QPoint point);

    /// The handle a drag of one object starts from, told by the cursor shown at the press and
    /// the press point (press tolerance).
    static ResizeHandle handleAtPress(const model::TqxView &view, CanvasCursor cursor,
                                      QPoint press);
};

} // namespace tovren::designer
