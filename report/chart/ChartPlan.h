#pragma once

#include "report/chart/ChartSettingsRecord.h"
#include "report/chart/ChartText.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tovren::chart {

struct ChartPoint
{
    double value = 0;
    QString label;
};

struct ChartSeriesData
{
    QString title;
    std::vector<ChartPoint> points;
};

/// The series a chart draws, read from its data lines.
struct ChartPlan
{
    /// One series whose points carry the legend items, or one series per legend item.
    bool singleSeries = true;
    std::vector<ChartSeriesData> series;

    qsizetype pointCount() const;
};

/// Reads the data lines of a chart: line 0 the legend items, line 1 the values of a single
/// series, or lines 1 to n the values of the n series named in line 0. Gives nothing when the
/// lines make no chart: a legend or value line missing or empty, item counts that differ
/// (single series), or a line count other than the number of legend items plus one (several
/// series). With 0 < TopCount < the item count, a single series keeps its largest values.
std::optional<ChartPlan> planChart(const QStringList &lines, const ChartSettingsRecord &settings,
                                   const QString &othersLabel,
                                   const NumberSeparators &separators = NumberSeparators::system());

} // namespace tovren::chart
