#pragma once

#include <QPoint>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// Moving selected objects with the mouse, and the band pick-up that lets a band dragged on its
/// own carry the objects printed with it.
class SelectionMover
{
public:
    /// Moves every object whose position is not locked by @p delta; returns whether any moved.
    static bool moveBy(const std::vector<model::TqxView *> &objects, QPoint delta);

    /// Whether a drag of the selection starting now picks up the band's objects: exactly one
    /// object selected, a band, free to move, actually moving and Alt not held.
    static bool picksUpBandObjects(const std::vector<model::TqxView *> &selected, QPoint delta,
                                   bool altHeld);
    /// Selects every object that is not a band and lies entirely inside @p band (edges
    /// included); returns how many were added.
    static int pickUpBandObjects(model::TqxPage &page, const model::TqxView &band);
};

} // namespace tovren::designer
