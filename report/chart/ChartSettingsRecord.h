#pragma once

#include <QByteArray>
#include <array>

namespace tovren::chart {

/// The chart kinds, numbered as stored.
enum class SeriesKind : quint8 {
    Line = 0,
    Area = 1,
    Point = 2,
    Bar = 3,
    HorizontalBar = 4,
    Pie = 5
};
inline constexpr int kSeriesKindCount = 6;

/// What the marks on the points show, numbered as stored.
enum class MarkStyle : quint8 {
    Value = 0,
    Percent = 1,
    Label = 2,
    LabelPercent = 3,
    LabelValue = 4
};
inline constexpr int kMarkStyleCount = 5;

/// The options of a chart as its 48-byte settings record stores them.
///
/// The record is read and written byte for byte: numbers outside the known kinds and styles
/// and the 36 reserved bytes are kept as they were read, so a template written back by this
/// program holds exactly the bytes it was read from.
struct ChartSettingsRecord
{
    static constexpr int kRecordBytes = 48;
    static constexpr int kReservedBytes = 36;

    quint8 seriesKind = quint8(SeriesKind::Line);
    bool use3D = true;
    bool singleSeries = true;
    bool legendVisible = true;
    bool axesVisible = false;
    bool marksVisible = true;
    /// Every point in its own colour; single series only.
    bool multiColor = true;
    quint8 markStyle = quint8(MarkStyle::Value);
    /// With 0 < TopCount < item count only the largest TopCount values are drawn.
    qint32 topCount = 0;

    /// The kind to draw: a stored number beyond the known kinds draws as a line chart.
    SeriesKind kind() const;
    MarkStyle style() const;

    QByteArray toBytes() const;
    /// @p bytes must hold kRecordBytes bytes.
    static ChartSettingsRecord fromBytes(const QByteArray &bytes);

    bool operator==(const ChartSettingsRecord &) const = default;

private:
    // The flag bytes as read, for flags stored as values other than 0 and 1.
    std::array<quint8, 6> m_storedFlags{1, 1, 1, 0, 1, 1};
    std::array<char, kReservedBytes> m_reserved{};
};

} // namespace tovren::chart
