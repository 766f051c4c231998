#pragma once

#include "report/designer/DesignerHost.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tovren::designer {

/// Where the canvas of a report page sits in the designer's scroll box (PlacePage), and how
/// the scroll box follows a drag past its edge.
class CanvasPlacement
{
public:
    static constexpr int kMarginPixels = 10;
    /// Kept free right of a right-placed page, and the least room beside a centred one.
    static constexpr int kRightReservePixels = 11;

    struct Result
    {
        /// The canvas in the scroll box's content coordinates.
        QRect canvas;
        /// The content the scroll box scrolls over: the canvas and a margin round it.
        QSize content;
    };

    /// Places a page of @p pagePixels in a scroll box @p clientWidth pixels wide.
    static Result place(int clientWidth, QSize pagePixels, PagePosition position,
                        bool unlimitedHeight);

    /// The scroll position that brings @p contentPoint into a view of @p clientSize now at
    /// @p scroll: a point past the right or bottom edge becomes the new edge, one before the
    /// left or top the new origin.
    static QPoint autoScroll(QPoint scroll, QSize clientSize, QPoint contentPoint);
};

} // namespace tovren::designer
