#include "report/chart/ChartSettingsRecord.h"

#include <QtEndian>
#include <algorithm>

namespace tovren::chart {

namespace {

constexpr int kTopCountOffset = 8;
constexpr int kReservedOffset = 12;

/// A flag byte written back as it was read while its truth is unchanged, else as 0 or 1.
quint8 flagByte(bool flag, quint8 stored)
{
    return (stored != 0) == flag ? stored : quint8(flag ? 1 : 0);
}

} // namespace

SeriesKind ChartSettingsRecord::kind() const
{
    return seriesKind < kSeriesKindCount ? SeriesKind(seriesKind) : SeriesKind::Line;
}

MarkStyle ChartSettingsRecord::style() const
{
    return markStyle < kMarkStyleCount ? MarkStyle(markStyle) : MarkStyle::Value;
}

QByteArray ChartSettingsRecord::toBytes() const
{
    QByteArray bytes(kRecordBytes, '\0');
    bytes[0] = char(seriesKind);
    const bool flags[] = {use3D,       singleSeries, legendVisible,
                          axesVisible, marksVisible, multiColor};
    for (int i = 0; i < 6; ++i)
        bytes[1 + i] = char(flagByte(flags[i], m_storedFlags[size_t(i)]));
    bytes[7] = char(markStyle);
    qToLittleEndian<qint32>(topCount, bytes.data() + kTopCountOffset);
    std::copy(m_reserved.begin(), m_reserved.end(), bytes.begin() + kReservedOffset);
    return bytes;
}

ChartSettingsRecord ChartSettingsRecord::fromBytes(const QByteArray &bytes)
{
    Q_ASSERT(bytes.size() == kRecordBytes);
    ChartSettingsRecord settings;
    const auto byteAt = [&bytes](int offset) { return quint8(bytes.at(offset)); };
    settings.seriesKind = byteAt(0);
    for (int i = 0; i < 6; ++i)
        settings.m_storedFlags[size_t(i)] = byteAt(1 + i);
    settings.use3D = byteAt(1) != 0;
    settings.singleSeries = byteAt(2) != 0;
    settings.legendVisible = byteAt(3) != 0;
    settings.axesVisible = byteAt(4) != 0;
    settings.marksVisible = byteAt(5) != 0;
    settings.multiColor = byteAt(6) != 0;
    settings.markStyle = byteAt(7);
    settings.topCount = qFromLittleEndian<qint32>(bytes.constData() + kTopCountOffset);
    std::copy(bytes.begin() + kReservedOffset, bytes.end(), settings.m_reserved.begin());
    return settings;
}

} // namespace tovren::chart
