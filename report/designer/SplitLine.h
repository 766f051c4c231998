#pragma once

#include <QPoint>
#include <optional>
#include <vector>

namespace tovren::model {
class TqxView;
}

namespace tovren::designer {

/// The split line between two selected objects that touch side by side: dragging it moves the
/// shared edge, widening one object and narrowing the other.
struct SplitLine
{
    int x = 0; ///< the shared edge
    int top = 0;
    int bottom = 0;
    model::TqxView *left = nullptr;
    model::TqxView *right = nullptr;

    /// The shared edge under @p point: within 2 pixels inside an object that is neither a band
    /// nor a line, on an edge another selected object that is not a band touches.
    static std::optional<SplitLine> find(const std::vector<model::TqxView *> &selected,
                                         QPoint point);

    /// Moves the shared edge to @p newX when both objects may change (the left one's size, the
    /// right one's size and position) and both keep a positive width; returns whether it did.
    bool moveEdgeTo(int newX) const;
};

} // namespace tovren::designer
