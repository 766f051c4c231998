#pragma once

#include "report/chart/ChartPlan.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <vector>

class QPainter;

namespace tovren::chart {

struct LegendEntry
{
    QColor color;
    QString text;
};

/// The box beside a chart that names its points or series, each with its colour.
///
/// It takes a strip at the right of the chart, at most two fifths of its width; entries that
/// do not fit the height are left out rather than drawn over each other.
class ChartLegend
{
public:
    ChartLegend(std::vector<LegendEntry> entries, const QFont &font);

    /// What a chart of @p plan lists: the points of a single series in their colours, or the
    /// series of a chart with several (for pies, whose slices share colours, the point numbers).
    static std::vector<LegendEntry> entriesFor(const ChartPlan &plan, SeriesKind kind,
                                               bool multiColor);

    /// The width the legend takes from a chart @p chartWidth wide, in chart pixels.
    qreal stripWidth(qreal chartWidth) const;
    void paint(QPainter &painter, const QRectF &strip) const;

private:
    std::vector<LegendEntry> m_entries;
    QFont m_font;
};

} // namespace tovren::chart
