#pragma once

#include "report/model/StyleConstants.h"
#include "report/model/Units.h"

#include <QColor>

class QPainter;

namespace tovren::model {

/// Draws one frame line of an object the way templates expect to see it printed.
///
/// Solid lines are filled bands of whole pixels centred on the line, so that print and preview
/// agree pixel for pixel; dashed and dotted lines are as many parallel 1-pixel strokes as the
/// pen is wide; double lines are two lines either side of the frame with the fill between.
/// The painter's state is restored afterwards.
class FrameLinePainter
{
public:
    struct Pen
    {
        QColor color;
        DevicePixels width = 1;
        LineStyle style = psSolid;
        /// Gaps of dashed lines and the middle of double lines; invalid for "no colour".
        QColor fill;
        /// Distance of the two strokes of a double line from the centre.
        DevicePixels doubleDistance = 1;
    };

    FrameLinePainter(QPainter &painter, const Pen &pen);

    /// From @p top to just above @p bottom.
    void vertical(DevicePixels x, DevicePixels top, DevicePixels bottom) const;
    /// From @p left to just before @p right.
    void horizontal(DevicePixels y, DevicePixels left, DevicePixels right) const;

private:
    enum class Axis { Vertical, Horizontal };
    void line(Axis axis, DevicePixels across, DevicePixels from, DevicePixels to) const;
    void solidBand(Axis axis, DevicePixels centre, DevicePixels width, const QColor &color,
                   DevicePixels from, DevicePixels to) const;
    void patternedStrokes(Axis axis, DevicePixels centre, DevicePixels from, DevicePixels to) const;

    QPainter &m_painter;
    Pen m_pen;
};

} // namespace tovren::model
