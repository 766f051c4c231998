#include "report/chart/ValueScale.h"

#include <cmath>

namespace tovren::chart {

namespace {

constexpr double kWantedSteps = 5;

} // namespace

int ValueScale::tickCount() const
{
    return int(std::lround((maximum - minimum) / step)) + 1;
}

ValueScale ValueScale::around(double low, double high)
{
    if (!(high > low) || !std::isfinite(high - low))
        return {low, low + 1, 1};
    const double raw = (high - low) / kWantedSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double factor = normal <= 1     ? 1
                          : normal <= 2   ? 2
                          : normal <= 2.5 ? 2.5
                          : normal <= 5   ? 5
                                          : 10;
    const double step = factor * magnitude;
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

} // namespace tovren::chart
