#include "report/chart/ChartAxes.h"

#include "report/chart/ChartScene.h"
#include "report/chart/ChartStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tovren::chart {

namespace {

constexpr qreal kLabelGap = 4;
constexpr qreal kTickLength = 3;
// Category labels beside horizontal bars take at most this share of the chart's width.
constexpr qreal kMaxCategoryShare = 0.35;
const QColor kGridColor = QColor::fromRgb(0xD8D8D8);

} // namespace

ChartAxes::ChartAxes(const ChartPlan &plan, SeriesKind kind, const ValueScale &scale,
                     const QFont &font)
    : m_horizontal(kind == SeriesKind::HorizontalBar)
    , m_scale(scale)
    , m_font(font)
{
    if (plan.singleSeries && !plan.series.empty()) {
        for (const ChartPoint &point : plan.series.front().points)
            m_categories << point.label;
    } else {
        for (qsizetype i = 0; i < ChartScene::categoryCount(plan); ++i)
            m_categories << QString::number(i + 1);
    }
}

QMarginsF ChartAxes::labelRoom(const QSizeF &chartSize) const
{
    const QFontMetricsF metrics(m_font);
    const qreal below = metrics.height() + kLabelGap + kTickLength;
    qreal widest = 0;
    if (m_horizontal) {
        for (const QString &category : m_categories)
            widest = std::max(widest, metrics.horizontalAdvance(category));
        widest = std::min(widest, chartSize.width() * kMaxCategoryShare);
    } else {
        for (int i = 0; i < m_scale.tickCount(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(valueText(m_scale.tick(i))));
    }
    return QMarginsF(widest + kLabelGap + kTickLength, metrics.height() / 2, 0, below);
}

void ChartAxes::paintGrid(QPainter &painter, const ChartScene &scene) const
{
    const QRectF plot = scene.plotArea();
    painter.save();
    painter.setPen(QPen(kGridColor, 0));
    for (int i = 0; i < m_scale.tickCount(); ++i) {
        const QPointF at = scene.position(0, m_scale.tick(i));
        if (m_horizontal)
            painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        else
            painter.drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
    }
    painter.restore();
}

void ChartAxes::paintAxes(QPainter &painter, const ChartScene &scene) const
{
    const QRectF plot = scene.plotArea();
    const QFontMetricsF metrics(m_font);
    const qreal labelHeight = metrics.height();
    painter.save();
    painter.setFont(m_font);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (int i = 0; i < m_scale.tickCount(); ++i) {
        const double value = m_scale.tick(i);
        const QPointF at = scene.position(0, value);
        const QString text = valueText(value);
        if (m_horizontal) {
            painter.drawLine(QPointF(at.x(), plot.bottom()),
                             QPointF(at.x(), plot.bottom() + kTickLength));
            const qreal width = metrics.horizontalAdvance(text) + 2;
            painter.drawText(
                QRectF(at.x() - width / 2, plot.bottom() + kTickLength, width, labelHeight),
                Qt::AlignCenter, text);
        } else {
            painter.drawLine(QPointF(plot.left() - kTickLength, at.y()),
                             QPointF(plot.left(), at.y()));
            painter.drawText(QRectF(0, at.y() - labelHeight / 2,
                                    plot.left() - kTickLength - kLabelGap / 2, labelHeight),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        }
    }
    // The room of one category along its axis; a lone category has the whole axis.
    const qreal slot = m_categories.size() > 1 ? QLineF(scene.position(0, m_scale.minimum),
                                                        scene.position(1, m_scale.minimum))
                                                     .length()
                                               : (m_horizontal ? plot.height() : plot.width());
    for (qsizetype i = 0; i < m_categories.size(); ++i) {
        const QPointF at = scene.position(qreal(i), m_scale.minimum);
        if (m_horizontal) {
            const qreal width = plot.left() - kTickLength - kLabelGap / 2;
            const QString text = metrics.elidedText(m_categories[i], Qt::ElideRight, width);
            painter.drawText(QRectF(0, at.y() - labelHeight / 2, width, labelHeight),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        } else {
            const QString text = metrics.elidedText(m_categories[i], Qt::ElideRight, slot);
            painter.drawText(
                QRectF(at.x() - slot / 2, plot.bottom() + kTickLength, slot, labelHeight),
                Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

} // namespace tovren::chart
