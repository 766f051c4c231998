#include "report/designer/CanvasGrid.h"

#include "report/model/TqxPage.h"

#include <cmath>
#include <cstdlib>

namespace tovren::designer {

namespace {

constexpr int kDefaultStep = 4;

int cutToStep(int value, int step)
{
    return value - value % step;
}

} // namespace

CanvasGrid::CanvasGrid(int stepPixels, bool aligning)
    // A step of 0 stands for the default in stored settings; a negative one is damage. Either
    // would divide by zero or flip the rule below.
    : m_step(stepPixels > 0 ? stepPixels : kDefaultStep)
    , m_aligning(aligning)
{}

QPoint CanvasGrid::snap(QPoint point) const
{
    if (!m_aligning)
        return point;
    return {m_step * (point.x() / m_step), m_step * (point.y() / m_step)};
}

QPoint CanvasGrid::snapNearest(QPoint point) const
{
    const auto nearest = [this](int value) {
        return m_step * model::roundHalfEven(double(value) / m_step);
    };
    return {nearest(point.x()), nearest(point.y())};
}

std::optional<QPoint> CanvasGrid::quantise(QPoint delta) const
{
    if (!m_aligning)
        return delta;
    if (std::abs(delta.x()) < m_step && std::abs(delta.y()) < m_step)
        return std::nullopt;
    return QPoint(cutToStep(delta.x(), m_step), cutToStep(delta.y(), m_step));
}

std::optional<int> CanvasGrid::quantiseX(int dx) const
{
    if (!m_aligning)
        return dx;
    if (std::abs(dx) < m_step)
        return std::nullopt;
    return cutToStep(dx, m_step);
}

std::optional<QPoint> nearestObjectCorner(const model::TqxPage &page, QPoint point,
                                          int withinPixels)
{
    std::optional<QPoint> best;
    double bestDistance = withinPixels;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const model::TqxView &view = *page.object(i);
        const int right = view.Left + view.Width;
        const int bottom = view.Top + view.Height;
        for (const QPoint corner : {QPoint(view.Left, view.Top), QPoint(right, view.Top),
                                    QPoint(view.Left, bottom), QPoint(right, bottom)}) {
            const double distance = std::hypot(corner.x() - point.x(), corner.y() - point.y());
            if (distance < bestDistance) {
                bestDistance = distance;
                best = corner;
            }
        }
    }
    return best;
}

} // namespace tovren::designer
