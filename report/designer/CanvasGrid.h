#pragma once

#include "report/designer/DesignerHost.h"

#include <QPoint>
#include <optional>

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// The grid as it applies to one mouse event: snapping points and cutting movements to whole
/// steps. Holding Alt inverts the alignment for one move (withAlt()).
class CanvasGrid
{
public:
    CanvasGrid(int stepPixels, bool aligning);
    explicit CanvasGrid(const GridOptions &options)
        : CanvasGrid(options.stepPixels, options.align)
    {}

    int stepPixels() const { return m_step; }
    bool aligning() const { return m_aligning; }
    CanvasGrid withAlt(bool altHeld) const { return {m_step, m_aligning != altHeld}; }

    /// While aligning, each coordinate truncated toward zero to a grid multiple.
    QPoint snap(QPoint point) const;
    /// Each coordinate rounded to the nearest grid multiple, ties to even (the line tool).
    QPoint snapNearest(QPoint point) const;
    /// The grid rule for a movement: while aligning, nothing when both parts are below one
    /// step, otherwise each part cut toward zero to a multiple of the step.
    std::optional<QPoint> quantise(QPoint delta) const;
    /// The same rule for a horizontal movement only.
    std::optional<int> quantiseX(int dx) const;

private:
    int m_step;
    bool m_aligning;
};

/// The corner of an object of @p page nearest to @p point when closer than @p withinPixels
/// (Euclidean); on equal distances the first corner in list order wins.
std::optional<QPoint> nearestObjectCorner(const model::TqxPage &page, QPoint point,
                                          int withinPixels);

} // namespace tovren::designer
