#include "report/chart/ChartScene.h"

#include "report/chart/ChartStyle.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace tovren::chart {

namespace {

// Beyond this many points a single series of bars is drawn in one colour: every colour needs a
// bar set of its own, and their number grows with the square of the points.
constexpr qsizetype kMaxMultiColorBars = 100;
constexpr qreal kChartMargin = 4;
constexpr qreal kPointMarkerSize = 8;
constexpr qreal kValueHeadroom = 0.12;
constexpr qreal kPieSizeWithMarks = 0.66;
constexpr qreal kPieSizeWithoutMarks = 0.9;
// How far a pie's side shows below it in the three-dimensional look, as a share of its height.
constexpr qreal kPieDepthShare = 0.04;
const QColor kWallPen = QColor::fromRgb(0x808080);

bool isHorizontal(SeriesKind kind)
{
    return kind == SeriesKind::HorizontalBar;
}

bool isBar(SeriesKind kind)
{
    return kind == SeriesKind::Bar || kind == SeriesKind::HorizontalBar;
}

QPen outline()
{
    return QPen(Qt::black, 0);
}

} // namespace

ChartScene::ChartScene(const ChartPlan &plan, const ChartSettingsRecord &settings,
                       const ValueScale &scale, const QMarginsF &labelRoom)
    : m_plan(plan)
    , m_settings(settings)
    , m_kind(settings.kind())
    , m_scale(scale)
    , m_chart(new QChart)
{
    m_scene.addItem(m_chart);
    m_chart->setBackgroundVisible(false);
    m_chart->legend()->hide();
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    const QMarginsF margins =
        labelRoom + QMarginsF(kChartMargin, kChartMargin, kChartMargin, kChartMargin);
    m_chart->setMargins(margins.toMargins());
    // The walls of a three-dimensional chart are outlines only; pies have none.
    if (m_settings.use3D && m_kind != SeriesKind::Pie) {
        m_chart->setPlotAreaBackgroundVisible(true);
        m_chart->setPlotAreaBackgroundBrush(Qt::NoBrush);
        m_chart->setPlotAreaBackgroundPen(QPen(kWallPen, 0));
    }
    if (m_kind == SeriesKind::Pie)
        addPies();
    else if (isBar(m_kind))
        addBars();
    else
        addXySeries();
}

ChartScene::~ChartScene() = default;

qsizetype ChartScene::categoryCount(const ChartPlan &plan)
{
    qsizetype count = 0;
    for (const ChartSeriesData &series : plan.series)
        count = std::max(count, qsizetype(series.points.size()));
    return count;
}

ValueScale ChartScene::scaleFor(const ChartPlan &plan, const ChartSettingsRecord &settings)
{
    qreal low = 0;
    qreal high = 0;
    bool first = true;
    for (const ChartSeriesData &series : plan.series) {
        for (const ChartPoint &point : series.points) {
            low = first ? point.value : std::min(low, qreal(point.value));
            high = first ? point.value : std::max(high, qreal(point.value));
            first = false;
        }
    }
    // Bars and areas stand on zero; lines and points span their values.
    const SeriesKind kind = settings.kind();
    const bool fromZero = isBar(kind) || kind == SeriesKind::Area;
    if (fromZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    if (high <= low)
        high = low + 1;
    const qreal room = settings.marksVisible || !fromZero ? (high - low) * kValueHeadroom : 0;
    if (!fromZero || high > 0)
        high += room;
    if (!fromZero || low < 0)
        low -= room;
    return ValueScale::around(low, high);
}

void ChartScene::attachAxes(QAbstractSeries *series)
{
    // The axes only place the series; their labels and lines are drawn with the chart's own
    // fonts around the plot area.
    if (!m_categoryAxis) {
        auto *categories = new QBarCategoryAxis;
        QStringList numbers;
        for (qsizetype i = 0; i < categoryCount(m_plan); ++i)
            numbers << QString::number(i + 1);
        categories->append(numbers);
        auto *values = new QValueAxis;
        values->setRange(m_scale.minimum, m_scale.maximum);
        categories->setVisible(false);
        values->setVisible(false);
        const bool horizontal = isHorizontal(m_kind);
        m_chart->addAxis(categories, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
        m_chart->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
        m_categoryAxis = categories;
        m_valueAxis = values;
        m_placingSeries = series;
    }
    series->attachAxis(m_categoryAxis);
    series->attachAxis(m_valueAxis);
}

QColor ChartScene::pointColor(size_t series, size_t point) const
{
    if (!m_plan.singleSeries)
        return paletteColor(qsizetype(series));
    const bool eachPoint = isBar(m_kind) ? m_eachBarItsColour : m_settings.multiColor;
    return paletteColor(eachPoint ? qsizetype(point) : 0);
}

void ChartScene::addBars()
{
    const bool horizontal = isHorizontal(m_kind);
    const auto &first = m_plan.series.front().points;
    const qsizetype count = qsizetype(first.size());
    m_eachBarItsColour =
        m_plan.singleSeries && m_settings.multiColor && count <= kMaxMultiColorBars;
    QAbstractBarSeries *series = nullptr;
    if (m_eachBarItsColour) {
        // One set per bar, holding only its own value, stacked so each keeps full width.
        series = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalStackedBarSeries)
                            : new QStackedBarSeries;
        for (qsizetype i = 0; i < count; ++i) {
            auto *set = new QBarSet(first[size_t(i)].label);
            for (qsizetype j = 0; j < count; ++j)
                set->append(j == i ? first[size_t(i)].value : 0.0);
            series->append(set);
        }
    } else {
        series = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries)
                            : new QBarSeries;
        for (const ChartSeriesData &data : m_plan.series) {
            auto *set = new QBarSet(data.title);
            for (const ChartPoint &point : data.points)
                set->append(point.value);
            series->append(set);
        }
    }
    m_chart->addSeries(series);
    // The theme colours the sets when the series joins the chart; ours come after.
    const QList<QBarSet *> sets = series->barSets();
    for (qsizetype i = 0; i < sets.size(); ++i) {
        sets[i]->setBrush(pointColor(size_t(m_eachBarItsColour ? 0 : i), size_t(i)));
        sets[i]->setPen(outline());
    }
    attachAxes(series);
    m_barSeries = series;
}

void ChartScene::addXySeries()
{
    const bool eachPointItsColour = m_plan.singleSeries && m_settings.multiColor;
    for (size_t s = 0; s < m_plan.series.size(); ++s) {
        const ChartSeriesData &data = m_plan.series[s];
        const QColor color = pointColor(s, 0);
        QXYSeries *points = nullptr;
        if (m_kind == SeriesKind::Point) {
            auto *scatter = new QScatterSeries;
            scatter->setMarkerSize(kPointMarkerSize);
            points = scatter;
        } else {
            points = new QLineSeries;
        }
        for (size_t i = 0; i < data.points.size(); ++i)
            points->append(qreal(i), data.points[i].value);
        QAbstractSeries *shown = points;
        if (m_kind == SeriesKind::Area)
            shown = new QAreaSeries(static_cast<QLineSeries *>(points));
        m_chart->addSeries(shown);
        if (auto *area = qobject_cast<QAreaSeries *>(shown)) {
            area->setBrush(color);
            area->setPen(outline());
        } else if (m_kind == SeriesKind::Point) {
            points->setBrush(color);
            points->setPen(outline());
        } else {
            points->setPen(QPen(color, m_settings.use3D ? 3 : 2));
            if (eachPointItsColour) {
                points->setPointsVisible(true);
                points->setMarkerSize(kPointMarkerSize);
            }
        }
        if (eachPointItsColour && m_kind != SeriesKind::Area) {
            for (int i = 0; i < points->count(); ++i)
                points->setPointConfiguration(i, QXYSeries::PointConfiguration::Color,
                                              paletteColor(i));
        }
        attachAxes(shown);
    }
}

void ChartScene::addPies()
{
    const qsizetype count = qsizetype(m_plan.series.size());
    const qreal size =
        (m_settings.marksVisible ? kPieSizeWithMarks : kPieSizeWithoutMarks) / qreal(count);
    const QFont font = chartFont();
    const auto addPie = [&](qsizetype index, bool side) {
        const ChartSeriesData &data = m_plan.series[size_t(index)];
        const double total = absoluteTotal(data);
        auto *pie = new QPieSeries;
        for (const ChartPoint &point : data.points) {
            // A slice shows the size of a value, whatever its sign.
            QPieSlice *slice = pie->append(point.label, std::abs(point.value));
            if (!side && m_settings.marksVisible) {
                slice->setLabel(markText(m_settings.style(), point, total));
                slice->setLabelVisible(true);
                slice->setLabelFont(font);
                slice->setLabelPosition(QPieSlice::LabelOutside);
                slice->setLabelArmLengthFactor(0.1);
            }
        }
        m_chart->addSeries(pie);
        pie->setHorizontalPosition((qreal(index) + 0.5) / qreal(count));
        pie->setPieSize(size);
        if (side)
            pie->setVerticalPosition(0.5 + kPieDepthShare);
        const QList<QPieSlice *> slices = pie->slices();
        for (qsizetype i = 0; i < slices.size(); ++i) {
            slices[i]->setBrush(side ? paletteColor(i).darker(160) : paletteColor(i));
            slices[i]->setPen(outline());
            slices[i]->setLabelColor(Qt::black);
        }
    };
    for (qsizetype s = 0; s < count; ++s) {
        // The three-dimensional look shows each pie's side as a darker copy just below it.
        if (m_settings.use3D)
            addPie(s, true);
        addPie(s, false);
    }
}

void ChartScene::layOut(const QSizeF &size)
{
    m_chart->resize(size);
    m_chart->layout()->activate();
    m_scene.setSceneRect(QRectF(QPointF(0, 0), size));
}

void ChartScene::render(QPainter &painter)
{
    m_scene.render(&painter, m_scene.sceneRect(), m_scene.sceneRect(), Qt::IgnoreAspectRatio);
}

QRectF ChartScene::plotArea() const
{
    return m_chart->plotArea();
}

QPointF ChartScene::position(qreal category, qreal value) const
{
    return isHorizontal(m_kind) ? m_chart->mapToPosition(QPointF(value, category), m_placingSeries)
                                : m_chart->mapToPosition(QPointF(category, value), m_placingSeries);
}

std::pair<qreal, qreal> ChartScene::barSpan(size_t series, size_t point) const
{
    const qreal width = m_barSeries ? m_barSeries->barWidth() : 0;
    const qreal start = qreal(point) - width / 2;
    if (m_eachBarItsColour || m_plan.series.size() < 2)
        return {start, start + width};
    // Bars of several series stand side by side within their category.
    const qreal share = width / qreal(m_plan.series.size());
    return {start + qreal(series) * share, start + qreal(series + 1) * share};
}

QRectF ChartScene::barRect(size_t series, size_t point) const
{
    const auto [from, to] = barSpan(series, point);
    const double value = m_plan.series[series].points[point].value;
    return QRectF(position(from, value), position(to, 0)).normalized();
}

QPointF ChartScene::pointPosition(size_t series, size_t point) const
{
    const double value = m_plan.series[series].points[point].value;
    if (!isBar(m_kind))
        return m_chart->mapToPosition(QPointF(qreal(point), value), m_placingSeries);
    const auto [from, to] = barSpan(series, point);
    return position((from + to) / 2, value);
}

} // namespace tovren::chart
