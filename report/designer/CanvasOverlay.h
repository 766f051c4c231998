#pragma once

#include "report/designer/CanvasStateMachine.h"

#include <QRegion>

class QPainter;

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// Paints the canvas's feedback over the page from the state machine's CanvasFeedback: the
/// rectangle or frame being dragged, the line being drawn, the split line, the outlines of
/// dragged objects and the selection handles. Painted afresh with the page every time, so no
/// figure is ever left behind.
class CanvasOverlay
{
public:
    static const QColor kFrameColor;
    static const QColor kHandleColor;
    static const QColor kCornerHandleColor;

    static void paint(QPainter &painter, const model::TqxPage &page,
                      const CanvasFeedback &feedback);
    /// The pixels paint() may touch, to repaint when the feedback changes.
    static QRegion area(const model::TqxPage &page, const CanvasFeedback &feedback);
    /// The 5 × 5 square of a handle at @p position.
    static QRect handleSquare(QPoint position);
};

} // namespace tovren::designer
