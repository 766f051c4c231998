#include "report/chart/ChartPlan.h"

namespace tovren::chart {

qsizetype ChartPlan::pointCount() const
{
    qsizetype count = 0;
    for (const ChartSeriesData &one : series)
        count += qsizetype(one.points.size());
    return count;
}

namespace {

std::optional<ChartPlan> planSingleSeries(const QString &legendLine, const QString &valueLine,
                                          const ChartSettingsRecord &settings,
                                          const QString &othersLabel,
                                          const NumberSeparators &separators)
{
    ChartLines lines{terminatedLine(legendLine), terminatedLine(valueLine)};
    const qsizetype count = lines.legend.count(u';');
    if (count != lines.values.count(u';'))
        return std::nullopt;
    if (settings.topCount > 0 && settings.topCount < count)
        lines = GroupTopValues(lines, settings.topCount, othersLabel, separators);
    const QStringList labels = chartItems(lines.legend);
    const QStringList values = chartItems(lines.values);
    // Grouping the top values of damaged data can leave the lines apart; such data has no chart.
    if (labels.size() != values.size())
        return std::nullopt;
    ChartPlan plan;
    plan.singleSeries = true;
    ChartSeriesData &series = plan.series.emplace_back();
    for (qsizetype i = 0; i < labels.size(); ++i)
        series.points.push_back({ParseChartNumber(values[i], separators), labels[i]});
    return plan;
}

std::optional<ChartPlan> planSeveralSeries(const QStringList &lines,
                                           const NumberSeparators &separators)
{
    const QStringList titles = chartItems(lines.first());
    if (lines.size() != titles.size() + 1)
        return std::nullopt;
    ChartPlan plan;
    plan.singleSeries = false;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        ChartSeriesData &series = plan.series.emplace_back();
        series.title = titles[i];
        for (const QString &item : chartItems(lines[i + 1]))
            series.points.push_back({ParseChartNumber(item, separators), QString()});
    }
    return plan;
}

} // namespace

std::optional<ChartPlan> planChart(const QStringList &lines, const ChartSettingsRecord &settings,
                                   const QString &othersLabel, const NumberSeparators &separators)
{
    const QString legendLine = lines.value(0);
    const QString valueLine = lines.value(1);
    if (legendLine.isEmpty() || valueLine.isEmpty())
        return std::nullopt;
    if (settings.singleSeries)
        return planSingleSeries(legendLine, valueLine, settings, othersLabel, separators);
    return planSeveralSeries(lines, separators);
}

} // namespace tovren::chart
