#include "report/chart/ChartRenderer.h"

#include "report/chart/ChartAxes.h"
#include "report/chart/ChartLegend.h"
#include "report/chart/ChartOverlay.h"
#include "report/chart/ChartScene.h"
#include "report/chart/ChartStyle.h"

#include <QPainter>

namespace tovren::chart {

ChartRenderer::ChartRenderer(const ChartPlan &plan, const ChartSettingsRecord &settings)
    : m_plan(plan)
    , m_settings(settings)
{}

void ChartRenderer::paint(QPainter &painter, const QSizeF &chartSize,
                          const QColor &background) const
{
    paintBare(painter, chartSize, background);
    if (m_plan.series.empty())
        return;
    const QFont font = chartFont();
    QSizeF plotSize = chartSize;
    if (m_settings.legendVisible) {
        const ChartLegend legend(
            ChartLegend::entriesFor(m_plan, m_settings.kind(), m_settings.multiColor), font);
        const qreal width = legend.stripWidth(chartSize.width());
        plotSize.setWidth(chartSize.width() - width);
        legend.paint(painter, QRectF(plotSize.width(), 0, width, chartSize.height()));
    }
    if (plotSize.width() < 1 || plotSize.height() < 1)
        return;

    const ValueScale scale = ChartScene::scaleFor(m_plan, m_settings);
    const ChartAxes axes(m_plan, m_settings.kind(), scale, font);
    const bool withAxes = m_settings.axesVisible && m_settings.kind() != SeriesKind::Pie;
    ChartScene scene(m_plan, m_settings, scale, withAxes ? axes.labelRoom(plotSize) : QMarginsF());
    scene.layOut(plotSize);
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), plotSize), Qt::IntersectClip);
    if (withAxes)
        axes.paintGrid(painter, scene);
    scene.render(painter);
    if (withAxes)
        axes.paintAxes(painter, scene);
    const ChartOverlay overlay(m_plan, m_settings, font);
    overlay.paintBarDepth(painter, scene);
    overlay.paintMarks(painter, scene);
    overlay.paintPieTitles(painter, scene);
    painter.restore();
}

void ChartRenderer::paintBare(QPainter &painter, const QSizeF &chartSize, const QColor &background)
{
    painter.fillRect(QRectF(QPointF(0, 0), chartSize), background);
}

} // namespace tovren::chart
