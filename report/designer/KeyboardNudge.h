#pragma once

#include <QPoint>
#include <optional>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

enum class ArrowKey { Left, Right, Up, Down };

/// What the arrow keys do to the selection: Ctrl moves it by a pixel, Shift resizes it by a
/// pixel, and an arrow alone steps the selection to the nearest object in that direction (with
/// Alt, moves the object against it instead). The grid does not apply.
class KeyboardNudge
{
public:
    /// Moves every object whose position is not locked by one pixel; returns whether any moved.
    static bool moveByPixel(const std::vector<model::TqxView *> &objects, ArrowKey key);
    /// Right and Down enlarge, Left and Up shrink each object's width or height by one pixel
    /// (down to 0); an object whose size is locked moves by one pixel instead, unless its
    /// position is locked too. Returns whether anything changed.
    static bool resizeByPixel(const std::vector<model::TqxView *> &objects, ArrowKey key);

    /// The nearest object in the arrow's direction from @p from among the objects that are
    /// neither selected nor bands, or null. When nothing lies in that direction, the farthest
    /// object on the other side is taken, so stepping wraps round.
    static model::TqxView *neighbour(const model::TqxPage &page, const model::TqxView &from,
                                     ArrowKey key);
    /// Where @p view goes to touch @p target (its right edge on the target's left edge for the
    /// right arrow, and so on): nothing unless it lies entirely on the near side and may move.
    static std::optional<QPoint> touchingPosition(const model::TqxView &view,
                                                  const model::TqxView &target, ArrowKey key);

    /// Lower is nearer; 10000 or more means not a candidate.
    static int score(const model::TqxView &from, const model::TqxView &candidate, ArrowKey key);
};

} // namespace tovren::designer
