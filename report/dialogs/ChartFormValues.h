#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tovren::chart {
class TqxChartView;
}

namespace tovren::dialogs {

/// The chart options as the chart editor shows them, without widgets: read from a chart, edited,
/// and written back in one step that either writes everything or nothing.
struct ChartFormValues
{
    quint8 seriesKind = 0;
    quint8 markStyle = 0;
    bool use3D = true;
    bool singleSeries = true;
    bool legendVisible = true;
    bool axesVisible = false;
    bool marksVisible = true;
    bool multiColor = true;
    QString legendSource;
    QString valueSource;
    /// TopCount as typed; it must be a whole number to be written back.
    QString topCountText = QStringLiteral("0");
    QString othersLabel;

    static ChartFormValues fromChart(const chart::TqxChartView &chart);

    /// The typed TopCount, or nothing when it is no whole number.
    std::optional<qint32> topCount() const;

    /// Writes every value into @p chart. False, with the chart left exactly as it was, when
    /// the typed TopCount is no whole number.
    bool applyTo(chart::TqxChartView &chart) const;
};

} // namespace tovren::dialogs
