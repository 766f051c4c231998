#pragma once

#include "report/chart/ChartPlan.h"

#include <QColor>
#include <QFont>

namespace tovren::chart {

/// The colour of the point or series number @p index: a fixed cycle of strong colours, so a
/// chart looks the same on screen, in the PDF and on paper.
QColor paletteColor(qsizetype index);

/// The text of a value as marks and legends show it: thousands grouped, at most three
/// decimals, as "1,234.5".
QString valueText(double value);

/// What a mark shows for @p point of a series whose absolute values add up to @p seriesTotal.
QString markText(MarkStyle style, const ChartPoint &point, double seriesTotal);

/// The sum of the absolute values of @p series, the base of its percentages.
double absoluteTotal(const ChartSeriesData &series);

/// The font of legends, axis labels and marks: 8-point text on the chart's own scale, with a
/// Chinese face for the characters the Latin face lacks.
QFont chartFont();

} // namespace tovren::chart
