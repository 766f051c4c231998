#pragma once

#include "report/chart/ChartPlan.h"

#include <QFont>

class QPainter;

namespace tovren::chart {

class ChartScene;

/// What a chart draws over its series: the depth of three-dimensional bars, the marks that
/// name the points, and the titles of pies standing side by side.
class ChartOverlay
{
public:
    ChartOverlay(const ChartPlan &plan, const ChartSettingsRecord &settings, const QFont &font);

    /// How far bars reach back in the three-dimensional look, in chart pixels; 0 without it.
    qreal barDepth(const ChartScene &scene) const;
    void paintBarDepth(QPainter &painter, const ChartScene &scene) const;
    void paintMarks(QPainter &painter, const ChartScene &scene) const;
    void paintPieTitles(QPainter &painter, const ChartScene &scene) const;

private:
    const ChartPlan &m_plan;
    const ChartSettingsRecord &m_settings;
    QFont m_font;
};

} // namespace tovren::chart
