#pragma once

#include "report/chart/ChartPicture.h"
#include "report/chart/ChartSettingsRecord.h"
#include "report/model/TqxView.h"

namespace tovren::chart {

/// A chart of the values that a report's text objects print: a line, area, point, bar,
/// horizontal-bar or pie chart.
///
/// Its data are ";"-separated lines in Memo: line 0 the legend items, line 1 (or, with several
/// series, lines 1 to n) the values. They are typed in the designer or collected while the
/// report is built: as a hook object the chart hears of every printed text, and the prints of
/// the text objects named LegendSource and ValueSource add their first lines as items. When
/// the chart itself prints, the collected lines go into the prepared page and start again, so
/// each print shows only what was collected since the last. A chart without data keeps a
/// picture instead.
class TqxChartView : public model::TqxView
{
public:
    static constexpr char kClassName[] = "TqxChartView";

    TqxChartView();

    void RegisterProperties() override;
    void NotifyHook(model::TqxView &printed) override;
    void Draw(QPainter &painter) override;
    void PrintToStream(model::RecordWriter &writer,
                       const model::TqxBandView *printingBand = nullptr) override;
    void ReadRecord(model::RecordReader &reader) override;
    void WriteRecord(model::RecordWriter &writer) override;
    QString className() const override { return QString::fromLatin1(kClassName); }

    /// Draws the chart into DrawRect (between BeginDraw() and EndDraw()), laid out as on a
    /// chart of @p designSize; false when the data make no chart or the picture cannot be
    /// drawn, and nothing was drawn.
    bool RenderChart(QPainter &painter, const QSizeF &designSize);

    /// The chart is drawn from data lines (typed or collected), not from its picture.
    bool hasDataDefinition() const;

    ChartPicture StaticPicture;
    /// The Memo line that receives values while several series are collected.
    int SeriesRow = 0;
    ChartSettingsRecord ChartSettings;
    QString LegendSource;
    QString ValueSource;
    /// Legend text of the sum of the values beyond TopCount; empty drops them.
    QString OthersLabel;

private:
    QColor backgroundColor() const;
    bool keepsOptionsWithoutData() const;
    /// The picture a chart without data stores: its own, or the bare chart at design size.
    QByteArray pictureToStore() const;
};

} // namespace tovren::chart
