#include "report/chart/ChartOverlay.h"

#include "report/chart/ChartScene.h"
#include "report/chart/ChartStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tovren::chart {

namespace {

constexpr qreal kMaxDepth = 8;
constexpr qreal kDepthShareOfBar = 0.4;
constexpr qreal kMarkGap = 3;
constexpr qreal kMarkPadding = 2;
const QColor kMarkFill = QColor::fromRgb(0xFFFFE1);
const QColor kMarkPen = QColor::fromRgb(0x808080);

bool isBar(SeriesKind kind)
{
    return kind == SeriesKind::Bar || kind == SeriesKind::HorizontalBar;
}

} // namespace

ChartOverlay::ChartOverlay(const ChartPlan &plan, const ChartSettingsRecord &settings,
                           const QFont &font)
    : m_plan(plan)
    , m_settings(settings)
    , m_font(font)
{}

qreal ChartOverlay::barDepth(const ChartScene &scene) const
{
    if (!m_settings.use3D || !isBar(m_settings.kind()) || m_plan.series.empty() ||
        m_plan.series.front().points.empty())
        return 0;
    const QRectF bar = scene.barRect(0, 0);
    const qreal thickness =
        m_settings.kind() == SeriesKind::HorizontalBar ? bar.height() : bar.width();
    return std::min(kMaxDepth, thickness * kDepthShareOfBar);
}

void ChartOverlay::paintBarDepth(QPainter &painter, const ChartScene &scene) const
{
    const qreal depth = barDepth(scene);
    if (depth <= 0)
        return;
    const QPointF back(depth, -depth);
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    for (size_t s = 0; s < m_plan.series.size(); ++s) {
        for (size_t i = 0; i < m_plan.series[s].points.size(); ++i) {
            const QRectF front = scene.barRect(s, i);
            const QColor color = scene.pointColor(s, i);
            painter.setBrush(color.lighter(130));
            painter.drawPolygon(QPolygonF{front.topLeft(), front.topRight(),
                                          front.topRight() + back, front.topLeft() + back});
            painter.setBrush(color.darker(150));
            painter.drawPolygon(QPolygonF{front.topRight(), front.topRight() + back,
                                          front.bottomRight() + back, front.bottomRight()});
        }
    }
    painter.restore();
}

void ChartOverlay::paintMarks(QPainter &painter, const ChartScene &scene) const
{
    if (!m_settings.marksVisible || m_settings.kind() == SeriesKind::Pie)
        return;
    const bool horizontal = m_settings.kind() == SeriesKind::HorizontalBar;
    // Marks of three-dimensional bars stand above their top face.
    const qreal depth = barDepth(scene);
    const QFontMetricsF metrics(m_font);
    painter.save();
    painter.setFont(m_font);
    for (size_t s = 0; s < m_plan.series.size(); ++s) {
        const ChartSeriesData &series = m_plan.series[s];
        const double total = absoluteTotal(series);
        for (size_t i = 0; i < series.points.size(); ++i) {
            const ChartPoint &point = series.points[i];
            const QString text = markText(m_settings.style(), point, total);
            if (text.isEmpty())
                continue;
            const QPointF anchor = scene.pointPosition(s, i) + QPointF(depth / 2, -depth / 2);
            const QSizeF box(metrics.horizontalAdvance(text) + 2 * kMarkPadding, metrics.height());
            const bool negative = point.value < 0;
            QRectF rect(QPointF(0, 0), box);
            rect.moveCenter(anchor);
            if (horizontal)
                rect.moveLeft(negative ? anchor.x() - kMarkGap - box.width()
                                       : anchor.x() + depth / 2 + kMarkGap);
            else
                rect.moveTop(negative ? anchor.y() + kMarkGap
                                      : anchor.y() - depth / 2 - kMarkGap - box.height());
            painter.setPen(QPen(kMarkPen, 0));
            painter.setBrush(kMarkFill);
            painter.drawRect(rect);
            painter.setPen(Qt::black);
            painter.drawText(rect, Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

void ChartOverlay::paintPieTitles(QPainter &painter, const ChartScene &scene) const
{
    if (m_plan.singleSeries || m_settings.kind() != SeriesKind::Pie)
        return;
    const QRectF plot = scene.plotArea();
    const QFontMetricsF metrics(m_font);
    const qreal width = plot.width() / qreal(m_plan.series.size());
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    for (size_t s = 0; s < m_plan.series.size(); ++s) {
        const QRectF slot(plot.left() + qreal(s) * width, plot.bottom() - metrics.height(), width,
                          metrics.height());
        painter.drawText(slot, Qt::AlignCenter,
                         metrics.elidedText(m_plan.series[s].title, Qt::ElideRight, width));
    }
    painter.restore();
}

} // namespace tovren::chart
