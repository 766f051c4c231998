#pragma once

#include "report/chart/ChartStyle.h"

#include <QImage>
#include <array>
#include <cstdlib>

namespace tovren::chart::testing {

/// Where one colour lies on a rendered image: how many pixels and their mean column.
struct ColorArea
{
    qsizetype pixels = 0;
    double meanX = 0;
};

/// The pixels of @p image close to @p color (anti-aliased edges are left out).
inline ColorArea colorArea(const QImage &image, const QColor &color)
{
    ColorArea area;
    double sumX = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) < 24 &&
                std::abs(pixel.green() - color.green()) < 24 &&
                std::abs(pixel.blue() - color.blue()) < 24) {
                ++area.pixels;
                sumX += x;
            }
        }
    }
    area.meanX = area.pixels ? sumX / double(area.pixels) : 0;
    return area;
}

/// The areas of the first three point colours of a multi-coloured chart.
inline std::array<ColorArea, 3> firstThreeBars(const QImage &image)
{
    return {colorArea(image, paletteColor(0)), colorArea(image, paletteColor(1)),
            colorArea(image, paletteColor(2))};
}

} // namespace tovren::chart::testing
