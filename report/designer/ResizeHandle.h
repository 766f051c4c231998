#pragma once

#include <QPoint>
#include <QtGlobal>
#include <vector>

namespace tovren::model {
class TqxView;
}

namespace tovren::designer {

/// The eight handles of a selected object, numbered as the canvas's ActiveHandle.
enum class ResizeHandle : quint8 {
    None = 0,
    TopLeft = 1,
    BottomRight = 2,
    TopRight = 3,
    BottomLeft = 4,
    Left = 5,
    Right = 6,
    Top = 7,
    Bottom = 8,
};

/// Handles are 5 pixels across; a point is on a handle at h within a tolerance t when
/// h - t <= p <= h + t + 1 on both axes (2 while hovering, 3 when a drag starts).
inline constexpr int kHandleSizePixels = 5;
inline constexpr int kHoverTolerancePixels = 2;
inline constexpr int kPressTolerancePixels = 3;

QPoint handlePosition(const model::TqxView &view, ResizeHandle handle);
bool isOnHandle(QPoint point, QPoint handle, int tolerancePixels);
bool isOnHandle(const model::TqxView &view, ResizeHandle handle, QPoint point, int tolerance);

/// The handles drawn on a selected object: the top-left and bottom-right corners always, the
/// other two corners when both sizes are non-zero, and the edge middles as well when it is the
/// only selected object. A line (one size 0) thus has two.
std::vector<ResizeHandle> shownHandles(const model::TqxView &view, bool onlySelected);

/// The handle that takes over when a drag carries an edge across the opposite one.
ResizeHandle mirrored(ResizeHandle handle, bool acrossX, bool acrossY);

} // namespace tovren::designer
