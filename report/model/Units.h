#pragma once

#include <QtGlobal>
#include <cmath>
#include <limits>

// Every length in the report library carries its unit in its type name. Templates and the
// printer layer mix five units; the conversions between them live here and nowhere else.
namespace tovren::model {

/// Object geometry, gaps and page margins: 1/91.6256157635468 inch on paper.
using DesignPixels = qint32;
/// Frame widths may be fractional.
using DesignPixelsF = float;
/// Pixels of a concrete device (printer dots, image pixels).
using DevicePixels = qint32;
/// Paper sizes, the unit of the platform's paper fields.
using TenthsMm = qint32;
using Points = double;

/// Design pixels per inch of paper (93 / 1.015).
inline constexpr double kDesignPixelsPerInch = 93.0 / 1.015;
inline constexpr double kTenthsMmPerInch = 254.0;

/// Rounds to the nearest integer with ties to even, the rounding of every stored coordinate.
/// Values beyond 32 bits, which only damaged files produce, stay at the nearest end; NaN is 0.
inline qint32 roundHalfEven(double value)
{
    if (!(value == value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= -2147483648.0)
        return std::numeric_limits<qint32>::min();
    if (rounded >= 2147483647.0)
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(rounded);
}

inline DesignPixels designPixelsFromTenthsMm(double tenthsMm)
{
    return roundHalfEven(tenthsMm * kDesignPixelsPerInch / kTenthsMmPerInch);
}

inline DesignPixels designPixelsFromDevicePixels(DevicePixels pixels, int deviceDotsPerInch)
{
    return roundHalfEven(kDesignPixelsPerInch / deviceDotsPerInch * pixels);
}

inline TenthsMm tenthsMmFromDevicePixels(DevicePixels pixels, int deviceDotsPerInch)
{
    return roundHalfEven(static_cast<double>(pixels) / deviceDotsPerInch * kTenthsMmPerInch);
}

// The designer's ruler and the page's script properties use the coarser scale of
// 18 pixels to 5 mm, not the printer layer's; scripts and stored templates rely on it.
inline DesignPixels rulerPixelsFromTenthsMm(TenthsMm tenthsMm)
{
    return roundHalfEven(tenthsMm / 10.0 * 18.0 / 5.0);
}

inline TenthsMm tenthsMmFromRulerPixels(double rulerPixels)
{
    return roundHalfEven(rulerPixels * 10.0 * 5.0 / 18.0);
}

/// Layout pixel height of a font size, negative as the platform's character-height convention.
inline qint32 fontPixelHeightFromPoints(Points size)
{
    return -roundHalfEven(size * 96.0 / 72.0);
}

} // namespace tovren::model
