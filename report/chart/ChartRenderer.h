#pragma once

#include "report/chart/ChartPlan.h"

#include <QColor>
#include <QSizeF>

class QPainter;

namespace tovren::chart {

/// Draws a chart of a plan through Qt Charts straight onto a painter.
///
/// Every series, axis, legend and mark is drawn as painter operations, never as a bitmap, so a
/// chart stays vector graphics in a PDF and sharp at every zoom. The chart is laid out at its
/// own size in chart pixels; the caller's painter transform maps that onto the page.
class ChartRenderer
{
public:
    ChartRenderer(const ChartPlan &plan, const ChartSettingsRecord &settings);

    /// Draws the chart into the rectangle from (0, 0) to @p chartSize on @p background.
    void paint(QPainter &painter, const QSizeF &chartSize, const QColor &background) const;

    /// A chart without series: only its background.
    static void paintBare(QPainter &painter, const QSizeF &chartSize, const QColor &background);

private:
    const ChartPlan &m_plan;
    const ChartSettingsRecord &m_settings;
};

} // namespace tovren::chart
