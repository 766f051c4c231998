#include "report/dialogs/ChartFormValues.h"

#include "report/chart/TqxChartView.h"

namespace tovren::dialogs {

ChartFormValues ChartFormValues::fromChart(const chart::TqxChartView &chart)
{
    const chart::ChartSettingsRecord &settings = chart.ChartSettings;
    ChartFormValues values;
    values.seriesKind = settings.seriesKind;
    values.markStyle = settings.markStyle;
    values.use3D = settings.use3D;
    values.singleSeries = settings.singleSeries;
    values.legendVisible = settings.legendVisible;
    values.axesVisible = settings.axesVisible;
    values.marksVisible = settings.marksVisible;
    values.multiColor = settings.multiColor;
    values.legendSource = chart.LegendSource;
    values.valueSource = chart.ValueSource;
    values.topCountText = QString::number(settings.topCount);
    values.othersLabel = chart.OthersLabel;
    return values;
}

std::optional<qint32> ChartFormValues::topCount() const
{
    bool ok = false;
    const qint32 count = topCountText.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return count;
}

bool ChartFormValues::applyTo(chart::TqxChartView &chart) const
{
    const std::optional<qint32> count = topCount();
    if (!count)
        return false;
    chart::ChartSettingsRecord &settings = chart.ChartSettings;
    settings.seriesKind = seriesKind;
    settings.markStyle = markStyle;
    settings.use3D = use3D;
    settings.singleSeries = singleSeries;
    settings.legendVisible = legendVisible;
    settings.axesVisible = axesVisible;
    settings.marksVisible = marksVisible;
    settings.multiColor = multiColor;
    settings.topCount = *count;
    chart.LegendSource = legendSource;
    chart.ValueSource = valueSource;
    chart.OthersLabel = othersLabel;
    return true;
}

} // namespace tovren::dialogs
