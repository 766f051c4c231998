#pragma once

#include "report/designer/DesignUnits.h"
#include "report/designer/TrackingRect.h"

#include <QPoint>
#include <QString>
#include <optional>

namespace tovren::designer {

class CanvasSelection;
class GroupBox;

/// What the designer's status bar says about the selection: the unit, where the selected
/// object (or the rectangle being dragged) is and how big, the scale of a picture or of a group
/// being resized, and the name and first text line of a single selected object.
struct StatusBarContent
{
    QString unitName;
    /// Empty when there is nothing to place.
    QString position;
    QString size;
    /// "% 100,100" for a scaled picture or group.
    QString scale;
    QString objectText;
    /// Something is selected or an insertion tool is armed.
    bool showsSelectionIcon = false;

    struct Input
    {
        const CanvasSelection *selection = nullptr;
        const GroupBox *groupBox = nullptr;
        /// The rectangle the canvas is tracking, when it shows one.
        std::optional<TrackingRect> tracking;
        /// The mouse on the canvas, with nothing selected.
        std::optional<QPoint> mouse;
        bool insertionToolArmed = false;
        DesignUnit units = DesignUnit::Pixels;
    };
    static StatusBarContent compute(const Input &input);
};

} // namespace tovren::designer
