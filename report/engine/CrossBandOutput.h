#pragma once

#include "report/engine/BandDataSource.h"
#include "report/model/Units.h"

#include <QString>
#include <vector>

namespace tovren::model {
class TqxBandView;
class TqxView;
} // namespace tovren::model

namespace tovren::engine {

class PageEngine;
class TqxBand;
class TqxDataset;

/// Lays the columns of the vertical cross bands (header, data, footer) across the horizontal
/// bands of one page: the objects where a cross band and a horizontal band overlap are cells,
/// written once per column while the cross data band walks its column source. Columns that do
/// not fit the page's width continue on the prepared pages to the right, at the same height.
///
/// It belongs to the page engine of the page and works on that engine's bands and position.
/// A crossed band whose cells need columns but that finds no column source ends the build with
/// an error naming the cross data band, rather than dropping the cells.
class CrossBandOutput
{
public:
    explicit CrossBandOutput(PageEngine &engine)
        : m_engine(engine)
    {}
    CrossBandOutput(const CrossBandOutput &) = delete;
    CrossBandOutput &operator=(const CrossBandOutput &) = delete;

    // Band tree.
    /// A cross band view fills the one band of its type; a second view of a type is ignored.
    void takeCrossBand(model::TqxBandView &view);
    /// Moves every object lying horizontally inside a cross band into that band, its left edge
    /// made relative; the objects stay unplaced for the horizontal bands.
    void takeCrossObjects(const std::vector<model::TqxView *> &unplaced);
    /// True for an object that belongs to a cross band.
    bool holds(const model::TqxView &view) const;
    /// Gives the bands named in the cross data band's "band=source;" list their column source.
    void bindColumnSources();

    // Output.
    /// The height of a crossed band: the tallest of its columns, and at least its own height.
    model::DesignPixels MeasureCrossed(TqxBand &band);
    /// Writes the cells of a crossed band, column by column, after its own objects.
    void OutputCross(TqxBand &band);

private:
    void OutputCells(TqxBand &cross, TqxBand &band, model::DesignPixels x);
    /// Moves a column of @p width at @p x to the next page to the right when it does not fit.
    void makeRoom(model::DesignPixels &x, model::DesignPixels width, TqxBand &band);
    /// The engine whose page the cells are printed on: the band page that plays a sub-report.
    PageEngine &printingEngine() const;
    /// The source of @p band's columns; raises EReportError when its cells need one and none
    /// is found.
    TqxDataset *columnSource(TqxBand &band) const;
    /// Starts the walk of @p band's columns at the first record. A master footer whose source
    /// is already at its end walks a count of the widest row's columns, made in @p madeForFooter.
    TqxDataset *startColumns(TqxBand &band, TqxDataset &source, BandDataSource &madeForFooter);
    bool sharesCells(const TqxBand &cross, const TqxBand &band) const;
    model::DesignPixels measureObjects(TqxBand &band, bool withCells);
    void beginColumns(TqxBand &band);

    PageEngine &m_engine;
    /// The cross data band's data-source text, kept for the "band=source;" list and messages.
    QString m_crossSourceText;
    /// A cross output running; a band output inside it (a page header on a new page to the
    /// right) writes no cells of its own, so the running walk of the columns is not disturbed.
    bool m_outputting = false;
    int m_firstPageOfRow = 0;
};

} // namespace tovren::engine
