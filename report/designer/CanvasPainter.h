#pragma once

#include "report/designer/DesignerHost.h"
#include "report/model/FormImageBackdrop.h"

#include <QImage>
#include <QRegion>

class QPainter;

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

class CanvasMarks;

/// Paints a template page as the designer shows it: the background with the grid, every
/// object through its own drawing from the bottom of the z-order up, the script and highlight
/// marks, the scan of the blank form, and the margins and columns of a report page. Selection
/// feedback is not part of it.
///
/// The objects draw in the library's design state, which painting sets for its duration. Only
/// objects whose area meets the painted area are drawn.
class CanvasPainter
{
public:
    explicit CanvasPainter(const CanvasMarks &marks);

    /// Paints @p area of @p page (canvas coordinates = page pixels).
    void paint(QPainter &painter, model::TqxPage &page, const GridOptions &grid,
               const QRegion &area) const;

private:
    void paintBackground(QPainter &painter, const model::TqxPage &page, const GridOptions &grid,
                         const QRect &bounds) const;
    void paintObjects(QPainter &painter, model::TqxPage &page, const QRegion &area) const;
    void paintFormImage(QPainter &painter, const model::TqxPage &page) const;
    void paintMarginsAndColumns(QPainter &painter, model::TqxPage &page) const;

    const CanvasMarks &m_marks;
    QImage m_fineGrid;   ///< 8 x 8 tile of the 4-pixel grid
    QImage m_mediumGrid; ///< 8 x 8 tile of the 8-pixel grid
    /// Painting changes nothing a caller sees; the backdrop only keeps its faded copy.
    mutable model::FormImageBackdrop m_formImage;
};

} // namespace tovren::designer
