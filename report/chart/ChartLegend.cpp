#include "report/chart/ChartLegend.h"

#include "report/chart/ChartStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tovren::chart {

namespace {

constexpr qreal kMaxWidthShare = 0.4;
constexpr qreal kOuterGap = 4;
constexpr qreal kInnerGap = 3;
constexpr qreal kSwatchWidth = 12;

} // namespace

ChartLegend::ChartLegend(std::vector<LegendEntry> entries, const QFont &font)
    : m_entries(std::move(entries))
    , m_font(font)
{}

std::vector<LegendEntry> ChartLegend::entriesFor(const ChartPlan &plan, SeriesKind kind,
                                                 bool multiColor)
{
    std::vector<LegendEntry> entries;
    if (plan.singleSeries && !plan.series.empty()) {
        const bool eachPoint = multiColor || kind == SeriesKind::Pie;
        const auto &points = plan.series.front().points;
        for (size_t i = 0; i < points.size(); ++i)
            entries.push_back({paletteColor(eachPoint ? qsizetype(i) : 0), points[i].label});
    } else if (kind == SeriesKind::Pie) {
        qsizetype count = 0;
        for (const ChartSeriesData &series : plan.series)
            count = std::max(count, qsizetype(series.points.size()));
        for (qsizetype i = 0; i < count; ++i)
            entries.push_back({paletteColor(i), QString::number(i + 1)});
    } else {
        for (size_t i = 0; i < plan.series.size(); ++i)
            entries.push_back({paletteColor(qsizetype(i)), plan.series[i].title});
    }
    return entries;
}

qreal ChartLegend::stripWidth(qreal chartWidth) const
{
    if (m_entries.empty())
        return 0;
    const QFontMetricsF metrics(m_font);
    qreal textWidth = 0;
    for (const LegendEntry &entry : m_entries)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    const qreal wanted = 2 * kOuterGap + 3 * kInnerGap + kSwatchWidth + textWidth;
    return std::min(wanted, chartWidth * kMaxWidthShare);
}

void ChartLegend::paint(QPainter &painter, const QRectF &strip) const
{
    if (m_entries.empty())
        return;
    const QFontMetricsF metrics(m_font);
    const qreal rowHeight = metrics.height() + 1;
    const qreal available = strip.height() - 2 * kOuterGap - 2 * kInnerGap;
    const qsizetype shown =
        std::min(qsizetype(m_entries.size()), qsizetype(std::max(available, 0.0) / rowHeight));
    if (shown == 0)
        return;
    const qreal boxHeight = shown * rowHeight + 2 * kInnerGap;
    const QRectF box(strip.left() + kOuterGap, strip.center().y() - boxHeight / 2,
                     strip.width() - 2 * kOuterGap, boxHeight);
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setFont(m_font);
    const qreal textLeft = box.left() + 2 * kInnerGap + kSwatchWidth;
    const qreal textWidth = box.right() - kInnerGap - textLeft;
    for (qsizetype i = 0; i < shown; ++i) {
        const LegendEntry &entry = m_entries[size_t(i)];
        const qreal top = box.top() + kInnerGap + i * rowHeight;
        const QRectF swatch(box.left() + kInnerGap, top + rowHeight / 2 - 4, kSwatchWidth, 8);
        painter.setBrush(entry.color);
        painter.drawRect(swatch);
        const QString text = metrics.elidedText(entry.text, Qt::ElideRight, textWidth);
        painter.drawText(QRectF(textLeft, top, textWidth, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter.restore();
}

} // namespace tovren::chart
