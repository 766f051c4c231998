#pragma once

#include "report/chart/ChartPlan.h"
#include "report/chart/ValueScale.h"

#include <QGraphicsScene>
#include <QMarginsF>
#include <QRectF>
#include <vector>

class QPainter;

class QAbstractAxis;
class QAbstractBarSeries;
class QAbstractSeries;
class QChart;

namespace tovren::chart {

/// The Qt Charts chart of one drawing: the series of a plan on axes that map values to
/// places, laid out at a given size and drawn onto a painter.
///
/// The axes themselves stay hidden; they only place the series. Labels, marks and the depth
/// of bars are drawn by the caller from the places this scene answers, in chart pixels with
/// (0, 0) at the chart's top left.
class ChartScene
{
public:
    /// @p labelRoom keeps space free around the plot area for axis labels.
    ChartScene(const ChartPlan &plan, const ChartSettingsRecord &settings, const ValueScale &scale,
               const QMarginsF &labelRoom);
    ~ChartScene();
    ChartScene(const ChartScene &) = delete;
    ChartScene &operator=(const ChartScene &) = delete;

    /// The range of values a plan needs on its value axis, with room for the marks.
    static ValueScale scaleFor(const ChartPlan &plan, const ChartSettingsRecord &settings);
    /// The number of categories: points of the single series, or of the longest series.
    static qsizetype categoryCount(const ChartPlan &plan);

    /// Lays the chart out at @p size; the places below are valid from then on.
    void layOut(const QSizeF &size);
    /// Draws the laid-out chart with its top left at (0, 0).
    void render(QPainter &painter);

    QRectF plotArea() const;
    /// The place of @p value at category position @p category (0 is the first category's centre).
    QPointF position(qreal category, qreal value) const;
    /// The front face of bar @p point of series @p series.
    QRectF barRect(size_t series, size_t point) const;
    /// Where the mark of a point points to: the end of its bar or the point itself.
    QPointF pointPosition(size_t series, size_t point) const;
    /// The colour point @p point of series @p series is drawn in.
    QColor pointColor(size_t series, size_t point) const;

private:
    void addBars();
    void addXySeries();
    void addPies();
    void attachAxes(QAbstractSeries *series);
    /// Where along the category axis bar @p point of series @p series starts and ends.
    std::pair<qreal, qreal> barSpan(size_t series, size_t point) const;

    const ChartPlan &m_plan;
    const ChartSettingsRecord &m_settings;
    const SeriesKind m_kind;
    const ValueScale m_scale;
    QGraphicsScene m_scene;
    QChart *m_chart; // owned by m_scene
    QAbstractSeries *m_placingSeries = nullptr;
    QAbstractAxis *m_categoryAxis = nullptr;
    QAbstractAxis *m_valueAxis = nullptr;
    QAbstractBarSeries *m_barSeries = nullptr;
    bool m_eachBarItsColour = false;
};

} // namespace tovren::chart
