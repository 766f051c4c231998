#pragma once

namespace tovren::chart {

/// The value axis of a chart: a range of round numbers and the step between its ticks.
struct ValueScale
{
    double minimum = 0;
    double maximum = 1;
    double step = 1;

    int tickCount() const;
    double tick(int index) const { return minimum + index * step; }

    /// About five steps of 1, 2, 2.5 or 5 times a power of ten that cover @p low to @p high.
    static ValueScale around(double low, double high);
};

} // namespace tovren::chart
