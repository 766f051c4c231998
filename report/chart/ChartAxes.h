#pragma once

#include "report/chart/ChartPlan.h"
#include "report/chart/ValueScale.h"

#include <QFont>
#include <QMarginsF>
#include <QStringList>

class QPainter;

namespace tovren::chart {

class ChartScene;

/// The axes of a chart with their grid and labels: the values along one side of the plot
/// area, the categories (point labels, or point numbers with several series) along the other.
class ChartAxes
{
public:
    ChartAxes(const ChartPlan &plan, SeriesKind kind, const ValueScale &scale, const QFont &font);

    /// The space the labels need beside the plot area of a chart of @p chartSize.
    QMarginsF labelRoom(const QSizeF &chartSize) const;
    /// The grid lines, drawn before the series so that these cover them.
    void paintGrid(QPainter &painter, const ChartScene &scene) const;
    /// The axis lines, ticks and labels.
    void paintAxes(QPainter &painter, const ChartScene &scene) const;

private:
    QStringList m_categories;
    bool m_horizontal;
    ValueScale m_scale;
    QFont m_font;
};

} // namespace tovren::chart
